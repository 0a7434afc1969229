// The pipe window's rainfall: the coefficients of the record's storm frequency and
// the intensities computed with them for the discharge steps.

#include <cmath>

#include "core/text/number_text.h"
#include "forms/intensity.h"
#include "forms/pipe_form.h"
#include "store/rainfall_lookup.h"

namespace pelvane::forms {
namespace {

std::optional<int> storm_years(std::string_view storm_frequency) {
    const auto years = text::parse_number(storm_frequency);
    if (!years.ok() || years.value != std::floor(years.value)) return std::nullopt;
    return static_cast<int>(years.value);
}

}  // namespace

// A frequency that is no whole number of years ends the step that needs it. A
// failing load has shown why and keeps the coefficients loaded before, which the
// step goes on with.
bool PipeForm::load_storm_coefficients() {
    const auto years = storm_years(fields.text("pipe_storm_freq"));
    if (!years) {
        ui_.message(kConversionError, Icon::None);
        return false;
    }
    load_rainfall_coefficients(context_, ui_, *years);
    return true;
}

// Editing loads the record's coefficients without a word: a project whose rainfall
// data are missing says so when the engineer asks for an intensity.
bool PipeForm::load_storm_coefficients_quietly() {
    const auto years = storm_years(fields.text("pipe_storm_freq"));
    return years && store::load_coefficients(context_, *years).ok();
}

// The intensities kept for the design discharge were computed with what the
// database held before; an import may have brought the coefficients they lacked.
void PipeForm::mnuRainfallData() {
    windows_.show_rainfall_data();
    if (mode_ != ScreenMode::View) refresh_intensities();
}

pipe::IntensityLookup PipeForm::intensity_lookup() {
    return [this](std::string& tc_text) -> std::optional<std::string> {
        std::string intensity;
        if (!intensity_for_pipe(context_, ui_, tc_text, intensity)) return std::nullopt;
        return intensity;
    };
}

}  // namespace pelvane::forms
