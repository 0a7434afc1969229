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

// `args` followed by `more`.
std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more);

// A refusal: exit `exit_code`, nothing on stdout, one line on stderr containing `says`.
void expect_refusal(const CliResult& r, const std::string& says, int exit_code = 1);

}  // namespace pelvane::testing
