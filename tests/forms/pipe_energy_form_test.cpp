// The outlet protection window as the engineer uses it.

#include <gtest/gtest.h>

#include "core/outlet/two_year_flow.h"
#include "core/text/number_text.h"
#include "pipe_energy_test_project.h"
#include "store/energy_table.h"

namespace pelvane::forms {
namespace {

using testing::circular_pipe;
using testing::OutletProject;
using testing::RowValues;
using testing::with;

class PipeEnergyFormTest : public ::testing::Test {
  protected:
    explicit PipeEnergyFormTest(const std::string& units = "ENGLISH") : project(units) {}

    PipeEnergyForm& opened() {
        form.emplace(project.open(), project.design, ui, windows);
        form->open();
        return *form;
    }
    const std::string& text(std::string_view field) const { return form->fields.text(field); }
    const Field& field(std::string_view name) const { return form->fields.at(name); }
    void leave(std::string_view name, std::string typed) {
        form->fields.set_text(name, std::move(typed));
        form->field_left(name);
    }

    OutletProject project;
    testing::ScriptedUi ui;
    testing::ScriptedWindows windows;
    std::optional<PipeEnergyForm> form;
};

TEST_F(PipeEnergyFormTest, EmptyEnergyTableOpensANewRecordAndTheFirstNodeLoadsWithoutAQuestion) {
    project.add_pipe(circular_pipe("2", "O'Brien 1", "20.4"));
    project.add_pipe(circular_pipe("1", "10", "3"));
    project.add_pipe(circular_pipe("3", "10", "5"));
    project.add_pipe(with(circular_pipe("4", "", "1"), "NODEOUT_NO", std::nullopt));

    auto& f = opened();
    EXPECT_EQ(field("enodeout").items, (std::vector<std::string>{"10", "O'Brien 1"}));
    EXPECT_EQ(text("enodeout"), "");
    EXPECT_EQ(text("Bed_Matl"), "Boulders");
    EXPECT_EQ(text("D50bed"), "> 0.84");
    EXPECT_EQ(text("D16"), "0.01");
    EXPECT_EQ(text("D84"), "0.1");
    EXPECT_EQ(text("usdastorm_freq"), "2");
    EXPECT_EQ(text("L2byh2"), "3.5");
    EXPECT_EQ(text("VDOT_Riprap"), "Class A1");
    EXPECT_EQ(text("dn_C_unit"), "ft");
    EXPECT_EQ(text("E_Area_unit"), "sq. ft.");
    EXPECT_FALSE(field("cmdanalyzeED").enabled);
    EXPECT_FALSE(field("plindex").enabled);
    EXPECT_TRUE(f.record_modified());  // a new record counts as changed
    EXPECT_TRUE(f.end_node_edited());

    f.choose_end_node("O'Brien 1");
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(text("eDiaRise"), "24");
    EXPECT_EQ(text("W_culvert"), "2");
    EXPECT_EQ(text("E_Discharge"), "20.40");
    EXPECT_EQ(text("dn_C"), "1.2");
    EXPECT_EQ(text("V_C"), "10.2");
    // The 2-year storm of the station: 2.0 · 100 / (10 + 10) · 1.0 = 10 cfs.
    EXPECT_EQ(text("C_Discharge"), "10.000");
    EXPECT_FALSE(field("C_Discharge").visible);
    EXPECT_FALSE(field("C_Discharge_label").visible);
    const auto v2 =
        outlet::two_year_velocity({"Circular", "24", "", "0.01", "0.013"}, "10.000", f.units());
    ASSERT_TRUE(v2);
    EXPECT_EQ(text("velocity2"), v2->velocity2);
    // Boulders at 1.2 ft: -0.0358·1.44 + 1.015·1.2 + 13.809.
    EXPECT_EQ(text("Velocity_NS"), "14.98");
    EXPECT_EQ(text("plindex"), "5.0");
    EXPECT_NEAR(f.session().outlet_barrel_area, 3.14159265358979, 1e-12);
    EXPECT_EQ(f.session().coefficient_diameter, 24);
}

// Tables the window cannot read are reported with the database's own description,
// not shown as an empty list or no design pipe.
TEST_F(PipeEnergyFormTest, AnUnreadableTableSaysWhy) {
    project.add_pipe(circular_pipe("1", "10", "3"));
    auto& context = project.open();
    context.project_connection.execute("DROP TABLE ENERGY");
    form.emplace(context, project.design, ui, windows);
    form->open();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.last().text.starts_with("The table ENERGY is missing from")) << ui.last().text;
    context.project_connection.execute("ALTER TABLE PIPE RENAME TO OLD_PIPE");
    form->choose_end_node("10");
    EXPECT_TRUE(ui.last().text.starts_with("The table PIPE is missing from")) << ui.last().text;
}

TEST_F(PipeEnergyFormTest, TheLargestDischargeIsTheDesignPipeAndTheFirstOneOnATie) {
    project.add_pipe(with(circular_pipe("1", "10", "8.0"), "PIPE_DIA", "18"));
    project.add_pipe(with(circular_pipe("2", "10", "8"), "PIPE_DIA", "30"));
    project.add_pipe(circular_pipe("3", "10", "not computed"));
    opened().choose_end_node("10");
    EXPECT_EQ(text("eDiaRise"), "18");
    EXPECT_EQ(text("W_culvert"), "1.5");
    EXPECT_EQ(form->session().coefficient_diameter, 18);
}

TEST_F(PipeEnergyFormTest, ChangingTheNodeAfterADecisionAsksAndCancelKeepsEverything) {
    project.add_pipe(circular_pipe("1", "A", "20"));
    project.add_pipe(with(circular_pipe("2", "B", "30"), "PIPE_DIA", "36"));
    auto& f = opened();
    f.choose_end_node("A");
    leave("dn_TW", "0.8");
    f.cmdNeed();
    ASSERT_FALSE(text("outlet_protection").empty());
    ui.clear();

    const auto before = f.fields.all();
    ui.answers = {Answer::Cancel};
    f.choose_end_node("B");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, "Clear current energy dissipation computations? Y/N");
    EXPECT_EQ(ui.last().buttons, Buttons::OkCancel);
    EXPECT_EQ(ui.last().icon, Icon::Exclamation);
    EXPECT_EQ(text("enodeout"), "A");
    for (const auto& [name, kept] : before) EXPECT_EQ(text(name), kept.text) << name;

