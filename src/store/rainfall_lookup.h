#pragma once
// The project's side of the rainfall databases: the county and station lists a
// project's details offer, and the coefficients of one storm frequency for the
// project's county or NOAA station. Which database serves a project follows its
// generation: legacy projects VArainfall.rdb by county, older releases
// VARMSTORM.rdb by county (even when a NOAA station is filled in), release "2.1"
// VARMNOAA.rdb by station.

#include <string>

#include "store/project_context.h"
#include "store/rainfall_database.h"

namespace pelvane::store {

// Success, or the description of the failing step (shown to the engineer as it is).
struct [[nodiscard]] RainfallStatus {
    std::string error;
    bool ok() const { return error.empty(); }
};

RainfallFile rainfall_file_of(const ProjectContext& context);

// Older releases: opens VArainfall.rdb (legacy) or VARMSTORM.rdb as the rainfall
// connection and reads the county list. Lists stay as they were on failure.
RainfallStatus load_older_release_lists(ProjectContext& context);

// Release "2.1": opens VARMNOAA.rdb and reads the county and station lists.
RainfallStatus load_noaa_release_lists(ProjectContext& context);

// Intensity-duration-frequency coefficients of one storm frequency: A and B for a
// legacy project (i = A / (B + Tc)), B, D and E otherwise (i = B / (Tc + D)^E).
struct CoefficientSet {
    double a = 0.0;
    double b = 0.0;
    double d = 0.0;
    double e = 0.0;
};

// The coefficients of one storm frequency, or the description of why there are none
// (naming the county or station, or the storm).
struct [[nodiscard]] StormCoefficients {
    CoefficientSet set;
    std::string error;
    bool ok() const { return error.empty(); }
};

// Reads the coefficient set of a storm frequency (years) for the project's county or
// station, afresh from the file each time, so an import shows at once. Opens the
// project's rainfall database when no list loader has. Nothing is kept between
// calls: a failure can never leave an earlier county's or storm's set in use.
StormCoefficients load_coefficients(ProjectContext& context, int storm_frequency);

// Whether the rainfall database a project reads (the per-user copy first) holds
// coefficients of at least one storm frequency for a name, matched as
// find_stored_name matches it; a name it does not hold has none. A database that
// cannot be read is a DatabaseError.
bool has_coefficients(const ProjectContext& context, RainfallFile file, const std::string& name);

// The refusal for a name whose coefficients have not been imported yet.
std::string no_coefficients_message(RainfallFile file, const std::string& name,
                                    FrontEnd front_end = FrontEnd::Desktop);

}  // namespace pelvane::store
