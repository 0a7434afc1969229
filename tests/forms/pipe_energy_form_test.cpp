// The outlet protection window and the dissipator window it opens, as the engineer
// uses them, on a small project with its own program folder (a rainfall database
// with known 2-year coefficients, the build's USDA coefficient database when asked
// for, and the report template) and pipes added with plain SQL.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <list>
#include <string>

#include "forms/design_session.h"
#include "forms/energy_dissipation_form.h"
#include "forms/pipe_energy_form.h"
#include "pipe_form_fixture.h"
#include "report/report_writer.h"
#include "store/energy_table.h"
#include "store/project_database.h"

namespace pelvane::testing {
namespace {

namespace fs = std::filesystem;

// The NOAA station of the project; its 2-year curve is i = 100 / (Tc + 10) in/hr.
constexpr const char* kStation = "Stuart's Draft";

// A 24 in circular concrete pipe ending at `node_out`, its discharge computed by
// the rational method (Tc 10 min, C·A 2.0, Cf 1.0: a 2-year discharge of 10 cfs).
RowValues circular_pipe(const std::string& number, const std::string& node_out,
                        const std::string& discharge) {
    RowValues pipe{
        {"PIPE_NUMBER", number}, {"NODEIN_NO", "in " + number}, {"NODEOUT_NO", node_out}};
    for (auto& column : row("PIPE_SHAPE=Circular; PIPE_MAT=Concrete; PIPE_DIA=24; NUMOFPIPES=1;"
                            "PIPE_SLOPE=0.01; PIPE_MANN=0.013; PIPE_STORM_FREQ=10; PIPE_CF=1.0;"
                            "DISCHARGEVAL=CRM; ACCUMULATED_TC=10; ACCUMULATED_CA=2.0;"
                            "PIPE_FLOWDEPTH=1.2; PIPE_AREAFLOW=1.96; PIPE_WP=3.54;"
                            "HYD_RADIUS=0.553; PIPE_VELOCITY=10.2; FROUDE_NO=1.9")) {
        pipe.push_back(std::move(column));
    }
    pipe.emplace_back("LATERAL_DISCHARGE", std::nullopt);
    pipe.emplace_back("PIPE_DISCHARGE", discharge);
    return pipe;
}

class OutletProject {
  public:
    explicit OutletProject(bool with_usda)
        : program_(folder_ / "program"), file_(folder_ / "O'Brien outfalls.pvd") {
        copy_program_files(program_, {report::kOutletProtectionTemplate});
        if (with_usda) copy_program_files(program_, {std::string(store::kCoefficientFileName)});
        write_station_rainfall(program_ / "VARMNOAA.rdb", {kStation},
                               [](int years) { return 100.0 * (years == 2 ? 1 : 2); });
        make_current_project(
            file_, with(row("MAJOR_RELEASE=2.1; PROJECT_ID=P-7; PROJECT_NAME=Route 460 O'Brien;"
                            "LOCATION=Pulaski; DESIGNER=D. Engineer; UNITS=ENGLISH"),
                        "NOAA_STATION", kStation));
    }

    void add_pipe(const RowValues& pipe) const { insert_row(file_, "PIPE", pipe); }
    // Opens the project as the main window does and enters outlet protection in
    // `design`, which the windows share.
    store::ProjectContext& open() {
        store::ProjectContext& context = sessions_.emplace_back();
        context.program_folder = program_;
        store::open_project(context, file_);
        design.enter_outlet_protection(context);
        return context;
    }
    forms::DesignSession design;
    const std::filesystem::path& file() const { return file_; }

  private:
    TempFolder folder_;
    std::filesystem::path program_;
    std::filesystem::path file_;
    std::list<store::ProjectContext> sessions_;
};

// The windows the outlet protection window opens, run by a test.
class ScriptedWindows : public forms::PipeEnergyForm::Windows {
  public:
    std::function<void(forms::EnergyDissipationForm&)> on_dissipators;

    void show_energy_dissipation(forms::EnergyDissipationForm& dissipators) override {
        if (on_dissipators) on_dissipators(dissipators);
    }
    void about() override {}
};

}  // namespace
}  // namespace pelvane::testing