    ui.answers = {Answer::Ok};
    f.choose_end_node("B");
    EXPECT_EQ(text("eDiaRise"), "36");
    EXPECT_EQ(text("dn_TW"), "");  // cleared with the window
    EXPECT_EQ(text("outlet_protection"), "");
    EXPECT_FALSE(field("cmdanalyzeED").enabled);

    // Picking a node and then leaving the field loads it once.
    ui.clear();
    f.enodeout_committed();
    EXPECT_TRUE(ui.shown.empty());

    // An emptied node clears the window and asks nothing.
    leave("dn_TW", "0.8");
    f.cmdNeed();
    ui.clear();
    f.choose_end_node("");
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(text("eDiaRise"), "");
    EXPECT_EQ(text("outlet_protection"), "");
}

TEST_F(PipeEnergyFormTest, TypedDischargeAsksForTheTwoYearDischarge) {
    project.add_pipe(with(circular_pipe("1", "A", "20"), "DISCHARGEVAL", "INP"));
    project.add_pipe(circular_pipe("2", "B", "20"));
    auto& f = opened();
    f.choose_end_node("B");
    EXPECT_FALSE(field("C_Discharge").visible);

    f.choose_end_node("A");
    ASSERT_EQ(ui.texts(), std::vector<std::string>{"Please Input 2-Yr Discharge!"});
    EXPECT_EQ(ui.last().icon, Icon::Information);
    EXPECT_TRUE(field("C_Discharge").visible);
    EXPECT_TRUE(field("C_Discharge").enabled);
    EXPECT_EQ(f.take_focus_request(), "C_Discharge");
    EXPECT_EQ(text("velocity2"), "");

    leave("C_Discharge", "");
    EXPECT_EQ(text("C_Discharge"), "0.00");
    leave("C_Discharge", "10");
    EXPECT_EQ(text("C_Discharge"), "10.00");
    EXPECT_FALSE(text("velocity2").empty());
    EXPECT_EQ(f.take_focus_request(), "dn_TW");

    // Coming back to the pipe asks again: clearing the window empties the field.
    ui.clear();
    f.choose_end_node("B");
    f.choose_end_node("A");
    EXPECT_TRUE(ui.saw("Please Input 2-Yr Discharge!"));
}

