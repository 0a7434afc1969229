#include "support/run_cli.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace pelvane::testing {
CliResult run_cli(const std::vector<std::string>& args, const std::filesystem::path& data_home) {
    TempFolder folder;
    const auto out_path = folder / "out.txt";
    const auto err_path = folder / "err.txt";
    const std::string exe = cli_path().string();
    std::vector<std::string> words{exe};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    CliResult result;
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::setenv("XDG_DATA_HOME", (data_home.empty() ? folder / "user-data" : data_home).c_str(),
                 1);
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
