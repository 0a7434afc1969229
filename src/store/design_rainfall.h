#pragma once
// The rainfall coefficients a project's pipes were solved with, kept in the project
// file (DESIGN_RAINFALL: one row per storm frequency with the coefficients, the
// rainfall database they were read from and where that database got them), and
// how they compare with what the rainfall databases hold now. A later import, a
// removed per-user copy or another station would otherwise change the design
// numbers of the next solve without anyone noticing.

#include <optional>
#include <string>
#include <vector>

#include "store/project_context.h"
#include "store/rainfall_database.h"
#include "store/rainfall_lookup.h"

namespace pelvane::store {

inline constexpr const char* kProgramFolderSource = "program folder";
inline constexpr const char* kUserImportSource = "per-user import";

struct DesignRainfall {
    int storm_frequency = 0;    // years
    std::string rainfall_file;  // "VARMNOAA.rdb"
    std::string name;           // the station or county as stored there
    CoefficientSet coefficients;
    std::string source;       // kProgramFolderSource or kUserImportSource
    std::string source_path;  // the rainfall database read
    ImportOrigin origin;      // the export or table imported, and when; empty when built in
};

// The coefficients of the given storm frequencies as the project's rainfall
// database holds them now for the project's station or county; storms without
// coefficients are left out. Throws DatabaseError when the database cannot be read.
std::vector<DesignRainfall> current_design_rainfall(const ProjectContext& context,
                                                    const std::vector<int>& storm_frequencies);

// Records the current coefficients of the storms in the project file, replacing
// their earlier rows; makes the table in files that predate it. Runs inside the
// caller's transaction, so the record is written with the pipes it belongs to.
void record_design_rainfall(const ProjectContext& context,
                            const std::vector<int>& storm_frequencies);

// The recorded rows in storm order; none when the file has no record.
std::vector<DesignRainfall> recorded_design_rainfall(const Database& project);

struct DesignRainfallCheck {
    std::vector<DesignRainfall> recorded;
    // What the rainfall databases hold now for the recorded storms.
    std::vector<DesignRainfall> current;
    // Recorded storms whose coefficients now differ, come from another station or
    // county, or are gone.
    std::vector<int> changed;
};

// Compares the record with the rainfall databases. Throws DatabaseError when the
// rainfall database cannot be read.
DesignRainfallCheck check_design_rainfall(const ProjectContext& context);

}  // namespace pelvane::store