TEST_F(PipeEnergyFormTest, NeedDecisionChecksItsInputsAndComparesTheVelocities) {
    project.add_pipe(circular_pipe("1", "A", "20"));
    auto& f = opened();
    f.cmdNeed();
    EXPECT_EQ(ui.last().text, "Please enter valid Outfall/End Node value!");
    EXPECT_EQ(ui.last().icon, Icon::Exclamation);
    f.choose_end_node("A");
    f.cmdNeed();
    EXPECT_EQ(ui.last().text, "Please enter valid Depth of flow value!");
    EXPECT_EQ(text("outlet_protection"), "");

    leave("dn_TW", "1");
    EXPECT_EQ(text("dn_TW"), "1.000");
    f.fields.set_text("velocity2", text("Velocity_NS"));
    f.cmdNeed();
    EXPECT_EQ(text("outlet_protection"), "NOT REQUIRED!");
    EXPECT_EQ(ui.last().text,
              " 2-Yr Outlet Velocity <= Permissible Velocity. No Outlet Protection Required. ");
    EXPECT_EQ(ui.last().icon, Icon::None);
    EXPECT_FALSE(field("cmdanalyzeED").enabled);

    f.fields.set_text("Bed_Matl", "Fine Sand");
    f.bed_material_chosen();
    EXPECT_EQ(text("outlet_protection"), "");
    EXPECT_EQ(text("D50bed"), "0.00082 - 0.00041");
    f.cmdNeed();
    EXPECT_EQ(text("outlet_protection"), "REQUIRED!");
    EXPECT_EQ(ui.last().text, "Outlet Protection is Required");
    EXPECT_TRUE(field("cmdanalyzeED").enabled);

    // Choosing a material again takes the decision away until it is evaluated anew.
    f.bed_material_chosen();
    EXPECT_EQ(text("outlet_protection"), "");
    EXPECT_FALSE(field("cmdanalyzeED").enabled);
}

// The rules themselves are the outlet engine's; here each field applies its own.
TEST_F(PipeEnergyFormTest, FieldExitRules) {
    project.add_pipe(circular_pipe("1", "A", "20"));
    opened().choose_end_node("A");
    for (const auto& [name, typed, kept] :
         std::vector<std::tuple<const char*, const char*, const char*>>{
             {"plindex", "20", "16.0"},
             {"plindex", "", "5.0"},
             {"D16", "", "0.1"},
             {"D84", "", "0.2"},
             {"W_culvert", "2.5", "2.500"},
             {"dn_TW", "0.45", "0.450"},
             {"dn_TW", "deep", "deep"}}) {
        leave(name, typed);
        EXPECT_EQ(text(name), kept) << name << " " << typed;
    }
}

TEST_F(PipeEnergyFormTest, ClayBedSwitchesFromGrainSizesToThePlasticityIndex) {
    project.add_pipe(circular_pipe("1", "A", "20"));
    auto& f = opened();
    f.choose_end_node("A");
    leave("D16", "0.05");
    f.fields.set_text("Bed_Matl", "Clay (PI 5-16)");
    f.bed_material_chosen();
    EXPECT_FALSE(field("D16").enabled);
    EXPECT_FALSE(field("D84").enabled);
    EXPECT_TRUE(field("plindex").enabled);
    EXPECT_EQ(text("Velocity_NS"), "5.00");
    EXPECT_EQ(text("D50bed"), "Various");

    f.cmdscourholesize();
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_FALSE(text("txt_D").empty());

    f.fields.set_text("Bed_Matl", "Coarse Sand");
    f.bed_material_chosen();
    EXPECT_TRUE(field("D16").enabled);
    EXPECT_TRUE(field("D84").enabled);
    EXPECT_FALSE(field("plindex").enabled);
}

