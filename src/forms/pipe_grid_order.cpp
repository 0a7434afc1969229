#include "forms/pipe_grid_order.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace pelvane::forms {
namespace {

bool is_digit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// The whole cell as a number; blanks around it are allowed, as typed in a field.
std::optional<double> number_of(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

int sign(auto difference) {
    return (difference > 0) - (difference < 0);
}

// Runs of digits by value (leading zeros aside), other characters without case.
int natural_compare(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (is_digit(a[i]) && is_digit(b[j])) {
            while (i < a.size() && a[i] == '0') ++i;
            while (j < b.size() && b[j] == '0') ++j;
            std::size_t ei = i;
            std::size_t ej = j;
            while (ei < a.size() && is_digit(a[ei])) ++ei;
            while (ej < b.size() && is_digit(b[ej])) ++ej;
            // A longer run without leading zeros is the larger number.
            if (ei - i != ej - j)
                return sign(static_cast<long>(ei - i) - static_cast<long>(ej - j));
            if (const int c = a.substr(i, ei - i).compare(b.substr(j, ej - j))) return sign(c);
            i = ei;
            j = ej;
            continue;
        }
        if (const char ca = lower(a[i]), cb = lower(b[j]); ca != cb) return sign(ca - cb);
        ++i;
        ++j;
    }
    return sign(static_cast<long>(a.size() - i) - static_cast<long>(b.size() - j));
}

bool contains_text(const text::PackedTexts& row, std::string_view lowered_filter) {
    std::string text;
    for (std::size_t i = 0; i < row.size(); ++i) {
        text = row[i];
        std::ranges::transform(text, text.begin(), lower);
        if (text.find(lowered_filter) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

int compare_cells(std::string_view a, std::string_view b) {
    if (a.empty() || b.empty())
        return sign(static_cast<int>(!a.empty()) - static_cast<int>(!b.empty()));
    const auto x = number_of(a);
    const auto y = number_of(b);
    if (x && y && *x != *y) return *x < *y ? -1 : 1;
    if (x.has_value() != y.has_value()) return x ? -1 : 1;
    if (const int c = natural_compare(a, b)) return c;
    return sign(a.compare(b));
}

void GridView::sort_by(std::size_t column) {
    descending = sort_column == column && !descending;
    sort_column = column;
}

std::vector<std::size_t> shown_rows(const std::vector<text::PackedTexts>& rows,
                                    const GridView& view) {
    std::string filter = view.filter;
    std::ranges::transform(filter, filter.begin(), lower);
    std::vector<std::size_t> shown;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (filter.empty() || contains_text(rows[r], filter)) shown.push_back(r);
    }
    if (const auto column = view.sort_column) {
        std::ranges::stable_sort(shown, [&](std::size_t a, std::size_t b) {
            const int c = compare_cells(rows[a][*column], rows[b][*column]);
            return view.descending ? c > 0 : c < 0;
        });
    }
    return shown;
}

}  // namespace pelvane::forms
