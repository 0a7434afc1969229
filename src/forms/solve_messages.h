#pragma once
// The words of a solve: its refusals, its failures and its success, for the pipe
// window, the network recompute and `pelvane section` alike.

#include <string>
#include <string_view>

#include "core/pipe/discharge_solve.h"
#include "core/pipe/section.h"

namespace pelvane::forms {

inline constexpr std::string_view kSolveRefusalTitle = "Errur";
inline constexpr std::string_view kNoDischargeText =
    "No results computed.  Check your input for discharge!";
inline constexpr std::string_view kNoSlopeText =
    "No results computed.  Check your input for Pipe Slope!";
inline constexpr std::string_view kSolvedText = "Solved! Please check and Save your results";
// What the pipe window shows for every failure of a solve.
inline constexpr std::string_view kInvalidDataInputError = "Invalid Data Input Error";

// The message of a refusal; empty for None.
std::string_view solve_refusal_text(pipe::SolveRefusal refusal);

// A failed solve in one line: the message and, in brackets, every reason.
std::string section_failure_text(const pipe::SectionResult& result);

}  // namespace pelvane::forms
