#pragma once
// The flow entering the riprap, Contra Costa and USBR Type VI basins: the equivalent
// depth dE of the outlet jet and its Froude number.

#include "core/outlet/checked_math.h"
#include "core/outlet/design_pipe.h"
#include "core/outlet/outlet_fields.h"

namespace pelvane::outlet::detail {

// A box outlet flows at its outlet depth; any other outlet as a square jet of the
// flow area Q / V: dE = (Q / V / 2)^0.5.
inline double equivalent_depth(const OutletFields& outlet) {
    if (barrel_shape(outlet.pipe_shape) == BarrelShape::Box) return field_value(outlet.dn_C);
    const double area = divide(field_value(outlet.E_Discharge), field_value(outlet.V_C));
    return power(area / 2.0, 0.5);
}

inline double inflow_froude(double velocity, double equivalent_depth, double gravity) {
    return divide(velocity, power(gravity * equivalent_depth, 0.5));
}

}  // namespace pelvane::outlet::detail
