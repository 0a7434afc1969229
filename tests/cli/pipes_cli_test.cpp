// The pipe network commands as a user runs them: pipes, import, export, renumber,
// delete.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/legacy_projects.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane {
namespace {

namespace fs = std::filesystem;
using testing::run_cli;
using testing::TempFolder;

std::string read_file(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_file(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// A refusal: exit 1, nothing on stdout, one line on stderr containing `expected`.
void expect_refusal(const testing::CliResult& r, const std::string& expected) {
    EXPECT_EQ(r.exit_code, 1) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
}

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

// The network 1 <- 2 <- O'Brien 3, with pipe 10 and 9 on the side, from a list.
class PipesCli : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(run_cli({"new", project_.string(), "--id", "R9", "--county", "Pulaski",
                           "--station", "Pulaski"})
                      .exit_code,
                  0);
        write_file(list_,
                   "PIPE_NUMBER,NODEIN_NO,NODEOUT_NO,PRENODE1,PIPE_DIA,PIPE_SHAPE\n"
                   "1,S2,S1,2,24,Circular\n"
                   "2,S3,S2,O'Brien 3,18,Circular\n"
                   "O'Brien 3,S4,S3,,15,\"Circular\"\n"
                   "10,S10,S1,,15,Circular\n"
                   "9,S9,S1,,15,Circular\n");
        const auto r = run_cli({"import", project_.string(), list_.string()});
        ASSERT_EQ(r.exit_code, 0) << r.err;
        EXPECT_EQ(r.out, "added 5 pipes to " + project_.string() + "\n");
    }
    TempFolder folder_;
    fs::path project_ = folder_ / "network.pvd";
    fs::path list_ = folder_ / "pipes.csv";
};

TEST_F(PipesCli, PipesListsTheGridColumnsInTextOrder) {
    const auto pipes = pipes_json(project_);
    ASSERT_EQ(pipes.size(), 5u);
    EXPECT_EQ(pipe_ids(project_), (std::vector<std::string>{"1", "10", "2", "9", "O'Brien 3"}));
    const auto& second = pipes[2];
    EXPECT_EQ(second.size(), 17u);
    EXPECT_EQ(second["NODE_IN"], "S3");
    EXPECT_EQ(second["DIA"], "18");
    EXPECT_EQ(second["PRE_PIPE1"], "O'Brien 3");
    EXPECT_EQ(second["PRE_PIPE4"], "");

    const auto all = pipes_json(project_, true);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0].size(), 75u);
    EXPECT_EQ(all[0]["PROJECT_ID"], "R9");
    EXPECT_EQ(all[4]["PIPE_NUMBER"], "O'Brien 3");

    const auto text = run_cli({"pipes", project_.string()});
    ASSERT_EQ(text.exit_code, 0) << text.err;
    std::istringstream lines(text.out);
    std::string header;
    std::string row;
    std::getline(lines, header);
    std::getline(lines, row);
    EXPECT_EQ(header.rfind("PIPE_ID    NODE_IN  NODE_OUT  LENGTH  SHAPE     NUMBER  DIA", 0), 0u)
        << header;
    // Quantities are right-aligned under their headings.
    EXPECT_EQ(row,
              "1          S2       S1                Circular           24                    "
              "                                  2")
        << row;
}

TEST_F(PipesCli, ImportReportsTheFirstRefusedLineAndAddsNothing) {
    const auto more = folder_ / "more.csv";
    write_file(more,
               "PIPE_NUMBER,NODEIN_NO,NODEOUT_NO,PRENODE1\n"
               "20,S20,S1,\n"
               "21,S21,S1,O'Brien 3\n");
    expect_refusal(run_cli({"import", project_.string(), more.string()}),
                   "line 3, PRENODE1: This Pipe has already been used as a Previous Pipe for "
                   "Pipe  - 2 - Please choose a different value! (nothing was added)");
    EXPECT_EQ(pipes_json(project_).size(), 5u);
    // A dry run checks everything and writes nothing; each problem has its own line.
    write_file(more, "PIPE_NUMBER,PIPE_LENGTH,PIPE_SHAPE\n20,10,Circular\n21,x,Round\n");
    const auto dry = run_cli({"import", project_.string(), more.string(), "--dry-run"});
    EXPECT_EQ(dry.exit_code, 1);
    EXPECT_EQ(dry.err, "pelvane import: " + more.string() +
                           ": line 3, PIPE_LENGTH: pipe length \"x\" is not a number\n" +
                           more.string() + ": line 3, PIPE_SHAPE: shape \"Round\" is not in " +
                           "the list: Circular, Elliptical, Box, Arch-Conc, Arch-S-Cor, " +
                           "Arch-M-Cor, Arch-L-Cor\n" + more.string() +
                           ": 2 problems (nothing was added)\n");
    write_file(more, "PIPE_NUMBER,PIPE_LENGTH\n20,10\n");
    const auto fine = run_cli({"import", project_.string(), more.string(), "--dry-run"});
    EXPECT_EQ(fine.exit_code, 0) << fine.err;
    EXPECT_EQ(fine.out,
              "would add 1 pipe to " + project_.string() + " (dry run: nothing was written)\n");
    EXPECT_EQ(pipes_json(project_).size(), 5u);
    expect_refusal(run_cli({"import", project_.string(), (folder_ / "none.csv").string()}),
                   "cannot read");
}

