// The shell's workflows through the real windows, offscreen, as a new user would
// go through them: menus triggered, fields typed into and buttons clicked inside
// the modal windows. Only the message boxes and file dialogs are scripted.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "gui/main_window.h"
#include "gui/pipe_grid_window.h"
#include "gui/project_conversion_window.h"
#include "gui/project_details_window.h"
#include "gui/rainfall_data_chart.h"
#include "gui/rainfall_data_window.h"
#include "store/rainfall_lookup.h"
#include "support/legacy_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::gui {
namespace {

namespace fs = std::filesystem;

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

struct Desktop {
    testing::TempFolder folder;
    store::ProjectContext context;
    testing::ScriptedUi ui;
    std::unique_ptr<MainWindow> window;

    // The rainfall databases are copies, so imports change nothing of the build.
    Desktop() {
        const fs::path program = folder / "program";
        fs::create_directories(program);
        for (const char* f :
             {"PelvaneVA21.rdb", "VArainfall.rdb", "VARMSTORM.rdb", "VARMNOAA.rdb"}) {
            fs::copy_file(testing::program_folder() / f, program / f);
        }
        context.program_folder = program;
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
    QString panel(int index) const { return window->status_panel(index)->text(); }
};

TEST(ShellWorkflow, CreateFillInSaveCloseAndReopen) {
    Desktop d;
    const std::string path = (d.folder / "Route 11.pvd").string();
    d.ui.files.push_back(path);
    bool details = false;
    in_next_window<ProjectDetailsWindow>(
        [](ProjectDetailsWindow& w) {
            QTest::keyClicks(w.findChild<QLineEdit*>("project_id"), "R-11");
            QTest::keyClicks(w.findChild<QLineEdit*>("project_name"), "Route 11 Widening");
            choose(w.findChild<QComboBox*>("county"), "Pulaski");
            choose(w.findChild<QComboBox*>("noaa_station"), "Pulaski");
            w.findChild<QAction*>("mnuprojsave")->trigger();
        },
        details);
    d.trigger("mnucreateProj");
    ASSERT_TRUE(details);
    EXPECT_TRUE(d.ui.saw("Project Details are Saved!"));
    EXPECT_EQ(d.panel(0), "Project Database - Route 11.pvd");

    d.trigger("mnucloseProj");
    EXPECT_EQ(d.panel(0), "");
    d.ui.files.push_back(path);
    d.trigger("mnuopenProj");
    EXPECT_EQ(d.ui.last().text, "Project Name: Route 11 Widening");
    EXPECT_EQ(d.panel(1), "UNITS: ENGLISH");
    EXPECT_EQ(d.context.noaa_station, "Pulaski");
    EXPECT_EQ(d.context.county, "Pulaski");

    // Design shows the pipe network grid; closing it ends the command.
    bool grid = false;
    in_next_window<PipeGridWindow>([](PipeGridWindow& w) { w.reject(); }, grid);
    d.trigger("mnuPipe");
    EXPECT_TRUE(grid);
    EXPECT_TRUE(d.context.grid_exit_flag);
}

TEST(ShellWorkflow, OpenAnOlderReleaseAndConvertIt) {
    Desktop d;
    const std::string path = (d.folder / "old.pvd").string();
    testing::make_older_release_project(path);
    testing::insert_row(path, "PROJECT",
                        {{"PROJECT_ID", "OLD"},
                         {"PROJECT_NAME", "Old Road"},
                         {"COUNTY", "Pulaski"},
                         {"UNITS", "ENGLISH"},
                         {"MAJOR_RELEASE", "1.0"},
                         {"PRODUCT_NAME", "PELVANEVA"}});
    d.ui.files.push_back(path);
    d.ui.answers.push_back(forms::Answer::Yes);
    bool conversion = false;
    in_next_window<ProjectConversionWindow>(
        [](ProjectConversionWindow& w) {
            choose(w.findChild<QComboBox*>("noaa_station"), "Stuart's Draft");
            QTest::mouseClick(w.findChild<QPushButton*>("btnUpdate"), Qt::LeftButton);
        },
        conversion);
    d.trigger("mnuopenProj");
    ASSERT_TRUE(conversion);
    EXPECT_EQ(testing::first_value(path, "PROJECT", "NOAA_STATION"), "Stuart's Draft");
    EXPECT_EQ(testing::first_value(path, "PROJECT", "MAJOR_RELEASE"), "2.1");
    EXPECT_EQ(d.ui.last().text, "Project Name: Old Road");

    // Now a NOAA-station project: its details window shows the station.
    bool details = false;
    in_next_window<ProjectDetailsWindow>(
        [](ProjectDetailsWindow& w) {
            EXPECT_EQ(w.findChild<QComboBox*>("noaa_station")->currentText(), "Stuart's Draft");
            w.findChild<QAction*>("mnuprojexit")->trigger();
        },
        details);
    d.trigger("mnuupdateProj");
    EXPECT_TRUE(details);
}

TEST(ShellWorkflow, ImportANoaaExportAndCheckTheIntensity) {
    Desktop d;
    const QString export_file = QString::fromStdString(
        (testing::source_folder() / "data/rainfall/Pulaski_PF_Depth_English_PDS.csv").string());
    d.ui.files.push_back(export_file.toStdString());
    d.ui.answers.push_back(forms::Answer::Yes);  // the export is Pulaski's
    QString before, stored, fitted;
    bool rainfall = false;
    in_next_window<RainfallDataWindow>(
        [&](RainfallDataWindow& w) {
            choose(w.findChild<QComboBox*>("rainfall_kind"), forms::kKindStation);
            choose(w.findChild<QComboBox*>("rainfall_name"), "Abingdon 3 S");
            choose(w.findChild<QComboBox*>("check_years"), "10");
            auto* tc = w.findChild<QLineEdit*>("check_tc");
            tc->selectAll();
            QTest::keyClicks(tc, "15");
            auto* compute = w.findChild<QPushButton*>("cmdCheck");
            QTest::mouseClick(compute, Qt::LeftButton);
            before = w.findChild<QLabel*>("check_stored")->text();

            QTest::mouseClick(w.findChild<QPushButton*>("browse_export"), Qt::LeftButton);
            EXPECT_EQ(w.chart()->preview().size(), 6u);
            ASSERT_EQ(w.table()->rowCount(), 6);
            EXPECT_EQ(w.table()->item(2, 0)->text(), "10-year");
            EXPECT_EQ(w.table()->item(2, 2)->text(),
                      QString::fromStdString(w.form().preview()[2].worst_error));
            QTest::mouseClick(w.findChild<QPushButton*>("import_export"), Qt::LeftButton);
            QTest::mouseClick(compute, Qt::LeftButton);
            stored = w.findChild<QLabel*>("check_stored")->text();
            fitted = w.findChild<QLabel*>("check_fitted")->text();
            w.accept();
        },
        rainfall);
    d.trigger("mnuRainfallData");
    ASSERT_TRUE(rainfall);
    EXPECT_EQ(before, "");
    EXPECT_TRUE(
        d.ui.saw(store::no_coefficients_message(store::RainfallFile::Station, "Abingdon 3 S")));
    EXPECT_EQ(stored, "3.735");
    EXPECT_EQ(fitted, stored);
}

}  // namespace
}  // namespace pelvane::gui
