// pelvane profile and plan as a user runs them on the sample project.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane {
namespace {

namespace fs = std::filesystem;
using testing::run_cli;

TEST(ProfileCli, WritesTheDrawingAndRefusesByOption) {
    testing::TempFolder folder;
    const std::string sample = (testing::program_folder() / "samples" / "Sample.pvd").string();
    const fs::path out = folder / "run.pdf";
    const std::vector<std::string> run = {"profile",   sample, "--from",      "9",
                                          "--outfall", "1",    "--tailwater", "2076.5"};
    const auto r = run_cli(testing::with(run, {"-o", out.string(), "--json"}));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["pipes"], 5);
    EXPECT_EQ(json["file"], out.string());
    EXPECT_GT(fs::file_size(out), 1000u);

    const auto bad = [&](std::vector<std::string> args) {
        return run_cli(testing::with(std::move(args), {"-o", (folder / "x.svg").string()}));
    };
    testing::expect_refusal(
        bad({"profile", sample, "--from", "99", "--outfall", "1", "--tailwater", "0"}),
        "--from: no pipe is numbered '99'");
    const auto txt = run_cli(testing::with(run, {"-o", (folder / "run.txt").string()}));
    EXPECT_EQ(txt.exit_code, 2);
    EXPECT_NE(txt.err.find("run.txt: the file name must end in .svg, .png or .pdf"),
              std::string::npos)
        << txt.err;
    EXPECT_FALSE(fs::exists(folder / "x.svg"));
}

TEST(PlanCli, WritesThePlanColouredByTheChosenResult) {
    testing::TempFolder folder;
    const std::string sample = (testing::program_folder() / "samples" / "Sample.pvd").string();
    const fs::path out = folder / "net.svg";
    const auto r = run_cli({"plan", sample, "-o", out.string(), "--colour", "full"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("pipes: 9"), std::string::npos) << r.out;
    EXPECT_GT(fs::file_size(out), 1000u);
    const auto speed = run_cli({"plan", sample, "-o", out.string(), "--colour", "speed"});
    EXPECT_EQ(speed.exit_code, 2);
    EXPECT_NE(speed.err.find("--colour speed: choose one of velocity, full, capacity, check"),
              std::string::npos)
        << speed.err;
}

}  // namespace
}  // namespace pelvane
