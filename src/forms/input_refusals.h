#pragma once
// The words of a number refused by its physical range (core/pipe/input_ranges), for
// the pipe window and the import of pipe lists alike.

#include <optional>
#include <string>
#include <string_view>

namespace pelvane::forms {

// Why a column's text is refused, naming the field and the range: 'pipe length 1e308
// is out of range: it must be more than 0 and at most 10000 ft'. Nothing for an
// accepted text, for an empty one and for a column without a range.
std::optional<std::string> input_refusal_text(std::string_view column, std::string_view text,
                                              std::string_view units);

}  // namespace pelvane::forms
