// The network recompute against the pipe window itself: the typical road from a new
// project to the grade line, a branching network recomputed in one step or by hand,
// pipe by pipe, in the pipe window, and the sample project.

#include <gtest/gtest.h>

#include "core/network/flow_order.h"
#include "core/text/number_text.h"
#include "forms/hgl_form.h"
#include "forms/network_recompute.h"
#include "forms/pipe_grid_form.h"
#include "network_recompute_fixture.h"
#include "pipe_form_fixture.h"
#include "report/xlsx/workbook.h"
#include "store/project_details.h"

namespace pelvane::testing {
namespace {

struct NoGridWindows : forms::PipeGridForm::Windows {
    void show_pipe_form(const std::string&, const std::string&) override {}
    void show_renumber_dialog(forms::RenumberForm&) override {}
    void show_hgl() override {}
    void show_energy_dissipation() override {}
    void ld229_report() override {}
    void pipe_report() override {}
    void about() override {}
    void show_rainfall_data() override {}
};

class RecomputeThroughTheWindow : public PipeFormTest {
  protected:
    // A new project at Pulaski, as the details window saves it.
    void new_project(const std::string& inlet_database = "") {
        file = folder / "road.pvd";
        store::create_project_file(program_folder(), file);
        store::ProjectContext details_context = open_project_for_test(file);
        store::ProjectDetails details;
        details.project_id = "0100-077-111";
        details.project_name = "Laurel Ridge Drive";
        details.county = "Pulaski";
        details.noaa_station = "Pulaski";
        details.inlet_database = inlet_database;
        store::save_project_details(details_context, details, store::DetailsWindow::NoaaStation);
    }

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

TEST_F(RecomputeThroughTheWindow, TheTypicalRoadFromANewProjectToTheGradeLine) {
    new_project(sample_inlets());
    auto& f = open("add");
    type("pipe_number", "1");
    type("nodein_type", "Inlet");
    f.field_entered("nodein_no");
    pick("nodein_no", "2");
    EXPECT_EQ(text("dischargeval"), "CRM");
    EXPECT_EQ(text("nodein_station"), "10+50.00");
    EXPECT_EQ(text("nodein_topele"), "2081.42");
    EXPECT_EQ(text("structure_area"), "1.17");
    EXPECT_EQ(text("structure_ca"), "0.586");
    type("nodeout_type", "End Wall");
    type("nodeout_no", "1");
    pick("pipe_storm_freq", "10");
    EXPECT_EQ(text("pipe_cf"), "1.0");
    EXPECT_NE(text("pipe_discharge"), "0.0") << "the discharge follows the storm";
    type("pipe_length", "40");
    type("pipe_elein", "2077.00");
    type("pipe_eleout", "2076.40");
    EXPECT_EQ(text("pipe_slope"), "0.01500");
    EXPECT_EQ(text("pipe_shape"), "Circular");
    EXPECT_EQ(text("pipe_dia"), "18");
    EXPECT_EQ(text("pipe_mat"), "Concrete");
    f.toolbar_solve();
    EXPECT_EQ(f.tab, 2);
    EXPECT_EQ(ui.last().text, "Solved! Please check and Save your results");
    f.mnuSavepipe();
    EXPECT_EQ(ui.last().text, "Record Saved");

    const auto saved = *pipes().find("1");
    EXPECT_EQ(saved.get("NODEIN_NO"), "2");
    EXPECT_EQ(saved.get("NODEOUT_TYPE"), "End Wall");
    EXPECT_EQ(saved.get("FLOW_TYPE"), "PARTIAL FLOW");
    // Cf · i(7.5 min) · C·A of the inlet, the intensity as the window shows it.
    EXPECT_EQ(saved.get("PIPE_DISCHARGE"),
              text::format_number(text::parse_number(saved.get("PIPE_I")).value * 0.586, "0.000"));
    EXPECT_EQ(saved.get("ACCUMULATED_TC"), "7.500");

    // What the window saved is what a recompute computes.
    const forms::RecomputeSummary summary = forms::recompute_network(*context, ui);
    EXPECT_TRUE(summary.complete()) << forms::recompute_summary_text(summary);
    EXPECT_EQ(summary.saved, 0) << forms::recompute_summary_text(summary);

    // From the grid: Compute HGL for outfall 1 with a tailwater elevation.
    ui.clear();
    forms::HglForm hgl(*context, session, ui, nullptr);
    hgl.open();
    hgl.fields.set_text("hglanodeout", "1");
    hgl.fields.set_text("TWE", "2077.1");
    hgl.field_left("TWE");
    const auto workbook = folder / "ld347.xlsx";
    ui.files = {workbook.string()};
    hgl.cmdHGL();
    EXPECT_EQ(ui.last().text, "Finished! Please check and Save your results");
    const auto book = report::Workbook::open(workbook);
    EXPECT_EQ(book.cell(11, 1).text, "1");  // the outfall row
    EXPECT_DOUBLE_EQ(book.cell(11, 25).number, 2077.1);
    EXPECT_EQ(book.cell(12, 1).text, "2");  // the one pipe, from inlet 2
    EXPECT_EQ(book.cell(12, 6).text, "18");
    EXPECT_TRUE(book.cell(13, 1).empty());
}

TEST_F(RecomputeThroughTheWindow, OneStepEqualsPipeByPipeInThePipeWindow) {
    new_project();
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

// The sample project as the build makes it is fully designed: a recompute changes
// nothing, and its stored areas are what the area window totals. Then the yard inlet
// at the top of the left run drains more lots: its area window is saved with the
// larger area, the pipe solved and saved, and Recompute Network in the grid brings
// the pipes below it up to date.
TEST_F(RecomputeThroughTheWindow, TheSampleFollowsALargerAreaAtTheTop) {
    file = folder / "Sample.pvd";
    std::filesystem::copy_file(program_folder() / "samples" / "Sample.pvd", file);
    auto before = open_project_for_test(file);
    const auto old_rows = store::PipeTable(before.project_connection).all_in_table_order();
    const forms::RecomputeSummary designed = forms::recompute_network(before, ui);
    ASSERT_TRUE(designed.complete()) << forms::recompute_summary_text(designed);
    EXPECT_EQ(designed.recomputed, 9);
    EXPECT_EQ(designed.saved, 0) << forms::recompute_summary_text(designed);
    for (const std::size_t i : {0u, 8u}) {
        forms::DrainageAreaForm area(before, session);
        area.open({old_rows[i].get("PAREABUFSTR"), old_rows[i].get("PCBUFSTR"), "", ""});
        area.cmdsavearea();
        EXPECT_EQ(area.saved()->structure_area, old_rows[i].get("STRUCTURE_AREA")) << i;
        EXPECT_EQ(area.saved()->structure_ca, old_rows[i].get("STRUCTURE_CA")) << i;
    }

    auto& f = open("edit", "9");
    windows.area = [](forms::DrainageAreaForm& area) {
        area.fields.set_text(forms::DrainageAreaForm::row_field("Area", 6), "1.6");
        area.area_left(6);
        area.cmdsavearea();
    };
    f.cmdstr_area();
    f.toolbar_solve();
    f.mnuSavepipe();
    ASSERT_EQ(ui.shown.at(ui.shown.size() - 2).text, "Record Saved");
    EXPECT_EQ(ui.last().text,
              "Current Pipe is used as a Previous Pipe for Pipe  - 8\n"
              "Please review the design, solve & save the results for Pipe - 8");

    NoGridWindows grid_windows;
    forms::PipeGridForm grid(*context, session, ui, grid_windows);
    grid.open();
    grid.recompute_network();
    std::string expected =
        "9 pipes recomputed, 4 pipes saved.\nDischarge or results changed (old → new discharge):";
    for (const std::size_t i : {7u, 6u, 5u, 0u}) {
        const std::string number = old_rows[i].get("PIPE_NUMBER");
        expected += "\n  Pipe " + number + ": " + old_rows[i].get("PIPE_DISCHARGE") + " → " +
                    pipes().find(number)->get("PIPE_DISCHARGE");
    }
    EXPECT_EQ(ui.last().text, expected);
    EXPECT_EQ(ui.last().icon, forms::Icon::Information);
    EXPECT_TRUE(grid.reopen_marker()) << "the grid shows the new discharges";

    const auto rows = pipes().all_in_table_order();
    const auto q = [](const store::PipeRecord& p) {
        return text::parse_number(p.get("PIPE_DISCHARGE")).value;
    };
    // Pipes 9, 8, 7, 6 and 1 carry more; the right run (2 to 5) is untouched.
    for (const std::size_t i : {8u, 7u, 6u, 5u, 0u}) EXPECT_GT(q(rows[i]), q(old_rows[i])) << i;
    for (const std::size_t i : {1u, 2u, 3u, 4u}) EXPECT_EQ(rows[i], old_rows[i]) << i;
    // The added C·A arrives whole at the outfall pipe.
    EXPECT_NEAR(text::parse_number(rows[0].get("ACCUMULATED_CA")).value -
                    text::parse_number(old_rows[0].get("ACCUMULATED_CA")).value,
                0.3 * (1.6 - 0.85), 1e-9);
}

TEST_F(RecomputeThroughTheWindow, TheGridSaysWhenThereIsNothingToRecomputeOrSomethingFailed) {
    new_project();
    NoGridWindows grid_windows;
    context.emplace(open_project_for_test(file));
    forms::PipeGridForm grid(*context, session, ui, grid_windows);
    grid.open();
    grid.recompute_network();
    EXPECT_EQ(ui.last().text, "No pipes to Recompute!");
    EXPECT_EQ(ui.last().icon, forms::Icon::Information);

    store::PipeRecord flat = typed_pipe("1", "2.0");
    flat.set("PIPE_SLOPE", "0.0");
    pipes().insert(flat);
    grid.open();
    grid.recompute_network();
    EXPECT_EQ(ui.last().icon, forms::Icon::Exclamation);
    EXPECT_NE(ui.last().text.find("Pipe 1: No results computed.  Check your input for Pipe Slope!"),
              std::string::npos);
}

}  // namespace
}  // namespace pelvane::testing
