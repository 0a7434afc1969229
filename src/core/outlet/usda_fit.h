#pragma once
// The USDA design curves fitted to the published equations that reproduce the USDA
// (SCS) rock outlet protection charts, so that the coefficient database can be built
// from documented sources. Sources, choices and the resulting fit errors are written
// down in data/outlet/PROVENANCE.md.

#include "core/gravity.h"
#include "core/outlet/usda_coefficients.h"

namespace pelvane::outlet {

// Gravity of the stone size equation, ft/s².
inline constexpr double kUsdaSourceGravity = gravity::kEnglish;

// The tailwater each chart is fitted at, in outlet diameters: the highest stone
// demand the stone size equation allows within the chart's tailwater range (its
// tailwater is limited to 0.4 to 1.0 D).
inline constexpr double kHighTailwaterFitRatio = 0.5;
inline constexpr double kLowTailwaterFitRatio = 0.4;

// Median stone size (ft), circular outlet of diameter Do (ft), tailwater TW (ft):
// D50 = 0.2 · Do · (Q / (g^0.5 · Do^2.5))^(4/3) · (Do / TW).
double usda_source_stone_size(double q_cfs, double outlet_ft, double tailwater_ft);
// Apron length (ft), tailwater at least half the diameter: La = 3 · Q / Do^1.5.
double usda_source_length_high(double q_cfs, double outlet_ft);
// Apron length (ft), lower tailwater: La = 1.8 · Q / Do^1.5 + 7 · Do.
double usda_source_length_low(double q_cfs, double outlet_ft);

// The discharges (cfs) a diameter's curves are fitted over: from where the
// high-tailwater length reaches the method's 6·Do minimum (Q = 2·Do^2.5) to where the
// mean velocity of the full barrel reaches the velocity from which the VDOT apron is
// a special design (19.01 ft/s).
struct UsdaFitRange {
    double q_min = 0.0;
    double q_max = 0.0;
};
UsdaFitRange usda_fit_range(int diameter_in);

// Largest deviations of the fitted curves from their sources over the fit range:
// of the curves themselves, and of the values the method uses, after it raises the
// stone to 0.5 ft and the length to its minimum (6·Do or 4·Do).
struct UsdaFitError {
    double stone_ft = 0.0, stone_relative = 0.0;
    double length_ft = 0.0, length_relative = 0.0;
    double used_stone_ft = 0.0, used_stone_relative = 0.0;
    double used_length_ft = 0.0, used_length_relative = 0.0;
};

struct UsdaFit {
    int diameter_in = 0;
    UsdaFitRange range;
    UsdaCoefficients coefficients;
    UsdaFitError high_tailwater_error;
    UsdaFitError low_tailwater_error;
};

// Least-squares fit of both curve sets of a diameter on discharges spaced evenly in
// ln Q over the range (each doubling of the discharge weighs the same); the errors are
// measured on a ten times finer spacing.
UsdaFit fit_usda_curves(int diameter_in);

}  // namespace pelvane::outlet
