// Widgets and small dialogs offscreen: what reaches the model, and where the focus
// goes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "gui/numeric_line_edit.h"
#include "gui/pipe_form_widgets.h"
#include "gui/time_of_concentration_dialog.h"
#include "support/scripted_ui.h"

namespace pelvane::gui {
namespace {

TEST(NumericLineEdit, EnterMovesTheFocusOnWithoutAddingACharacter) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new NumericLineEdit(&window);
    auto* second = new NumericLineEdit(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    window.show();
    QApplication::setActiveWindow(&window);
    first->setFocus();
    QApplication::processEvents();
    QTest::keyClicks(first, "12");
    QTest::keyClick(first, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(first->text(), "12");
    EXPECT_TRUE(second->hasFocus());
}

// Fields made by a FieldFactory keep reaching the model's events after the factory
// that made them is gone, as a dialog's factory is once the dialog is built.
TEST(FieldFactory, AnOptionOutlivesItsFactory) {
    forms::FormModel model(forms::field_names::kPipe);
    model.fields.set_text("dischargeval", "A");
    QWidget window;
    forms::UnattendedUi ui;
    FieldBinder binder(model, &window, ui);
    std::string chosen;
    QRadioButton* option = nullptr;
    {
        FieldFactory make(binder,
                          {{}, {}, [&chosen](forms::FieldName name) { chosen = name.str(); }});
        option = make.option("dischargeval", "B", "B");
        option->setParent(&window);
    }
    option->click();
    EXPECT_EQ(model.fields.text("dischargeval"), "B");
    EXPECT_EQ(chosen, "dischargeval");
}

// The Tc window's check boxes reach the model once the window is built.
TEST(TimeOfConcentrationDialog, TickingASegmentComputesItsTimeAndTheTotal) {
    store::ProjectContext context;
    context.units = "ENGLISH";
    testing::ScriptedUi ui;
    forms::DesignSession session;
    forms::TimeOfConcentrationForm tc(context, session, ui);
    tc.open({});
    for (const auto& [name, text] : {std::pair{"flow_distance1", "100"},
                                     {"upper_elevation1", "101"},
                                     {"lower_elevation1", "100"}}) {
        tc.fields.set_text(forms::FieldName::named(name), text);
    }
    TimeOfConcentrationDialog dialog(tc, ui);

    dialog.findChild<QCheckBox*>("CheckTc1")->click();
    EXPECT_EQ(tc.fields.text("CheckTc1"), "1");
    EXPECT_NE(tc.fields.text("txtTc1"), "0.0");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("txtTc1")->text().toStdString(),
              tc.fields.text("txtTc1"));
    EXPECT_NE(tc.fields.text("computedPTc"), "0.0");
}

}  // namespace
}  // namespace pelvane::gui
