#pragma once
// The words of a rainfall file that cannot be read or fitted (hydrology::IdfProblem),
// for the Rainfall Data window, `pelvane rainfall`, the pipe list import and the
// data generator alike.

#include <string>

#include "core/hydrology/idf_result.h"

namespace pelvane::forms {

// A problem of the comma-separated text itself, without its line, as the pipe list
// import lists it: "a cell goes on after its closing quote".
std::string csv_problem_text(const hydrology::IdfProblem& problem);

// Any problem as a sentence: "Line 3: a cell goes on after its closing quote.",
// "The coefficient table has no rows."
std::string idf_problem_text(const hydrology::IdfProblem& problem);

}  // namespace pelvane::forms
