// The pipe window offscreen: it builds with its three tabs bound to the model, a
// typed value reaches the model, Save refuses an unsolved record, and the frame's
// close button asks before dropping a new pipe.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "gui/numeric_line_edit.h"
#include "gui/pipe_form_window.h"
#include "gui/qt_ui.h"
#include "gui/size_picker_dialog.h"
#include "store/pipe_table.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

using namespace pelvane;
namespace support = pelvane::testing;

namespace {

class PipeFormWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        file = folder / "window.pvd";
        support::make_current_project(file);
        support::insert_row(file, "PROJECT",
                            {{"MAJOR_RELEASE", "2.1"}, {"PROJECT_ID", "W"}, {"UNITS", "ENGLISH"}});
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

    QAction* action(gui::PipeFormWindow& window, const QString& text) {
        for (QAction* a : window.findChildren<QAction*>()) {
            if (a->text() == text) return a;
        }
        return nullptr;
    }

    support::TempFolder folder;
    std::filesystem::path file;
    store::ProjectContext context;
    forms::DesignSession session;
    gui::QtUi ui{nullptr};
    std::vector<std::string> boxes;
};

TEST_F(PipeFormWindowTest, BuildsItsTabsWithBoundNumericFields) {
    gui::PipeFormWindow window(context, session, ui);
    window.open("add", "");
    window.show();
    ASSERT_EQ(window.tabs()->count(), 3);
    EXPECT_EQ(window.tabs()->currentIndex(), 0);

    auto* elein = window.findChild<gui::NumericLineEdit*>("pipe_elein");
    auto* length = window.findChild<gui::NumericLineEdit*>("pipe_length");
    ASSERT_TRUE(elein && length);
    EXPECT_TRUE(elein->is_signed());
    EXPECT_FALSE(length->is_signed());
    EXPECT_TRUE(length->alignment() & Qt::AlignRight);

    auto* dia = window.findChild<QComboBox*>("pipe_dia");
    ASSERT_TRUE(dia);
    EXPECT_EQ(dia->currentText(), "18");
    EXPECT_FALSE(window.findChild<QLineEdit*>("span")->isEnabled());
    EXPECT_EQ(window.findChild<QLineEdit*>("capacity")->text(), "");
    EXPECT_TRUE(window.findChild<QLineEdit*>("capacity")->isReadOnly());
    // Only a computed discharge opens the previous pipes.
    EXPECT_FALSE(window.findChild<QComboBox*>("prenode1")->isEnabled());
    EXPECT_TRUE(action(window, "&Save Pipe")->isEnabled());
    EXPECT_FALSE(action(window, "&Add Pipe")->isEnabled());
    EXPECT_TRUE(action(window, "&Add Pipe")->isChecked());
}

TEST_F(PipeFormWindowTest, ATypedValueReachesTheModelAndSaveWaitsForASolve) {
    gui::PipeFormWindow window(context, session, ui);
    window.open("add", "");
    window.show();
    QApplication::setActiveWindow(&window);

    auto* number = window.findChild<QLineEdit*>("pipe_number");
    number->setFocus();
    QTest::keyClicks(number, "7");
    auto* length = window.findChild<QLineEdit*>("pipe_length");
    length->setFocus();
    QTest::keyClicks(length, "120x");
    window.findChild<QLineEdit*>("pipe_elein")->setFocus();  // leaving formats it
    QApplication::processEvents();
    EXPECT_EQ(window.model().fields.text("pipe_number"), "7");
    EXPECT_EQ(length->text(), "120.000");
    EXPECT_EQ(window.model().fields.text("pipe_length"), "120.000");

    answer_next_box(QMessageBox::Ok);
    action(window, "&Save Pipe")->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Data has changed! Please 'Solve' pipe Analysis before saving");
    EXPECT_EQ(store::PipeTable(context.project_connection).count(), 0);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(PipeFormWindowTest, ClosingANewPipeAsksFirst) {
    gui::PipeFormWindow window(context, session, ui);
    window.open("add", "");
    window.show();

    answer_next_box(QMessageBox::No);
    window.close();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Exit without Saving?");
    EXPECT_TRUE(window.isVisible());

    answer_next_box(QMessageBox::Yes);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.model().close_requested);
}

}  // namespace

namespace {

// A message shown while a field gets the focus hands the focus back to the window
// when it closes; that is no new visit of the field.
TEST_F(PipeFormWindowTest, AMessageOnEnteringAFieldIsShownOnce) {
    gui::PipeFormWindow window(context, session, ui);
    window.open("add", "");
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

}  // namespace

namespace {

// Opening a list's popup neither leaves nor enters the field: a type chosen there
// is a change when the field is really left.
TEST_F(PipeFormWindowTest, ChoosingFromAListPopupIsAChangeOfTheField) {
    gui::PipeFormWindow window(context, session, ui);
    window.open("add", "");
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

namespace {

TEST_F(PipeFormWindowTest, APickerShowsItsSizesAndWantsARowBeforeSelect) {
    QWidget owner;
    gui::QtUi ui(&owner);
    forms::SizePickerForm picker(*forms::find_picker("frmEPipeSize"), ui);
    gui::SizePickerDialog dialog(picker, ui);
    dialog.show();
    QTableWidget* table = dialog.table();
    ASSERT_EQ(table->rowCount(), 30);
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "Span (Inch)");
    EXPECT_EQ(table->item(2, 0)->text(), "30");
    EXPECT_EQ(table->item(2, 3)->text(), "0.485");

    auto* select = dialog.findChild<QPushButton*>("Pselect");
    ASSERT_TRUE(select);
    answer_next_box(QMessageBox::Ok);
    select->click();
    ASSERT_EQ(boxes, (std::vector<std::string>{"Please Select Pipe Size!"}));
    EXPECT_TRUE(dialog.isVisible());

    table->selectRow(3);
    select->click();
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_TRUE(picker.picked());
    EXPECT_EQ(picker.picked()->span.text, "19");
    EXPECT_EQ(picker.picked()->rise.text, "30");
}

}  // namespace
