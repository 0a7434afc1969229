#pragma once
// The Contra Costa basin: an outlet basin with a small and a large baffle and an end
// sill, for outlets whose Froude number is at most 3.

#include <optional>
#include <string>
#include <string_view>

#include "core/outlet/outlet_fields.h"
#include "core/outlet/outlet_messages.h"
#include "core/outlet/outlet_units.h"

namespace pelvane::outlet {

// `L2byh2` when it is empty.
inline constexpr std::string_view kDefaultL2byh2 = "3.5";

struct ContraCostaResult {
    FieldText txtdE, txtFRo;  // this basin's elements of the shared groups
    FieldText txtWbasin;      // 2 × width at the outlet, or "NONE"
    FieldText L2byh2;         // "3.5" when it was empty
    FieldText txtLB, txtL1, txtL2, txtL3, txth1, txth2, txtY2;
    FieldText txth3;  // 0.1 · Y2 when it was empty; a typed h3 stays
    FieldText txtyc, txtVelocityc;
    std::optional<OutletMessage> message;  // Froude number above 3
    bool failed = false;
};

// Designs the basin with the L2/h2 ratio `L2byh2` and the end-sill height `txth3`.
ContraCostaResult design_contra_costa(const OutletFields& outlet, std::string_view L2byh2,
                                      std::string_view txth3, const OutletUnits& units);

// Leaving a field: the text it then shows and, for a refused value, the message (the
// refused text stays and keeps the focus).
struct FieldExit {
    std::string text;
    std::optional<OutletMessage> message;
    bool accepted() const { return !message; }
};

// `L2byh2`: empty becomes "3.5"; a ratio from 2.5 to 7 is rewritten with "0.00";
// anything else is refused.
FieldExit leave_l2_h2(std::string_view typed);
// `txth3`: leading blanks go; a number is rewritten with "0.00".
std::string leave_h3(std::string_view typed);

}  // namespace pelvane::outlet
