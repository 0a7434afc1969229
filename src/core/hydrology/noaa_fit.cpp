#include "core/hydrology/noaa_fit.h"

#include <algorithm>

namespace pelvane::hydrology {

IdfResult<NoaaFit> fit_noaa_export(const NoaaExport& table) {
    NoaaFit fit;
    for (const int years : kStormFrequencies) {
        FrequencyFit f;
        f.years = years;
        f.points = intensity_points(table, years);
        auto curve = fit_idf_curve(f.points);
        if (!curve) return curve.problem();
        auto legacy = fit_legacy_idf_curve(f.points);
        if (!legacy) return legacy.problem();
        f.curve = curve.value();
        f.legacy = legacy.value();
        fit.frequencies.push_back(std::move(f));
    }
    return fit;
}

IdfTableRow coefficient_row(const NoaaFit& fit, const std::string& name, IdfTableKind kind) {
    IdfTableRow row;
    row.name = name;
    for (const auto& f : fit.frequencies) {
        if (kind != IdfTableKind::LegacyCounty) {
            row.curves[f.years] = f.curve.curve;
        } else if (std::find(std::begin(kLegacyStormFrequencies), std::end(kLegacyStormFrequencies),
                             f.years) != std::end(kLegacyStormFrequencies)) {
            row.legacy[f.years] = f.legacy.curve;
        }
    }
    return row;
}

}  // namespace pelvane::hydrology
