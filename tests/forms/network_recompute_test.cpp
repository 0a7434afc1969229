// Network recompute on small networks (the order, circles, typed and computed
// discharges, missing rainfall, one pipe alone, and that a recompute saves all or
// nothing), and against the pipe window itself: a branching network recomputed in
// one step or by hand, pipe by pipe, in the pipe window.

#include "forms/network_recompute.h"

#include <gtest/gtest.h>

#include "core/network/flow_order.h"
#include "core/text/number_text.h"
#include "forms/intensity.h"
#include "forms/pipe_grid_test_network.h"
#include "forms/pipe_sizing.h"
#include "network_recompute_fixture.h"
#include "pipe_form_fixture.h"
#include "store/design_rainfall.h"
#include "store/history.h"
#include "store/rainfall_lookup.h"
#include "support/scripted_ui.h"
#include "support/table_dump.h"

namespace pelvane::forms {
namespace {

using testing::computed_pipe;
using testing::NetworkProject;
using testing::typed_pipe;

// The intensity the pipe window shows for the rainfall of the project file.
std::string intensity(const std::filesystem::path& file, int years, std::string tc) {
    store::ProjectContext context = testing::open_project_for_test(file);
    const auto coefficients = store::load_coefficients(context, years);
    EXPECT_TRUE(coefficients.ok());
    testing::ScriptedUi ui;
    std::string i;
    EXPECT_TRUE(
        intensity_for_pipe(context, number_format_for(context.units), coefficients.set, ui, tc, i));
    return i;
}

double number(const std::string& text) {
    return text::parse_number(text).value;
}

TEST(NetworkRecompute, UpstreamFirstWhateverTheTableOrder) {
    NetworkProject project;
    // Listed from the outfall up: "1" receives "2", which receives "3".
    project.add({computed_pipe("1", "0.30", {"2"}), computed_pipe("2", "0.40", {"3"}),
                 computed_pipe("3", "0.50")});
    testing::ScriptedUi ui;
    const RecomputeSummary first = recompute_network(project.context(), ui);
    ASSERT_TRUE(first.complete()) << recompute_summary_text(first);
    EXPECT_EQ(first.recomputed, 3);
    EXPECT_EQ(first.saved, 3);
    ASSERT_EQ(first.changed.size(), 3u);
    EXPECT_EQ(first.changed[0].pipe, "3");
    EXPECT_EQ(first.changed[2].pipe, "1");
    EXPECT_EQ(first.changed[2].old_discharge, "0.0");

    // What each pipe takes over from the pipes above it is what the pipe window takes
    // over (network_recompute_form_test compares the two on a larger network).
    EXPECT_EQ(project.text("1", "ACCUMULATED_CA"), "1.2");

    // Done in flow order, a second run finds nothing left to change.
    const RecomputeSummary second = recompute_network(project.context(), ui);
    EXPECT_TRUE(second.complete());
    EXPECT_EQ(second.saved, 0);
    EXPECT_TRUE(second.changed.empty());
    EXPECT_EQ(recompute_summary_text(second),
              "3 pipes recomputed, 0 pipes saved.\nNo discharge or result changed.");
}

TEST(NetworkRecompute, CirclesAreNamedAndNothingIsWritten) {
    NetworkProject project;
    project.add({computed_pipe("A", "0.3", {"C"}), computed_pipe("B", "0.3", {"A"}),
                 computed_pipe("C", "0.3", {"B"}), computed_pipe("D", "0.3", {"B"}),
                 computed_pipe("Self", "0.3", {"Self"}), computed_pipe("Free", "0.3")});
    const auto before = project.rows();
    testing::ScriptedUi ui;
    const RecomputeSummary summary = recompute_network(project.context(), ui);
    ASSERT_EQ(summary.cycles.size(), 2u);
    EXPECT_EQ(summary.cycles[0], (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(summary.cycles[1], (std::vector<std::string>{"Self"}));
    EXPECT_EQ(summary.blocked, (std::vector<std::string>{"D"}));
    EXPECT_EQ(summary.recomputed, 0);
    EXPECT_FALSE(summary.complete());
    EXPECT_EQ(project.rows(), before);  // not even the free pipe
    EXPECT_EQ(recompute_summary_text(summary),
              "The previous pipes of these pipes run in a circle, so the network cannot be "
              "recomputed. Nothing was changed.\n  Circle: A, B, C\n  Circle: Self\n"
              "Pipes below a circle: D");

    // One pipe is refused only for its own circle.
    EXPECT_EQ(recompute_pipe(project.context(), ui, "B").cycles.size(), 1u);
    const RecomputeSummary free = recompute_pipe(project.context(), ui, "Free");
    EXPECT_TRUE(free.complete());
    EXPECT_EQ(free.saved, 1);
}

TEST(NetworkRecompute, TypedAndComputedDischarges) {
    NetworkProject project;
    store::PipeRecord typed = typed_pipe("T", "12.5", {"U"});
    typed.set("PRECA1", "9.9");  // what the engineer took over once, kept as it is
    store::PipeRecord computed = computed_pipe("U", "0.80");
    computed.set("PIPE_STORM_FREQ", "25");
    computed.set("PIPE_CF", "1.1");
    project.add({typed, computed, computed_pipe("O'Brien 1", "0.5", {"T"})});
    testing::ScriptedUi ui;
    const RecomputeSummary summary = recompute_network(project.context(), ui);
    ASSERT_TRUE(summary.complete()) << recompute_summary_text(summary);

    // Typed: the structure discharge as typed, the previous-pipe rows untouched.
    EXPECT_EQ(project.text("T", "PIPE_DISCHARGE"), "12.5");
    EXPECT_EQ(project.text("T", "PRECA1"), "9.9");
    EXPECT_EQ(project.text("T", "PIPE_I"), "0.0");
    EXPECT_EQ(project.text("T", "FLOW_TYPE"), "PARTIAL FLOW");

    // Computed, alone: Cf · i(5 min) · C·A, the intensity as the window shows it.
    const std::string i25 = intensity(project.file(), 25, "5.0");
    EXPECT_EQ(project.text("U", "PIPE_I"), i25);
    EXPECT_EQ(project.text("U", "PIPE_DISCHARGE"),
              text::format_number(1.1 * number(i25) * 0.8, "0.000"));
    EXPECT_EQ(project.text("U", "ACCUMULATED_CA"), "0.8");
    EXPECT_EQ(project.text("U", "ACCUMULATED_TC"), "5.000");
    EXPECT_EQ(project.text("U", "PIPE_CF"), "1.1");
    EXPECT_FALSE(project.text("U", "CAPACITY").empty());

    // Below a typed pipe: its discharge and flow time count, its C·A is its own
    // accumulated one.
    const auto below = project.pipe("O'Brien 1");
    EXPECT_EQ(below.get("PRECA1"), project.text("T", "ACCUMULATED_CA"));
    EXPECT_EQ(below.get("PREFLOWTIME1"), project.text("T", "FLOW_TIME"));
    EXPECT_GE(number(below.get("PIPE_DISCHARGE")), 12.5);

    // The coefficients of the storms the discharges were computed with are kept.
    std::vector<int> storms;
    for (const auto& r : store::recorded_design_rainfall(project.context().project_connection)) {
        storms.push_back(r.storm_frequency);
    }
    EXPECT_EQ(storms, (std::vector<int>{10, 25}));
}

TEST(NetworkRecompute, PipesThatCannotBeSolvedAreListedAndKept) {
    // A station whose coefficients have not been imported.
    NetworkProject project("ENGLISH", "Abingdon 3 S");
    store::PipeRecord no_slope = typed_pipe("Flat", "2.0");
    no_slope.set("PIPE_SLOPE", "0.0");
    store::PipeRecord bad_storm = computed_pipe("Storm", "0.5");
    bad_storm.set("PIPE_STORM_FREQ", "ten");
    store::PipeRecord bad_time = computed_pipe("Time", "0.5", {"Typed"});
    bad_time.set("STRUCTURE_TC", "abc");
    project.add({computed_pipe("Rain", "0.5"), typed_pipe("Typed", "3.0"),
                 typed_pipe("Zero", "0.0"), no_slope, bad_storm});
    const auto before = project.rows();
    testing::ScriptedUi ui;
    const RecomputeSummary summary = recompute_network(project.context(), ui);
    EXPECT_FALSE(summary.complete());
    EXPECT_EQ(summary.recomputed, 5);
    ASSERT_EQ(summary.failed.size(), 4u);
    EXPECT_EQ(summary.failed[0].pipe, "Rain");
    EXPECT_EQ(summary.failed[0].reason,
              store::no_coefficients_message(store::RainfallFile::Station, "Abingdon 3 S"));
    EXPECT_EQ(summary.failed[1].pipe, "Zero");
    EXPECT_EQ(summary.failed[1].reason, "No results computed.  Check your input for discharge!");
    EXPECT_EQ(summary.failed[2].reason, "No results computed.  Check your input for Pipe Slope!");
    EXPECT_EQ(summary.failed[3].reason, "The storm frequency \"ten\" is no number of years.");
    EXPECT_TRUE(ui.shown.empty());  // listed, not shown one by one

    // The failed pipes keep every saved text; the typed pipe is solved and saved.
    EXPECT_EQ(project.pipe("Rain"), before[0]);
    EXPECT_EQ(project.pipe("Flat"), before[3]);
    EXPECT_EQ(summary.saved, 1);
    EXPECT_FALSE(project.text("Typed", "CAPACITY").empty());
    EXPECT_NE(recompute_summary_text(summary).find("Could not be solved (left as saved):\n  Pipe "
                                                   "Rain: No rainfall coefficients"),
              std::string::npos);

    // With rainfall, a time that is no number ends the computation of its pipe only.
    NetworkProject pulaski;
    pulaski.add({typed_pipe("Typed", "3.0"), bad_time});
    const RecomputeSummary named = recompute_network(pulaski.context(), ui);
    ASSERT_EQ(named.failed.size(), 1u);
    EXPECT_EQ(named.failed[0].reason,
              "The discharge could not be computed: structure_Tc is not a number.");
}

TEST(NetworkRecompute, ADatabaseFailureWhileSavingLeavesTheFileAsItWas) {
    NetworkProject project;
    project.add({computed_pipe("1", "0.3", {"2"}), computed_pipe("2", "0.4", {"3"}),
                 computed_pipe("3", "0.5")});
    // The last pipe to be written is refused.
    project.context().project_connection.execute(
        "CREATE TRIGGER refuse BEFORE UPDATE ON PIPE WHEN NEW.PIPE_NUMBER = '3' "
        "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END");
    const auto before = project.rows();
    testing::ScriptedUi ui;
    const RecomputeSummary summary = recompute_network(project.context(), ui);
    EXPECT_EQ(summary.error, "disk I/O error");
    EXPECT_EQ(summary.saved, 0);
    EXPECT_EQ(project.rows(), before);
    EXPECT_EQ(recompute_summary_text(summary), "Nothing was saved: disk I/O error");
}

// The person presses Stop when the work reports `stop_at` pipes done.
struct StoppingUi : testing::ScriptedUi {
    int stop_at = -1;
    bool progress(int done, int, const std::string&) override { return done != stop_at; }
};

// A stop before the first pipe, and one after the writing, before the commit, leave
// every table as it was, sizing's included, and no step in the history.
TEST(NetworkRecompute, AStopLeavesEveryTableAsItWas) {
    NetworkProject project;
    project.add(testing::branching_network(400));
    const store::Database& db = project.context().project_connection;
    const std::string before = testing::table_dump(db);
    for (const int stop_at : {0, 400}) {
        StoppingUi ui;
        ui.stop_at = stop_at;
        EXPECT_TRUE(recompute_network(project.context(), ui).stopped);
        EXPECT_EQ(size_pipes(project.context(), ui, {{}, 50.0}).error,
                  "Size Pipes was stopped. Nothing was changed.");
        EXPECT_EQ(testing::table_dump(db), before) << stop_at;
        EXPECT_TRUE(store::read_history(db).empty()) << stop_at;
    }
    StoppingUi ui;
    EXPECT_GT(recompute_network(project.context(), ui).saved, 0);
    EXPECT_NE(testing::table_dump(db), before);
}

}  // namespace
}  // namespace pelvane::forms

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
