#pragma once
// What the pipe window's fields let through, checked column by column on a pipe of
// an imported list before the network rules: numbers within their physical range,
// names from the window's lists, sizes from the size tables of the shape (or the
// size the window starts the shape with), a slope that agrees with the inverts. A
// pipe that passes is completed as the window would complete it.

#include <string>
#include <string_view>
#include <vector>

#include "store/pipe_table.h"

namespace pelvane::forms {

// A refused value: its PIPE column and why.
struct ColumnProblem {
    std::string column;
    std::string message;

    bool operator==(const ColumnProblem&) const = default;
};

// Checks the values of `pipe` in a project of `units` (three previous pipes and no
// 5-year storm in a legacy project) and, when nothing is refused, completes it: a
// list value takes the list's spelling (names match in any letter case), a missing
// PIPE_SLOPE is computed from the inverts and the length, a slope that agrees with
// them takes the window's text of it, and a missing discharge source is the default
// of the node-in type. Empty values are accepted; a slope whose inverts do not fall
// is not.
std::vector<ColumnProblem> check_pipe_values(store::PipeRecord& pipe, std::string_view units,
                                             bool legacy);

}  // namespace pelvane::forms
