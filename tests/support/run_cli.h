#pragma once
// Runs the pelvane tool as a user would and captures what it prints.

#include <string>
#include <vector>

namespace pelvane::testing {

struct CliResult {
    int exit_code = -1;
    std::string out;
    std::string err;
};

// Arguments are passed as separate words (no shell quoting needed by callers).
CliResult run_cli(const std::vector<std::string>& args);

}  // namespace pelvane::testing
