#include "forms/intensity.h"

#include <cmath>
#include <limits>

#include "core/hydrology/intensity.h"
#include "core/pipe/storm_frequency.h"
#include "core/text/number_text.h"

namespace pelvane::forms {

std::optional<store::CoefficientSet> load_rainfall_coefficients(store::ProjectContext& context,
                                                                Ui& ui, int storm_frequency) {
    auto loaded = store::load_coefficients(context, storm_frequency);
    if (!loaded.ok()) {
        ui.message(loaded.error, Icon::None);
        return std::nullopt;
    }
    return loaded.set;
}

std::optional<store::CoefficientSet> storm_coefficients(store::ProjectContext& context, Ui& ui,
                                                        std::string_view storm_frequency) {
    const auto years = pipe::storm_years(storm_frequency);
    if (!years) {
        ui.message(kConversionError, Icon::None);
        return std::nullopt;
    }
    return load_rainfall_coefficients(context, ui, *years);
}

bool intensity_for_pipe(const store::ProjectContext& context, std::string_view number_format,
                        const store::CoefficientSet& coefficients, Ui& ui, std::string& tc_text,
                        std::string& pipe_i) {
    // An empty time of concentration means the shortest design duration.
    if (tc_text.empty()) tc_text = "5.0";
    const auto tc = text::parse_number(tc_text);
    if (!tc.ok()) {
        ui.message(kConversionError, Icon::None);
        return false;
    }
    const auto& c = coefficients;
    const double inches_per_hour = context.legacy_database_mode
                                       ? hydrology::legacy_idf_intensity({c.a, c.b}, tc.value)
                                       : hydrology::idf_intensity({c.b, c.d, c.e}, tc.value);
    pipe_i = text::format_number(hydrology::intensity_in_units(inches_per_hour, context.english()),
                                 number_format);
    return true;
}

pipe::IntensityLookup intensity_lookup(const store::ProjectContext& context,
                                       const std::string& number_format,
                                       store::CoefficientSet coefficients, Ui& ui) {
    return [&context, &number_format, coefficients,
            &ui](std::string& tc_text) -> std::optional<std::string> {
        std::string intensity;
        if (!intensity_for_pipe(context, number_format, coefficients, ui, tc_text, intensity)) {
            return std::nullopt;
        }
        return intensity;
    };
}

}  // namespace pelvane::forms
