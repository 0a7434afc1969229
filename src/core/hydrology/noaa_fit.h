#pragma once
// Coefficients for every storm frequency from one NOAA precipitation-frequency
// export: the intensities at 5 to 120 minutes, the fitted B / (Tc + D)^E and the
// fitted legacy A / (B + Tc), each with its fit quality. Used alike by the import
// and by the build that ships coefficients.

#include <string>
#include <vector>

#include "core/hydrology/idf_fit.h"
#include "core/hydrology/idf_table.h"
#include "core/hydrology/noaa_export.h"

namespace pelvane::hydrology {

struct FrequencyFit {
    int years = 0;
    std::vector<IdfPoint> points;  // in/hr
    IdfFit curve;
    LegacyIdfFit legacy;
};

struct NoaaFit {
    std::vector<FrequencyFit> frequencies;  // 2, 5, 10, 25, 50, 100 years
};

IdfResult<NoaaFit> fit_noaa_export(const NoaaExport& table);

// The fitted coefficients as a row of the given kind of rainfall table: B, D, E
// for stations and counties, A, B (no 5-year) for the legacy county table.
IdfTableRow coefficient_row(const NoaaFit& fit, const std::string& name, IdfTableKind kind);

}  // namespace pelvane::hydrology
