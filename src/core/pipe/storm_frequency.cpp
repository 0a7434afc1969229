#include "core/pipe/storm_frequency.h"

#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "core/text/number_text.h"

namespace pelvane::pipe {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kFactors = {{
    {"2", "1.0"},
    {"5", "1.0"},
    {"10", "1.0"},
    {"25", "1.1"},
    {"50", "1.2"},
    {"100", "1.25"},
}};

constexpr std::array<std::string_view, 6> kList = {"2", "5", "10", "25", "50", "100"};
constexpr std::array<std::string_view, 5> kLegacyList = {"2", "10", "25", "50", "100"};

}  // namespace

std::span<const std::string_view> storm_frequency_list(bool legacy) {
    if (legacy) return kLegacyList;
    return kList;
}

std::optional<std::string_view> frequency_factor(std::string_view storm_frequency) {
    for (const auto& [years, cf] : kFactors) {
        if (years == storm_frequency) return cf;
    }
    return std::nullopt;
}

std::optional<int> storm_years(std::string_view storm_frequency) {
    const auto years = text::parse_number(storm_frequency);
    if (!years.ok() || years.value != std::floor(years.value) ||
        std::abs(years.value) > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(years.value);
}

}  // namespace pelvane::pipe
