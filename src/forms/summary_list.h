#pragma once
// The lists of a summary shown in a message box: one indented line per item, at most
// `listed` of them, then how many were left out, so that the box over a large network
// stays on the screen.

#include <cstddef>
#include <string>
#include <vector>

namespace pelvane::forms {

template <typename Item, typename Line>
void list_lines(std::string& out, const std::vector<Item>& items, std::size_t listed, Line line) {
    for (std::size_t i = 0; i < items.size() && i < listed; ++i) out += "\n  " + line(items[i]);
    if (items.size() > listed) {
        out += "\n  ... and " + std::to_string(items.size() - listed) + " more";
    }
}

}  // namespace pelvane::forms
