#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/temp_folder.h"

namespace pelvane::platform {
namespace {

// A helper program's output goes to its log, its exit code comes back, and a stop
// request ends it together with the programs it started: the shell's child would
// otherwise go on writing to the log after the shell is gone.
TEST(RunProgram, ReportsTheExitAndStopsTheWholeGroupOnRequest) {
    const testing::TempFolder folder;
    const auto log = folder.path() / "log.txt";
    const auto sh = find_program({"sh"});
    ASSERT_TRUE(sh);

    const std::vector<std::string> exits{sh->string(), "-c", "echo said; exit 3"};
    const ProgramOutcome exited = run_program(exits, log, [] { return false; });
    EXPECT_EQ(exited.end, ProgramEnd::Exited);
    EXPECT_EQ(exited.exit_code, 3);
    std::string line;
    std::getline(std::ifstream(log), line);
    EXPECT_EQ(line, "said");

    const auto marker = folder.path() / "late.txt";
    const std::vector<std::string> lingers{
        sh->string(), "-c", "(sleep 1; echo late > '" + marker.string() + "') & sleep 60"};
    int asked = 0;
    const ProgramOutcome stopped = run_program(lingers, log, [&asked] { return ++asked > 2; });
    EXPECT_EQ(stopped.end, ProgramEnd::Stopped);
    const std::vector<std::string> wait{sh->string(), "-c", "sleep 2"};
    run_program(wait, folder.path() / "wait.txt", {});
    EXPECT_FALSE(std::filesystem::exists(marker)) << "a program it started outlived the stop";

    const std::vector<std::string> missing{(folder.path() / "no-such-program").string()};
    EXPECT_EQ(run_program(missing, log, {}).end, ProgramEnd::NotStarted);
}

}  // namespace
}  // namespace pelvane::platform
