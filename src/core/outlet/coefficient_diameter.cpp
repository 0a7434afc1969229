#include "core/outlet/coefficient_diameter.h"

#include "core/text/number_text.h"

namespace pelvane::outlet {

std::optional<CoefficientDiameter> coefficient_diameter(std::string_view eDiaRise,
                                                        const OutletUnits& units) {
    CoefficientDiameter result;
    if (eDiaRise.empty()) {
        result.eDiaRise = "0.0";
        eDiaRise = *result.eDiaRise;
    }
    const auto parsed = text::parse_number(eDiaRise);
    if (!parsed.ok()) return std::nullopt;
    double inches = parsed.value;
    if (!units.english) inches /= 25.4;
    result.inches = kStandardDiameters.front();
    for (const int standard : kStandardDiameters) {
        if (standard <= inches) result.inches = standard;
    }
    return result;
}

}  // namespace pelvane::outlet
