#pragma once
// The checks that come before a pipe's section is solved. The window shows a refusal;
// the network recompute lists it (forms/solve_messages words it).

#include <string_view>

namespace pelvane::pipe {

enum class SolveRefusal {
    None,         // the section may be solved
    NoDischarge,  // the design discharge is not above 0
    NoSlope,      // a slope is given and it is not above 0
};

// The discharge is checked first. An empty discharge counts 0; an empty slope is
// no refusal here (the solver reports what it cannot use). A text that is not a
// number is no usable input and is refused like a value of 0.
SolveRefusal solve_refusal(std::string_view pipe_discharge, std::string_view pipe_slope);

}  // namespace pelvane::pipe
