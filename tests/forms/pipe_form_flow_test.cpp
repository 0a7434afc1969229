// The flow tab: discharge source, the structure's discharge, Tc and drainage area
// fields and windows, the states of its frames, and the intensity texts as the pipe
// and outlet windows get them.

#include "forms/intensity.h"
#include "forms/solve_messages.h"
#include "pipe_form_fixture.h"
#include "store/design_rainfall.h"

using namespace pelvane;
using forms::Answer;

namespace pelvane::testing {
namespace {

class PipeFlowTest : public PipeFormTest {
  protected:
    void make_computed_pipe(const std::string& units = "ENGLISH") {
        make_project(units);
        add_pipe(
            row("PIPE_NUMBER=6; NODEIN_NO=4; NODEIN_TYPE=Inlet; DISCHARGEVAL=CRM;"
                "STRUCTURE_AREA=1.4; STRUCTURE_CA=0.6; STRUCTURE_TC=9.500; ACCUMULATED_CA=0.6;"
                "PIPE_STORM_FREQ=10; PIPE_CF=1.0; PIPE_I=5.210; PIPE_DISCHARGE=3.126;"
                "LATERAL_DISCHARGE=0.0; PRENODE1=2; PRECA1=0.3; PTCOPTIONSTR=1,0,0,0,0;"
                "PAREABUFSTR=1.000,0.400; PCBUFSTR=0.80,0.65;"
                "PTCSTR=200,2090,2086,2,Forest Overland flow (0.076),0.076,3.1"));
    }
};

TEST_F(PipeFlowTest, InputDischargeAsksAndNoKeepsEveryComputedValue) {
    make_computed_pipe();
    open("edit", "6");
    ui.answers.push_back(Answer::No);
    pick("dischargeval", "INP");
    EXPECT_EQ(ui.last().text, "Do you want to clear previously Computed Values? Y/N");
    EXPECT_EQ(text("dischargeval"), "CRM");
    EXPECT_EQ(text("prenode1"), "2");

    ui.answers.push_back(Answer::Yes);
    pick("dischargeval", "INP");
    EXPECT_EQ(text("dischargeval"), "INP");
    for (const auto& [name, cleared] :
         std::vector<std::pair<const char*, const char*>>{{"structure_ca", "0.0"},
                                                          {"accumulated_Tc", "5.0"},
                                                          {"pipe_I", "0.0"},
                                                          {"prenode1", ""},
                                                          {"preca1", "0.0"},
                                                          {"PTcStr", ""},
                                                          {"pareabufstr", ""}}) {
        EXPECT_EQ(text(forms::FieldName::named(name)), cleared) << name;
    }
    EXPECT_TRUE(form->fields.at("structure_discharge").enabled);
    EXPECT_FALSE(form->fields.at("fra_lateral").enabled);

    // Back to a computed discharge: an inlet without C·A starts from nothing.
    pick("dischargeval", "CRM");
    EXPECT_EQ(text("pipe_storm_freq"), "2");
    EXPECT_EQ(text("pipe_discharge"), "0.0");
    EXPECT_EQ(ui.shown.size(), 2u);
}

class PipeDischargeTest : public PipeFormTest {
  protected:
    // Pipe P drains 0.5 acres but carries 9 cfs from upstream.
    void make_network(const std::string& units) {
        make_project(units, ProjectKind::Current, sample_inlets());
        make_rainfall();
        add_pipe(
            row("PIPE_NUMBER=P; ACCUMULATED_CA=0.5; ACCUMULATED_TC=10.000; FLOW_TIME=60.000;"
                "PIPE_DISCHARGE=9.000"));
    }
};

// An inlet's drainage, then the storm frequency: i = 150 / (9.5 + 10) for the
// inlet's 9.5 minutes in the 10-year storm.
TEST_F(PipeDischargeTest, TheInletAndTheStormGiveTheDesignDischarge) {
    make_network("ENGLISH");
    open("add");
    type("pipe_number", "1");
    type("nodein_type", "Inlet");
    pick("nodein_no", "4");
    EXPECT_EQ(text("dischargeval"), "CRM");
    EXPECT_EQ(text("accumulated_Tc"), "9.500");
    pick("pipe_storm_freq", "10");
    EXPECT_EQ(text("pipe_cf"), "1.0");
    EXPECT_EQ(text("pipe_I"), "7.692");
    EXPECT_EQ(text("pipe_discharge"), "4.615");  // 7.692 * 0.6

    // A previous pipe arriving later carrying 9 cfs: at its arrival (11 min) the
    // inlet adds 0.6 * 150 / 21 on top of it and the lateral inflow.
    pick("prenode1", "P");
    EXPECT_EQ(text("accumulated_Tc"), "11.000");  // 10 min + 60 s
    EXPECT_EQ(text("accumulated_ca"), "1.1");
    type("lateral_discharge", "0.5");
    EXPECT_EQ(text("lateral_discharge"), "0.500");
    EXPECT_EQ(text("pipe_discharge"), "13.786");
    // The intensity shown follows the accumulated time at once, and the discharge
    // is what Compute Intensity would give: nothing of the earlier time is left.
    EXPECT_EQ(text("pipe_I"), "7.143");  // 150 / (11 + 10)
    type("structure_Tc", "20");
    EXPECT_EQ(text("accumulated_Tc"), "20.000");
    EXPECT_EQ(text("pipe_I"), "5.000");  // 150 / (20 + 10)
    const std::string refreshed = text("pipe_discharge");
    form->cmd_accIntensity();
    EXPECT_EQ(text("pipe_discharge"), refreshed);
    type("structure_Tc", "9.5");
    EXPECT_EQ(text("pipe_discharge"), "13.786");
    EXPECT_TRUE(ui.shown.empty()) << ui.last().text;

    // Saved, the project keeps the coefficients the discharge was computed with.
    form->mark_solved();
    form->mnuSavepipe();
    ASSERT_EQ(ui.last().text, "Record Saved");
    const auto recorded = store::recorded_design_rainfall(context->project_connection);
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0].coefficients.b, 150.0);
}

