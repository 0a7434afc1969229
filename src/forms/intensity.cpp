#include "forms/intensity.h"

#include <cmath>

#include "core/hydrology/intensity.h"
#include "core/text/number_text.h"
#include "store/rainfall_lookup.h"

namespace pelvane::forms {
namespace {

// The intensity text for the Tc text, or false when Tc is no number.
bool intensity_text(const store::ProjectContext& context, Ui& ui, std::string& tc_text,
                    std::string& result) {
    // An empty time of concentration means the shortest design duration.
    if (tc_text.empty()) tc_text = "5.0";
    const auto tc = text::parse_number(tc_text);
    if (!tc.ok()) {
        ui.message(kConversionError, Icon::None);
        return false;
    }
    const auto& c = context.coefficients;
    const double inches_per_hour = context.legacy_database_mode
                                       ? hydrology::legacy_idf_intensity({c.a, c.b}, tc.value)
                                       : hydrology::idf_intensity({c.b, c.d, c.e}, tc.value);
    result = text::format_number(hydrology::intensity_in_units(inches_per_hour, context.english()),
                                 context.number_format);
    return true;
}

}  // namespace

bool load_rainfall_coefficients(store::ProjectContext& context, Ui& ui, int storm_frequency) {
    const auto status = store::load_coefficients(context, storm_frequency);
    if (!status.ok()) ui.message(status.error, Icon::None);
    return status.ok();
}

bool intensity_for_pipe(const store::ProjectContext& context, Ui& ui, std::string& tc_text,
                        std::string& pipe_i) {
    return intensity_text(context, ui, tc_text, pipe_i);
}

bool intensity_for_given_tc(store::ProjectContext& context, Ui& ui,
                            const std::string& pipe_storm_freq, std::string& tc_text) {
    const auto years = text::parse_number(pipe_storm_freq);
    if (!years.ok() || years.value != std::floor(years.value)) {
        ui.message(kConversionError, Icon::None);
        return false;
    }
    load_rainfall_coefficients(context, ui, static_cast<int>(years.value));
    return intensity_text(context, ui, tc_text, context.intensity_result);
}

}  // namespace pelvane::forms
