#pragma once
// Lists of items kept in one text, such as the sub-area and time-of-concentration
// buffers stored with a pipe ("2.000,,1.500").

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pelvane::text {

// Splits `text` at every `separator`. The empty text gives no items; "a," gives
// "a" and "". When `max_items` is given and the text holds more items than that,
// the surplus separators are taken to belong to item `surplus_item` (counted in the
// result, by default the last one), which is rebuilt with its separators; so
// split_items("a,b,c,d", ',', 3) gives "a", "b", "c,d" and
// split_items("a,b,c,d", ',', 3, 1) gives "a", "b,c", "d".
std::vector<std::string> split_items(std::string_view text, char separator,
                                     std::size_t max_items = 0,
                                     std::size_t surplus_item = static_cast<std::size_t>(-1));

// Joins items with `separator` ("" for no items).
std::string join_items(const std::vector<std::string>& items, char separator);

}  // namespace pelvane::text
