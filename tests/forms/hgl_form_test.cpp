#include "forms/hgl_form.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "report/xlsx/workbook.h"
#include "store/project_database.h"
#include "support/report_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;
using pelvane::testing::pipe_row;

std::string bytes_of(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream data;
    data << in.rdbuf();
    return data.str();
}

class HglFormTest : public ::testing::Test {
  protected:
    void open(const std::vector<pelvane::testing::RowValues>& pipes,
              const pelvane::testing::ProjectValues& values = {}) {
        pelvane::testing::make_network_project(file_, values, pipes);
        context_.program_folder = pelvane::testing::program_folder();
        store::open_project(context_, file_);
        form_.emplace(context_, session_, ui_, nullptr);
        form_->open();
    }

    // Chooses the structure and tailwater as the person would, leaving the field.
    void compute(const std::string& node, const std::string& tailwater) {
        form_->fields.set_text("hglanodeout", node);
        form_->fields.set_text("TWE", tailwater);
        form_->field_left("TWE");
        form_->cmdHGL();
    }

    pelvane::testing::TempFolder folder_;
    fs::path file_ = folder_ / "network.pvd";
    fs::path out_ = folder_ / "ld347.xlsx";
    store::ProjectContext context_;
    forms::DesignSession session_;
    pelvane::testing::ScriptedUi ui_;
    std::optional<HglForm> form_;
};

TEST_F(HglFormTest, OpeningListsTheStructuresWherePipesEndAndSetsTheTailwater) {
    open({pipe_row("1", "2", "1"), pipe_row("2", "3", "2"), pipe_row("3", "4", "2"),
          pipe_row("4", "12", "10"), pipe_row("5", "9", "")});
    EXPECT_EQ(form_->fields.at("hglanodeout").items, (std::vector<std::string>{"1", "10", "2"}));
    EXPECT_EQ(form_->fields.text("hglanodeout"), "");
    EXPECT_EQ(form_->fields.text("TWE"), "0.0");
    EXPECT_EQ(form_->fields.text("length_unit"), "ft");
}

TEST_F(HglFormTest, TheTailwaterIsRewrittenWithTwoDecimalsOnLeaving) {
    open({pipe_row("1", "2", "1")});
    const std::vector<std::pair<std::string, std::string>> cases{
        {"100", "100.00"}, {"99.995", "100.00"}, {"-1.5", "-1.50"}, {"", ""}, {"1.2.3", "1.2.3"}};
    for (const auto& [typed, shown] : cases) {
        form_->fields.set_text("TWE", typed);
        form_->field_left("TWE");
        EXPECT_EQ(form_->fields.text("TWE"), shown) << typed;
    }
}

TEST_F(HglFormTest, WithoutAStructureComputeDoesNothing) {
    open({pipe_row("1", "2", "1")});
    const double gravity = session_.unit_constants.gravity;
    form_->cmdHGL();
    EXPECT_TRUE(ui_.dialogs.empty());
    EXPECT_TRUE(ui_.shown.empty());
    EXPECT_EQ(session_.unit_constants.gravity, gravity);
}

TEST_F(HglFormTest, RefusingTheFileNameEndsWithoutAWorkbook) {
    open({pipe_row("1", "2", "1")});
    ui_.files = {""};
    compute("1", "100");
    ASSERT_EQ(ui_.dialogs.size(), 1u);
    EXPECT_EQ(ui_.dialogs[0].title, "Enter New File Name for Form LD347");
    EXPECT_EQ(ui_.texts(), std::vector<std::string>{"No File Name selected!"});
    EXPECT_TRUE(ui_.opened.empty());
}

