#pragma once
// The checks that come before a pipe's section is solved, and the texts that
// report them. The window shows them; the network recompute lists them.

#include <string_view>

namespace pelvane::pipe {

inline constexpr std::string_view kSolveRefusalTitle = "Errur";
inline constexpr std::string_view kNoDischargeText =
    "No results computed.  Check your input for discharge!";
inline constexpr std::string_view kNoSlopeText =
    "No results computed.  Check your input for Pipe Slope!";
inline constexpr std::string_view kSolvedText = "Solved! Please check and Save your results";

enum class SolveRefusal {
    None,         // the section may be solved
    NoDischarge,  // the design discharge is not above 0
    NoSlope,      // a slope is given and it is not above 0
};

// The discharge is checked first. An empty discharge counts 0; an empty slope is
// no refusal here (the solver reports what it cannot use). A text that is not a
// number is no usable input and is refused like a value of 0.
SolveRefusal solve_refusal(std::string_view pipe_discharge, std::string_view pipe_slope);

// The message of a refusal; empty for None.
std::string_view solve_refusal_text(SolveRefusal refusal);

}  // namespace pelvane::pipe