TEST_F(PipeEnergyFormTest, ScourHoleRefusesEqualGrainSizes) {
    project.add_pipe(circular_pipe("1", "A", "20"));
    auto& f = opened();
    f.choose_end_node("A");
    leave("D16", "0.1");
    leave("D84", "0.1");
    f.cmdscourholesize();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"D84 should be > D16"});
    EXPECT_EQ(ui.last().icon, Icon::None);
    EXPECT_EQ(text("txt_L"), "");
    leave("D84", "0.4");
    f.cmdscourholesize();
    EXPECT_NE(text("txt_L"), "");
}

TEST_F(PipeEnergyFormTest, SaveAndReopenKeepEveryColumn) {
    project.add_pipe(with(circular_pipe("1", "O'Brien 1", "20"), "DISCHARGEVAL", "INP"));
    auto& f = opened();
    f.mnusave();
    EXPECT_EQ(ui.last().text, "End Node cannot be blank!");
    EXPECT_EQ(ui.last().icon, Icon::Exclamation);
    EXPECT_FALSE(testing::first_value(project.file(), "ENERGY", "ENODEOUT_NO"));

    f.choose_end_node("O'Brien 1");
    leave("C_Discharge", "6.5");
    leave("dn_TW", "0.75");
    leave("W_culvert", "2.25");
    f.fields.set_text("Bed_Matl", "Fine Sand");
    f.bed_material_chosen();
    leave("D16", "0.002");
    leave("D84", "0.009");
    f.cmdscourholesize();
    f.cmdNeed();
    f.fields.set_text("VDOT_Riprap", "Type I");
    f.fields.set_text("L2byh2", "4.25");
    f.fields.set_text("txth3", "0.40");
    ui.clear();
    f.mnusave();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Record Saved"});
    EXPECT_EQ(ui.last().icon, Icon::Information);
    EXPECT_FALSE(f.record_modified());

    EXPECT_EQ(testing::first_value(project.file(), "ENERGY", "W_CULVERT"), "2.250");
    // Each field's column, and the field again when the record is opened anew (after
    // the design pipe and the bed material were applied).
    const std::vector<std::tuple<const char*, const char*, std::string>> kept{
        {"enodeout", "ENODEOUT_NO", "O'Brien 1"},
        {"dn_TW", "EFLOW_DEPTH", "0.750"},
        {"C_Discharge", "C_DISCHARGE", "6.50"},
        {"Bed_Matl", "BED_MATL", "Fine Sand"},
        {"outlet_protection", "OUTLET_PROTECT", "REQUIRED!"},
        {"plindex", "PLINDEX", "5.0"},
        {"VDOT_Riprap", "TXT_EC", "Type I"},
        {"L2byh2", "TXTEC_L", "4.25"},
        {"txth3", "TXTEC_T", "0.40"},
        {"D16", "TXT_D", "0.002"},
        {"D84", "TXT_W", "0.009"},
        {"Velocity_NS", "VELOCITY_NS", text("Velocity_NS")},
        {"D50bed", "D50BED", "0.00082 - 0.00041"},
        {"txt_L", "TXT_L", text("txt_L")},
        {"txtLocation", "SCOUR_LOCATION", text("txtLocation")}};
    PipeEnergyForm again(project.open(), project.design, ui, windows);
    again.open();
    for (const auto& [name, column, value] : kept) {
        EXPECT_EQ(testing::first_value(project.file(), "ENERGY", column), value) << column;
        EXPECT_EQ(again.fields.text(name), value) << name;
    }
    EXPECT_EQ(again.fields.text("velocity2"), text("velocity2"));
    // The outlet width comes from the pipe again.
    EXPECT_EQ(again.fields.text("W_culvert"), "2");
    EXPECT_TRUE(again.fields.at("C_Discharge").visible);
    EXPECT_TRUE(again.fields.at("cmdanalyzeED").enabled);
    EXPECT_FALSE(again.record_modified());
    EXPECT_EQ(store::EnergyTable(again.context().project_connection).count(), 1);
}

