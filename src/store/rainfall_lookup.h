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
struct RainfallStatus {
    std::string error;
    bool ok() const { return error.empty(); }
};

RainfallFile rainfall_file_of(const ProjectContext& context);

// Older releases: opens VArainfall.rdb (legacy) or VARMSTORM.rdb as the rainfall
// connection and reads the county list. Lists stay as they were on failure.
RainfallStatus load_older_release_lists(ProjectContext& context);

// Release "2.1": opens VARMNOAA.rdb and reads the county and station lists.
RainfallStatus load_noaa_release_lists(ProjectContext& context);

// Fills the coefficient set for a storm frequency (years) from the project's county
// or station: A and B for legacy projects, B, D and E otherwise. Opens the
// project's rainfall database when no list loader has. On failure the set keeps
// the values of the last successful load.
RainfallStatus load_coefficients(ProjectContext& context, int storm_frequency);

// Whether the rainfall database a project reads (the per-user copy first) holds
// coefficients of at least one storm frequency for a name, matched as
// find_stored_name matches it; a name it does not hold has none. A database that
// cannot be read is a DatabaseError.
bool has_coefficients(const ProjectContext& context, RainfallFile file, const std::string& name);

// The refusal for a name whose coefficients have not been imported yet.
std::string no_coefficients_message(RainfallFile file, const std::string& name);

}  // namespace pelvane::store
