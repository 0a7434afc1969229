// pelvane check as a user runs it: exit codes, the skipped grade line and the JSON.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/report_projects.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane {

TEST(CheckCli, ExitsZeroOrThreeAndPrintsTheViolationsAsJson) {
    testing::TempFolder folder;
    const auto file = (folder / "check.pvd").string();
    testing::make_network_project(file, {}, {testing::pipe_row("O'Brien 1", "2", "1")});
    auto r = testing::run_cli({"check", file});
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("Grade-line checks (hgl_rim, exact_hgl_rim) were skipped"),
              std::string::npos)
        << r.out;

    r = testing::run_cli({"check", file, "--outfall", "1", "--tailwater", "107.5", "--json"});
    EXPECT_EQ(r.exit_code, 3) << r.err;
    const auto out = nlohmann::json::parse(r.out);
    ASSERT_EQ(out.size(), 1u);
    const auto& v = out.at("violations").at(0);
    EXPECT_EQ(v.size(), 6u);
    EXPECT_EQ(v.at("rule"), "hgl_rim");
    EXPECT_EQ(v.at("pipe"), "O'Brien 1");
    EXPECT_EQ(v.at("structure"), "2");
    EXPECT_GT(v.at("value").get<double>(), 107.0);
    EXPECT_DOUBLE_EQ(v.at("limit").get<double>(), 107.0);
    EXPECT_TRUE(v.at("source").get<std::string>().ends_with("(unverified)"));

    testing::expect_refusal(
        testing::run_cli({"check", file, "--outfall", "9", "--tailwater", "100"}),
        "no pipe ends at structure '9'");
}

}  // namespace pelvane
