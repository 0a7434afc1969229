#pragma once
// Rainfall intensity as the design windows ask for it: the coefficients of a storm
// frequency from the project's rainfall database, and the intensity for a time of
// concentration written as the window shows it. Failures are shown to the engineer
// here, in plain message boxes with the failing step's own description.

#include <string>

#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

// The description shown when a field text is not a number.
inline constexpr const char* kConversionError = "Type mismatch";

// Loads the coefficient set of the project's county or station for a storm
// frequency (years). On failure shows why and keeps the previous set.
bool load_rainfall_coefficients(store::ProjectContext& context, Ui& ui, int storm_frequency);

// Intensity for the pipe: with the coefficient set as loaded, computes i for the Tc
// text and writes it into `pipe_i` with the context's number format (in/hr, or mm/hr
// in a metric project). An empty Tc becomes "5.0" in the caller's text. A Tc that
// is no number shows the conversion error and leaves `pipe_i` as it was.
bool intensity_for_pipe(const store::ProjectContext& context, Ui& ui, std::string& tc_text,
                        std::string& pipe_i);

// Intensity for a given Tc: loads the coefficients for the storm frequency text of
// the pipe window (`pipe_storm_freq`), then computes as above and stores the text
// as the context's intensity result. A failing load keeps the previous set and the
// intensity is computed with it.
bool intensity_for_given_tc(store::ProjectContext& context, Ui& ui,
                            const std::string& pipe_storm_freq, std::string& tc_text);

}  // namespace pelvane::forms
