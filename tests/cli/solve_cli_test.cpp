// pelvane solve as a user runs it; the recompute itself is pinned by the network
// recompute tests.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "forms/network_recompute_fixture.h"
#include "support/run_cli.h"

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
    EXPECT_EQ(json["changed"][2]["pipe"], "1");
    EXPECT_EQ(json["changed"][2]["old_discharge"], "0.0");
    EXPECT_EQ(json["changed"][2]["new_discharge"], project.text("1", "PIPE_DISCHARGE"));
    EXPECT_EQ(json["failed"], nlohmann::json::array());
    EXPECT_EQ(json["cycles"], nlohmann::json::array());
    EXPECT_EQ(json["recomputed"], 3);
    EXPECT_EQ(json["saved"], 3);

    const auto again = run_cli({"solve", project.file().string(), "--all"});
    ASSERT_EQ(again.exit_code, 0) << again.err;
    EXPECT_EQ(again.out, "3 pipes recomputed, 0 pipes saved.\nNo discharge or result changed.\n");

    // Either --all or one --pipe.
    EXPECT_EQ(run_cli({"solve", project.file().string()}).exit_code, 2);
    EXPECT_EQ(run_cli({"solve", project.file().string(), "--all", "--pipe", "1"}).exit_code, 2);
}

TEST(SolveCli, OnePipeWithItsPreviousPipesAsSaved) {
    NetworkProject project;
    project.add({computed_pipe("Down", "0.3", {"Up"}), computed_pipe("Up", "0.4")});
    project.set("Up", "ACCUMULATED_CA", "1.5");
    const auto up = project.pipe("Up");
    const auto r = run_cli({"solve", project.file().string(), "--pipe", "Down", "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["changed"].size(), 1u);
    EXPECT_EQ(project.text("Down", "ACCUMULATED_CA"), "1.8");
    EXPECT_EQ(project.pipe("Up"), up);

    const auto missing = run_cli({"solve", project.file().string(), "--pipe", "O'Brien 1"});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.err.find("There is no pipe O'Brien 1."), std::string::npos) << missing.err;
}

TEST(SolveCli, CirclesAndUnsolvedPipesEndWithAFailure) {
    NetworkProject circle;
    circle.add({computed_pipe("A", "0.3", {"B"}), computed_pipe("B", "0.3", {"A"})});
    const auto r = run_cli({"solve", circle.file().string(), "--all", "--json"});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(nlohmann::json::parse(r.out)["cycles"], nlohmann::json::parse(R"([["A", "B"]])"));
    EXPECT_NE(r.err.find("circle"), std::string::npos) << r.err;

    NetworkProject no_rain("ENGLISH", "Abingdon 3 S");
    no_rain.add({computed_pipe("C", "0.3"), typed_pipe("T", "1.000")});
    const auto plain = run_cli({"solve", no_rain.file().string(), "--all"});
    EXPECT_EQ(plain.exit_code, 1);
    EXPECT_NE(plain.out.find("Could not be solved (left as saved):\n  Pipe C: No rainfall "
                             "coefficients for the station \"Abingdon 3 S\""),
              std::string::npos)
        << plain.out;
    EXPECT_NE(plain.err.find("1 pipe(s) could not be solved"), std::string::npos) << plain.err;
}

}  // namespace
