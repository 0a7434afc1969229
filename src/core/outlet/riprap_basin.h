#pragma once
// The riprap basin: a preformed scour hole lined with riprap of a VDOT class, with a
// pool below the outlet and an apron downstream.

#include <optional>
#include <string_view>

#include "core/outlet/outlet_fields.h"
#include "core/outlet/outlet_messages.h"
#include "core/outlet/outlet_units.h"

namespace pelvane::outlet {

struct RiprapBasinResult {
    FieldText txtdE, txtFRo;  // this basin's elements of the shared groups
    FieldText sizeD50;
    FieldText D_Pool, L_Pool, L_Basin, L_Apron, T_StoneA, T_StoneB, W_Exit, V_Exit;
    std::optional<OutletMessage> message;  // Froude number above 3 as shown
    bool failed = false;
};

// Designs the basin for the riprap class chosen in the `VDOT_Riprap` list. The Froude
// number is tested as the window shows it (two decimals) and used unrounded after.
RiprapBasinResult design_riprap_basin(const OutletFields& outlet, std::string_view riprap_class,
                                      const OutletUnits& units);

}  // namespace pelvane::outlet
