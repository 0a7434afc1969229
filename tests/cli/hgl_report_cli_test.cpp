// The grade line and report commands as a user runs them.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <vector>

#include "report/xlsx/workbook.h"
#include "support/report_projects.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane {
namespace {

namespace fs = std::filesystem;
using testing::pipe_row;
using testing::run_cli;

class HglReportCli : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::make_network_project(
            file_, {},
            {pipe_row("1", "2", "1"), pipe_row("2", "3", "2"),
             pipe_row("3", "4", "2", {{"PIPE_VELOCITY", "abc"}, {"PIPE_STORM_FREQ", "25"}})});
    }
    testing::TempFolder folder_;
    fs::path file_ = folder_ / "O'Brien road.pvd";
};

TEST_F(HglReportCli, HglJsonHasNumbersStoredStringsAndNullsInRowOrder) {
    const auto r =
        run_cli({"hgl", file_.string(), "--outfall", "1", "--tailwater", "100", "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const auto out = nlohmann::json::parse(r.out);
    EXPECT_EQ(out["storm_frequency"], "25");
    const auto& rows = out["rows"];
    ASSERT_EQ(rows.size(), 4u);  // the empty row between the paths is left out
    EXPECT_EQ(rows[3]["row"], 15);
    EXPECT_EQ(rows[0]["fields"].size(), 27u);
    EXPECT_EQ(rows[0]["fields"][24], "100.00");  // as the field holds it after leaving
    EXPECT_TRUE(rows[0]["fields"][1].is_null());
    EXPECT_DOUBLE_EQ(rows[1]["fields"][4].get<double>(), 101.2);  // unrounded: 100 + 0.8 x 1.5
    EXPECT_EQ(rows[3]["fields"][10], "abc");  // a stored text that is not a number
}

TEST_F(HglReportCli, HglWritesTheWorkbookAndRefusesBadInput) {
    const fs::path out = folder_ / "hgl.xlsx";
    const auto r = run_cli(
        {"hgl", file_.string(), "--outfall", "1", "--tailwater", "99.5", "-o", out.string()});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("row 12:\t2\t10+50"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("workbook: " + out.string()), std::string::npos) << r.out;
    const auto book = report::Workbook::open(out);
    EXPECT_DOUBLE_EQ(book.cell(11, 25).number, 99.5);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"hgl", file_.string(), "--tailwater", "100"},
          {"hgl", file_.string(), "--outfall", "1", "--tailwater", "high"},
          {"hgl", file_.string(), "--outfall", "1", "--tailwater", "1", "--pdf"}}) {
        EXPECT_EQ(run_cli(args).exit_code, 2) << args.back();
    }

    const auto unknown = run_cli({"hgl", file_.string(), "--outfall", "4", "--tailwater", "1"});
    EXPECT_EQ(unknown.exit_code, 1);  // no pipe ends at 4
    EXPECT_NE(unknown.err.find("'4'"), std::string::npos) << unknown.err;
    EXPECT_EQ(
        run_cli({"hgl", (folder_ / "none.pvd").string(), "--outfall", "1", "--tailwater", "1"})
            .exit_code,
        1);
}

TEST_F(HglReportCli, ReportsWriteTheirWorkbooks) {
    const fs::path ld229 = folder_ / "ld229.xlsx";
    auto r = run_cli({"report", "ld229", file_.string(), "-o", ld229.string(), "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    auto out = nlohmann::json::parse(r.out);
    EXPECT_EQ(out["workbook"], ld229.string());
    EXPECT_EQ(out["skipped_cells"], 0);
    EXPECT_FALSE(out.contains("pdf"));
    auto book = report::Workbook::open(ld229);
    EXPECT_EQ(book.cell(14, 1).text, "3");

    const fs::path pipe = folder_ / "pipe 2";  // the workbook ending is added
    r = run_cli({"report", "pipe", file_.string(), "--pipe", "2", "-o", pipe.string()});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    book = report::Workbook::open(folder_ / "pipe 2.xlsx");
    EXPECT_EQ(book.cell(11, 3).text, "2");

    const fs::path empty = folder_ / "empty.pvd";
    testing::make_network_project(empty, {}, {});
    const auto none = run_cli({"report", "ld229", empty.string(), "-o", pipe.string()});
    EXPECT_EQ(none.exit_code, 1);
    EXPECT_NE(none.err.find("No pipes to Display in LD229 Report!"), std::string::npos);
    EXPECT_EQ(run_cli({"report", "pipe", file_.string(), "-o", pipe.string()}).exit_code, 2);
}

}  // namespace
}  // namespace pelvane
