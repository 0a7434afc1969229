// pelvane section as a user runs it, and what the tool refuses for every command.
// The numbers themselves are pinned by the section tests; these check the options,
// the output forms and the exit codes.

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_cli.h"

namespace {

using pelvane::testing::run_cli;
using pelvane::testing::with;

const std::vector<std::string> kCircular18 = {"section", "--shape",  "Circular", "--dia",
                                              "18",      "--slope",  "0.01",     "--n",
                                              "0.013",   "--length", "100"};

TEST(SectionCli, JsonPlainTextAndBarrels) {
    const auto r = run_cli(with(kCircular18, {"--discharge", "5", "--json"}));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json.size(), 13u);
    EXPECT_EQ(json["PIPE_FLOWDEPTH"], "0.729");

    // Barrels share the discharge.
    const auto two = run_cli(with(kCircular18, {"--discharge", "10", "--barrels", "2", "--json"}));
    EXPECT_EQ(nlohmann::json::parse(two.out), json);

    // Plain output: one "NAME: value" line per result, in table order.
    const auto plain = run_cli(with(kCircular18, {"--discharge", "5"}));
    EXPECT_EQ(
        plain.out.rfind("CAPACITY: 10.504\nFLOW_TYPE: PARTIAL FLOW\nPIPE_FLOWDEPTH: 0.729\n", 0),
        0u)
        << plain.out;
    EXPECT_EQ(std::count(plain.out.begin(), plain.out.end(), '\n'), 13);
}

TEST(SectionCli, ASolverFailureKeepsWhatWasWrittenAndExitsOne) {
    const auto r = run_cli(with(kCircular18, {"--discharge", "0", "--json"}));
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(nlohmann::json::parse(r.out),
              nlohmann::json::parse(R"({"CAPACITY": "10.504", "FLOW_TYPE": "PARTIAL FLOW",
        "PIPE_FLOWDEPTH": "0.000", "PIPE_AREAFLOW": "0.000",
        "error": "Invalid Data Input Error"})"));
    // One line on stderr saying why.
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_NE(r.err.find("Invalid Data Input Error (division by zero"), std::string::npos) << r.err;

    const auto plain = run_cli(with(kCircular18, {"--discharge", "abc"}));
    EXPECT_EQ(plain.exit_code, 1);
    EXPECT_EQ(plain.out, "error: Invalid Data Input Error\n");
    EXPECT_NE(plain.err.find("PIPE_DISCHARGE is not a number"), std::string::npos) << plain.err;
}

// A wrong command line ends with the usage line; the names of the tool's lists are
// taken in any letter case; every command explains itself with --help.
TEST(SectionCli, MissingOrUnknownOptionsAndValuesAreUsageErrors) {
    const struct {
        std::vector<std::string> args;
        std::string said;
    } cases[] = {
        {{"section", "--shape", "Circular", "--dia", "18", "--discharge", "5", "--n", "0.013",
          "--length", "100"},
         "usage: pelvane section"},  // no slope
        {with(kCircular18, {"--discharge", "5", "--colour", "red"}), "usage: pelvane section"},
        {{"section", "--shape", "Box", "--span", "48", "--discharge", "5", "--slope", "0.01", "--n",
          "0.013", "--length", "100"},
         "usage: pelvane section"},  // a box needs --rise
        {with(kCircular18, {"--discharge", "5", "--units", "feet"}),
         "--units \"feet\" is not one of ENGLISH or METRIC"},
        {{"section", "--shape", "oval", "--dia", "18", "--discharge", "5", "--slope", "0.01", "--n",
          "0.013", "--length", "100"},
         "--shape \"oval\" is not one of Circular, Elliptical"},
    };
    for (const auto& c : cases) {
        const auto r = run_cli(c.args);
        EXPECT_EQ(r.exit_code, 2) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    }
    const std::vector<std::string> lower = {
        "section", "--shape",  "circular", "--dia",       "18", "--slope", "0.01",   "--n",
        "0.013",   "--length", "100",      "--discharge", "5",  "--units", "english"};
    const auto typed = run_cli(lower);
    EXPECT_EQ(typed.exit_code, 0) << typed.err;
    EXPECT_EQ(typed.out,
              run_cli(with(kCircular18, {"--discharge", "5", "--units", "ENGLISH"})).out);

    std::istringstream usage(run_cli({"--help"}).out);
    int commands = 0;
    for (std::string line; std::getline(usage, line);) {
        if (line.rfind("  ", 0) != 0 || line.rfind("   ", 0) == 0) continue;
        const std::string name = line.substr(2, line.find(' ', 2) - 2);
        const auto help = run_cli({name, "--help"});
        EXPECT_EQ(help.exit_code, 0) << name << ": " << help.err;
        EXPECT_EQ(help.out.rfind("usage: pelvane " + name + " ", 0), 0u) << help.out;
        ++commands;
    }
    EXPECT_GT(commands, 15);
}

}  // namespace
