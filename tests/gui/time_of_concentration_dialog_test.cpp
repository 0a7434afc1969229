// The Tc window offscreen: its check boxes reach the model once the window is built.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

#include "gui/time_of_concentration_dialog.h"
#include "support/scripted_ui.h"

using namespace pelvane;

namespace {

TEST(TimeOfConcentrationDialog, TickingASegmentComputesItsTimeAndTheTotal) {
    store::ProjectContext context;
    context.units = "ENGLISH";
    pelvane::testing::ScriptedUi ui;
    forms::DesignSession session;
    forms::TimeOfConcentrationForm tc(context, session, ui);
    tc.open({});
    for (const auto& [name, text] : {std::pair{"flow_distance1", "100"},
                                     {"upper_elevation1", "101"},
                                     {"lower_elevation1", "100"}}) {
        tc.fields.set_text(forms::FieldName::named(name), text);
    }
    gui::TimeOfConcentrationDialog dialog(tc, ui);

    dialog.findChild<QCheckBox*>("CheckTc1")->click();
    EXPECT_EQ(tc.fields.text("CheckTc1"), "1");
    EXPECT_NE(tc.fields.text("txtTc1"), "0.0");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("txtTc1")->text().toStdString(),
              tc.fields.text("txtTc1"));
    EXPECT_NE(tc.fields.text("computedPTc"), "0.0");
}

}  // namespace
