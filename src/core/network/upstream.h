#pragma once
// Whether a new previous-pipe link would make the flow run in a circle. A pipe can
// only take as its previous pipe one whose flow it does not already feed: when the
// pipe lies upstream of the one chosen, the link closes a circle, which no flow
// order can design.

#include <string>
#include <string_view>
#include <vector>

#include "core/network/pipe_network.h"

namespace pelvane::network {

// The circle that naming `previous` as a previous pipe of pipe `pipe` would close:
// the numbers from `pipe` in the direction of flow down to `previous` (whose flow
// would then return to `pipe`), or nothing when `pipe` does not lie upstream of
// `previous`. `pipe` need not be in the network: a saved pipe may already name a
// pipe that is still being added. Breadth first, so the shortest such path is
// named; each pipe is visited once.
std::vector<std::string> loop_closed_by(const PipeNetwork& network, std::string_view pipe,
                                        std::string_view previous);

}  // namespace pelvane::network
