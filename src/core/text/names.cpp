#include "core/text/names.h"

#include <algorithm>
#include <cctype>
#include <numeric>
#include <tuple>

namespace pelvane::text {
namespace {

bool blank(char c) {
    return c == ' ' || c == '\t';
}

// Levenshtein distance between two keys.
std::size_t edit_distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string name_key(std::string_view name) {
    std::string key;
    for (const char c : name) {
        if (blank(c)) {
            if (!key.empty() && key.back() != ' ') key.push_back(' ');
            continue;
        }
        key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    if (!key.empty() && key.back() == ' ') key.pop_back();
    return key;
}

bool same_name(std::string_view a, std::string_view b) {
    return name_key(a) == name_key(b);
}

std::optional<std::string> listed_name(std::string_view typed,
                                       const std::vector<std::string>& list) {
    if (std::find(list.begin(), list.end(), typed) != list.end()) return std::string(typed);
    const std::string key = name_key(typed);
    std::optional<std::string> found;
    for (const auto& name : list) {
        if (name_key(name) != key) continue;
        if (found) return std::nullopt;  // several spellings: the person must choose
        found = name;
    }
    return found;
}

std::vector<std::string> closest_names(std::string_view typed, const std::vector<std::string>& list,
                                       std::size_t count) {
    const std::string key = name_key(typed);
    using Rank = std::tuple<bool, std::size_t, std::size_t>;  // not a prefix, distance, place
    std::vector<Rank> ranks;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string listed = name_key(list[i]);
        ranks.emplace_back(!key.empty() && listed.rfind(key, 0) != 0, edit_distance(key, listed),
                           i);
    }
    const std::size_t n = std::min(count, ranks.size());
    std::partial_sort(ranks.begin(), ranks.begin() + static_cast<std::ptrdiff_t>(n), ranks.end());
    std::vector<std::string> names;
    for (std::size_t i = 0; i < n; ++i) names.push_back(list[std::get<2>(ranks[i])]);
    return names;
}

}  // namespace pelvane::text