// Every intensity of the discharge is the pipe's own storm's: P taken over in the
// 2-year storm counts at its 10-year intensity once the storm is 10 years (9 cfs
// plus 0.6 · 150 / 21 at its arrival), and a storm without coefficients is refused
// by name, leaving nothing of the last one to solve with.
TEST_F(PipeDischargeTest, EveryIntensityFollowsThePipesStormOrNoneIsLeft) {
    make_network("ENGLISH");
    open("add");
    type("pipe_number", "1");
    type("nodein_type", "Inlet");
    pick("nodein_no", "4");
    pick("prenode1", "P");
    pick("pipe_storm_freq", "10");
    EXPECT_EQ(text("pipe_discharge"), "13.286");
    EXPECT_TRUE(ui.shown.empty()) << ui.last().text;

    store::Database::open(folder / "user" / "VARMNOAA.rdb")
        .execute("UPDATE STORMDATA SET YEAR25B = NULL");
    pick("pipe_storm_freq", "25");
    EXPECT_NE(ui.last().text.find(std::string("\"") + kStation + "\""), std::string::npos);
    EXPECT_EQ(text("pipe_I"), "");
    EXPECT_EQ(text("pipe_discharge"), "");
    form->cmdpipesolve();
    EXPECT_EQ(ui.last().text, forms::kNoDischargeText);
}

TEST_F(PipeDischargeTest, ComputeIntensityUsesEveryDurationAndMetricDividesBy360) {
    make_network("METRIC");
    open("add");
    type("pipe_number", "1");
    pick("dischargeval", "CRM");
    type("structure_ca", "3.6");
    type("structure_Tc", "20");
    pick("pipe_storm_freq", "25");
    form->cmd_accIntensity();
    // i = 375 / 30 in/hr = 12.5 in/hr = 317.5 mm/hr; Q = 317.5 * 3.6 / 360.
    EXPECT_EQ(text("pipe_I"), "317.5000");
    EXPECT_EQ(text("pipe_cf"), "1.1");
    EXPECT_EQ(text("pipe_discharge"), "3.4925");
    EXPECT_TRUE(ui.shown.empty()) << ui.last().text;
}

// Intensity texts as the pipe and outlet windows get them.
const std::string kEnglishFormat = "0.000";

store::ProjectContext context_in(const std::string& units) {
    store::ProjectContext context;
    context.units = units;
    return context;
}

TEST(Intensity, FormulaUnitsAndNumberFormat) {
    ScriptedUi ui;
    std::string tc = "10";
    std::string pipe_i = "old";
    const auto english = context_in("ENGLISH");
    ASSERT_TRUE(forms::intensity_for_pipe(english, "0.000", {0, 10, 10, 1}, ui, tc, pipe_i));
    EXPECT_EQ(pipe_i, "0.500");
    const auto metric = context_in("METRIC");
    ASSERT_TRUE(forms::intensity_for_pipe(metric, "0.0000", {0, 10, 10, 1}, ui, tc, pipe_i));
    EXPECT_EQ(pipe_i, "12.7000");  // mm/hr, Tc still in minutes

    // The exponent applies: 100 / (20 + 5)^0.5 = 20.
    tc = "20";
    forms::intensity_for_pipe(english, "0.000", {0, 100, 5, 0.5}, ui, tc, pipe_i);
    EXPECT_EQ(pipe_i, "20.000");

    // Legacy: A / (B + Tc) from A and B alone.
    auto legacy = context_in("ENGLISH");
    legacy.legacy_database_mode = true;
    tc = "14";
    forms::intensity_for_pipe(legacy, "0.000", {120, 30, 99, 99}, ui, tc, pipe_i);
    EXPECT_EQ(pipe_i, "2.727");
    EXPECT_TRUE(ui.shown.empty());
}

TEST(Intensity, EachStormHasItsOwnCoefficientsOrNone) {
    TempFolder folder;
    write_station_rainfall(folder / "VARMNOAA.rdb", {"Stuart's Draft", "Abingdon 3 S"},
                           [](int years) { return 10.0 * years; });
    ScriptedUi ui;
    auto context = context_in("ENGLISH");
    context.program_folder = folder.path();
    context.major_release = "2.1";
    context.noaa_station = "Stuart's Draft";

    std::string tc = "10";
    const auto storm = forms::storm_coefficients(context, ui, "25");
    ASSERT_TRUE(storm);
    EXPECT_EQ(forms::intensity_lookup(context, kEnglishFormat, *storm, ui)(tc),
              "12.500");  // 250 / 20
    EXPECT_TRUE(ui.shown.empty());

    // A station without coefficients is refused by name, and no set comes back to
    // compute with; so is a storm that is no whole number of years.
    context.noaa_station = "Abingdon 3 S";
    EXPECT_EQ(forms::storm_coefficients(context, ui, "2"), std::nullopt);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_NE(ui.last().text.find("\"Abingdon 3 S\""), std::string::npos);
    EXPECT_NE(ui.last().text.find("Rainfall Data\u2026"), std::string::npos);
    EXPECT_EQ(forms::storm_coefficients(context, ui, "2.5"), std::nullopt);
    EXPECT_EQ(ui.last().text, "Type mismatch");
}

}  // namespace
}  // namespace pelvane::testing