namespace pelvane::forms {
namespace {

using testing::circular_pipe;
using testing::OutletProject;
using testing::RowValues;
using testing::with;

class PipeEnergyFormTest : public ::testing::Test {
  protected:
    explicit PipeEnergyFormTest(bool usda = true) : project(usda) {}

    PipeEnergyForm& opened() {
        form.emplace(project.open(), project.design, ui, windows);
        form->open();
        return *form;
    }
    const std::string& text(FieldName field) const { return form->fields.text(field); }
    const Field& field(FieldName name) const { return form->fields.at(name); }
    void leave(FieldName name, std::string typed) {
        form->fields.set_text(name, std::move(typed));
        form->field_left(name);
    }

    // Opens the outlet protection window on node A with a decision of "REQUIRED!",
    // then the dissipator window through its command.
    void dissipators() {
        opened();
        form->choose_end_node("A");
        form->fields.set_text("dn_TW", "0.9");
        form->fields.set_text("Bed_Matl", "Fine Sand");
        form->bed_material_chosen();
        form->cmdNeed();
        EXPECT_EQ(form->fields.text("outlet_protection"), "REQUIRED!");
        windows.on_dissipators = [this](EnergyDissipationForm& d) {
            if (script) script(d);
            closed = d.fields;
        };
        ui.clear();
        form->cmdanalyzeED();
    }
    // The dissipator window's fields as it closed.
    const std::string& shown(FieldName name) const { return closed.text(name); }

    OutletProject project;
    testing::ScriptedUi ui;
    testing::ScriptedWindows windows;
    std::optional<PipeEnergyForm> form;
    FieldSet closed{field_names::kEnergyDissipation};
    // What the engineer does while the dissipator window is open.
    std::function<void(EnergyDissipationForm&)> script;
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
    EXPECT_EQ(text("VDOT_Riprap"), "Class A1");
    EXPECT_FALSE(field("cmdanalyzeED").enabled);
    EXPECT_FALSE(field("plindex").enabled);
    EXPECT_TRUE(f.record_modified());  // a new record counts as changed
    EXPECT_TRUE(f.end_node_edited());

    f.choose_end_node("O'Brien 1");
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(text("eDiaRise"), "24");
    EXPECT_EQ(text("W_culvert"), "2");
    EXPECT_EQ(text("E_Discharge"), "20.40");
    // The 2-year storm of the station: 2.0 · 100 / (10 + 10) · 1.0 = 10 cfs.
    EXPECT_EQ(text("C_Discharge"), "10.000");
    EXPECT_FALSE(field("C_Discharge").visible);
    EXPECT_FALSE(field("C_Discharge_label").visible);
    EXPECT_FALSE(text("velocity2").empty());
    EXPECT_EQ(text("Velocity_NS"), "14.98");  // boulders at the outlet depth of 1.2 ft
    EXPECT_NEAR(f.session().outlet_barrel_area, 3.14159265358979, 1e-12);
    EXPECT_EQ(f.session().coefficient_diameter, 24);
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
    EXPECT_EQ(text("enodeout"), "A");
    for (const auto& [name, kept] : before) EXPECT_EQ(text(name), kept.text) << name.str();

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
    EXPECT_TRUE(field("C_Discharge").visible);
    EXPECT_TRUE(field("C_Discharge").enabled);
    EXPECT_EQ(f.take_focus_request(), FieldName("C_Discharge"));
    EXPECT_EQ(text("velocity2"), "");

    leave("C_Discharge", "");
    EXPECT_EQ(text("C_Discharge"), "0.00");
    leave("C_Discharge", "10");
    EXPECT_EQ(text("C_Discharge"), "10.00");
    EXPECT_FALSE(text("velocity2").empty());
    EXPECT_EQ(f.take_focus_request(), FieldName("dn_TW"));

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
    f.choose_end_node("A");
    f.cmdNeed();
    EXPECT_EQ(ui.last().text, "Please enter valid Depth of flow value!");
    EXPECT_EQ(text("outlet_protection"), "");

