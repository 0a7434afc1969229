// Each command that changes a project is one step of its history: undone, the file
// holds what it held before, also after it was closed and opened again; redone, what
// the command left.

#include "forms/project_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "forms/checks_form.h"
#include "forms/network_recompute.h"
#include "forms/network_recompute_fixture.h"
#include "forms/pipe_form_fixture.h"
#include "forms/pipe_grid_import.h"
#include "forms/pipe_rules.h"
#include "forms/pipe_sizing.h"
#include "forms/project_details_form.h"
#include "store/energy_table.h"
#include "support/scripted_ui.h"
#include "support/table_dump.h"

namespace pelvane::forms {
namespace {

using testing::NetworkProject;

// Two pipes of another project, as a pipe list.
std::string other_pipes() {
    NetworkProject other;
    other.add({testing::computed_pipe("M2", "0.30"), testing::typed_pipe("M1", "2.5", {"M2"})});
    std::ostringstream csv;
    export_pipes(other.context().project_connection, csv);
    return csv.str();
}

struct CommandCase {
    std::string_view step;
    std::function<void(store::ProjectContext&, Ui&)> run;
};

TEST(ProjectHistory, UndoAndRedoOfEveryCommandRestoreTheFile) {
    const std::string csv = other_pipes();
    const std::vector<CommandCase> cases{
        {step_names::kSavePipe,
         [](store::ProjectContext& c, Ui& ui) {
             testing::FakePipeWindows windows;
             DesignSession session;
             PipeForm form(c, session, ui, windows);
             form.open("edit", "N8");
             form.fields.set_text("nodein_station", "12+50.00");
             form.mark_solved();
             form.mnuSavepipe();
         }},
        {step_names::kDeletePipe,
         [](store::ProjectContext& c, Ui&) {
             ASSERT_TRUE(delete_pipe(store::PipeTable(c.project_connection), "N1", false).deleted);
         }},
        {step_names::kRenumberPipe,
         [](store::ProjectContext& c, Ui&) {
             ASSERT_EQ(renumber_pipe(c.project_connection, "N3", "O'Brien 3", false), 1);
         }},
        {step_names::kRecomputeNetwork,
         [](store::ProjectContext& c, Ui& ui) { ASSERT_GT(recompute_network(c, ui).saved, 0); }},
        {step_names::kSizePipes,
         [](store::ProjectContext& c, Ui& ui) {
             const SizingSummary sized = size_pipes(c, ui, {{}, 50.0});
             ASSERT_TRUE(sized.error.empty() && !sized.changed.empty()) << sized.error;
         }},
        {step_names::kImportPipes,
         [&csv](store::ProjectContext& c, Ui&) { ASSERT_EQ(import_pipes(c, csv), 2); }},
        {step_names::kProjectDetails,
         [](store::ProjectContext& c, Ui& ui) {
             ProjectDetailsForm form(c, ui, store::DetailsWindow::NoaaStation);
             form.open();
             form.fields.set_text("project_name", "Laurel Ridge");
             form.mnuprojsave();
         }},
        {step_names::kDesignCriteria,
         [](store::ProjectContext& c, Ui& ui) {
             ChecksForm form(c, ui);
             form.open();
             form.set_enabled(0, false);
             ASSERT_TRUE(form.save());
         }},
        {step_names::kOutletProtection,
         [](store::ProjectContext& c, Ui&) {
             const CommandStep step(c.project_connection, step_names::kOutletProtection);
             store::EnergyRecord record;
             record.set("ENODEOUT_NO", "SN1");
             store::EnergyTable(c.project_connection).save_first(record);
         }},
    };
    for (const CommandCase& command : cases) {
        SCOPED_TRACE(command.step);
        NetworkProject project;
        project.add(testing::branching_network(8));
        testing::ScriptedUi ui;
        ui.agree = false;
        store::ProjectContext& context = project.context();
        ChecksForm(context, ui).open();  // as the grid does, writing the defaults
        const std::string before = testing::table_dump(context.project_connection);
        command.run(context, ui);
        const std::string after = testing::table_dump(context.project_connection);
        ASSERT_NE(after, before);
        EXPECT_EQ(history_menu(context.project_connection).undo,
                  "Undo " + std::string(command.step));
        EXPECT_EQ(undo_last_step(context.project_connection).message,
                  "Undone: " + std::string(command.step));
        context.project_connection = store::Database::open(project.file());
        EXPECT_EQ(testing::table_dump(context.project_connection), before);
        EXPECT_EQ(history_menu(context.project_connection).redo,
                  "Redo " + std::string(command.step));
        EXPECT_TRUE(redo_next_step(context.project_connection));
        EXPECT_EQ(testing::table_dump(context.project_connection), after);
    }
}

}  // namespace
}  // namespace pelvane::forms
