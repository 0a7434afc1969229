#pragma once
// County and station names as people and files type them. The shipped lists keep
// their own spellings, some with trailing or doubled blanks ("Blacksburg  ",
// "Newport  2 NNW"), so a typed name is matched with blanks and letter case set
// aside, and refused with the closest names of the list when nothing matches.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelvane::text {

// The name with its ends trimmed, each run of blanks made one and letters in lower
// case: two names are the same name when their keys are equal.
std::string name_key(std::string_view name);
bool same_name(std::string_view a, std::string_view b);

// The list's spelling of a typed name: the exact text when listed, else the one
// listed name with the same key. Nullopt when none or several match.
std::optional<std::string> listed_name(std::string_view typed,
                                       const std::vector<std::string>& list);

// Up to `count` listed names closest to a typed one, best first: names that begin
// with the typed text before the others, then by edit distance, then in list order.
std::vector<std::string> closest_names(std::string_view typed, const std::vector<std::string>& list,
                                       std::size_t count = 3);

}  // namespace pelvane::text
