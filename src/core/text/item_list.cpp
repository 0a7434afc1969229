#include "core/text/item_list.h"

#include <algorithm>

namespace pelvane::text {

std::vector<std::string> split_items(std::string_view text, char separator, std::size_t max_items,
                                     std::size_t surplus_item) {
    std::vector<std::string> items;
    if (text.empty()) return items;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        items.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    if (max_items == 0 || items.size() <= max_items) return items;

    const std::size_t surplus = items.size() - max_items;
    const std::size_t at = std::min(surplus_item, max_items - 1);
    std::string merged = items[at];
    for (std::size_t i = at + 1; i <= at + surplus; ++i) {
        merged += separator;
        merged += items[i];
    }
    items[at] = std::move(merged);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(at + 1),
                items.begin() + static_cast<std::ptrdiff_t>(at + 1 + surplus));
    return items;
}

std::string join_items(const std::vector<std::string>& items, char separator) {
    std::string joined;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) joined += separator;
        joined += items[i];
    }
    return joined;
}

}  // namespace pelvane::text
