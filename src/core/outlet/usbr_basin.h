#pragma once
// The USBR Type VI impact basin and its dimension table.

#include <array>
#include <optional>

#include "core/outlet/outlet_fields.h"
#include "core/outlet/outlet_messages.h"
#include "core/outlet/outlet_units.h"

namespace pelvane::outlet {

// One row of the basin dimension table (ft): the basin width W and the dimensions
// h1, h2, h3, h4, L, L1, L2, W1, W2, t1, t2, t3, t4, t5 of a basin that wide.
struct UsbrRow {
    double width;
    std::array<double, 14> dimensions;
};
const std::array<UsbrRow, 17>& usbr_dimension_table();

// The largest discharge (cfs or cms) and velocity (ft/s or m/s) the basin takes; the
// limits are compared in the project's own units.
inline constexpr double kUsbrMaxDischarge = 400.0;
inline constexpr double kUsbrMaxVelocity = 50.0;

struct UsbrBasinResult {
    FieldText txtdE, txtFRo;  // this basin's elements of the shared groups
    FieldText txtHo, txtHL, txtHe, txtdB, txtVB;
    std::array<FieldText, 15> USBRsize;
    std::optional<OutletMessage> message;  // discharge or velocity above the limits
    double width = 0.0;                    // basin width W, ft or m
    bool failed = false;
};

// Designs the basin. Its intermediate roundings (the width ratio and the energy loss
// to two decimals, the width to a whole number) take halves to the even neighbour.
// The depth in the basin climbs by 0.01 until the specific energy is not above
// Ho − HL; it stops at the latest at the first depth above Ho, where the energy
// certainly is, so that no input makes it run on.
UsbrBasinResult design_usbr_basin(const OutletFields& outlet, const OutletUnits& units);

}  // namespace pelvane::outlet