    leave("dn_TW", "1");
    EXPECT_EQ(text("dn_TW"), "1.000");
    f.fields.set_text("velocity2", text("Velocity_NS"));
    f.cmdNeed();
    EXPECT_EQ(text("outlet_protection"), "NOT REQUIRED!");
    EXPECT_FALSE(field("cmdanalyzeED").enabled);

    f.fields.set_text("Bed_Matl", "Fine Sand");
    f.bed_material_chosen();
    EXPECT_EQ(text("outlet_protection"), "");
    f.cmdNeed();
    EXPECT_EQ(text("outlet_protection"), "REQUIRED!");
    EXPECT_EQ(ui.last().text, "Outlet Protection is Required");
    EXPECT_TRUE(field("cmdanalyzeED").enabled);

    // Choosing a material again takes the decision away until it is evaluated anew.
    f.bed_material_chosen();
    EXPECT_EQ(text("outlet_protection"), "");
    EXPECT_FALSE(field("cmdanalyzeED").enabled);
}

TEST_F(PipeEnergyFormTest, SaveAndReopenKeepEveryColumn) {
    project.add_pipe(with(circular_pipe("1", "O'Brien 1", "20"), "DISCHARGEVAL", "INP"));
    auto& f = opened();
    f.mnusave();
    EXPECT_EQ(ui.last().text, "End Node cannot be blank!");
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
    EXPECT_FALSE(f.record_modified());

    EXPECT_EQ(testing::first_value(project.file(), "ENERGY", "W_CULVERT"), "2.250");
    // Each field's column, and the field again when the record is opened anew (after
    // the design pipe and the bed material were applied).
    const std::vector<std::tuple<const char*, const char*, std::string>> kept{
        {"enodeout", "ENODEOUT_NO", "O'Brien 1"},
        {"dn_TW", "EFLOW_DEPTH", "0.750"},
        {"C_Discharge", "C_DISCHARGE", "6.50"},
        {"outlet_protection", "OUTLET_PROTECT", "REQUIRED!"},
        {"VDOT_Riprap", "TXT_EC", "Type I"},
        {"L2byh2", "TXTEC_L", "4.25"},
        {"txth3", "TXTEC_T", "0.40"},
        {"D16", "TXT_D", "0.002"},
        {"D84", "TXT_W", "0.009"},
        {"txt_L", "TXT_L", text("txt_L")}};
    PipeEnergyForm again(project.open(), project.design, ui, windows);
    again.open();
    for (const auto& [name, column, value] : kept) {
        EXPECT_EQ(testing::first_value(project.file(), "ENERGY", column), value) << column;
        EXPECT_EQ(again.fields.text(FieldName::named(name)), value) << name;
    }
    EXPECT_EQ(again.fields.text("velocity2"), text("velocity2"));
    // The outlet width comes from the pipe again.
    EXPECT_EQ(again.fields.text("W_culvert"), "2");
    EXPECT_TRUE(again.fields.at("C_Discharge").visible);
    EXPECT_TRUE(again.fields.at("cmdanalyzeED").enabled);
    EXPECT_FALSE(again.record_modified());
    EXPECT_EQ(store::EnergyTable(again.context().project_connection).count(), 1);
}

TEST_F(PipeEnergyFormTest, DissipatorsOpeningCopiesTheCarriersAndDesignRunsEveryMethod) {
    project.add_pipe(circular_pipe("1", "A", "20"));
    script = [this](EnergyDissipationForm& d) {
        EXPECT_EQ(d.fields.text("C_Discharge"), "10.000");
        EXPECT_EQ(d.fields.text("sizeD50"), "0.800");
        d.cmdanalyze();
        ui.answers = {Answer::No};
        d.cmdExit();
    };
    dissipators();
    EXPECT_TRUE(ui.texts() == std::vector<std::string>{"Save Changes?"});
    // The methods' numbers are the outlet engine's; here each lands in its fields.
    EXPECT_EQ(shown("txt_EC"), " Class I ");
    EXPECT_EQ(shown("usda_status"), "");
    for (const char* name :
         {"L_ROP", "W_ROP", "D50_size", "Thickness_Apron", "txtdE_basin", "txtFRo_basin", "L_Basin",
          "V_Exit", "txtdE_contra", "txtWbasin", "txtLB", "txth3", "txtVelocityc", "txtdE_usbr",
          "txtHo", "txtVB", "USBRsize(0)", "USBRsize(14)"}) {
        EXPECT_FALSE(shown(FieldName::named(name)).empty()) << name;
    }
    // The basins share the outlet's equivalent depth: (20 / 10.2 / 2)^0.5.
    for (const char* name : {"txtdE_basin", "txtdE_contra", "txtdE_usbr"}) {
        EXPECT_EQ(shown(FieldName::named(name)), "0.99") << name;
    }
}

TEST_F(PipeEnergyFormTest, DissipatorsAFastOutletGivesTheMessagesInTheOrderOfTheMethods) {
    project.add_pipe(
        with(with(circular_pipe("1", "A", "20"), "PIPE_VELOCITY", "25"), "FROUDE_NO", "3.5"));
    script = [this](EnergyDissipationForm& d) {
        d.cmdanalyze();
        ui.answers = {Answer::No};
    };
    dissipators();
    ASSERT_EQ(ui.texts(), (std::vector<std::string>{
                              "Froude Number exceeds 3. \nSpecial design outlet protection "
                              "required for VDOT Drainage Manual method.",
                              "Special Design Outlet Protection Required for Riprap Basin Method!",
                              "Contra Costa Basin is suitable for Froude No. < 3.0) "}));
    EXPECT_EQ(shown("txt_EC"), "Special Design Reqd.");
    EXPECT_EQ(shown("L_Basin"), "");
    EXPECT_EQ(shown("txtWbasin"), "NONE");
    EXPECT_FALSE(shown("txtHo").empty());  // the USBR basin still designed
}

TEST_F(PipeEnergyFormTest, DissipatorsSaveChangesCarriesTheRatioHeightAndClassBack) {
    project.add_pipe(circular_pipe("1", "A", "20"));
    script = [this](EnergyDissipationForm& d) {
        d.fields.set_text("L2byh2", "5.00");
        d.fields.set_text("txth3", "0.75");
        d.fields.set_text("VDOT_Riprap", "Type II");
        d.riprap_class_chosen();
        EXPECT_EQ(d.fields.text("sizeD50"), "4.500");
        ui.answers = {Answer::Yes};
        d.cmdExit();
        EXPECT_TRUE(d.close_requested);
        EXPECT_TRUE(d.query_close());  // the view's close asks nothing more
    };
    dissipators();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Save Changes?"});
    EXPECT_EQ(form->fields.text("L2byh2"), "5.00");
    EXPECT_EQ(form->fields.text("txth3"), "0.75");
    EXPECT_EQ(form->fields.text("VDOT_Riprap"), "Type II");
    EXPECT_TRUE(form->record_modified());

    // No leaves the outlet window as it was.
    script = [this](EnergyDissipationForm& d) {
        d.fields.set_text("L2byh2", "6.00");
        d.fields.set_text("VDOT_Riprap", "Class I");
        ui.answers = {Answer::No};
        d.query_close();
    };
    ui.clear();
    form->cmdanalyzeED();
    EXPECT_EQ(shown("L2byh2"), "6.00");
    EXPECT_EQ(form->fields.text("L2byh2"), "5.00");
    EXPECT_EQ(form->fields.text("VDOT_Riprap"), "Type II");
}

class NoCoefficientDatabaseTest : public PipeEnergyFormTest {
  protected:
    NoCoefficientDatabaseTest() : PipeEnergyFormTest(false) {}
};

TEST_F(NoCoefficientDatabaseTest, UsdaEndsQuietlyWithAStatusLineAndTheOthersGoOn) {
    project.add_pipe(circular_pipe("1", "A", "20"));
    script = [this](EnergyDissipationForm& d) {
        d.cmdanalyze();
        ui.answers = {Answer::No};
    };
    dissipators();
    EXPECT_EQ(shown("usda_status"),
              "USDA method: no coefficient database (USDACOEFF.rdb) in the program folder");
    EXPECT_EQ(shown("L_ROP"), "");
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_FALSE(shown("txt_EC").empty());
    EXPECT_FALSE(shown("txtHo").empty());
}

}  // namespace
}  // namespace pelvane::forms
