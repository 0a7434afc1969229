// The files the tool is given and writes: what it refuses, and that it keeps
// what it refuses to change.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "store/sqlite/database.h"
#include "support/file_bytes.h"
#include "support/report_projects.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane {
namespace {

namespace fs = std::filesystem;
using testing::run_cli;

using pelvane::testing::bytes_of;

class FilesCli : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::make_network_project(
            project_, {},
            {testing::pipe_row("--7", "2", "1"), testing::pipe_row("\xE9t\xE9", "3", "2")});
    }
    testing::TempFolder folder_;
    const fs::path project_ = folder_ / "route.pvd";
};

TEST_F(FilesCli, RefusalsNameTheCauseAndChangeNothing) {
    const std::string p = project_.string();
    const auto shared = folder_ / "shared.pvd";
    fs::copy_file(project_, shared);
    store::Database::open(shared).execute_script(
        "CREATE TABLE P AS SELECT * FROM PIPE; DROP TABLE PIPE; ALTER TABLE P RENAME TO PIPE;"
        "INSERT INTO PIPE SELECT * FROM PIPE;");
    // Read first: closing any descriptor of the file drops this process's locks on it.
    const std::string before = bytes_of(project_);
    const store::Database reader = store::Database::open(project_, store::Database::Mode::ReadOnly);
    reader.execute("BEGIN");
    auto reading = reader.prepare("SELECT count(*) FROM PIPE");
    ASSERT_TRUE(reading.step());

    const struct {
        std::vector<std::string> args;
        int exit_code;
        const char* says;
    } cases[] = {
        {{"info", ""}, 2, "the project file name is empty"},
        {{"solve", p, "--all"}, 1, "Another program is using"},
        {{"new", p, "--force", "--id", "X", "--county", "Pulaski", "--station", "Pulaski"},
         1,
         "Another program is using"},
        {{"report", "ld229", shared.string(), "-o", (folder_ / "f.xlsx").string()},
         1,
         "more than one pipe numbered"},
        {{"export", p, folder_.path().string()}, 1, "it is a folder"},
    };
    for (const auto& c : cases) {
        const auto r = run_cli(c.args);
        EXPECT_EQ(r.exit_code, c.exit_code) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("error:"), std::string::npos) << r.err;
    }
    // While another program writes, the file is busy for reading too, not damaged.
    reading.reset();
    reader.execute("COMMIT");
    const store::Database writer = store::Database::open(project_);
    writer.lock_for_writing();
    const auto busy = run_cli({"info", p});
    EXPECT_NE(busy.err.find("Another program is using"), std::string::npos) << busy.err;
    EXPECT_EQ(bytes_of(project_), before);
}

TEST_F(FilesCli, AnyPipeNumberCanBeNamedAndShown) {
    // Bytes another program stored that are not UTF-8 still make JSON.
    const auto listed = run_cli({"pipes", project_.string(), "--json"});
    ASSERT_EQ(listed.exit_code, 0) << listed.err;
    EXPECT_EQ(nlohmann::json::parse(listed.out)[1]["PIPE_ID"], "\xEF\xBF\xBDt\xEF\xBF\xBD");
    // "--" ends the options, so a number that looks like one can be named.
    const auto deleted = run_cli({"delete", project_.string(), "--", "--7"});
    EXPECT_EQ(deleted.exit_code, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "deleted pipe --7\n");
}

}  // namespace
}  // namespace pelvane
