#pragma once
// Rainfall intensity as the design windows ask for it: the coefficients of a storm
// frequency from the project's rainfall database, and the intensity for a time of
// concentration written as the window shows it. Failures are shown to the engineer
// here, in plain message boxes with the failing step's own description.
//
// The coefficients are handed from the load to the intensity routine and never kept
// anywhere else, so an intensity is always computed with the set of the storm it is
// for, and a storm without coefficients is refused by name instead of falling back
// on whatever set was read before.

#include <optional>
#include <string>
#include <string_view>

#include "core/pipe/discharge.h"
#include "forms/ui.h"
#include "store/project_context.h"
#include "store/rainfall_lookup.h"

namespace pelvane::forms {

// The description shown when a field text is not a number.
inline constexpr const char* kConversionError = "Type mismatch";

// The coefficient set of the project's county or station for a storm frequency
// (years). When there is none, shows why and gives nothing.
std::optional<store::CoefficientSet> load_rainfall_coefficients(store::ProjectContext& context,
                                                                Ui& ui, int storm_frequency);

// The same for a storm frequency as the pipe window holds it (`pipe_storm_freq`); a
// text that is no whole number of years shows the conversion error.
std::optional<store::CoefficientSet> storm_coefficients(store::ProjectContext& context, Ui& ui,
                                                        std::string_view storm_frequency);

// Intensity for the pipe: with `coefficients`, computes i for the Tc text and writes
// it into `pipe_i` with `number_format` (in/hr, or mm/hr in a metric project). An empty Tc becomes
// "5.0" in the caller's text. A Tc that is no number shows the conversion error and leaves `pipe_i`
// as it was.
bool intensity_for_pipe(const store::ProjectContext& context, std::string_view number_format,
                        const store::CoefficientSet& coefficients, Ui& ui, std::string& tc_text,
                        std::string& pipe_i);

// Intensity for a given Tc, as the discharge steps ask for it: the intensity routine
// above bound to one storm's coefficients. The lookup refers to `context`,
// `number_format` and `ui`, which must outlive it.
pipe::IntensityLookup intensity_lookup(const store::ProjectContext& context,
                                       const std::string& number_format,
                                       store::CoefficientSet coefficients, Ui& ui);

}  // namespace pelvane::forms
