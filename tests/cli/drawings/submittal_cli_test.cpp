// pelvane submittal as a user runs it on the sample project.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane {
namespace {

TEST(SubmittalCli, WritesTheFolderAndRefusesByOption) {
    testing::TempFolder folder;
    const std::string sample = (testing::program_folder() / "samples" / "Sample.pvd").string();
    const std::string out = (folder / "out").string();
    const auto r = testing::run_cli(
        {"submittal", sample, "--outfall", "1", "--tailwater", "2076.5", "-o", out, "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["files"][0], out + "/LD229.xlsx");
    EXPECT_TRUE(json["pdf"].is_string() || json["pdf"].is_null());
    EXPECT_TRUE(json["messages"].is_array());
    EXPECT_NE(r.err.find("LD-229 ... written LD229.xlsx\n"), std::string::npos) << r.err;

    const auto usage = testing::run_cli({"submittal", sample, "--outfall", "1", "-o", out});
    EXPECT_EQ(usage.exit_code, 2);
    EXPECT_NE(usage.err.find("--tailwater ELEV is required"), std::string::npos) << usage.err;
    testing::expect_refusal(
        testing::run_cli({"submittal", sample, "--outfall", "Z", "--tailwater", "0", "-o", out}),
        "no pipe ends at structure 'Z'");
}

}  // namespace
}  // namespace pelvane
