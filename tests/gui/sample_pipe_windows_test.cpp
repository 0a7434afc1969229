// The windows the pipe window opens over itself, driven through their own controls
// on a copy of the sample project: each opens, takes a few ticks, typed values and
// list choices, runs its commands and closes without a crash.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "gui/deflection_picture_dialog.h"
#include "gui/drainage_area_dialog.h"
#include "gui/pipe_form_window.h"
#include "gui/size_picker_dialog.h"
#include "gui/time_of_concentration_dialog.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

namespace pelvane::gui {
namespace {

// Plays the person at whatever modal window comes up: message boxes are answered
// No (or their default) and kept; any other window gets the next queued step, once.
class ModalDriver {
  public:
    ModalDriver() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(10);
    }
    void then(std::function<void(QDialog&)> step) { steps_.push_back(std::move(step)); }
    bool done() const { return steps_.empty(); }
    std::vector<std::string> boxes;

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes.push_back(box->text().toStdString());
            QAbstractButton* answer = box->button(QMessageBox::No);
            if (!answer) answer = box->defaultButton();
            if (!answer) answer = box->buttons().front();
            answer->click();
            return;
        }
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog || busy_ || dialog == handled_ || steps_.empty()) return;
        handled_ = dialog;
        busy_ = true;
        // Run apart from the polling timer, which must keep answering the message
        // boxes the step brings up (a timer does not fire inside its own handler).
        QTimer::singleShot(
            0, [this, dialog = QPointer<QDialog>(dialog), step = std::move(steps_.front())] {
                if (dialog) step(*dialog);
                busy_ = false;
                // Every step closes its window; one left open must not leave the test waiting.
                if (dialog && dialog->isVisible()) {
                    ADD_FAILURE() << dialog->metaObject()->className() << " stayed open";
                    dialog->hide();
                }
            });
        steps_.pop_front();
    }

    QTimer timer_;
    std::deque<std::function<void(QDialog&)>> steps_;
    QPointer<QDialog> handled_;
    bool busy_ = false;
};

template <class T>
T* child(QWidget& window, const char* name) {
    auto* widget = window.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QPushButton* button(QWidget& window, const QString& text) {
    for (auto* b : window.findChildren<QPushButton*>()) {
        if (b->text() == text) return b;
    }
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

void type_into(QLineEdit* edit, const char* text) {
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

void choose_second(QComboBox* combo) {
    ASSERT_GT(combo->count(), 1);
    combo->setCurrentIndex(1);
    emit combo->textActivated(combo->itemText(1));
}

TEST(SamplePipeWindows, EverySubWindowOfThePipeWindowWorksAndCloses) {
    testing::TempFolder folder;
    const auto file = folder / "Sample.pvd";
    std::filesystem::copy_file(testing::program_folder() / "samples" / "Sample.pvd", file);
    store::ProjectContext context = testing::open_project_for_test(file);
    ModalDriver person;

    PipeFormWindow window(context);
    window.open("edit", "2");  // an elliptical pipe: it has a size picker
    window.show();
    for (int tab = 0; tab < 3; ++tab) window.tabs()->setCurrentIndex(tab);
    window.tabs()->setCurrentIndex(0);

    person.then([](QDialog& picker) {
        auto* sizes = qobject_cast<SizePickerDialog*>(&picker);
        ASSERT_NE(sizes, nullptr) << picker.metaObject()->className();
        sizes->table()->selectRow(1);
        QTest::mouseClick(button(picker, "Select"), Qt::LeftButton);
    });
    QTest::mouseClick(button(window, "Sizes..."), Qt::LeftButton);

    person.then([](QDialog& picture) {
        EXPECT_NE(qobject_cast<DeflectionPictureDialog*>(&picture), nullptr);
        picture.reject();
    });
    for (auto* help : window.findChildren<QAbstractButton*>()) {
        if (help->toolTip() == "The deflection angle at the lower end") help->click();
    }

    window.tabs()->setCurrentIndex(1);
    // Input discharge asks before dropping the computed values; No keeps them.
    child<QRadioButton>(window, "dischargeval_INP")->click();
    EXPECT_EQ(person.boxes.size(), 1u);
    EXPECT_EQ(window.model().fields.text("dischargeval"), "CRM");
    EXPECT_TRUE(child<QRadioButton>(window, "dischargeval_CRM")->isChecked());

    person.then([](QDialog& dialog) {
        ASSERT_NE(qobject_cast<DrainageAreaDialog*>(&dialog), nullptr);
        type_into(child<QLineEdit>(dialog, "Area(0)"), "1.5");
        type_into(child<QLineEdit>(dialog, "Cval(0)"), "0.5");
        QTest::mouseClick(child<QPushButton>(dialog, "cmdcomputearea"), Qt::LeftButton);
        EXPECT_FALSE(child<QLineEdit>(dialog, "TAREA")->text().isEmpty());
        QTest::mouseClick(child<QPushButton>(dialog, "cmdsavearea"), Qt::LeftButton);
    });
    QTest::mouseClick(button(window, "Area..."), Qt::LeftButton);

    person.then([](QDialog& dialog) {
        ASSERT_NE(qobject_cast<TimeOfConcentrationDialog*>(&dialog), nullptr);
        type_into(child<QLineEdit>(dialog, "flow_distance1"), "100");
        type_into(child<QLineEdit>(dialog, "upper_elevation1"), "101");
        type_into(child<QLineEdit>(dialog, "lower_elevation1"), "100");
        choose_second(child<QComboBox>(dialog, "landuse_type"));
        child<QCheckBox>(dialog, "CheckTc1")->click();
        choose_second(child<QComboBox>(dialog, "surface_type"));
        // Save asks whether a Tc under 5 minutes becomes 5; No keeps the window open.
        QTest::mouseClick(child<QPushButton>(dialog, "cmdsavePTc"), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(child<QPushButton>(dialog, "cmdcancelPTc"), Qt::LeftButton);
    });
    QTest::mouseClick(button(window, "Tc..."), Qt::LeftButton);

    EXPECT_TRUE(person.done());
    // Closing an edited pipe asks first; No keeps the window.
    window.close();
    EXPECT_EQ(person.boxes.back(), "Exit without Saving?");
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace pelvane::gui
