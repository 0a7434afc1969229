#pragma once
// The order in which the pipes of a network can be designed: every pipe after all
// of its previous pipes, so that what it takes over from them is already final.
// Among the pipes that are ready, table order is kept, so a network entered from
// upstream down comes back in the order it was entered.
//
// Previous-pipe references that run in a circle can never be ordered. They are
// found and reported by pipe number, and so are the pipes downstream of such a
// circle, which wait on it for ever. Runs in O(N log N) without recursion, so any
// size of network is safe.

#include <cstddef>
#include <string>
#include <vector>

#include "core/network/pipe_network.h"

namespace pelvane::network {

struct FlowOrder {
    // Indices of the pipes that can be ordered, upstream first.
    std::vector<std::size_t> order;
    // Each circle of references: the numbers of the pipes that form it, in table
    // order. A pipe that names itself is a circle of one.
    std::vector<std::vector<std::string>> cycles;
    // Numbers of the pipes that are in no circle but lie downstream of one, in
    // table order.
    std::vector<std::string> blocked;

    bool complete() const { return cycles.empty(); }
};

FlowOrder flow_order(const PipeNetwork& network);

}  // namespace pelvane::network
