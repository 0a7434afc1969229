#pragma once
// The project database file (.pvd): made from the template of the program folder,
// opened into the project context, and closed again. A file belongs to one of three
// generations, which decide the rainfall source and a few field counts.

#include <filesystem>
#include <optional>
#include <string_view>

#include "store/project_context.h"
#include "store/project_table.h"

namespace pelvane::store {

inline constexpr std::string_view kTemplateFileName = "PelvaneVA21.rdb";
inline constexpr std::string_view kCoefficientFileName = "USDACOEFF.rdb";
// MAJOR_RELEASE of the NOAA-station release, compared as exact text.
inline constexpr std::string_view kNoaaRelease = "2.1";
// PRODUCT_NAME of files this program can design in.
inline constexpr std::string_view kProductName = "PELVANEVA";
inline constexpr std::string_view kDatabaseCloseError = "database close error";

enum class Generation {
    Legacy,  // "zql" in the path; PROJECT has no release columns
    Older,   // MAJOR_RELEASE other than "2.1"; rainfall by county
    Noaa,    // MAJOR_RELEASE "2.1"; rainfall by NOAA station
};

// "legacy", "older" or "noaa".
std::string_view generation_name(Generation generation);

// A legacy file is known by its path alone: "zql" anywhere in it (folder or file
// name), in any letter case.
bool is_legacy_path(std::string_view path);

// The generation of the open project: the legacy flag first, then the release.
Generation generation_of(const ProjectContext& context);

// What a connection is for. Design work writes the file, so a file that cannot be
// written is refused for it. Computing results (grade line, reports) only reads,
// but like design it finds pipes by their numbers, so both refuse a file in which
// two pipes share a number. Inspecting a project only reads, whatever it holds.
enum class Access { Design, Compute, Inspect };

// Makes a new project file: a copy of the program folder's template at `target`,
// replacing a regular file already there (through store/file_replace, so a failed
// copy leaves it as it was). A DatabaseError names the template when it is missing
// or damaged; a FileWriteError names the target when it cannot be written.
void create_project_file(const std::filesystem::path& program_folder,
                         const std::filesystem::path& target);

// Opens a project file after checking that it is one: the file exists, is a
// database, has the PROJECT, PIPE and ENERGY tables, for design work can be
// written and, unless it is only inspected, numbers every pipe differently. Every
// refusal is a DatabaseError naming the file and the problem.
Database open_project_file(const std::filesystem::path& file, Access access = Access::Design);

// Whether the file may be written (its permission bits; a folder or a missing file
// may not). A project that may not is opened for viewing only.
bool project_file_writable(const std::filesystem::path& file);

// Opens the project connection to the context's database path and the coefficient
// connection to the program folder's coefficient database. The coefficient
// database is optional: without it the connection stays closed and the outlet
// protection code that needs it does nothing.
void connect(ProjectContext& context, Access access = Access::Design);

// The first PROJECT record in table order, or nullopt for an empty table.
std::optional<TextRecord> first_project_record(const Database& db);

// Reads the first PROJECT record into the context: MAJOR_RELEASE, NOAA_STATION only
// at release "2.1", then PROJECT_ID, PROJECT_NAME, COUNTY, STATE, UNITS, LOCATION,
// DESIGNER, INLET_DATABASE and PRODUCT_NAME. A column the file lacks leaves its
// value unchanged; NULL reads as "". An empty table changes nothing.
void load_project_record(ProjectContext& context);

// What opening a file does to the context: the database path (made absolute), the
// legacy flag from the path, connect, load.
void open_project(ProjectContext& context, const std::filesystem::path& file,
                  Access access = Access::Design);

// Closes the project and rainfall connections, ends details edit mode and clears
// the project id and name. The coefficient connection stays open until the next
// connect replaces it. A failure is a DatabaseError "database close error" and
// leaves the rest undone.
void close_project(ProjectContext& context);

}  // namespace pelvane::store
