#include "store/usda_coefficients.h"

#include <array>
#include <string>

#include "core/text/number_text.h"

namespace pelvane::store {

namespace {

std::optional<double> coefficient(const Statement& row, int column) {
    const Value value = row.value(column);
    if (const auto* number = std::get_if<double>(&value)) return *number;
    if (const auto* whole = std::get_if<std::int64_t>(&value)) return static_cast<double>(*whole);
    if (const auto* text = std::get_if<std::string>(&value)) {
        const auto parsed = text::parse_number(*text);
        if (parsed.ok()) return parsed.value;
    }
    return std::nullopt;
}

}  // namespace

std::optional<outlet::UsdaCoefficients> read_usda_coefficients(const Database& coefficients,
                                                               std::string_view diameter) {
    if (!coefficients.is_open()) return std::nullopt;
    try {
        auto row = coefficients.prepare(
            "select A1,B1, C1, D1, E1, A2, B2, C2, D2, E2 from USDACOEFF where DIA = ?");
        row.bind(1, diameter);
        if (!row.step()) return std::nullopt;
        std::array<double, 10> v{};
        for (int i = 0; i < 10; ++i) {
            const auto c = coefficient(row, i);
            if (!c) return std::nullopt;
            v[i] = *c;
        }
        return outlet::UsdaCoefficients{{v[0], v[1], v[2], v[3], v[4]},
                                        {v[5], v[6], v[7], v[8], v[9]}};
    } catch (const DatabaseError&) {
        return std::nullopt;
    }
}

}  // namespace pelvane::store
