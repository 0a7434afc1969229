#include "support/run_cli.h"

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace pelvane::testing {
CliResult run_cli(const std::vector<std::string>& args, const std::filesystem::path& data_home) {
    TempFolder folder;
    const auto out_path = folder / "out.txt";
    const auto err_path = folder / "err.txt";
    std::vector<std::string> words{cli_path().string()};
    words.insert(words.end(), args.begin(), args.end());
    // The program's per-user folder (Qt's data location on Linux) is the test's own.
    const platform::ProgramFiles files{
        out_path,
        err_path,
        {{"XDG_DATA_HOME", (data_home.empty() ? folder / "user-data" : data_home).string()}}};
    CliResult result;
    result.exit_code = platform::run_program(words, files).exit_code;
    result.out = bytes_of(out_path);
    result.err = bytes_of(err_path);
    return result;
}

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

void expect_refusal(const CliResult& r, const std::string& says, int exit_code) {
    EXPECT_EQ(r.exit_code, exit_code) << says;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
}

}  // namespace pelvane::testing
