// The pipe window's rainfall: the coefficients of the record's storm frequency and
// the intensities computed with them for the discharge steps.

#include "forms/intensity.h"
#include "forms/pipe_form.h"

namespace pelvane::forms {

std::optional<pipe::IntensityLookup> PipeForm::storm_intensity(MissingStorm missing) {
    UnattendedUi quiet;
    Ui& refusals = missing == MissingStorm::Announce ? ui_ : quiet;
    const auto coefficients =
        storm_coefficients(context_, refusals, fields.text("pipe_storm_freq"));
    if (!coefficients) {
        if (missing != MissingStorm::Keep) drop_storm_results();
        return std::nullopt;
    }
    return intensity_lookup(context_, session_.number_format, *coefficients, ui_);
}

// Intensities and a design discharge that the record's storm cannot give again may
// have come from another storm or another county: they are not left to be solved and
// saved. A typed discharge owes nothing to the storm and stays.
void PipeForm::drop_storm_results() {
    intensities_ = {};
    if (!computed_source()) return;
    fields.set_text("pipe_I", "");
    fields.set_text("pipe_discharge", "");
}

// The intensities kept for the design discharge were computed with what the
// database held before; an import may have brought the coefficients they lacked.
void PipeForm::mnuRainfallData() {
    windows_.show_rainfall_data();
    if (mode_ != ScreenMode::View) refresh_intensities();
}

}  // namespace pelvane::forms
