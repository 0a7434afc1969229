// The pipe window offscreen: focus and list wiring that the model cannot see.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "gui/pipe_form_window.h"
#include "gui/qt_ui.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

using namespace pelvane;
namespace support = pelvane::testing;

namespace {

class PipeFormWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        file = folder / "window.pvd";
        support::make_current_project(
            file, {{"MAJOR_RELEASE", "2.1"}, {"PROJECT_ID", "W"}, {"UNITS", "ENGLISH"}});
        context = support::open_project_for_test(file);
    }

    // Answers the next message box with `button` and keeps its text.
    void answer_next_box(QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            boxes.push_back(box->text().toStdString());
            box->button(button)->click();
        });
    }

    support::TempFolder folder;
    std::filesystem::path file;
    store::ProjectContext context;
    forms::DesignSession session;
    gui::QtUi ui{nullptr};
    std::vector<std::string> boxes;
};

// A message shown while a field gets the focus hands the focus back to the window
// when it closes; that is no new visit of the field.
TEST_F(PipeFormWindowTest, AMessageOnEnteringAFieldIsShownOnce) {
    gui::PipeFormWindow window(context, session, ui);
    window.open_record("add", "");
    window.show();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();

    for (int i = 0; i < 3; ++i) answer_next_box(QMessageBox::Ok);
    window.findChild<QLineEdit*>("pipe_length")->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "pipe number can't be blank. Please enter a valid unique Pipe Number!");
    EXPECT_EQ(window.focusWidget(), window.findChild<QLineEdit*>("pipe_number"))
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                        : "none");
}

// Opening a list's popup neither leaves nor enters the field: a type chosen there
// is a change when the field is really left.
TEST_F(PipeFormWindowTest, ChoosingFromAListPopupIsAChangeOfTheField) {
    gui::PipeFormWindow window(context, session, ui);
    window.open_record("add", "");
    window.show();
    QApplication::setActiveWindow(&window);
    auto* type = window.findChild<QComboBox*>("nodein_type");
    type->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();

    type->showPopup();
    QApplication::processEvents();
    auto* popup = type->view();
    popup->setCurrentIndex(type->model()->index(0, 0));  // "Inlet"
    QTest::keyClick(popup, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(window.model().fields.text("nodein_type"), "Inlet");

    window.findChild<QComboBox*>("nodein_no")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(window.model().fields.text("dischargeval"), "CRM");
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