TEST_F(PipesCli, ExportedListsImportIntoAnotherProjectUnchanged) {
    const auto exported = folder_ / "exported.csv";
    ASSERT_EQ(run_cli({"export", project_.string(), exported.string()}).exit_code, 0);
    const auto copy = folder_ / "copy.pvd";
    ASSERT_EQ(
        run_cli({"new", copy.string(), "--id", "R9", "--county", "Pulaski", "--station", "Pulaski"})
            .exit_code,
        0);
    const auto r = run_cli({"import", copy.string(), exported.string()});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(pipes_json(copy, true), pipes_json(project_, true));
    const auto again = folder_ / "again.csv";
    ASSERT_EQ(run_cli({"export", copy.string(), again.string()}).exit_code, 0);
    EXPECT_EQ(read_file(again), read_file(exported));
}

TEST_F(PipesCli, RenumberChangesEveryReferenceUnderTheGridsRules) {
    expect_refusal(run_cli({"renumber", project_.string(), "7", "70"}), "there is no pipe 7");
    // Pipe 2 drains into pipe 1: the grid would ask first.
    expect_refusal(run_cli({"renumber", project_.string(), "2", "5"}),
                   "Current pipe is a Previous Pipe to Pipe Number - 1 - Modify Anyway?");
    EXPECT_EQ(pipe_ids(project_), (std::vector<std::string>{"1", "10", "2", "9", "O'Brien 3"}));

    const auto r = run_cli({"renumber", project_.string(), "2", "5", "--yes"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, "renumbered pipe 2 to 5 (and its reference in pipe 1)\n");
    const auto r2 = run_cli({"renumber", project_.string(), "O'Brien 3", "O'Brien 4", "--yes"});
    ASSERT_EQ(r2.exit_code, 0) << r2.err;
    const auto pipes = pipes_json(project_);
    EXPECT_EQ(pipes[0]["PRE_PIPE1"], "5");
    EXPECT_EQ(pipes[2]["PIPE_ID"], "5");
    EXPECT_EQ(pipes[2]["PRE_PIPE1"], "O'Brien 4");
}

TEST_F(PipesCli, DeleteKeepsAPipeThatDrainsIntoAnother) {
    expect_refusal(run_cli({"delete", project_.string(), "O'Brien 3"}),
                   "Current Pipe is used as a Previous Pipe for Pipe  - 2 - Delete Denied!");
    expect_refusal(run_cli({"delete", project_.string(), "3"}), "there is no pipe 3");
    const auto r = run_cli({"delete", project_.string(), "1"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, "deleted pipe 1\n");
    EXPECT_EQ(pipe_ids(project_), (std::vector<std::string>{"10", "2", "9", "O'Brien 3"}));
}

double number(const nlohmann::json& text) {
    return std::stod(text.get<std::string>());
}

// The sample project the build makes: it opens, and it is a realistic solved network.
TEST(SampleProject, OpensAsASolvedTwoBranchNetworkLinkedToTheSampleInlets) {
    const auto sample = testing::program_folder() / "samples" / "Sample.pvd";
    const auto info = run_cli({"info", sample.string(), "--json"});
    ASSERT_EQ(info.exit_code, 0) << info.err;
    const auto project = nlohmann::json::parse(info.out);
    EXPECT_EQ(project["release"], "2.1");
    EXPECT_EQ(project["noaa_station"], "Pulaski");
    EXPECT_EQ(project["county"], "Pulaski");
    EXPECT_EQ(project["units"], "ENGLISH");
    EXPECT_EQ(fs::path(project["inlet_database"].get<std::string>()),
              fs::canonical(testing::program_folder() / "samples" / "SampleInlets.gwk"));

    const auto pipes = pipes_json(sample, true);
    ASSERT_GE(pipes.size(), 7u);
    std::map<std::string, nlohmann::json> by_number;
    for (const auto& p : pipes) by_number[p["PIPE_NUMBER"]] = p;
    std::map<std::string, int> count;
    for (const auto& p : pipes) {
        const std::string number_text = p["PIPE_NUMBER"];
        ++count[p["PIPE_SHAPE"]];
        count["outfalls"] += p["NODEOUT_TYPE"] == "End Wall";
        // Solved with a computed discharge, on the slope of its inverts.
        EXPECT_EQ(p["DISCHARGEVAL"], "CRM") << number_text;
        EXPECT_GT(number(p["CAPACITY"]), number(p["PIPE_DISCHARGE"])) << number_text;
        const double slope = number(p["PIPE_SLOPE"]);
        EXPECT_NEAR(slope,
                    (number(p["PIPE_ELEIN"]) - number(p["PIPE_ELEOUT"])) / number(p["PIPE_LENGTH"]),
                    5e-6)
            << number_text;
        EXPECT_GE(slope, 0.005) << number_text;
        EXPECT_LE(slope, 0.05) << number_text;
        // Each previous pipe ends where this pipe starts, and carries less.
        int previous = 0;
        for (const char* column : {"PRENODE1", "PRENODE2", "PRENODE3", "PRENODE4"}) {
            const std::string up = p[column];
            if (up.empty()) continue;
            ++previous;
            ASSERT_TRUE(by_number.count(up)) << number_text << " lists " << up;
            EXPECT_EQ(by_number[up]["NODEOUT_NO"], p["NODEIN_NO"]) << up;
            EXPECT_LT(number(by_number[up]["PIPE_DISCHARGE"]), number(p["PIPE_DISCHARGE"]));
        }
        if (previous == 2) {
            ++count["junctions"];
            EXPECT_EQ(p["NODEIN_TYPE"], "Junction Box");
        }
    }
    for (const char* kind : {"Box", "Elliptical", "outfalls", "junctions"}) {
        EXPECT_EQ(count[kind], 1) << kind;
    }
}

}  // namespace
}  // namespace pelvane