// Outfall 1; pipe 1 from 2 to 1; pipes 2 and 3 both end at 2, pipe 3 entering at
// a right angle; pipe 4 above pipe 2. Paths: 1-2-3-5, then 2-4.
TEST_F(HglFormTest, ARunWritesTheOutfallRowThePathsWithAnEmptyRowBetweenAndD4) {
    open({pipe_row("1", "2", "1"), pipe_row("2", "3", "2", {{"PIPE_STORM_FREQ", "10"}}),
          pipe_row("3", "4", "2", {{"PIPE_SKEW", "90"}, {"PIPE_STORM_FREQ", "25 "}}),
          pipe_row("4", "5", "3"), pipe_row("5", "8", "")},  // not connected
         {"Route 9", "R. Hale", "Pulaski", "", "", "ENGLISH"});
    const std::string before = bytes_of(file_);
    ui_.files = {out_.string()};
    compute("1", "100");

    EXPECT_EQ(ui_.texts(),
              std::vector<std::string>{"Finished! Please check and Save your results"});
    EXPECT_EQ(ui_.last().icon, Icon::None);
    EXPECT_EQ(ui_.opened, std::vector<std::string>{out_.string()});
    EXPECT_EQ(session_.unit_constants.gravity, 32.2);
    EXPECT_EQ(session_.unit_constants.unit_divisor, 12.0);
    EXPECT_EQ(bytes_of(file_), before);  // the project is only read

    const auto book = report::Workbook::open(out_);
    EXPECT_EQ(book.cell(1, 9).text, "Route 9");
    EXPECT_EQ(book.cell(1, 26).text, "R. Hale");
    EXPECT_EQ(book.cell(4, 4).text, "25");  // the last pipe written, trimmed
    EXPECT_EQ(book.cell(11, 1).text, "1");
    EXPECT_DOUBLE_EQ(book.cell(11, 25).number, 100.0);  // "100.00" as typed
    EXPECT_EQ(book.cell(12, 1).text, "2");
    EXPECT_EQ(book.cell(13, 1).text, "3");
    EXPECT_EQ(book.cell(14, 1).text, "5");
    for (int column = 1; column <= 27; ++column) {
        EXPECT_TRUE(book.cell(15, column).empty()) << column;
    }
    EXPECT_EQ(book.cell(16, 1).text, "4");
    EXPECT_TRUE(book.cell(17, 1).empty());

    // Row 12 by hand: 18 in pipe, 10 cfs, n 0.013, 100 ft, outlet invert 100.00,
    // depth 0.80, 5.66 ft/sec, from a manhole (top 108.00) where pipes 2 and 3
    // (10 cfs at 5.66 each) enter, pipe 3 at 90 degrees.
    const double g2 = 2 * 32.2;
    const double ws_outlet =
        100.0 + 0.8 * 18 / 12;  // above the depth level 100.80 and the tailwater
    const double sf = std::pow(10 * 0.013 / (0.453 * std::pow(18.0 / 12, 2.6667)), 2);
    const double ho = 0.25 * 5.66 * 5.66 / g2;
    const double hi = 0.35 * 5.66 * 5.66 / g2;
    const double hb = 0.7 * 5.66 * 5.66 / g2;
    const double hgl = ws_outlet + 100 * sf + ho + hi + hb;
    const std::vector<std::pair<int, double>> numbers{{3, 100.0},
                                                      {4, 1.5},
                                                      {5, ws_outlet},
                                                      {7, 10.0},
                                                      {8, 100.0},
                                                      {9, sf},
                                                      {10, 100 * sf},
                                                      {11, 5.66},
                                                      {12, ho},
                                                      {13, 5.66},
                                                      {14, 5.66 * 5.66 / g2},
                                                      {15, hi},
                                                      {16, 90.0},
                                                      {17, 0.7},
                                                      {18, hb},
                                                      {19, ho + hi + hb},
                                                      {20, 0.0},
                                                      {21, ho + hi + hb},
                                                      {23, ho + hi + hb},
                                                      {24, 100 * sf + ho + hi + hb},
                                                      {25, hgl},
                                                      {26, 108.0}};
    for (const auto& [column, value] : numbers) {
        EXPECT_TRUE(book.cell(12, column).is_number()) << column;
        EXPECT_NEAR(book.cell(12, column).number, value, 1e-9) << column;
    }
    EXPECT_EQ(book.cell(12, 2).text, "10+50");
    EXPECT_EQ(book.cell(12, 6).text, "18");
    EXPECT_EQ(book.cell(12, 22).text, "NO");
    EXPECT_EQ(book.cell(12, 27).text, "O.K.");
    // Row 13 starts from the grade line of row 12.
    EXPECT_NEAR(book.cell(13, 5).number, hgl, 1e-9);
}

TEST_F(HglFormTest, AnEmptyTailwaterCountsAsZeroAndMetricSetsItsConstants) {
    pelvane::testing::ProjectValues metric;
    metric.units = "METRIC";
    open({pipe_row("1", "2", "1", {{"PIPE_DIA", "450"}})}, metric);
    ui_.files = {out_.string()};
    compute("1", "");
    EXPECT_EQ(form_->fields.text("TWE"), "0.0");
    EXPECT_EQ(form_->fields.text("length_unit"), "m");
    EXPECT_EQ(session_.unit_constants.gravity, 9.8);
    EXPECT_EQ(session_.unit_constants.unit_divisor, 1000.0);
    const auto book = report::Workbook::open(out_);
    EXPECT_DOUBLE_EQ(book.cell(11, 25).number, 0.0);
    EXPECT_DOUBLE_EQ(book.cell(12, 4).number, 0.45);
}

TEST_F(HglFormTest, CloseAsksTheWindowToClose) {
    open({pipe_row("1", "2", "1")});
    form_->cmdHGLclose();
    EXPECT_TRUE(form_->close_requested);
}

}  // namespace
}  // namespace pelvane::forms
