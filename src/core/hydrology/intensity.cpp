#include "core/hydrology/intensity.h"

#include <cmath>

namespace pelvane::hydrology {

double idf_intensity(const IdfCurve& curve, double tc_minutes) {
    return curve.b / std::pow(tc_minutes + curve.d, curve.e);
}

double legacy_idf_intensity(const LegacyIdfCurve& curve, double tc_minutes) {
    return curve.a / (curve.b + tc_minutes);
}

}  // namespace pelvane::hydrology
