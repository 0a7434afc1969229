#include "forms/hgl_form.h"

#include <gtest/gtest.h>

#include "report/xlsx/workbook.h"
#include "store/project_database.h"
#include "support/file_bytes.h"
#include "support/report_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;
using pelvane::testing::pipe_row;

using pelvane::testing::bytes_of;

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

// Outfall 1; pipe 1 from 2 to 1; pipes 2 and 3 both end at 2, pipe 3 entering at
// a right angle; pipe 4 above pipe 2. Paths: 1-2-3-5, then 2-4. The rows and their
// numbers are the grade line engine's, their cells the LD-347 layout's; here the
// window's run reaches the workbook.
TEST_F(HglFormTest, ARunWritesTheWorkbookAndOpensIt) {
    open({pipe_row("1", "2", "1"), pipe_row("2", "3", "2", {{"PIPE_STORM_FREQ", "10"}}),
          pipe_row("3", "4", "2", {{"PIPE_SKEW", "90"}, {"PIPE_STORM_FREQ", "25 "}}),
          pipe_row("4", "5", "3"), pipe_row("5", "8", "")},  // not connected
         {"Route 9", "R. Hale", "Pulaski", "", "", "ENGLISH"});
    const std::string before = bytes_of(file_);
    ui_.files = {out_.string()};
    compute("1", "100");

    EXPECT_EQ(ui_.texts(),
              std::vector<std::string>{"Finished! Please check and Save your results"});
    EXPECT_EQ(ui_.opened, std::vector<std::string>{out_.string()});
    EXPECT_EQ(session_.unit_constants.gravity, 32.2);
    EXPECT_EQ(session_.unit_constants.unit_divisor, 12.0);
    EXPECT_EQ(bytes_of(file_), before);  // the project is only read

    const auto book = report::Workbook::open(out_);
    EXPECT_EQ(book.cell(1, 9).text, "Route 9");
    EXPECT_EQ(book.cell(4, 4).text, "25");  // the last pipe written, trimmed
    EXPECT_EQ(book.cell(11, 1).text, "1");
    EXPECT_DOUBLE_EQ(book.cell(11, 25).number, 100.0);  // "100.00" as typed
    // Every column of a pipe row is read from the project file.
    for (int column = 3; column <= 26; ++column) {
        if (column == 6 || column == 22) continue;
        EXPECT_TRUE(book.cell(12, column).is_number()) << column;
    }
    EXPECT_EQ(book.cell(16, 1).text, "4");
    EXPECT_TRUE(book.cell(17, 1).empty());
}

}  // namespace
}  // namespace pelvane::forms
