#pragma once
// Runs the pelvane tool as a user would and captures what it prints.

#include <filesystem>
#include <string>
#include <vector>

namespace pelvane::testing {

struct CliResult {
    int exit_code = -1;
    std::string out;
    std::string err;
};

// Arguments are passed as separate words (no shell quoting needed by callers).
// The tool sees `data_home` as the user's data folder (XDG_DATA_HOME); by default
// an empty one, so that nothing imported on this machine changes the results.
CliResult run_cli(const std::vector<std::string>& args,
                  const std::filesystem::path& data_home = {});

}  // namespace pelvane::testing
