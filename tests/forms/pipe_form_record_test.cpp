// The pipe window's record (what is written and read back, Solve, Save and Exit) and
// the pipe itself: the number check, the slope rule, and the section through the
// catalogue and its help windows.

#include "forms/pipe_grid_import.h"
#include "pipe_form_fixture.h"
#include "store/pipe_table.h"

using namespace pelvane;
using forms::ScreenMode;

namespace pelvane::testing {
namespace {

class PipeRecordTest : public PipeFormTest {};

// Every bound field goes into its own column and comes back into its own field.
TEST_F(PipeRecordTest, EveryColumnRoundTripsThroughSaveAndReload) {
    make_project();
    auto& f = open("add");
    for (const auto& b : forms::pipe_bindings()) {
        f.fields.set_text(b.field, "v " + std::string(b.column.name()));
    }
    f.fields.set_text("pipe_number", "O'Brien 1");
    f.mark_solved();
    f.mnuSavepipe();
    ASSERT_EQ(ui.last().text, "Record Saved") << ui.last().text;
    EXPECT_EQ(windows.grid_refreshes, 1);
    EXPECT_EQ(f.screen_mode(), ScreenMode::View);
    EXPECT_FALSE(f.adding());
    EXPECT_EQ(f.tab, 2);

    const auto row = store::PipeTable(context->project_connection).find("O'Brien 1");
    ASSERT_TRUE(row);
    for (const auto& b : forms::pipe_bindings()) {
        const std::string expected =
            b.column == "PIPE_NUMBER" ? "O'Brien 1" : "v " + std::string(b.column.name());
        EXPECT_EQ(row->get(b.column), expected) << b.column.name();
    }
    EXPECT_EQ(row->get("STRUCTURE_INPUT"), "") << "only legacy files keep the yes/no pair";

    auto& again = open("view", "O'Brien 1");
    for (const auto& b : forms::pipe_bindings()) {
        EXPECT_EQ(again.fields.text(b.field), row->get(b.column)) << b.field;
    }
}

TEST_F(PipeRecordTest, LegacyFileKeepsThreePreviousPipesAndTheYesNoSource) {
    make_project("ENGLISH", ProjectKind::Legacy);
    add_pipe(row("PIPE_NUMBER=9; STRUCTURE_INPUT=0; STRUCTURE_COMPUTE=1"));
    add_pipe(row("PIPE_NUMBER=10; STRUCTURE_INPUT=1; STRUCTURE_COMPUTE=0"));
    auto& f = open("view", "9");
    EXPECT_EQ(text("dischargeval"), "CRM") << "the source comes from STRUCTURE_INPUT";
    EXPECT_FALSE(f.fields.at("prenode4").visible);
    EXPECT_EQ(f.fields.at("prenode1").items, (std::vector<std::string>{"10", "9"}));
    open("view", "10");
    EXPECT_EQ(text("dischargeval"), "INP");

    auto& edit = open("edit", "9");
    // From the computed source the option asks first, as in a current file.
    ui.answers = {forms::Answer::Yes};
    pick("dischargeval", "INP");
    EXPECT_TRUE(ui.answers.empty());
    EXPECT_EQ(text("dischargeval"), "INP");
    edit.mark_solved();
    edit.mnuSavepipe();
    ASSERT_EQ(ui.last().text, "Record Saved");
    const auto row = store::PipeTable(context->project_connection).find("9");
    EXPECT_EQ(row->get("STRUCTURE_INPUT"), "1");
    EXPECT_EQ(row->get("STRUCTURE_COMPUTE"), "0");
    EXPECT_FALSE(edit.record().holds("PRENODE4"));

    windows.area = [](forms::DrainageAreaForm& area) {
        EXPECT_EQ(area.row_count(), 24);
        area.cmdcancelarea();
    };
    auto& again = open("edit", "10");
    pick("dischargeval", "CRM");
    again.cmdstr_area();
    EXPECT_EQ(windows.opened, (std::vector<std::string>{"frmarea"}));
    EXPECT_FALSE(edit.record().holds("DISCHARGEVAL"));
}

TEST_F(PipeRecordTest, ExitAsksWhileAddingOrEditing) {
    make_project();
    add_pipe(row("PIPE_NUMBER=1; PIPE_LENGTH=80.000"));
    auto& f = open("edit", "1");
    type("pipe_length", "95");

    ui.answers.push_back(forms::Answer::No);
    f.mnuExitPipe();
    EXPECT_EQ(ui.last().text, "Exit without Saving?");
    EXPECT_FALSE(f.close_requested);

    ui.answers.push_back(forms::Answer::Yes);
    f.mnuExitPipe();
    EXPECT_TRUE(f.close_requested);
    EXPECT_FALSE(f.editing());
    EXPECT_EQ(store::PipeTable(context->project_connection).find("1")->get("PIPE_LENGTH"), "80.000")
        << "leaving without saving writes nothing";
}

// Undo waits while a pipe is being edited; after it the window shows its pipe as
// stored, or the first pipe when the step removed the one shown.
TEST_F(PipeRecordTest, UndoWaitsForTypedWorkThenShowsThePipeAsStored) {
    make_project();
    add_pipe(row("PIPE_NUMBER=1; PIPE_LENGTH=80.000"));
    const auto change = [&](const std::string& list, forms::SavedPipes saved) {
        forms::import_pipes(*context, list, forms::ImportMode::Write, saved, "Change");
    };
    open("edit", "1");
    change("PIPE_NUMBER,PIPE_LENGTH\n1,95\n", forms::SavedPipes::Update);
    form->undo();
    EXPECT_EQ(ui.last().text.rfind("Undo Change waits: pipe 1 is being edited.", 0), 0u)
        << ui.last().text;
    EXPECT_EQ(store::PipeTable(context->project_connection).find("1")->get("PIPE_LENGTH"), "95");

    open("view", "1").undo();
    EXPECT_EQ(text("pipe_length"), "80.000");
    EXPECT_EQ(windows.grid_refreshes, 1);
    change("PIPE_NUMBER\n2\n", forms::SavedPipes::Refuse);
    open("view", "2").undo();
    EXPECT_EQ(ui.last().text, "Pipe 2 is no longer in the project. The window shows pipe 1.");
    EXPECT_EQ(text("pipe_number"), "1");
}

class PipeSolveTest : public PipeFormTest {
  protected:
    // A new 18 in concrete pipe with a typed discharge, ready to solve.
    forms::PipeForm& new_pipe(const std::string& discharge, const std::string& elein) {
        make_project();
        auto& f = open("add");
        type("pipe_number", "1");
        type("structure_discharge", discharge);
        type("pipe_length", "200");
        type("pipe_elein", elein);
        type("pipe_eleout", "2080");
        f.fields.set_text("capacity", "old");
        return f;
    }
};

TEST_F(PipeSolveTest, NoDischargeNoFallOrAFailingSectionIsNotSolved) {
    auto& f = new_pipe("0", "2081");
    f.toolbar_solve();
    EXPECT_EQ(f.tab, 2);
    EXPECT_EQ(ui.last().text, "No results computed.  Check your input for discharge!");
    EXPECT_EQ(text("capacity"), "") << "the results are cleared first";

    type("structure_discharge", "4");
    f.fields.set_text("pipe_slope", "0.0");
    f.cmdpipesolve();
    EXPECT_EQ(ui.last().text, "No results computed.  Check your input for Pipe Slope!");

    type("pipe_eleout", "2080");
    f.fields.set_text("pipe_mann", "");
    f.cmdpipesolve();
    EXPECT_EQ(ui.last().text, "Invalid Data Input Error");
    EXPECT_FALSE(ui.saw("Solved! Please check and Save your results"));
    EXPECT_FALSE(f.solved());
}

TEST_F(PipeSolveTest, ASolvedPipeShowsItsResultsAndCanBeSaved) {
    auto& f = new_pipe("4", "2081");
    f.cmdpipesolve();
    EXPECT_EQ(ui.last().text, "Solved! Please check and Save your results");
    EXPECT_TRUE(f.solved());
    for (const forms::FieldName name : forms::kResultFields) {
        EXPECT_NE(text(name), "") << name.str();
    }
    EXPECT_EQ(text("flow_type"), "PARTIAL FLOW");
    EXPECT_EQ(session.number_format, "#0.000");

    f.mnuSavepipe();
    EXPECT_EQ(ui.last().text, "Record Saved");
    EXPECT_EQ(store::PipeTable(context->project_connection).find("1")->get("CAPACITY"),
              text("capacity"));
}

class PipeSectionTest : public PipeFormTest {};

TEST_F(PipeSectionTest, ANewNumberIsCheckedWhenTheLengthIsReached) {
    make_project();
    add_pipe({{"PIPE_NUMBER", "O'Brien 1"}});
    auto& f = open("add");
    f.tab = 2;
    f.field_entered("pipe_length");
    EXPECT_EQ(ui.last().text,
              "pipe number can't be blank. Please enter a valid unique Pipe Number!");
    EXPECT_EQ(f.tab, 0);
    EXPECT_EQ(f.take_focus_request(), forms::FieldName("pipe_number"));

    f.fields.set_text("pipe_number", "O'Brien 1");
    f.field_entered("pipe_length");
    EXPECT_EQ(ui.last().text,
              "O'Brien 1 already exists in the database! Please enter a valid unique Pipe Number");
    EXPECT_EQ(text("pipe_number"), "");
    EXPECT_EQ(f.take_focus_request(), forms::FieldName("pipe_number"));

    ui.clear();
    f.fields.set_text("pipe_number", "O'Brien 2");
    f.field_entered("pipe_length");
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(PipeSectionTest, SlopeFollowsTheLengthAndInvertElevations) {
    make_project();
    open("add");
    type("pipe_number", "8");
    type("pipe_length", "");
    EXPECT_EQ(text("pipe_slope"), "0.0") << "an empty length: no slope and no message";
    type("pipe_length", "250");
    EXPECT_EQ(text("pipe_length"), "250.000");
    type("pipe_elein", "2081.2");
    EXPECT_EQ(text("pipe_slope"), "0.0");
    type("pipe_eleout", "2081.2");
    EXPECT_EQ(ui.last().text, "Pipe El. OUT must be less than Pipe El.IN!");
    EXPECT_EQ(text("pipe_slope"), "0.0");
    EXPECT_EQ(ui.shown.size(), 1u);

    type("pipe_eleout", "2079.95");
    EXPECT_EQ(text("pipe_eleout"), "2079.950");
    EXPECT_EQ(text("pipe_slope"), "0.00500");
    type("pipe_elein", "-1");  // a pipe below the datum still has to fall
    EXPECT_EQ(text("pipe_elein"), "-1.000");
    EXPECT_EQ(text("pipe_slope"), "0.0");
    EXPECT_EQ(ui.shown.size(), 2u);
}

TEST_F(PipeSectionTest, ShapeAndMaterialFollowTheCatalogue) {
    make_project();
    auto& f = open("add");
    pick("pipe_shape", "Arch-S-Cor");
    EXPECT_EQ(text("pipe_mann"), "0.024");
    EXPECT_FALSE(f.fields.at("pipe_mat").enabled);
    EXPECT_EQ(text("status_section"), "Arch-S-Cor - CMP (Small Corr.)");

    pick("pipe_shape", "Elliptical");
    pick("pipe_mat", "Brick");
    EXPECT_EQ(text("pipe_mann"), "0.017");
    type("span", "");
    EXPECT_EQ(text("span"), "23");
}

TEST_F(PipeSectionTest, SizeHelpOpensThePickerOfTheShapeAndTakesThePickedSize) {
    make_project("METRIC");
    auto& f = open("add");
    f.pipeshape_help();
    EXPECT_TRUE(windows.opened.empty()) << "a circular pipe has no picker";

    pick("pipe_shape", "Arch-M-Cor");
    windows.picker = [](forms::SizePickerForm& picker) {
        picker.select_row(2);
        picker.select();
    };
    f.pipeshape_help();
    ASSERT_EQ(windows.opened, (std::vector<std::string>{"frmPA_CMP_MC_M"}));
    EXPECT_EQ(text("span"), "1346");
    EXPECT_FALSE(f.fields.at("span").enabled);

    // Cancel changes nothing.
    windows.picker = [](forms::SizePickerForm& picker) { picker.cancel(); };
    f.pipeshape_help();
    EXPECT_EQ(text("span"), "1346");

    f.pipeskew_help();
    EXPECT_EQ(windows.opened.back(), "frmskew");
}

}  // namespace
}  // namespace pelvane::testing
