#pragma once
// The USDA rock outlet protection apron: length, width, median stone size and
// thickness from the design curves of the outlet's `coefficient diameter`.

#include <optional>
#include <string_view>

#include "core/outlet/outlet_fields.h"
#include "core/outlet/outlet_units.h"
#include "core/outlet/usda_coefficients.h"

namespace pelvane::outlet {

// Shortest aprons, in outlet diameters, for a high and a low tailwater.
inline constexpr double kUsdaHighTailwaterMinLength = 6.0;
inline constexpr double kUsdaLowTailwaterMinLength = 4.0;
// Smallest median stone, ft.
inline constexpr double kUsdaMinStoneFt = 0.5;

// Shown wherever USDA values are: the design curves are fitted to equations that
// approximate the handbook's charts, not read off the charts. The largest known
// difference is the low-tailwater apron of a 36 in pipe at 53.8 cfs: the curves give
// about 41 ft where a published design sheet reads about 20 ft off the chart (the
// equation's 7·Do floor alone is 21 ft). Sources: data/outlet/PROVENANCE.md and the
// chart readings compared there ("Against the charts").
inline constexpr std::string_view kUsdaApproximationNote =
    "USDA values come from approximating equations, not from the handbook charts. "
    "Largest known difference: an apron of about 41 ft from the equations against about "
    "20 ft off the chart (36 in pipe, 54 cfs, low tailwater). Confirm against the outlet "
    "protection plates.";

struct UsdaApronResult {
    FieldText usdastorm_freq;  // back to "2" with the other USDA fields
    FieldText L_ROP, W_ROP, D50_size, Thickness_Apron;
    bool high_tailwater = false;  // TW ≥ 0.5·Do: the first set of curves
    bool failed = false;          // no curves, or an arithmetic failure
};

// Designs the apron for the 2-year discharge per barrel `C_Discharge` (of the
// dissipator window) with the curves read for the `coefficient diameter` (nullopt
// when the coefficient database has none: the method then ends quietly).
// A metric project gets the stone size in metres ("0.000"), with the 0.5 ft minimum
// in metres too; lengths are in the project's unit.
UsdaApronResult design_usda_apron(std::string_view C_Discharge, const OutletFields& outlet,
                                  const std::optional<UsdaCoefficients>& curves,
                                  const OutletUnits& units);

}  // namespace pelvane::outlet
