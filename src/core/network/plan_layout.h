#pragma once
// A schematic plan of a pipe network laid out from its structures alone (the PIPE
// table has no coordinates): each outfall at the left, every pipe one column to the
// right of the pipe it drains into, and each structure's upstream branches side by
// side in rows of their own, so that no two pipes cross.

#include <span>
#include <string>
#include <vector>

namespace pelvane::network {

struct PlanPipe {
    std::string upper;  // NODEIN_NO
    std::string lower;  // NODEOUT_NO
};

struct PlanPoint {
    double x = 0.0;  // columns from the outfall
    double y = 0.0;  // rows
    friend bool operator==(const PlanPoint&, const PlanPoint&) = default;
};

struct PlanLayout {
    // Each pipe's ends, in the order of the pipes given.
    std::vector<PlanPoint> upper;
    std::vector<PlanPoint> lower;
    double columns = 0.0;  // the largest x
    double rows = 0.0;     // the largest y
};

// The trees are laid out one below the other in the order their outfalls first
// appear. Within a tree the branches of a structure follow the table order of
// their pipes, each branch taking the rows of its leaves, and a structure sits
// midway between its first and last branch. A structure named by no pipe as its
// lower end is a leaf; an empty name is a structure of its own. Pipes running in a
// circle are laid out from the first of them as if it were an outfall, and a pipe
// into a structure already placed (the second pipe starting at a structure) is
// drawn to where it is; only those can cross others. Runs without recursion.
PlanLayout plan_layout(std::span<const PlanPipe> pipes);

}  // namespace pelvane::network
