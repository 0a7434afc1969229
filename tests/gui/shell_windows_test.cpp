// The desktop shell offscreen: the splash closes, and the Rainfall Data window imports
// an export through its buttons. (The main window's menus and status panels are
// checked by every_window_test.)

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "gui/main_window.h"
#include "gui/rainfall_data_chart.h"
#include "gui/rainfall_data_window.h"
#include "gui/splash_window.h"
#include "store/project_database.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::gui {
namespace {

namespace fs = std::filesystem;

struct Desktop {
    testing::TempFolder folder;
    store::ProjectContext context;
    testing::ScriptedUi ui;
    std::unique_ptr<MainWindow> window;

    // The rainfall databases are copies, so imports change nothing of the build.
    Desktop() {
        context.program_folder = folder / "program";
        testing::copy_program_files(context.program_folder, {"PelvaneVA21.rdb", "VArainfall.rdb",
                                                             "VARMSTORM.rdb", "VARMNOAA.rdb"});
        context.user_data_folder = folder / "user";
        window = std::make_unique<MainWindow>(context, ui);
        window->show();
    }
    void trigger(const char* menu_item) {
        QAction* action = window->findChild<QAction*>(menu_item);
        ASSERT_NE(action, nullptr) << menu_item;
        ASSERT_TRUE(action->isEnabled()) << menu_item;
        action->trigger();
    }
};

TEST(ShellWindows, SplashClosesOnAKeyAClickOrItsTime) {
    for (int way = 0; way < 3; ++way) {
        SplashWindow splash(way == 2 ? 30 : 60000);
        QSignalSpy finished(&splash, &SplashWindow::finished);
        splash.start();
        if (way == 0) {
            QTest::keyClick(&splash, Qt::Key_Space);
        } else if (way == 1) {
            QTest::mouseClick(&splash, Qt::LeftButton);
        } else {
            EXPECT_TRUE(finished.wait(2000));
        }
        EXPECT_EQ(finished.count(), 1) << way;
        EXPECT_FALSE(splash.isVisible()) << way;
    }
}

// Runs `act` on the modal window the next command opens, once it is on screen.
template <class Window>
void in_next_window(std::function<void(Window&)> act, bool& ran) {
    QTimer::singleShot(0, [act = std::move(act), &ran] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* window = qobject_cast<Window*>(modal);
        if (!window) {
            ADD_FAILURE() << "not the window expected";
            // Hiding a modal window ends its wait, so the test goes on to report.
            if (modal) modal->hide();
            return;
        }
        ran = true;
        act(*window);
    });
}

void choose(QComboBox* combo, const QString& text) {
    ASSERT_NE(combo, nullptr);
    const int index = combo->findText(text, Qt::MatchExactly);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->textActivated(text);
}

TEST(ShellWorkflow, ImportANoaaExportAndCheckTheIntensity) {
    Desktop d;
    d.ui.files.push_back(testing::pulaski_export().string());
    d.ui.answers.push_back(forms::Answer::Yes);  // the export is Pulaski's
    QString stored, fitted;
    bool rainfall = false;
    in_next_window<RainfallDataWindow>(
        [&](RainfallDataWindow& w) {
            choose(w.findChild<QComboBox*>("rainfall_kind"), forms::kKindStation);
            choose(w.findChild<QComboBox*>("rainfall_name"), "Abingdon 3 S");
            choose(w.findChild<QComboBox*>("check_years"), "10");
            auto* tc = w.findChild<QLineEdit*>("check_tc");
            tc->selectAll();
            QTest::keyClicks(tc, "15");

            QTest::mouseClick(w.findChild<QPushButton*>("browse_export"), Qt::LeftButton);
            EXPECT_EQ(w.chart()->preview().size(), 6u);
            ASSERT_EQ(w.table()->rowCount(), 6);
            EXPECT_EQ(w.table()->item(2, 0)->text(), "10-year");
            EXPECT_EQ(w.table()->item(2, 2)->text(),
                      QString::fromStdString(w.form().preview()[2].worst_error));
            QTest::mouseClick(w.findChild<QPushButton*>("import_export"), Qt::LeftButton);
            QTest::mouseClick(w.findChild<QPushButton*>("cmdCheck"), Qt::LeftButton);
            stored = w.findChild<QLabel*>("check_stored")->text();
            fitted = w.findChild<QLabel*>("check_fitted")->text();
            w.accept();
        },
        rainfall);
    d.trigger("mnuRainfallData");
    ASSERT_TRUE(rainfall);
    EXPECT_EQ(stored, "3.735");
    EXPECT_EQ(fitted, stored);
}

}  // namespace
}  // namespace pelvane::gui
