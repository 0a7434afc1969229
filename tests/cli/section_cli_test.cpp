// pelvane section as a user runs it. The numbers themselves are pinned by the
// section tests; these check the options, the output forms and the exit codes.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/run_cli.h"

namespace {

using pelvane::testing::run_cli;

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

const std::vector<std::string> kCircular18 = {"section", "--shape",  "Circular", "--dia",
                                              "18",      "--slope",  "0.01",     "--n",
                                              "0.013",   "--length", "100"};

}  // namespace

TEST(SectionCli, JsonHoldsEveryResultBarrelsShareTheDischargeAndUnitsAreHonoured) {
    const auto r = run_cli(with(kCircular18, {"--discharge", "5", "--json"}));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json.size(), 13u);
    EXPECT_EQ(json["PIPE_FLOWDEPTH"], "0.729");
    EXPECT_FALSE(json.contains("error"));

    const auto two = run_cli(with(kCircular18, {"--discharge", "10", "--barrels", "2", "--json"}));
    ASSERT_EQ(two.exit_code, 0) << two.err;
    EXPECT_EQ(nlohmann::json::parse(two.out), json);

    const auto metric =
        run_cli({"section", "--shape", "Circular", "--dia", "600", "--discharge", "0.3", "--slope",
                 "0.005", "--n", "0.013", "--length", "50", "--units", "METRIC", "--json"});
    ASSERT_EQ(metric.exit_code, 0) << metric.err;
    EXPECT_EQ(nlohmann::json::parse(metric.out)["CAPACITY"], "0.434");
}

TEST(SectionCli, PlainOutputListsTheResultsInTableOrder) {
    const auto r =
        run_cli({"section", "--shape", "Rectangulr", "--span", "48", "--rise", "36", "--discharge",
                 "300", "--slope", "0.004", "--n", "0.013", "--length", "200"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out,
              "CAPACITY: 78.281\n"
              "FLOW_TYPE: PRESSURE FLOW\n"
              "PIPE_FLOWDEPTH: 3.000\n"
              "PIPE_AREAFLOW: 12.000\n"
              "PIPE_VELOCITY: 25.000\n"
              "HYD_RADIUS: 0.857\n"
              "PIPE_WP: 14.000\n"
              "FROUDE_NO: 2.544\n"
              "PIPE_SUMMARY: SUPERCRITICAL FLOW\n"
              "ENERGY: 12.705\n"
              "FLOW_TIME: 8.000\n"
              "CRITICAL_DEPTH: 2.997\n"
              "FRICTION_SLOPE: 0.0588\n");
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

TEST(SectionCli, MissingOrUnknownOptionsAreUsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"section", "--shape", "Circular", "--dia", "18", "--discharge", "5", "--n", "0.013",
         "--length", "100"},  // no slope
        with(kCircular18, {"--discharge", "5", "--colour", "red"}),
        {"section", "--shape", "Box", "--span", "48", "--discharge", "5", "--slope", "0.01", "--n",
         "0.013", "--length", "100"},  // a box needs --rise
    };
    for (const auto& args : cases) {
        const auto r = run_cli(args);
        EXPECT_EQ(r.exit_code, 2) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage: pelvane section"), std::string::npos) << r.err;
    }
}
