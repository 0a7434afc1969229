// pelvane solve as a user runs it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "forms/network_recompute_fixture.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace {

using pelvane::testing::computed_pipe;
using pelvane::testing::NetworkProject;
using pelvane::testing::run_cli;
using pelvane::testing::typed_pipe;

TEST(SolveCli, AllPipesInFlowOrderThenNothingLeft) {
    NetworkProject project;
    project.add({computed_pipe("1", "0.3", {"2", "3"}), computed_pipe("2", "0.4"),
                 typed_pipe("3", "2.500")});
    const auto r = run_cli({"solve", project.file().string(), "--all", "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    ASSERT_EQ(json["changed"].size(), 3u);
    EXPECT_EQ(json["changed"][0]["pipe"], "2");
    EXPECT_EQ(json["changed"][2]["pipe"], "1");
    EXPECT_EQ(json["changed"][2]["old_discharge"], "0.0");
    EXPECT_EQ(json["changed"][2]["new_discharge"], project.text("1", "PIPE_DISCHARGE"));
    EXPECT_EQ(json["changed"][1]["new_discharge"], "2.500");
    EXPECT_EQ(json["failed"], nlohmann::json::array());
    EXPECT_EQ(json["cycles"], nlohmann::json::array());
    EXPECT_EQ(json["recomputed"], 3);
    EXPECT_EQ(json["saved"], 3);
    EXPECT_EQ(project.text("1", "PRECA1"), project.text("2", "ACCUMULATED_CA"));

    const auto again = run_cli({"solve", project.file().string(), "--all"});
    ASSERT_EQ(again.exit_code, 0) << again.err;
    EXPECT_EQ(again.out, "3 pipes recomputed, 0 pipes saved.\nNo discharge or result changed.\n");
}

TEST(SolveCli, InfoSaysWhenAnImportChangedTheCoefficientsSolvedWith) {
    NetworkProject project;
    project.add(computed_pipe("1", "0.3"));
    pelvane::testing::TempFolder home;
    const std::string file = project.file().string();
    ASSERT_EQ(run_cli({"solve", file, "--all"}, home.path()).exit_code, 0);
    const auto check = [&] {
        const auto info = nlohmann::json::parse(run_cli({"info", file, "--json"}, home.path()).out);
        EXPECT_EQ(info["design_rainfall"][0]["storm_frequency"], 10);
        return info["rainfall_check"].get<std::string>();
    };
    EXPECT_NE(check().find("are unchanged"), std::string::npos);

    std::string table = "NOAA_STATION";
    std::string row = "Pulaski";
    for (const char* years : {"2", "5", "10", "25", "50", "100"}) {
        for (const char* letter : {"B", "D", "E"}) {
            table += std::string(",YEAR") + years + letter;
            row += ",1";
        }
    }
    std::ofstream(home / "new.csv") << table << "\n" << row << "\n";
    std::vector<std::string> import{"rainfall", "import-table", (home / "new.csv").string()};
    const auto refused = run_cli(import, home.path());
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_NE(refused.err.find("give --yes to import anyway"), std::string::npos) << refused.err;
    import.push_back("--yes");
    ASSERT_EQ(run_cli(import, home.path()).exit_code, 0);
    EXPECT_NE(check().find("The 10-year rainfall coefficients have changed"), std::string::npos);
}

TEST(SolveCli, OnePipeWithItsPreviousPipesAsSaved) {
    NetworkProject project;
    project.add({computed_pipe("Down", "0.3", {"Up"}), computed_pipe("Up", "0.4")});
    project.set("Up", "ACCUMULATED_CA", "1.5");
    const auto up = project.pipe("Up");
    const auto r = run_cli({"solve", project.file().string(), "--pipe", "Down", "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    ASSERT_EQ(json["changed"].size(), 1u);
    EXPECT_EQ(json["changed"][0]["pipe"], "Down");
    EXPECT_EQ(project.text("Down", "ACCUMULATED_CA"), "1.8");
    EXPECT_EQ(project.pipe("Up"), up);

    const auto missing = run_cli({"solve", project.file().string(), "--pipe", "O'Brien 1"});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.err.find("There is no pipe O'Brien 1."), std::string::npos) << missing.err;
}

TEST(SolveCli, CirclesAndUnsolvedPipesEndWithAFailure) {
    NetworkProject circle;
    circle.add({computed_pipe("A", "0.3", {"B"}), computed_pipe("B", "0.3", {"A"})});
    const auto before = circle.rows();
    const auto r = run_cli({"solve", circle.file().string(), "--all", "--json"});
    EXPECT_EQ(r.exit_code, 1);
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["cycles"], nlohmann::json::parse(R"([["A", "B"]])"));
    EXPECT_EQ(json["changed"], nlohmann::json::array());
    EXPECT_NE(r.err.find("circle"), std::string::npos) << r.err;
    EXPECT_EQ(circle.rows(), before);

    // No coefficients for the station: listed with the reason; the typed pipe is saved.
    NetworkProject no_rain("ENGLISH", "Abingdon 3 S");
    no_rain.add({computed_pipe("C", "0.3"), typed_pipe("T", "1.000")});
    const auto plain = run_cli({"solve", no_rain.file().string(), "--all"});
    EXPECT_EQ(plain.exit_code, 1);
    EXPECT_NE(plain.out.find("Could not be solved (left as saved):\n  Pipe C: No rainfall "
                             "coefficients for the station \"Abingdon 3 S\""),
              std::string::npos)
        << plain.out;
    EXPECT_NE(plain.err.find("1 pipe(s) could not be solved"), std::string::npos) << plain.err;
    EXPECT_FALSE(no_rain.text("T", "CAPACITY").empty());
}

TEST(SolveCli, EitherAllOrOnePipe) {
    NetworkProject project;
    EXPECT_EQ(run_cli({"solve", project.file().string()}).exit_code, 2);
    EXPECT_EQ(run_cli({"solve", project.file().string(), "--all", "--pipe", "1"}).exit_code, 2);
}

// The sample project on a copy: a larger area at the top of the left run, that pipe
// solved again, then the whole network.
TEST(SolveCli, TheSampleProjectFollowsALargerInletArea) {
    pelvane::testing::TempFolder folder;
    const auto copy = folder / "Sample.pvd";
    std::filesystem::copy_file(pelvane::testing::program_folder() / "samples" / "Sample.pvd", copy);
    EXPECT_EQ(run_cli({"solve", copy.string(), "--all"}).out,
              "9 pipes recomputed, 0 pipes saved.\nNo discharge or result changed.\n");

    pelvane::store::Database::open(copy).execute(
        "UPDATE PIPE SET STRUCTURE_CA = '0.6' WHERE PIPE_NUMBER = '9'");
    ASSERT_EQ(run_cli({"solve", copy.string(), "--pipe", "9"}).exit_code, 0);
    const auto r = run_cli({"solve", copy.string(), "--all", "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    std::vector<std::string> changed;
    const auto json = nlohmann::json::parse(r.out);
    for (const auto& c : json["changed"]) {
        changed.push_back(c["pipe"]);
        EXPECT_GT(std::stod(c["new_discharge"].get<std::string>()),
                  std::stod(c["old_discharge"].get<std::string>()));
    }
    EXPECT_EQ(changed, (std::vector<std::string>{"8", "7", "6", "1"}));
}

}  // namespace
