// The network recompute against the pipe window itself: the typical road from a new
// project, and a branching network recomputed in one step or by hand, pipe by pipe,
// in the pipe window.

#include <gtest/gtest.h>

#include "core/network/flow_order.h"
#include "forms/network_recompute.h"
#include "forms/pipe_grid_test_network.h"
#include "network_recompute_fixture.h"
#include "pipe_form_fixture.h"

namespace pelvane::testing {
namespace {

class RecomputeThroughTheWindow : public PipeFormTest {
  protected:
    store::PipeTable pipes() const { return store::PipeTable(context->project_connection); }

    // What the engineer does in the pipe window for a pipe whose previous pipes
    // changed: Edit, choose each previous pipe again, Compute Intensity, Solve, Save.
    void redo_by_hand(const std::string& number) {
        auto& f = open("edit", number);
        // A typed discharge keeps the previous pipes' frame closed.
        if (text("dischargeval") == "CRM") {
            for (int k = 1; k <= 4; ++k) {
                const std::string previous = text(forms::PipeForm::prenode(k));
                if (!previous.empty()) pick(forms::PipeForm::prenode(k), previous);
            }
            f.cmd_accIntensity();
        }
        f.toolbar_solve();
        ASSERT_EQ(ui.last().text, "Solved! Please check and Save your results") << number;
        const std::size_t shown = ui.shown.size();
        f.mnuSavepipe();
        // A pipe that is another's previous pipe is saved with a reminder after it.
        ASSERT_GT(ui.shown.size(), shown) << number;
        ASSERT_EQ(ui.shown[shown].text, "Record Saved") << number;
        // The window still counts as being edited and asks; the pipe is saved.
        ui.answers.push_back(forms::Answer::Yes);
        f.mnuExitPipe();
    }
};

TEST_F(RecomputeThroughTheWindow, OneStepEqualsPipeByPipeInThePipeWindow) {
    file = folder / "road.pvd";
    make_station_project(file);
    {
        store::ProjectContext setup = open_project_for_test(file);
        const store::PipeTable table(setup.project_connection);
        store::Transaction transaction(setup.project_connection);
        for (const auto& r : branching_network(40)) table.insert(r);
        transaction.commit();
        // The network as the window left it, pipe by pipe from the top.
        ASSERT_TRUE(forms::recompute_network(setup, ui).complete());
    }
    // Three inlets at the top get larger areas through their area windows; each is
    // solved and saved, which leaves the seven pipes below them behind.
    for (const std::string number : {"N17", "N23", "N32"}) {
        auto& f = open("edit", number);
        windows.area = [](forms::DrainageAreaForm& area) {
            area.fields.set_text(forms::DrainageAreaForm::row_field("Area", 3), "2.5");
            area.area_left(3);
            area.cmdsavearea();
        };
        f.cmdstr_area();
        ASSERT_EQ(text("structure_area"), "2.5") << number;
        f.toolbar_solve();
        const std::size_t shown = ui.shown.size();
        f.mnuSavepipe();
        ASSERT_EQ(ui.shown.at(shown).text, "Record Saved") << number;
    }
    context.reset();
    form.reset();
    const auto by_machine = folder / "one step.pvd";
    std::filesystem::copy_file(file, by_machine);

    // By hand: every pipe in flow order, in the pipe window.
    std::vector<network::PipeLinks> links;
    std::vector<store::PipeRecord> rows;
    {
        const auto setup = open_project_for_test(file);
        rows = store::PipeTable(setup.project_connection).all_in_table_order();
    }
    links.reserve(rows.size());
    for (const auto& r : rows) {
        links.push_back(
            {r.get("PIPE_NUMBER"),
             {r.get("PRENODE1"), r.get("PRENODE2"), r.get("PRENODE3"), r.get("PRENODE4")}});
    }
    const network::PipeNetwork network(std::move(links), false);
    for (const std::size_t i : network::flow_order(network).order) {
        redo_by_hand(rows[i].get("PIPE_NUMBER"));
    }
    const auto by_hand = pipes().all_in_table_order();

    // In one step.
    store::ProjectContext machine = open_project_for_test(by_machine);
    const forms::RecomputeSummary summary = forms::recompute_network(machine, ui);
    ASSERT_TRUE(summary.complete()) << forms::recompute_summary_text(summary);
    EXPECT_EQ(summary.changed.size(), 7u) << forms::recompute_summary_text(summary);
    const auto one_step = store::PipeTable(machine.project_connection).all_in_table_order();
    ASSERT_EQ(one_step.size(), by_hand.size());
    for (std::size_t i = 0; i < by_hand.size(); ++i) {
        for (const auto& [column, value] : by_hand[i].texts()) {
            EXPECT_EQ(one_step[i].get(column), value)
                << by_hand[i].get("PIPE_NUMBER") << " " << column.name();
        }
    }
}

TEST_F(RecomputeThroughTheWindow, TheGridSaysWhenThereIsNothingToRecomputeOrSomethingFailed) {
    file = folder / "road.pvd";
    make_station_project(file);
    FakeGridWindows grid_windows;
    context.emplace(open_project_for_test(file));
    forms::PipeGridForm grid(*context, session, ui, grid_windows);
    grid.open();
    grid.recompute_network();
    EXPECT_EQ(ui.last().text, "No pipes to Recompute!");

    store::PipeRecord flat = typed_pipe("1", "2.0");
    flat.set("PIPE_SLOPE", "0.0");
    pipes().insert(flat);
    grid.open();
    grid.recompute_network();
    EXPECT_NE(ui.last().text.find("Pipe 1: No results computed.  Check your input for Pipe Slope!"),
              std::string::npos);
}

}  // namespace
}  // namespace pelvane::testing
