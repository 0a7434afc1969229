#pragma once
// Project files of the generations before the NOAA-station release, built by the
// tests from the current template with SQL, so that nothing binary is committed.
//
// - legacy: PROJECT without NOAA_STATION, PRODUCT_NAME, MAJOR_RELEASE,
//   MINOR_RELEASE and RELEASE_DATE; PIPE without PRENODE4, PRECA4, PRETC4,
//   PREFLOWTIME4 and DISCHARGEVAL. The program recognises such a file by "zql"
//   in its path, so callers choose a name that has it.
// - older release: PROJECT without NOAA_STATION; everything else current.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/project_context.h"

namespace pelvane::testing {

// Column texts of a row to add; nullopt stores NULL.
using RowValues = std::vector<std::pair<std::string, std::optional<std::string>>>;

// A fresh copy of the build's project template at `file` (replacing any file) and,
// when `project` is given, that PROJECT row.
void make_current_project(const std::filesystem::path& file, const RowValues& project = {});
void make_legacy_project(const std::filesystem::path& file, const RowValues& project = {});
void make_older_release_project(const std::filesystem::path& file, const RowValues& project = {});

// Opens a project file for design work as the program does, with the build's
// program folder.
store::ProjectContext open_project_for_test(const std::filesystem::path& file);

// A row written compactly: row("PIPE_NUMBER=1; NODEIN_NO=S1; FLOW_TIME=") gives the
// column texts in order (blanks around ';' and '=' dropped, an empty value kept).
RowValues row(std::string_view spec);

// `values` with `column` set to `value`, added at the end when it is not there.
RowValues with(RowValues values, const std::string& column, std::optional<std::string> value);

// Adds one row to `table` of the file, with plain SQL (independent of the code
// under test).
void insert_row(const std::filesystem::path& file, const std::string& table,
                const RowValues& values);

// The text of `column` in the first row of `table` (rowid order); nullopt for NULL
// or when the table is empty.
std::optional<std::string> first_value(const std::filesystem::path& file, const std::string& table,
                                       const std::string& column);

}  // namespace pelvane::testing
