// The project commands as a user runs them: new, info, convert. Which names and
// files are refused and why is the store's and the forms' business; the tool
// passes it on in one line.

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
    testing::make_older_release_project(file);
    testing::insert_row(file, "PROJECT",
                        {{"PROJECT_ID", "O1"}, {"PROJECT_NAME", "Old"}, {"MAJOR_RELEASE", "1.0"}});
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

}  // namespace
}  // namespace pelvane
