#pragma once
// The `coefficient diameter`: the design pipe's diameter or rise in inches, rounded
// down to a standard size, which picks the USDA design curves.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/outlet/outlet_units.h"

namespace pelvane::outlet {

// The standard diameters (in) that have USDA design curves.
inline constexpr std::array<int, 18> kStandardDiameters{12, 15, 18, 21, 24, 27, 30, 36, 42,
                                                        48, 54, 60, 66, 72, 78, 84, 90, 96};

struct CoefficientDiameter {
    int inches = 12;
    // "0.0" when `eDiaRise` was empty: the field is filled before it is read.
    std::optional<std::string> eDiaRise;
};

// From `eDiaRise` (in, or mm in a metric project): 12 at or below 12 in, 96 at or above
// 96 in, otherwise the largest standard diameter not above it (600 mm = 23.6 in
// gives 21). nullopt when the text is not a number.
std::optional<CoefficientDiameter> coefficient_diameter(std::string_view eDiaRise,
                                                        const OutletUnits& units);

}  // namespace pelvane::outlet
