#pragma once
// Design storm frequencies of a pipe and their frequency correction factors Cf.
// The rational method underestimates the runoff of rarer storms; Cf raises it.

#include <optional>
#include <span>
#include <string_view>

namespace pelvane::pipe {

// The storm frequency list (years) of the pipe window, as shown. A legacy project's
// rainfall table has no 5-year coefficients, so its list leaves "5" out.
std::span<const std::string_view> storm_frequency_list(bool legacy);

// The Cf text that goes with a storm frequency of the list: "1.0" for "2", "5" and
// "10", "1.1" for "25", "1.2" for "50", "1.25" for "100". Nothing for any other
// text (the list offers no other).
std::optional<std::string_view> frequency_factor(std::string_view storm_frequency);

// The years of a storm frequency text; nothing for a text that is no whole number
// of years.
std::optional<int> storm_years(std::string_view storm_frequency);

}  // namespace pelvane::pipe
