#include "forms/pipe_grid_form.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/pipe/catalogue.h"
#include "forms/input_conventions.h"
#include "forms/pipe_grid_test_network.h"
#include "forms/pipe_rules.h"
#include "forms/size_pickers.h"
#include "support/scripted_ui.h"

namespace pelvane::forms {
namespace {

using testing::FakeGridWindows;
using testing::ScriptedUi;
using testing::TestNetwork;

// Types a number into the dialog and presses Accept; a dialog still open after that
// is cancelled, as the person would.
std::function<void(RenumberForm&)> type_and_accept(const std::string& number) {
    return [number](RenumberForm& dialog) {
        dialog.fields.set_text("newpipenumber", number);
        dialog.accept();
        if (!dialog.close_requested) dialog.cancel();
    };
}

class PipeGridFormTest : public ::testing::Test {
  protected:
    explicit PipeGridFormTest(bool legacy = false) : net_(legacy) {}

    PipeGridForm& open_grid(int remembered = 0) {
        grid_ = std::make_unique<PipeGridForm>(net_.context(), session_, ui_, windows_);
        grid_->open(remembered);
        return *grid_;
    }
    std::vector<std::string> pipe_ids() const {
        std::vector<std::string> ids;
        for (std::size_t r = 0; r < static_cast<std::size_t>(grid_->record_count()); ++r)
            ids.emplace_back(grid_->shown_cell(r, 0));
        return ids;
    }