TEST_F(PipeEnergyFormTest, OpeningRepairsAnUnknownRiprapClassAndRestoresAClayBed) {
    project.add_pipe(circular_pipe("1", "A", "20"));
    project.add_energy({{"ENODEOUT_NO", "A"},
                        {"BED_MATL", "Clay (PI 5-16)"},
                        {"TXT_EC", "Class IV"},
                        {"PLINDEX", "12"},
                        {"OUTLET_PROTECT", "NOT REQUIRED!"}});
    auto& f = opened();
    EXPECT_EQ(text("VDOT_Riprap"), "Class A1");
    EXPECT_TRUE(field("plindex").enabled);
    EXPECT_FALSE(field("D16").enabled);
    EXPECT_EQ(text("outlet_protection"), "NOT REQUIRED!");
    EXPECT_FALSE(field("cmdanalyzeED").enabled);
    EXPECT_EQ(text("C_Discharge"), "10.000");
    EXPECT_FALSE(field("C_Discharge").visible);
    EXPECT_FALSE(f.record_modified());
}

TEST_F(PipeEnergyFormTest, ClosingAsksOnlyWhenTheRecordChanged) {
    project.add_pipe(circular_pipe("1", "A", "20"));
    project.add_energy({{"ENODEOUT_NO", "A"}, {"EFLOW_DEPTH", "0.5"}});
    auto& f = opened();
    EXPECT_TRUE(f.query_close());
    EXPECT_TRUE(ui.shown.empty());

    f.fields.set_text("dn_TW", "0.9");  // typed, not yet left
    ui.answers = {Answer::No};
    EXPECT_FALSE(f.query_close());
    EXPECT_EQ(ui.last().text, "Exit without Saving?");
    EXPECT_EQ(ui.last().title, "Pelvane");
    EXPECT_EQ(ui.last().icon, Icon::Information);
    EXPECT_EQ(ui.last().buttons, Buttons::YesNo);
    EXPECT_EQ(text("dn_TW"), "0.9");

    ui.answers = {Answer::Yes};
    f.mnuexit();
    EXPECT_TRUE(f.close_requested);
    EXPECT_EQ(text("dn_TW"), "0.5");  // the change was discarded
    EXPECT_FALSE(f.record_modified());
    EXPECT_EQ(testing::first_value(project.file(), "ENERGY", "EFLOW_DEPTH"), "0.5");
}

class MetricPipeEnergyFormTest : public PipeEnergyFormTest {
  protected:
    MetricPipeEnergyFormTest() : PipeEnergyFormTest("METRIC") {}
};

TEST_F(MetricPipeEnergyFormTest, MetricLabelsDefaultsAndSizes) {
    project.add_pipe(
        with(with(circular_pipe("1", "A", "0.5"), "PIPE_DIA", "600"), "PIPE_FLOWDEPTH", "0.40"));
    auto& f = opened();
    EXPECT_EQ(text("eDiaRise_unit"), "mm");
    EXPECT_EQ(text("E_Area_unit"), "sqm");
    EXPECT_EQ(text("V_C_unit"), "m/sec");
    EXPECT_EQ(text("E_Discharge_unit"), "cms");
    EXPECT_EQ(text("D16"), "0.001");
    EXPECT_EQ(text("D84"), "0.01");

    f.choose_end_node("A");
    EXPECT_EQ(text("W_culvert"), "0.6");
    EXPECT_EQ(f.session().coefficient_diameter, 21);  // 600 / 25.4 = 23.6 in
    // 2.0 ha · 100 · 25.4 / 20 mm/hr / 360 = 0.70556 cms.
    EXPECT_EQ(text("C_Discharge"), "0.706");
    EXPECT_EQ(text("D50bed"), "> 256");
    // Boulders at 0.40 m = 1.31232 ft, converted back to m/s.
    const double y = 0.40 * 3.2808;
    EXPECT_EQ(text("Velocity_NS"),
              text::format_number((-0.0358 * y * y + 1.015 * y + 13.809) * 0.3048, "0.00"));

    f.fields.set_text("Bed_Matl", "Clay (PI 5-16)");
    f.bed_material_chosen();
    EXPECT_TRUE(field("plindex").enabled);
    EXPECT_TRUE(field("plindex").visible);
    EXPECT_TRUE(field("D16").enabled);
    EXPECT_EQ(text("D16"), "0.001");
    leave("D16", "");
    EXPECT_EQ(text("D16"), "0.01");
}

}  // namespace
}  // namespace pelvane::forms
