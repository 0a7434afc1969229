#pragma once
// Loops in a pipe network. Water flows from a pipe into the pipe that lists it as a
// previous pipe, and into the pipe that starts at the structure where it ends; a
// chain of such links that comes back to where it began can never be designed
// (each pipe would wait on its own discharge).

#include <span>
#include <string>
#include <vector>

#include "core/network/pipe_network.h"

namespace pelvane::network {

// The structures at the two ends of a pipe (NODEIN_NO, NODEOUT_NO); empty names no
// structure.
struct PipeEnds {
    std::string node_in;
    std::string node_out;
};

// One loop of the network: the numbers of its pipes in the order the water goes
// round, starting with the pipe of the loop that comes first in table order. Empty
// when there is none. `ends` holds the ends of the network's pipes, index for index,
// or nothing to look at the previous-pipe links alone. Linear in the pipes and
// links, without recursion.
std::vector<std::string> find_cycle(const PipeNetwork& network,
                                    std::span<const PipeEnds> ends = {});

}  // namespace pelvane::network
