// The project commands as a user runs them: new, info, convert; and the files any
// command is given and writes: what it refuses, and that it keeps what it refuses
// to change. Which names and files are refused and why is the store's and the
// forms' business; the tool passes it on in one line.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "store/sqlite/database.h"
#include "support/file_bytes.h"
#include "support/legacy_projects.h"
#include "support/report_projects.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane {
namespace {

namespace fs = std::filesystem;
using testing::bytes_of;
using testing::expect_refusal;
using testing::run_cli;
using testing::TempFolder;

nlohmann::json info_json(const fs::path& file) {
    const auto r = run_cli({"info", file.string(), "--json"});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    return nlohmann::json::parse(r.out);
}

TEST(ProjectCli, NewWritesTheDetailsAndInfoReadsThemBack) {
    TempFolder folder;
    const auto file = folder / "route 9.pvd";
    const auto inlet = folder / "inlets.gwk";
    std::ofstream(inlet) << "inlets";
    const auto made =
        run_cli({"new",          file.string(),   "--id",       "P'9",       "--name",
                 "O'Brien Road", "--county",      "augusta",    "--station", "Stuart's Draft",
                 "--units",      "metric",        "--location", "Main St",   "--designer",
                 "K. Lee",       "--description", "Two inlets", "--inlet",   inlet.string()});
    ASSERT_EQ(made.exit_code, 0) << made.err;

    const auto info = info_json(file);
    const std::pair<const char*, nlohmann::json> expected[] = {{"path", file.string()},
                                                               {"generation", "noaa"},
                                                               {"units", "METRIC"},
                                                               {"project_id", "P'9"},
                                                               {"county", "Augusta"},
                                                               {"noaa_station", "Stuart's Draft"},
                                                               {"location", "Main St"},
                                                               {"designer", "K. Lee"},
                                                               {"inlet_database", inlet.string()},
                                                               {"description", "Two inlets"},
                                                               {"pipes", 0}};
    for (const auto& [key, value] : expected) EXPECT_EQ(info[key], value) << key;
    EXPECT_NE(run_cli({"info", file.string()}).out.find("project_name: O'Brien Road\n"),
              std::string::npos);
}

// The place of a project is never a silent default; an existing file is replaced
// only with --force.
TEST(ProjectCli, NewRefusals) {
    TempFolder folder;
    const auto refused = folder / "refused.pvd";
    const struct {
        std::vector<std::string> options;
        const char* message;
        int exit_code;
    } cases[] = {
        {{"--id", "X", "--station", "Pulaski"}, "missing --county", 2},
        {{"--id", "X", "--county", "Pulaski"}, "missing --station", 2},
        {{"--county", "Pulaski", "--station", "Pulaski"}, "Project ID is a Required Field!", 1},
        {{"--id", "X", "--county", "Pulaski", "--station", "Blacksbrg"},
         "The closest are \"Blacksburg\", \"Blacksburg 3 SE\"",
         1},
        {{"--id", "X", "--county", "Pulaski", "--station", "Pulaski", "--units", "IMPERIAL"},
         "--units",
         2},
    };
    for (const auto& c : cases) {
        const auto r = run_cli(testing::with({"new", refused.string()}, c.options));
        // A wrong command line is followed by the usage line.
        if (c.exit_code == 1) expect_refusal(r, c.message);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.exit_code, c.exit_code) << c.message;
        EXPECT_FALSE(fs::exists(refused)) << c.message;
    }

    const auto file = folder / "taken.pvd";
    const std::vector<std::string> args{"new",   file.string(), "--county",
                                        "Floyd", "--station",   "Floyd"};
    ASSERT_EQ(run_cli(testing::with(args, {"--id", "FIRST"})).exit_code, 0);
    expect_refusal(run_cli(testing::with(args, {"--id", "SECOND"})), "already exists");
    EXPECT_EQ(info_json(file)["project_id"], "FIRST");
    ASSERT_EQ(run_cli(testing::with(args, {"--id", "SECOND", "--force"})).exit_code, 0);
    EXPECT_EQ(info_json(file)["project_id"], "SECOND");
}

TEST(ProjectCli, ConvertBringsAnOlderFileToTheNoaaReleaseAndRepeatsHarmlessly) {
    TempFolder folder;
    const auto file = folder / "older.pvd";
    testing::make_older_release_project(
        file, {{"PROJECT_ID", "O1"}, {"PROJECT_NAME", "Old"}, {"MAJOR_RELEASE", "1.0"}});
    EXPECT_EQ(info_json(file)["generation"], "older");
    for (const char* station : {"Stuart's Draft", "Floyd "}) {
        const auto r = run_cli({"convert", file.string(), "--station", station});
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_EQ(r.out,
                  "Project database Updated with selected NOAA Station! Please review and "
                  "recompute your results\n");
        EXPECT_EQ(info_json(file)["noaa_station"], station);
    }
}

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
