#pragma once
// The scour hole an outlet jet would dig in an unprotected channel bed, for a flow
// lasting 30 minutes: culvert-outlet scour equations with one set of coefficients
// for granular beds and one for a clay bed.

#include <optional>
#include <string>
#include <string_view>

#include "core/outlet/outlet_fields.h"
#include "core/outlet/outlet_messages.h"
#include "core/outlet/outlet_units.h"

namespace pelvane::outlet {

struct ScourHoleResult {
    FieldText D16, D84;  // an empty grain size gets its value first (granular bed)
    FieldText plindex;   // an empty plasticity index is completed (clay bed)
    FieldText txt_D, txt_W, txt_L, txtLocation;
    std::optional<OutletMessage> message;           // D84 not above D16
    double depth = 0.0, width = 0.0, length = 0.0;  // ft or m, when sized
    bool clay = false;  // the plasticity index applies, D16 and D84 do not
    bool failed = false;
};

// Sizes the hole from the bed material, the grain sizes `D16` and `D84` (ft or m) or the
// plasticity index, and the outlet's discharge, area of flow and hydraulic radius.
//
// Granular beds: each dimension is Rc · (α / σ^(1/3)) · P^β · 0.0949^θ with σ = D84/D16
// and P = Q / (A·(g·Rc)^0.5). P is dimensionless, so a metric project uses its own
// g and Rc and gets metres without any ft/m factors.
// Clay: Rc · α · X^β · 0.0949^θ with X = 1.94 · V² / τc worked out in ft and lb units
// (V in ft/s) and τc = 0.042 · tan(30° + 1.73·PI). The length of a clay hole uses the
// time exponent θ = 0.10, the one of the granular length.
// The location of the deepest scour is 0.4 of the length.
ScourHoleResult size_scour_hole(std::string_view bed_material, std::string_view D16,
                                std::string_view D84, std::string_view plindex,
                                const OutletFields& outlet, const OutletUnits& units);

// Leaving the grain-size and plasticity fields.
// `D16` empty becomes "0.1" ("0.01" metric); `D84` empty "0.2" ("0.02" metric).
std::string leave_d16(std::string_view typed, const OutletUnits& units);
std::string leave_d84(std::string_view typed, const OutletUnits& units);
// `plindex`: empty or below 5 becomes "5.0", above 16 "16.0"; others stay as typed.
std::string leave_plindex(std::string_view typed);

}  // namespace pelvane::outlet
