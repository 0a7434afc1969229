#pragma once
// Option values that name an item of one of the program's lists: typed in any
// letter case, passed on as the list spells them, and anything else refused with
// the list, so that a misspelt value never quietly picks another routine.

#include <span>
#include <string>
#include <string_view>

#include "cli/command.h"

namespace pelvane::cli {

// The item of `items` that `typed` names ignoring letter case; a usage error
// naming `option` and the items otherwise.
std::string list_value(const std::string& option, const std::string& typed,
                       std::span<const std::string_view> items);

// --units: ENGLISH or METRIC in any case; `fallback` when the option is not given.
std::string units_option(const Args& args, const std::string& fallback);

// --shape: a shape of the pipe window's list, or the stored "Rectangulr".
std::string shape_option(const Args& args);

// --outfall NODE and --tailwater ELEV, where a grade line starts: the structure and
// the tailwater as typed; a usage error naming the option missing or not a number.
struct GradeLineOptions {
    std::string outfall;
    std::string tailwater;
};
GradeLineOptions grade_line_options(const Args& args);

}  // namespace pelvane::cli
