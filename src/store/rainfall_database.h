#pragma once
// The three rainfall databases beside the program and what can be done to them
// as files: their tables, where they are read from and written to, reading their
// rows, and writing fitted or transcribed coefficients.
//
//   VArainfall.rdb  VARAINFALL (COUNTY_NO, COUNTY_NAME, YEAR{f}A, YEAR{f}B; f = 2, 10,
//                   25, 50, 100): legacy projects, i = A / (B + Tc)
//   VARMSTORM.rdb   STORMDATA (COUNTY_NAME, YEAR{f}B, YEAR{f}D, YEAR{f}E; f = 2, 5, 10,
//                   25, 50, 100): older-release projects, i = B / (Tc + D)^E
//   VARMNOAA.rdb    VACOUNTY (COUNTY_NAME) and STORMDATA (NOAA_STATION, YEAR{f}B,
//                   YEAR{f}D, YEAR{f}E): NOAA-station projects
//
// Coefficient columns are numbers; a name whose coefficients are not known yet
// holds NULLs, and looking it up is refused rather than computed with zeros.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/hydrology/idf_table.h"
#include "core/hydrology/intensity.h"
#include "store/project_context.h"
#include "store/sqlite/database.h"

namespace pelvane::store {

enum class RainfallFile { Legacy, County, Station };

inline constexpr const char* kLegacyRainfallFile = "VArainfall.rdb";
inline constexpr const char* kCountyRainfallFile = "VARMSTORM.rdb";
inline constexpr const char* kStationRainfallFile = "VARMNOAA.rdb";

// Where coefficients are imported, as the messages cite it: the desktop window, or
// the command-line tool's commands.
inline constexpr const char* kRainfallDataCommand = "Rainfall Data\u2026";
inline constexpr const char* kRainfallImportCommands =
    "pelvane rainfall import-noaa or pelvane rainfall import-table";

std::string file_name(RainfallFile file);
// The coefficient table and its name column: VARAINFALL.COUNTY_NAME,
// STORMDATA.COUNTY_NAME or STORMDATA.NOAA_STATION.
std::string coefficient_table(RainfallFile file);
std::string name_column(RainfallFile file);
// "station" or "county", for messages.
std::string name_kind(RainfallFile file);
// The kind of transcribed table that fills this file.
hydrology::IdfTableKind table_kind(RainfallFile file);
RainfallFile file_for(hydrology::IdfTableKind kind);

// Creates the empty tables in a new database.
void create_rainfall_tables(const Database& db, RainfallFile file);
// Adds names without coefficients (NULLs). Legacy rows take the county number.
void add_rainfall_name(const Database& db, RainfallFile file, const std::string& name,
                       std::optional<int> county_no = std::nullopt);
// Adds a county to VACOUNTY (the NOAA database's county list).
void add_noaa_county(const Database& db, const std::string& county);

// Where a rainfall database is read: the per-user copy when there is one, else
// the program folder's file.
std::filesystem::path rainfall_database_path(const ProjectContext& context, RainfallFile file);

// Where an import writes: always the per-user copy, made from the program folder's
// file by the first import (from then on it takes precedence). The program
// folder's files stay as installed, so a reinstall or another user never finds
// coefficients that someone imported. Throws DatabaseError when there is no
// per-user folder or no file to copy.
std::filesystem::path rainfall_import_path(const ProjectContext& context, RainfallFile file);

// Whether a rainfall database was read from the per-user copy (else it is the
// program folder's file).
bool is_user_copy(const ProjectContext& context, const std::filesystem::path& database);

// A stored name as the engineer may type it: the exact text when stored, else the
// one stored name that is the same name (text::same_name: "blacksburg" finds
// "Blacksburg  "). Nullopt when none or several match.
std::optional<std::string> find_stored_name(const Database& db, RainfallFile file,
                                            const std::string& typed);

// One row of a coefficient table as stored; frequencies whose columns are NULL are
// absent from the maps.
struct RainfallEntry {
    std::string name;
    std::optional<int> county_no;  // legacy table only
    std::map<int, hydrology::IdfCurve> curves;
    std::map<int, hydrology::LegacyIdfCurve> legacy;

    bool has_coefficients() const { return !curves.empty() || !legacy.empty(); }
};

// Every row ordered by name, or only the row of `name` (exact stored text).
std::vector<RainfallEntry> read_rainfall_entries(const Database& db, RainfallFile file,
                                                 const std::optional<std::string>& name = {});

// Where imported coefficients came from: the export or table file and the day of
// the import (YYYY-MM-DD). Coefficients built with the program have none.
struct ImportOrigin {
    std::string file;
    std::string date;
};

// The storm frequencies (years) whose stored coefficients a new row would change:
// those the name has now and that the row gives otherwise or not at all. Storms
// without coefficients yet are filled, not changed.
std::vector<int> changed_storms(const RainfallEntry& stored, const hydrology::IdfTableRow& row);

// The stored names of the rows (matched as find_stored_name does), in order; a
// DatabaseError naming every unknown name otherwise.
std::vector<std::string> stored_names(const Database& db, RainfallFile file,
                                      const std::vector<hydrology::IdfTableRow>& rows);

// Writes the coefficients of several names in one transaction, and with a file in
// `origin` records it against each name (RAINFALL_IMPORTS, made on first use).
// Names are matched as find_stored_name does; an unknown name refuses the whole
// set (DatabaseError naming it) and nothing is written. Returns the stored names
// written, in order.
std::vector<std::string> write_coefficients(const Database& db, RainfallFile file,
                                            const std::vector<hydrology::IdfTableRow>& rows,
                                            const ImportOrigin& origin = {});
// The origin recorded for a stored name; nullopt when it was never imported.
std::optional<ImportOrigin> import_origin(const Database& db, const std::string& stored_name);

}  // namespace pelvane::store
