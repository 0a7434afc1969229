#pragma once
// The project values every outlet protection method reads: the unit system and the
// program-wide unit constants as they stand when the method runs (the grade line
// and the LD-229 report change gravity and the length conversion when they run,
// and the outlet windows see what they left).

#include <string_view>

#include "core/units.h"

namespace pelvane::outlet {

struct OutletUnits {
    bool english = true;
    UnitConstants constants;

    static OutletUnits for_units(std::string_view units) {
        return {is_english(units), UnitConstants::for_units(units)};
    }
};

// π as the outlet computations write it.
inline constexpr double kPi = 3.14159265358979;

}  // namespace pelvane::outlet
