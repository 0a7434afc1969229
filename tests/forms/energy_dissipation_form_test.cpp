// The dissipator window opened from the outlet protection window.

#include <gtest/gtest.h>

#include "pipe_energy_test_project.h"

namespace pelvane::forms {
namespace {

using testing::circular_pipe;
using testing::OutletProject;
using testing::with;

class EnergyDissipationFormTest : public ::testing::Test {
  protected:
    explicit EnergyDissipationFormTest(const std::string& units = "ENGLISH", bool usda = true)
        : project(units, usda) {}

    // Opens the outlet protection window on node A with a decision of "REQUIRED!",
    // then the dissipator window through its command.
    void dissipators() {
        outlet.emplace(project.open(), project.design, ui, windows);
        outlet->open();
        outlet->choose_end_node("A");
        outlet->fields.set_text("dn_TW", "0.9");
        outlet->fields.set_text("Bed_Matl", "Fine Sand");
        outlet->bed_material_chosen();
        outlet->cmdNeed();
        EXPECT_EQ(outlet->fields.text("outlet_protection"), "REQUIRED!");
        windows.on_dissipators = [this](EnergyDissipationForm& d) {
            if (script) script(d);
            closed = d.fields;
        };
        ui.clear();
        outlet->cmdanalyzeED();
    }
    // The dissipator window's fields as it closed.
    const std::string& text(FieldName name) const { return closed.text(name); }

    OutletProject project;
    testing::ScriptedUi ui;
    testing::ScriptedWindows windows;
    std::optional<PipeEnergyForm> outlet;
    FieldSet closed{field_names::kEnergyDissipation};
    // What the engineer does while the dissipator window is open.
    std::function<void(EnergyDissipationForm&)> script;
};

TEST_F(EnergyDissipationFormTest, OpeningCopiesTheCarriersAndDesignRunsEveryMethod) {
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
    EXPECT_EQ(text("txt_EC"), " Class I ");
    EXPECT_EQ(text("usda_status"), "");
    for (const char* name :
         {"L_ROP", "W_ROP", "D50_size", "Thickness_Apron", "txtdE_basin", "txtFRo_basin", "L_Basin",
          "V_Exit", "txtdE_contra", "txtWbasin", "txtLB", "txth3", "txtVelocityc", "txtdE_usbr",
          "txtHo", "txtVB", "USBRsize(0)", "USBRsize(14)"}) {
        EXPECT_FALSE(text(FieldName::named(name)).empty()) << name;
    }
    // The basins share the outlet's equivalent depth: (20 / 10.2 / 2)^0.5.
    for (const char* name : {"txtdE_basin", "txtdE_contra", "txtdE_usbr"}) {
        EXPECT_EQ(text(FieldName::named(name)), "0.99") << name;
    }
}

TEST_F(EnergyDissipationFormTest, AFastOutletGivesTheMessagesInTheOrderOfTheMethods) {
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
    EXPECT_EQ(text("txt_EC"), "Special Design Reqd.");
    EXPECT_EQ(text("L_Basin"), "");
    EXPECT_EQ(text("txtWbasin"), "NONE");
    EXPECT_FALSE(text("txtHo").empty());  // the USBR basin still designed
}

TEST_F(EnergyDissipationFormTest, SaveChangesCarriesTheRatioHeightAndClassBack) {
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
    EXPECT_EQ(outlet->fields.text("L2byh2"), "5.00");
    EXPECT_EQ(outlet->fields.text("txth3"), "0.75");
    EXPECT_EQ(outlet->fields.text("VDOT_Riprap"), "Type II");
    EXPECT_TRUE(outlet->record_modified());

    // No leaves the outlet window as it was.
    script = [this](EnergyDissipationForm& d) {
        d.fields.set_text("L2byh2", "6.00");
        d.fields.set_text("VDOT_Riprap", "Class I");
        ui.answers = {Answer::No};
        d.query_close();
    };
    ui.clear();
    outlet->cmdanalyzeED();
    EXPECT_EQ(text("L2byh2"), "6.00");
    EXPECT_EQ(outlet->fields.text("L2byh2"), "5.00");
    EXPECT_EQ(outlet->fields.text("VDOT_Riprap"), "Type II");
}

class NoCoefficientDatabaseTest : public EnergyDissipationFormTest {
  protected:
    NoCoefficientDatabaseTest() : EnergyDissipationFormTest("ENGLISH", false) {}
};

TEST_F(NoCoefficientDatabaseTest, UsdaEndsQuietlyWithAStatusLineAndTheOthersGoOn) {
    project.add_pipe(circular_pipe("1", "A", "20"));
    script = [this](EnergyDissipationForm& d) {
        d.cmdanalyze();
        ui.answers = {Answer::No};
    };
    dissipators();
    EXPECT_EQ(text("usda_status"),
              "USDA method: no coefficient database (USDACOEFF.rdb) in the program folder");
    EXPECT_EQ(text("L_ROP"), "");
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_FALSE(text("txt_EC").empty());
    EXPECT_FALSE(text("txtHo").empty());
}

}  // namespace
}  // namespace pelvane::forms
