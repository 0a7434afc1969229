// The grid's two report commands: Form LD229 and Pipe Report.

#include <gtest/gtest.h>

#include <regex>

#include "forms/ld229_report.h"
#include "forms/pipe_report.h"
#include "report/xlsx/workbook.h"
#include "store/project_database.h"
#include "support/report_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;
using pelvane::testing::pipe_row;

class ReportCommands : public ::testing::Test {
  protected:
    void open(const std::vector<pelvane::testing::RowValues>& pipes,
              const std::string& units = "ENGLISH") {
        pelvane::testing::ProjectValues values;
        values.units = units;
        pelvane::testing::make_network_project(file_, values, pipes);
        context_.program_folder = pelvane::testing::program_folder();
        store::open_project(context_, file_);
    }

    pelvane::testing::TempFolder folder_;
    fs::path file_ = folder_ / "network.pvd";
    fs::path out_ = folder_ / "report.xlsx";
    store::ProjectContext context_;
    forms::DesignSession session_;
    pelvane::testing::ScriptedUi ui_;
};

TEST_F(ReportCommands, Ld229WritesEveryPipeThroughTheReportSequence) {
    open({pipe_row("9", "3", "2"), pipe_row("10", "2", "1"), pipe_row("O'Brien 1", "4", "3")});
    ui_.files = {out_.string()};
    const auto written = run_ld229_report(context_, session_, ui_, nullptr);
    ASSERT_TRUE(written);
    EXPECT_TRUE(ui_.shown.empty());  // no closing message
    EXPECT_EQ(session_.unit_constants.gravity, 32.2);
    const auto book = report::Workbook::open(out_);
    EXPECT_EQ(book.cell(12, 1).text, "10");
    EXPECT_EQ(book.cell(14, 1).text, "O'Brien 1");
}

TEST_F(ReportCommands, PipeReportCoversTheSelectedPipeOrTheFirstRow) {
    open({pipe_row("9", "3", "2", {{"PIPE_LENGTH", "90.00"}}),
          pipe_row("10", "2", "1", {{"PIPE_LENGTH", "110.00"}})});
    ui_.files = {out_.string()};
    ASSERT_TRUE(run_pipe_report(context_, ui_, "9", nullptr));
    auto book = report::Workbook::open(out_);
    EXPECT_EQ(book.cell(11, 3).text, "9");
    EXPECT_EQ(book.cell(12, 3).text, "90.00");  // as stored, not a number
    EXPECT_EQ(book.cell(2, 9).text, today_text());

    // Right after the grid opens the first row (in text order) is selected.
    const fs::path first = folder_ / "first.xlsx";
    ui_.files = {first.string()};
    ASSERT_TRUE(run_pipe_report(context_, ui_, "", nullptr));
    EXPECT_EQ(report::Workbook::open(first).cell(11, 3).text, "10");

    ui_.clear();
    EXPECT_FALSE(run_pipe_report(context_, ui_, "77", nullptr));  // gone since the grid was read
    EXPECT_TRUE(ui_.dialogs.empty());
}

TEST(TodayText, IsMonthDayYear) {
    EXPECT_TRUE(
        std::regex_match(today_text(), std::regex(R"((1[0-2]|0?[1-9])/([0-3]?[0-9])/\d{4})")))
        << today_text();
}

}  // namespace
}  // namespace pelvane::forms
