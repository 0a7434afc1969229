#pragma once
// Fitting intensity-duration-frequency curves to point estimates (NOAA
// precipitation-frequency intensities at 5 to 120 minutes) by least squares on the
// relative error: minimise the sum over the points of (i_fit / i_point - 1)^2, so
// that the short durations, whose intensities are largest, weigh no more than the
// long ones.
//
// Method, the same for both forms and fully deterministic:
// - The multiplying coefficient (B of B / (Tc + D)^E, A of A / (B + Tc)) enters the
//   relative residual linearly, so for the other parameters fixed its best value is
//   closed form: with r_k = c * v_k - 1, c = sum(v) / sum(v^2).
// - The remaining parameters (D and E; the legacy B) are scanned on a grid
//   (D and legacy B from 0 to 240 minutes by 0.5, E from 0.05 to 3 by 0.01) and the
//   best grid point is refined by a compass search that halves its steps down to
//   1e-10. D and the legacy B stay at or above 0, so a curve is finite for every
//   Tc of at least 0 minutes.

#include <vector>

#include "core/hydrology/idf_result.h"
#include "core/hydrology/intensity.h"
#include "core/hydrology/noaa_export.h"

namespace pelvane::hydrology {

struct FitQuality {
    double worst_relative_error = 0.0;  // max |i_fit / i_point - 1|
    double rms_relative_error = 0.0;    // sqrt(mean of (i_fit / i_point - 1)^2)
};

struct IdfFit {
    IdfCurve curve;
    FitQuality quality;
};

struct LegacyIdfFit {
    LegacyIdfCurve curve;
    FitQuality quality;
};

// Needs at least three points with positive durations and intensities.
IdfResult<IdfFit> fit_idf_curve(const std::vector<IdfPoint>& points);
IdfResult<LegacyIdfFit> fit_legacy_idf_curve(const std::vector<IdfPoint>& points);

FitQuality fit_quality(const IdfCurve& curve, const std::vector<IdfPoint>& points);
FitQuality fit_quality(const LegacyIdfCurve& curve, const std::vector<IdfPoint>& points);

}  // namespace pelvane::hydrology
