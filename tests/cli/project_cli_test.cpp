// The project commands as a user runs them: new, info, convert.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "support/legacy_projects.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane {
namespace {

namespace fs = std::filesystem;
using testing::run_cli;
using testing::TempFolder;

nlohmann::json info_json(const fs::path& file) {
    const auto r = run_cli({"info", file.string(), "--json"});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    return nlohmann::json::parse(r.out);
}

// A refusal is a non-zero exit, nothing on stdout and exactly one line on stderr
// that contains `expected`.
void expect_refusal(const testing::CliResult& r, const std::string& expected) {
    EXPECT_NE(r.exit_code, 0);
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
}

TEST(ProjectCli, NewWritesTheDetailsAndInfoReadsThemBack) {
    TempFolder folder;
    const auto file = folder / "route 9.pvd";
    const auto inlet = folder / "inlets.gwk";
    std::ofstream(inlet) << "inlets";
    const auto made =
        run_cli({"new",          file.string(),   "--id",       "P'9",       "--name",
                 "O'Brien Road", "--county",      "Augusta",    "--station", "Stuart's Draft",
                 "--units",      "metric",        "--location", "Main St",   "--designer",
                 "K. Lee",       "--description", "Two inlets", "--inlet",   inlet.string()});
    ASSERT_EQ(made.exit_code, 0) << made.err;

    const auto info = info_json(file);
    const std::pair<const char*, nlohmann::json> expected[] = {{"path", file.string()},
                                                               {"generation", "noaa"},
                                                               {"release", "2.1"},
                                                               {"units", "METRIC"},
                                                               {"project_id", "P'9"},
                                                               {"county", "Augusta"},
                                                               {"state", "VA"},
                                                               {"noaa_station", "Stuart's Draft"},
                                                               {"location", "Main St"},
                                                               {"designer", "K. Lee"},
                                                               {"inlet_database", inlet.string()},
                                                               {"description", "Two inlets"},
                                                               {"pipes", 0},
                                                               {"energy_records", 0}};
    for (const auto& [key, value] : expected) EXPECT_EQ(info[key], value) << key;

    const auto text = run_cli({"info", file.string()});
    EXPECT_NE(text.out.find("project_name: O'Brien Road\n"), std::string::npos) << text.out;
}

// The place of a project is never a silent default, and names are the lists' own.
TEST(ProjectCli, NewNeedsACountyAndAStationOfTheLists) {
    TempFolder folder;
    const auto file = folder / "plain.pvd";
    const auto made = run_cli(
        {"new", file.string(), "--id", "P1", "--county", "montgomery", "--station", "BLACKSBURG"});
    ASSERT_EQ(made.exit_code, 0) << made.err;
    const auto info = info_json(file);
    EXPECT_EQ(info["units"], "ENGLISH");
    EXPECT_EQ(info["county"], "Montgomery");
    EXPECT_EQ(info["noaa_station"], "Blacksburg  ");

    const auto refused = folder / "refused.pvd";
    const struct {
        std::vector<std::string> options;
        const char* message;
        int exit_code;
    } cases[] = {
        {{"--id", "X", "--station", "Pulaski"}, "missing --county", 2},
        {{"--id", "X", "--county", "Pulaski"}, "missing --station", 2},
        {{"--id", "X", "--county", "", "--station", "Pulaski"}, "County Name is a Required", 1},
        {{"--county", "Pulaski", "--station", "Pulaski"}, "Project ID is a Required Field!", 1},
        {{"--id", "X", "--county", "Montgomry", "--station", "Pulaski"},
         "COUNTY \"Montgomry\" is not in the county list. The closest are \"Montgomery\"",
         1},
        {{"--id", "X", "--county", "Pulaski", "--station", "Blacksbrg"},
         "The closest are \"Blacksburg\", \"Blacksburg 3 SE\"",
         1},
        {{"--id", "X", "--county", "Pulaski", "--station", "Pulaski", "--units", "IMPERIAL"},
         "--units",
         2},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"new", refused.string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto r = run_cli(args);
        // A wrong command line is followed by the usage line.
        if (c.exit_code == 1) expect_refusal(r, c.message);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.exit_code, c.exit_code) << c.message;
        EXPECT_FALSE(fs::exists(refused)) << c.message;
    }
}

TEST(ProjectCli, NewReplacesAnExistingFileOnlyWithForce) {
    TempFolder folder;
    const auto file = folder / "taken.pvd";
    ASSERT_EQ(
        run_cli({"new", file.string(), "--id", "FIRST", "--county", "Floyd", "--station", "Floyd"})
            .exit_code,
        0);
    const std::vector<std::string> second{"new",      file.string(), "--id",      "SECOND",
                                          "--county", "Floyd",       "--station", "Floyd"};
    expect_refusal(run_cli(second), "already exists");
    EXPECT_EQ(info_json(file)["project_id"], "FIRST");
    auto forced = second;
    forced.push_back("--force");
    ASSERT_EQ(run_cli(forced).exit_code, 0);
    EXPECT_EQ(info_json(file)["project_id"], "SECOND");
}

TEST(ProjectCli, ConvertBringsAnOlderFileToTheNoaaReleaseAndRepeatsHarmlessly) {
    TempFolder folder;
    const auto file = folder / "older.pvd";
    testing::make_older_release_project(file);
    testing::insert_row(file, "PROJECT",
                        {{"PROJECT_ID", "O1"}, {"PROJECT_NAME", "Old"}, {"MAJOR_RELEASE", "1.0"}});
    EXPECT_EQ(info_json(file)["generation"], "older");
    EXPECT_EQ(info_json(file)["noaa_station"], "");

    for (const char* station : {"Stuart's Draft", "Floyd "}) {
        const auto r = run_cli({"convert", file.string(), "--station", station});
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_EQ(r.out,
                  "Project database Updated with selected NOAA Station! Please review and "
                  "recompute your results\n");
        const auto info = info_json(file);
        EXPECT_EQ(info["generation"], "noaa");
        EXPECT_EQ(info["noaa_station"], station);
        EXPECT_EQ(info["product"], "PELVANEVA");
    }
}

TEST(ProjectCli, ALegacyFileIsKnownByItsPath) {
    TempFolder folder;
    fs::create_directories(folder / "ZQL");
    const auto file = folder / "ZQL" / "route.pvd";
    testing::make_legacy_project(file);
    testing::insert_row(file, "PROJECT", {{"PROJECT_ID", "L"}, {"PROJECT_NAME", "Legacy"}});
    const auto info = info_json(file);
    EXPECT_EQ(info["generation"], "legacy");
    EXPECT_EQ(info["product"], "");
}

TEST(ProjectCli, BadFilesAreRefusedWithOneLine) {
    TempFolder folder;
    const auto missing = folder / "missing.pvd";
    expect_refusal(run_cli({"info", missing.string()}), missing.string());

    // Which files are refused and why is the store's business (tested there); the
    // tool says it on one line.
    const auto empty = folder / "empty.pvd";
    std::ofstream(empty).close();
    expect_refusal(run_cli({"convert", empty.string(), "--station", "Floyd"}), empty.string());

    const auto locked = folder / "locked.pvd";
    ASSERT_EQ(
        run_cli({"new", locked.string(), "--id", "L", "--county", "Floyd", "--station", "Floyd"})
            .exit_code,
        0);
    fs::permissions(locked, fs::perms::owner_read);
    expect_refusal(run_cli({"convert", locked.string(), "--station", "Floyd"}), "read-only");
    EXPECT_EQ(run_cli({"info", locked.string()}).exit_code, 0);
}

}  // namespace
}  // namespace pelvane
