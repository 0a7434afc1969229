#include "forms/rainfall_check_form.h"

#include <initializer_list>

#include <cmath>
#include <string>

#include "core/hydrology/intensity.h"
#include "core/text/number_text.h"
#include "forms/intensity.h"

namespace pelvane::forms {
namespace {

constexpr const char* kPattern = "0.000";
constexpr const char* kDefaultYears = "10";
constexpr const char* kDefaultTc = "15";

}  // namespace

RainfallCheckForm::RainfallCheckForm(const store::ProjectContext& context, Ui& ui,
                                     const RainfallDataForm& data)
    : FormModel(field_names::kRainfallCheck), context_(context), ui_(ui), data_(data) {
    auto& years = fields["check_years"].items;
    for (const int f : hydrology::kStormFrequencies) years.push_back(std::to_string(f));
    fields.set_text("check_years", kDefaultYears);
    fields.set_text("check_tc", kDefaultTc);
    clear_results();
}

void RainfallCheckForm::clear_results() {
    for (const FieldName result :
         std::initializer_list<FieldName>{"check_fitted", "check_stored", "check_noaa"}) {
        fields.set_text(result, "");
    }
}

void RainfallCheckForm::cmdCheck() {
    clear_results();
    const auto years = text::parse_number(fields.text("check_years"));
    std::string tc_text = fields.text("check_tc");
    const auto tc = text::parse_number(tc_text);
    if (!years.ok() || !(tc.ok() || tc.empty())) {
        ui_.message(kConversionError, Icon::None, kAppTitle);
        return;
    }
    const int frequency = static_cast<int>(std::lround(years.value));
    const std::string& name = data_.fields.text("rainfall_name");
    if (name.empty()) {
        ui_.message("Choose the NOAA station or county to check.", Icon::Exclamation, kAppTitle);
        return;
    }

    // The design windows' own path: the project's rainfall database read by station
    // (release "2.1") or by county (older releases), in/hr with three decimals.
    store::ProjectContext lookup;
    lookup.program_folder = context_.program_folder;
    lookup.user_data_folder = context_.user_data_folder;
    lookup.units = std::string(kEnglish);
    if (data_.fields.text("rainfall_kind") == kKindStation) {
        lookup.major_release = "2.1";
        lookup.noaa_station = name;
    } else {
        lookup.county = name;
    }
    std::string stored;
    const auto coefficients = load_rainfall_coefficients(lookup, ui_, frequency);
    if (!coefficients || !intensity_for_pipe(lookup, kPattern, *coefficients, ui_, tc_text, stored))
        return;
    fields.set_text("check_tc", tc_text);
    fields.set_text("check_stored", stored);

    const double minutes = text::parse_number(tc_text).value;
    if (!data_.fit()) return;
    for (const auto& f : data_.fit()->frequencies) {
        if (f.years != frequency) continue;
        fields.set_text(
            "check_fitted",
            text::format_number(hydrology::idf_intensity(f.curve.curve, minutes), kPattern));
        for (const auto& point : f.points) {
            if (point.duration_minutes == minutes) {
                fields.set_text("check_noaa", text::format_number(point.intensity, kPattern));
            }
        }
    }
}

}  // namespace pelvane::forms
