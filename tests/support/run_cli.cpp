#include "support/run_cli.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "support/temp_folder.h"

namespace pelvane::testing {
namespace {

std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

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
    result.out = slurp(out_path);
    result.err = slurp(err_path);
    return result;
}

}  // namespace pelvane::testing
