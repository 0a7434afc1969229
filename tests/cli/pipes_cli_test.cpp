// The pipe network commands as a user runs them: pipes, import, export, renumber,
// delete, solve, size. The network rules and their messages are pinned by the pipe rules
// tests, the recompute itself by the network recompute tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "forms/network_recompute_fixture.h"
#include "support/file_bytes.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane {
namespace {

namespace fs = std::filesystem;
using testing::computed_pipe;
using testing::expect_refusal;
using testing::NetworkProject;
using testing::run_cli;
using testing::typed_pipe;

nlohmann::json pipes_json(const fs::path& project, bool all_columns = false) {
    std::vector<std::string> args{"pipes", project.string(), "--json"};
    if (all_columns) args.push_back("--all-columns");
    const auto r = run_cli(args);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    return nlohmann::json::parse(r.out);
}

std::vector<std::string> pipe_ids(const fs::path& project) {
    std::vector<std::string> ids;
    for (const auto& pipe : pipes_json(project)) ids.push_back(pipe["PIPE_ID"]);
    return ids;
}

fs::path new_project(const fs::path& file) {
    const auto r = run_cli(
        {"new", file.string(), "--id", "R9", "--county", "Pulaski", "--station", "Pulaski"});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    return file;
}

// The network 1 <- 2 <- O'Brien 3, with pipe 10 and 9 on the side, from a list.
class PipesCli : public ::testing::Test {
  protected:
    void SetUp() override {
        std::ofstream(list_, std::ios::binary)
            << "PIPE_NUMBER,NODEIN_NO,NODEOUT_NO,PRENODE1,PIPE_DIA,PIPE_SHAPE\n"
               "1,S2,S1,2,24,Circular\n"
               "2,S3,S2,O'Brien 3,18,Circular\n"
               "O'Brien 3,S4,S3,,15,\"Circular\"\n"
               "10,S10,S1,,15,Circular\n"
               "9,S9,S1,,15,Circular\n";
        const auto r = run_cli({"import", project_.string(), list_.string()});
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_EQ(r.out, "added 5 pipes to " + project_.string() + "\n");
    }
    testing::TempFolder folder_;
    fs::path project_ = new_project(folder_ / "network.pvd");
    fs::path list_ = folder_ / "pipes.csv";
};

TEST_F(PipesCli, PipesListsTheGridColumnsInTextOrder) {
    const auto pipes = pipes_json(project_);
    EXPECT_EQ(pipe_ids(project_), (std::vector<std::string>{"1", "10", "2", "9", "O'Brien 3"}));
    EXPECT_EQ(pipes[2].size(), 17u);
    EXPECT_EQ(pipes[2]["PRE_PIPE1"], "O'Brien 3");
    const auto all = pipes_json(project_, true);
    EXPECT_EQ(all[0].size(), 75u);
    EXPECT_EQ(all[4]["PIPE_NUMBER"], "O'Brien 3");

    // Quantities are right-aligned under their headings.
    const auto text = run_cli({"pipes", project_.string()});
    EXPECT_EQ(text.out.substr(0, text.out.find('\n'))
                  .rfind("PIPE_ID    NODE_IN  NODE_OUT  LENGTH  SHAPE     NUMBER  DIA", 0),
              0u)
        << text.out;
    EXPECT_NE(text.out.find("\n1          S2       S1                Circular           24   "),
              std::string::npos)
        << text.out;
}

TEST_F(PipesCli, ImportReportsTheFirstRefusedLineAndDryRunsWriteNothing) {
    const auto more = folder_ / "more.csv";
    std::ofstream(more) << "PIPE_NUMBER,NODEIN_NO,NODEOUT_NO,PRENODE1\n20,S20,S1,\n"
                           "21,S21,S1,O'Brien 3\n";
    expect_refusal(run_cli({"import", project_.string(), more.string()}),
                   "line 3, PRENODE1: This Pipe has already been used as a Previous Pipe");
    // A dry run checks everything; each problem has its own line.
    std::ofstream(more) << "PIPE_NUMBER,PIPE_LENGTH,PIPE_SHAPE\n20,10,Circular\n21,x,Round\n";
    const auto dry = run_cli({"import", project_.string(), more.string(), "--dry-run"});
    EXPECT_EQ(dry.exit_code, 1);
    EXPECT_EQ(std::count(dry.err.begin(), dry.err.end(), '\n'), 3) << dry.err;
    EXPECT_NE(dry.err.find(": 2 problems (nothing was added)\n"), std::string::npos) << dry.err;
    std::ofstream(more) << "PIPE_NUMBER,PIPE_LENGTH\n20,10\n";
    const auto fine = run_cli({"import", project_.string(), more.string(), "--dry-run"});
    EXPECT_EQ(fine.out,
              "would add 1 pipe to " + project_.string() + " (dry run: nothing was written)\n");
    EXPECT_EQ(pipes_json(project_).size(), 5u);
    expect_refusal(run_cli({"import", project_.string(), (folder_ / "none.csv").string()}),
                   "cannot read");
}

TEST_F(PipesCli, ExportedListsImportIntoAnotherProjectUnchanged) {
    const auto exported = folder_ / "exported.csv";
    ASSERT_EQ(run_cli({"export", project_.string(), exported.string()}).exit_code, 0);
    const auto copy = new_project(folder_ / "copy.pvd");
    ASSERT_EQ(run_cli({"import", copy.string(), exported.string()}).exit_code, 0);
    EXPECT_EQ(pipes_json(copy, true), pipes_json(project_, true));
    const auto again = folder_ / "again.csv";
    ASSERT_EQ(run_cli({"export", copy.string(), again.string()}).exit_code, 0);
    EXPECT_EQ(testing::bytes_of(again), testing::bytes_of(exported));
}

TEST_F(PipesCli, RenumberAsksThroughYesAndDeleteKeepsAPreviousPipe) {
    expect_refusal(run_cli({"renumber", project_.string(), "7", "70"}), "there is no pipe 7");
    expect_refusal(run_cli({"renumber", project_.string(), "2", "5"}),
                   "Current pipe is a Previous Pipe to Pipe Number - 1 - Modify Anyway?");
    const auto r = run_cli({"renumber", project_.string(), "2", "5", "--yes"});
    EXPECT_EQ(r.out, "renumbered pipe 2 to 5 (and its reference in pipe 1)\n");
    EXPECT_EQ(pipes_json(project_)[0]["PRE_PIPE1"], "5");

    expect_refusal(run_cli({"delete", project_.string(), "O'Brien 3"}),
                   "Current Pipe is used as a Previous Pipe for Pipe  - 5 - Delete Denied!");
    expect_refusal(run_cli({"delete", project_.string(), "3"}), "there is no pipe 3");
    EXPECT_EQ(run_cli({"delete", project_.string(), "1"}).out, "deleted pipe 1\n");
    EXPECT_EQ(pipe_ids(project_), (std::vector<std::string>{"10", "5", "9", "O'Brien 3"}));
}

TEST_F(PipesCli, HistoryListsTheCommandsAndUndoRedoTheLast) {
    ASSERT_EQ(run_cli({"delete", project_.string(), "9"}).exit_code, 0);
    const auto listed = run_cli({"history", project_.string(), "--json"});
    const auto steps = nlohmann::json::parse(listed.out)["steps"];
    ASSERT_EQ(steps.size(), 2u) << listed.out;
    EXPECT_EQ(steps[1]["command"], "Delete Pipe");
    EXPECT_EQ(steps[1]["undone"], false);
    EXPECT_EQ(steps[0]["step"], 1);
    EXPECT_EQ(run_cli({"undo", project_.string()}).out, "Undone: Delete Pipe\n");
    EXPECT_EQ(run_cli({"undo", project_.string()}).out, "Undone: Import Pipes\n");
    expect_refusal(run_cli({"undo", project_.string()}), "There is nothing to undo.");
    EXPECT_EQ(run_cli({"redo", project_.string()}).out, "Redone: Import Pipes\n");
    EXPECT_EQ(pipe_ids(project_), (std::vector<std::string>{"1", "10", "2", "9", "O'Brien 3"}));
}

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

TEST(SizeCli, SizesInOneRunNamesTheRefusedPipesAndRefusesABadShare) {
    NetworkProject project;
    project.add({typed_pipe("O'Brien 1", "8.000"), typed_pipe("2", "900.000")});
    const auto r = run_cli({"size", project.file().string(), "--all", "--json"});
    EXPECT_EQ(r.exit_code, 3) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out), nlohmann::json::parse(R"({
        "changed": [{"pipe": "O'Brien 1", "old": "24 in", "new": "18 in"}],
        "refused": [{"pipe": "2",
                     "reason": "no standard size carries 900.000 cfs within 100 % of full flow"}],
        "passes": 2})"));
    EXPECT_EQ(project.text("O'Brien 1", "PIPE_DIA"), "18");

    EXPECT_EQ(run_cli({"size", project.file().string(), "--pipe", "O'Brien 1"}).exit_code, 0);
    const auto bad = run_cli({"size", project.file().string(), "--all", "--max-full", "150"});
    EXPECT_EQ(bad.exit_code, 2);
    EXPECT_NE(bad.err.find("--max-full must be a percentage of full flow above 0 and at most 100"),
              std::string::npos)
        << bad.err;
}

}  // namespace
}  // namespace pelvane