    TestNetwork net_;
    DesignSession session_;
    ScriptedUi ui_;
    FakeGridWindows windows_;
    std::unique_ptr<PipeGridForm> grid_;
};

TEST_F(PipeGridFormTest, OpeningSetsTheProjectWideValuesAndListsThePipesInTextOrder) {
    session_.number_format = "0.0000";
    session_.sub_area_list_length = 24;
    session_.unit_constants.gravity = 9.8;
    net_.add({{"9", "S9", "S1", {}},
              {"10", "S10", "S1", {}},
              {"O'Brien 1", "S11", "S1", {}},
              {"1", "S1", "OUT", {"9", "10", "O'Brien 1"}}});
    auto& grid = open_grid();
    EXPECT_EQ(session_.number_format, "0.000");
    EXPECT_EQ(session_.sub_area_list_length, 15);
    EXPECT_EQ(session_.unit_constants.gravity, 32.2);
    EXPECT_TRUE(grid.fields.at("mnuEnergy").enabled);

    EXPECT_EQ(pipe_ids(), (std::vector<std::string>{"1", "10", "9", "O'Brien 1"}));
    EXPECT_EQ(grid.fields.text("rec_count"), "4");
    EXPECT_EQ(grid.selected_row(), 1);
    ASSERT_EQ(grid.columns().size(), 17u);
    EXPECT_EQ(grid.columns()[16].heading, "PRE_PIPE4");
    // Units under the headings of lengths, sizes and discharges only.
    EXPECT_EQ(grid.column_unit(3), "ft");
    EXPECT_EQ(grid.column_unit(5), "");
    const GridRow first = grid.shown_row(0);
    EXPECT_EQ(first[2], "OUT");
    EXPECT_EQ(first[15], "O'Brien 1");
}

TEST_F(PipeGridFormTest, ViewEditAndAddOpenThePipeWindowAndThenRefresh) {
    net_.add({{"1", "A", "B", {}}, {"2", "C", "B", {}}, {"3", "D", "B", {}}});
    auto& grid = open_grid();
    grid.select_row(2);
    grid.select_row(0);  // outside the rows: ignored
    grid.select_row(4);
    grid.view();
    EXPECT_EQ(windows_.opened.back(), "pipe view 2");
    // Refresh closes the grid with the exit flag clear, so it is shown again.
    EXPECT_TRUE(grid.reopen_marker());
    EXPECT_TRUE(grid.close_requested);
    grid.closing();
    EXPECT_FALSE(net_.context().grid_exit_flag);

    // The next showing keeps the row; a remembered row beyond the list gives the first.
    open_grid(grid.selected_row());
    EXPECT_FALSE(grid_->reopen_marker());
    EXPECT_FALSE(grid_->close_requested);
    EXPECT_EQ(grid_->selected_pipe(), "2");
    grid_->edit();
    grid_->add();
    grid_->profile();
    grid_->plan();
    EXPECT_EQ(windows_.opened, (std::vector<std::string>{"pipe view 2", "pipe edit 2", "pipe add ",
                                                         "profile 2", "plan"}));
    EXPECT_TRUE(grid_->select_pipe("1") && grid_->selected_row() == 1);
    EXPECT_EQ(open_grid(7).selected_row(), 1);
    EXPECT_TRUE(ui_.shown.empty());

    // Size Pipes: the dialog refuses a share of 0 and stays open, then sizes the
    // selected pipe, which has no shape to size.
    windows_.sizing = [](SizingForm& dialog) {
        for (const char* share : {"0", "90"}) {
            dialog.fields.set_text("max_full", share);
            dialog.accept();
        }
    };
    grid_->size_pipes();
    EXPECT_EQ(ui_.texts(),
              (std::vector<std::string>{
                  "Largest share of full flow (%) must be a percentage of full flow "
                  "above 0 and at most 100 (100 allows no pressure flow); it is \"0\".",
                  "No pipe changed size.\nNot sized (each keeps its size):\n  Pipe 1: "
                  "there is no table of standard sizes for the shape \"\"\nSizes "
                  "settled after 1 pass."}));
    EXPECT_TRUE(grid_->close_requested);
}

// A pipe that drains into another is refused; one that no pipe lists goes, and the
// grid refreshes, unless it was the last.
TEST_F(PipeGridFormTest, DeleteAsksRefusesAPipeThatDrainsIntoAnotherAndRefreshes) {
    net_.add(
        {{"1", "A", "OUT", {"O'Brien 5"}}, {"O'Brien 5", "C", "A", {}}, {"Z 9", "D", "A", {}}});
    auto& grid = open_grid(2);
    ASSERT_EQ(grid.selected_pipe(), "O'Brien 5");

    ui_.answers = {Answer::No};
    grid.delete_pipe();
    EXPECT_EQ(ui_.last().text, "Delete Current Pipe - O'Brien 5 ?");
    EXPECT_EQ(ui_.shown.size(), 1u);

    ui_.answers = {Answer::Yes};
    grid.delete_pipe();
    EXPECT_EQ(ui_.last().text,
              "Current Pipe is used as a Previous Pipe for Pipe  - 1 - Delete Denied!");
    EXPECT_EQ(net_.pipes().count(), 3);
    EXPECT_FALSE(grid.close_requested);

    open_grid(3);
    ui_.answers = {Answer::Yes};
    grid_->delete_pipe();
    EXPECT_EQ(ui_.last().text,
              "Current pipe Deleted! Please Refresh the screen to verify the results");
    EXPECT_EQ(net_.numbers(), (std::vector<std::string>{"1", "O'Brien 5"}));
    EXPECT_EQ(grid_->fields.text("rec_count"), "2");
    EXPECT_EQ(grid_->selected_row(), 2);
    EXPECT_TRUE(grid_->close_requested);

    // The last pipe goes too: the grid stays open on an empty list.
    for (int left = 2; left > 0; --left) {
        open_grid();
        ui_.answers = {Answer::Yes};
        grid_->delete_pipe();
    }
    EXPECT_EQ(grid_->record_count(), 0);
    EXPECT_EQ(grid_->selected_row(), 0);
    EXPECT_FALSE(grid_->close_requested);
}

TEST_F(PipeGridFormTest, ModifyRenumbersThePipeAndEveryReference) {
    net_.add({{"5", "A", "B", {}}, {"6", "C", "A", {}}, {"8", "B", "OUT", {"6", "", "", "5"}}});
    auto& grid = open_grid();
    ASSERT_EQ(grid.selected_pipe(), "5");
    windows_.renumber = type_and_accept("7");
    ui_.answers = {Answer::Yes, Answer::Yes};
    grid.modify();
    EXPECT_EQ(ui_.texts(),
              (std::vector<std::string>{
                  "Modify Current pipe number - 5 ?",
                  "Current pipe is a Previous Pipe to Pipe Number - 8 - Modify Anyway?",
                  "Update completed! Please Refresh the screen to verify your changes"}));
    EXPECT_EQ(net_.value("8", "PRENODE4"), "7");  // every reference: the pipe rules' renumber
    EXPECT_EQ(pipe_ids(), (std::vector<std::string>{"6", "7", "8"}));
    EXPECT_TRUE(grid.close_requested);
}

// A file open for viewing: every changing command is off, even from the keyboard.
TEST_F(PipeGridFormTest, AFileOpenForViewingOnlyOffersNoChange) {
    net_.add({{"1", "A", "OUT", {}}});
    net_.context().viewing_only = true;
    auto& grid = open_grid();
    EXPECT_FALSE(grid.fields.at("cmdflexveditpipe").enabled);
    EXPECT_TRUE(grid.fields.at("read_only_banner").visible);
    grid.edit();
    grid.delete_pipe();
    grid.view();
    EXPECT_EQ(windows_.opened, std::vector<std::string>{"pipe view 1"});
    EXPECT_TRUE(ui_.shown.empty());
}

TEST(CompareCells, NumbersByValueAndTextsByTheirDigitRuns) {
    const std::vector<std::pair<std::string, std::string>> before = {
        {"2", "10"},  {"-1.5", "0.25"}, {"1.5", "1.25e1"},          {"", "0"},
        {"9.5", "A"}, {"S2", "s10"},    {"O'Brien 1", "O'Brien 2"}, {"O'Brien 2", "O'Brien 10"},
        {"007", "7"}, {"a", "B"}};
    for (const auto& [a, b] : before) {
        EXPECT_LT(compare_cells(a, b), 0) << a << " before " << b;
        EXPECT_GT(compare_cells(b, a), 0) << b << " after " << a;
    }
    EXPECT_EQ(compare_cells("S1", "S1"), 0);
}

// Sorting and filtering keep the selection on its pipe; a filter that hides every
// pipe leaves nothing to view, while the count stays that of the project.
TEST_F(PipeGridFormTest, SortAndFilterKeepTheSelectedPipe) {
    net_.add({{"10", "S10", "OUT", {}}, {"2", "S2", "OUT", {}}, {"1", "S1", "S2", {}}});
    auto& grid = open_grid(3);
    EXPECT_EQ(grid.selected_pipe(), "2");
    grid.sort_by(0);
    EXPECT_EQ(pipe_ids(), (std::vector<std::string>{"1", "2", "10"}));
    EXPECT_EQ(grid.selected_row(), 2);
    grid.sort_by(0);
    EXPECT_EQ(pipe_ids(), (std::vector<std::string>{"10", "2", "1"}));
    grid.set_filter("s1");
    EXPECT_EQ(pipe_ids(), (std::vector<std::string>{"10", "1"}));
    EXPECT_EQ(grid.selected_pipe(), "10");
    grid.set_filter("nowhere");
    EXPECT_EQ(grid.fields.text("rec_count"), "3");
    grid.view();
    EXPECT_EQ(ui_.last().text, kNoPipesToViewEdit);
    EXPECT_TRUE(windows_.opened.empty());
}

// Export writes the list in the project's folder; an import is previewed with every
// problem, and only a list without any is added.
TEST_F(PipeGridFormTest, ImportAndExportPipeListsThroughThePreview) {
    net_.add({{"1", "A", "OUT", {}}});
    auto& grid = open_grid();
    const auto folder = net_.file().parent_path();
    ui_.files = {(folder / "out.csv").string()};
    grid.export_pipes();
    EXPECT_EQ(ui_.dialogs.back().initial_folder, folder.string());
    EXPECT_NE(ui_.last().text.find("out.csv"), std::string::npos);

    const auto import = [&](const std::string& text) {
        std::ofstream(folder / "in.csv") << text;
        ui_.files = {(folder / "in.csv").string()};
        grid.import_pipes();
        return windows_.previews.back();
    };
    const auto refused = import(
        "PIPE_NUMBER,NODEIN_NO,NODEOUT_NO,PIPE_LENGTH\n"
        "1,B,OUT,10\nO'Brien 2,C,A,abc\n");
    EXPECT_EQ(refused.rows.size(), 2u);
    EXPECT_EQ(refused.rows[1][0], "O'Brien 2");
    ASSERT_EQ(refused.problems.size(), 2u) << refused.problems[0].text();
    EXPECT_EQ(refused.summary(),
              "2 problems in 2 rows: nothing will be imported until they are fixed.");
    EXPECT_EQ(net_.numbers(), std::vector<std::string>{"1"});

    const auto accepted = import("PIPE_NUMBER,NODEIN_NO,NODEOUT_NO\nO'Brien 2,C,A\n");
    EXPECT_EQ(accepted.summary(), "1 pipe will be added to the project.");
    EXPECT_EQ(net_.numbers(), (std::vector<std::string>{"1", "O'Brien 2"}));
    EXPECT_EQ(grid.record_count(), 2);
}

// Copied rows paste back; a paste with a bad value writes nothing and names it; a
// good one updates the pipe it names (which loses its results) and adds the other.
TEST_F(PipeGridFormTest, PasteUpdatesAndAddsPipesOrChangesNothing) {
    net_.add({{"1", "A", "OUT", {}}, {"O'Brien 2", "B", "A", {}}});
    net_.db().prepare("UPDATE PIPE SET CAPACITY = '12.5' WHERE PIPE_NUMBER = '1'").step();
    auto& grid = open_grid();
    const std::string copied = grid.copy_rows({2});
    EXPECT_EQ(copied.substr(0, copied.find('\t')), "PIPE_NUMBER");
    EXPECT_NE(copied.find("\nO'Brien 2\tB\tA\t"), std::string::npos);
    const auto dump = [&] { return read_all_columns(net_.db()).rows; };
    const auto before = dump();
    grid.paste_pipes(copied);
    EXPECT_EQ(ui_.last().text, pipe_list_texts::kNothingToPaste);

    grid.paste_pipes("PIPE_NUMBER\tPIPE_LENGTH\n1\t-5\nO'Brien 3\t10\n");
    EXPECT_EQ(dump(), before);
    ASSERT_EQ(windows_.previews.back().problems.size(), 1u);
    EXPECT_EQ(windows_.previews.back().problems[0].line, 2);
    EXPECT_EQ(windows_.previews.back().problems[0].column, "PIPE_LENGTH");

    grid.paste_pipes("PIPE_NUMBER,PIPE_LENGTH\n1,250\nO'Brien 3,10\n");
    EXPECT_EQ(windows_.previews.back().summary(), "1 pipe will be updated and 1 added.");
    EXPECT_EQ(net_.value("1", "PIPE_LENGTH"), "250");
    EXPECT_EQ(net_.value("1", "CAPACITY"), "");
    EXPECT_EQ(net_.value("1", "NODEIN_NO"), "A");
    EXPECT_EQ(net_.numbers(), (std::vector<std::string>{"1", "O'Brien 2", "O'Brien 3"}));
    EXPECT_EQ(history_menu(net_.db()).undo, "Undo Paste Pipes");
}

// A cell edit is a one-cell paste: a refused value names the pipe and the field and
// leaves the saved one; neither the pipe number nor a size is edited in place.
TEST_F(PipeGridFormTest, EditingACellGoesThroughThePasteChecks) {
    net_.add({{"1", "A", "OUT", {}}});
    auto& grid = open_grid();
    EXPECT_EQ(grid.cell_edit(1, 0), PipeGridForm::CellEdit::None);
    EXPECT_EQ(grid.cell_edit(1, 6), PipeGridForm::CellEdit::None);
    EXPECT_EQ(grid.cell_edit(1, 12), PipeGridForm::CellEdit::None);
    EXPECT_FALSE(grid.edit_cell(1, 3, "-5"));
    EXPECT_EQ(ui_.last().text.rfind("Pipe 1, PIPE_LENGTH: ", 0), 0u) << ui_.last().text;
    EXPECT_EQ(grid.shown_cell(0, 3), "");
    EXPECT_TRUE(grid.edit_cell(1, 3, "120"));
    EXPECT_EQ(grid.shown_cell(0, 3), "120");
    EXPECT_EQ(history_menu(net_.db()).undo, "Undo Edit in Grid");
}

// A pipe that keeps no result is unsolved: never solved, or edited since its solve.
TEST_F(PipeGridFormTest, APipeWithoutResultsIsMarkedUnsolved) {
    EXPECT_TRUE(unsolved(std::vector<std::string>{"", " ", ""}));
    EXPECT_FALSE(unsolved(std::vector<std::string>{"", "SUPER", ""}));
    net_.add({{"1", "A", "OUT", {}}, {"2", "B", "A", {}}});
    net_.db().prepare("UPDATE PIPE SET CAPACITY = '12.5'").step();
    auto& grid = open_grid();
    EXPECT_EQ(grid.fields.text("unsolved_status"), "");
    EXPECT_TRUE(grid.edit_cell(2, 3, "120"));
    EXPECT_FALSE(grid.row_unsolved(1));
    EXPECT_TRUE(grid.row_unsolved(2));
    EXPECT_EQ(grid.fields.text("unsolved_status"), "1 pipe unsolved \u2014 F9 recomputes");
}

// A size comes as the pipe window gives it for the shape, and a shape or material
// brings the window's section changes; each is one step through the same checks.
TEST_F(PipeGridFormTest, SizesAndSectionsFollowThePipeWindowsRules) {
    net_.add({{"1", "A", "OUT", {}}});
    net_.db()
        .prepare("UPDATE PIPE SET PIPE_SHAPE = 'Circular', PIPE_DIA = '18', PIPE_MAT = 'Concrete'")
        .step();
    auto& grid = open_grid();
    using Edit = PipeGridForm::CellEdit;
    EXPECT_EQ(grid.cell_edit(1, 6), Edit::InPlace);
    EXPECT_EQ(grid.cell_edit(1, 7), Edit::None);
    EXPECT_FALSE(grid.edit_cell(1, 6, "19"));
    EXPECT_EQ(ui_.last().text.rfind("Pipe 1, PIPE_DIA: diameter 19", 0), 0u) << ui_.last().text;

    EXPECT_TRUE(grid.edit_cell(1, 4, "Elliptical"));
    const GridRow sizes = grid.shown_row(0);
    EXPECT_EQ(sizes[6] + "|" + sizes[7] + "|" + sizes[8], "|23|14");
    EXPECT_EQ(grid.cell_edit(1, 7), Edit::Picker);
    const SizeRow& row = picker_for("Elliptical", "ENGLISH")->rows[3];
    windows_.pick = [](SizePickerForm& picker) {
        picker.select_row(3);
        picker.select();
    };
    EXPECT_TRUE(grid.pick_size(1));
    EXPECT_EQ(net_.value("1", "SPAN") + "x" + net_.value("1", "RISE"),
              std::string(row.span) + "x" + std::string(row.rise));
    EXPECT_TRUE(grid.edit_cell(1, 11, "Plastic"));
    EXPECT_EQ(net_.value("1", "PIPE_MANN"), *pipe::manning_n("Plastic", "Elliptical"));
    EXPECT_EQ(history_menu(net_.db()).undo, "Undo Edit in Grid");
}

}  // namespace
}  // namespace pelvane::forms
