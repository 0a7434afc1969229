#pragma once
// Small project files with pipes for the report and grade line tests: a project
// record and pipes written with plain SQL, so the files do not depend on the code
// under test.

#include <filesystem>
#include <string>
#include <vector>

#include "support/legacy_projects.h"

namespace pelvane::testing {

struct ProjectValues {
    std::string name = "O'Brien Road";
    std::string designer = "K. Lee";
    std::string county = "Pulaski";
    std::string noaa_station = "Pulaski 2 NE";
    std::string location = "Route 29";
    std::string units = "ENGLISH";
};

// An 18 in concrete pipe from structure `in` down to `out`, 100 ft long, inverts
// 101.00 and 100.00, depth of flow 0.800, 10 cfs at 5.660 ft/sec, storm 10 years,
// from a manhole without shaping whose top is at 108.00. `more` overrides or adds
// columns.
RowValues pipe_row(const std::string& number, const std::string& in, const std::string& out,
                   const RowValues& more = {});

// A current project file at `file` with the project record and the pipes, added
// in the given order.
void make_network_project(const std::filesystem::path& file, const ProjectValues& project,
                          const std::vector<RowValues>& pipes);

}  // namespace pelvane::testing
