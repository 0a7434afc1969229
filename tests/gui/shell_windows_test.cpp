// Smoke tests of the desktop shell's windows, offscreen: they build with the
// captions and fields they should have and pass the person's input to their models.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "gui/main_window.h"
#include "gui/project_details_window.h"
#include "gui/splash_window.h"
#include "store/project_database.h"
#include "store/rainfall_lookup.h"
#include "support/legacy_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::gui {
namespace {

QStringList captions(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* a : actions) texts << (a->isSeparator() ? "-" : a->text());
    return texts;
}

QAction* menu_item(QMainWindow& window, const char* name) {
    return window.findChild<QAction*>(name);
}

QStringList label_texts(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&window)) texts << label->text();
    }
    return texts;
}

struct Shell {
    testing::TempFolder folder;
    store::ProjectContext context;
    testing::ScriptedUi ui;

    Shell() {
        context.program_folder = testing::program_folder();
        context.user_data_folder = folder / "user";
    }
    std::string project(const std::string& name) {
        const std::string path = (folder / name).string();
        testing::make_current_project(path);
        testing::insert_row(path, "PROJECT",
                            {{"PROJECT_ID", "P"},
                             {"PROJECT_NAME", "Route 100"},
                             {"COUNTY", "Pulaski"},
                             {"UNITS", "ENGLISH"},
                             {"MAJOR_RELEASE", "2.1"},
                             {"NOAA_STATION", "Pulaski"},
                             {"PRODUCT_NAME", "PELVANEVA"}});
        return path;
    }
};

TEST(ShellWindows, MainWindowHasItsMenusAndStatusPanels) {
    Shell s;
    MainWindow window(s.context, s.ui);
    EXPECT_EQ(window.windowTitle(), "PelvaneVA");
    EXPECT_EQ(captions(window.menuBar()->actions()),
              (QStringList{"&File", "&Design", "&Tools", "&Help"}));
    const auto menus = window.menuBar()->actions();
    EXPECT_EQ(captions(menus[0]->menu()->actions()),
              (QStringList{"&Create New Project", "&Open Project", "-", "&Update Project Details",
                           "Close Project", "-", "E&xit"}));
    EXPECT_EQ(captions(menus[1]->menu()->actions()), QStringList{"&Pelvane"});
    EXPECT_EQ(captions(menus[2]->menu()->actions()), QStringList{"&Rainfall Data\u2026"});
    EXPECT_EQ(captions(menus[3]->menu()->actions()), (QStringList{"&Help", "About Marrowind"}));
    EXPECT_TRUE(menu_item(window, "mnucreateProj")->isEnabled());
    EXPECT_FALSE(menu_item(window, "mnuupdateProj")->isEnabled());
    EXPECT_FALSE(menu_item(window, "mnucloseProj")->isEnabled());
    EXPECT_FALSE(window.status_panel(2)->text().isEmpty());  // date
    EXPECT_FALSE(window.status_panel(3)->text().isEmpty());  // time

    window.open_project_file(QString::fromStdString(s.project("Route 100.pvd")));
    EXPECT_EQ(s.ui.last().text, "Project Name: Route 100");
    EXPECT_EQ(window.status_panel(0)->text(), "Project Database - Route 100.pvd");
    EXPECT_EQ(window.status_panel(1)->text(), "UNITS: ENGLISH");
    EXPECT_FALSE(menu_item(window, "mnucreateProj")->isEnabled());
    EXPECT_FALSE(menu_item(window, "mnuopenProj")->isEnabled());
    EXPECT_TRUE(menu_item(window, "mnuupdateProj")->isEnabled());

    menu_item(window, "mnucloseProj")->trigger();
    EXPECT_EQ(s.ui.last().text, "Current Project Is Closed!");
    EXPECT_EQ(window.status_panel(0)->text(), "");
    EXPECT_TRUE(menu_item(window, "mnuopenProj")->isEnabled());
}

TEST(ShellWindows, DetailsWindowShowsItsFieldsAndChecksTheUnits) {
    Shell s;
    store::open_project(s.context, s.project("job.pvd"));
    ASSERT_TRUE(store::load_noaa_release_lists(s.context).ok());
    s.context.details_edit_mode = false;
    ProjectDetailsWindow noaa(s.context, store::DetailsWindow::NoaaStation, {}, {}, s.ui);
    EXPECT_EQ(noaa.windowTitle(), "Project");
    const QStringList labels = label_texts(noaa);
    for (const char* expected :
         {"PROJECT ID", "PROJECT NAME", "DESCRIPTION", "LOCATION", "COUNTY", "STATE", "UNITS",
          "DESIGNED BY", "INLET DATABASE", "NOAA STATION"}) {
        EXPECT_TRUE(labels.contains(expected)) << expected;
    }
    // The stored record is edited: its id, units, county and station are fixed.
    const auto edits = noaa.findChildren<QLineEdit*>();
    ASSERT_FALSE(edits.isEmpty());
    EXPECT_EQ(edits.front()->text(), "P");
    EXPECT_FALSE(edits.front()->isEnabled());

    // A new project: the units combo refuses what is not in its list.
    Shell fresh;
    const std::string empty = (fresh.folder / "new.pvd").string();
    testing::make_current_project(empty);
    store::open_project(fresh.context, empty);
    ASSERT_TRUE(store::load_noaa_release_lists(fresh.context).ok());
    std::string status;
    ProjectDetailsWindow adding(
        fresh.context, store::DetailsWindow::NoaaStation,
        [&status](std::string t) { status = std::move(t); }, {}, fresh.ui);
    EXPECT_EQ(status, "Create Project");
    QComboBox* units = nullptr;
    for (auto* combo : adding.findChildren<QComboBox*>()) {
        if (combo->isEditable()) units = combo;
    }
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(units->currentText(), "ENGLISH");
    units->lineEdit()->selectAll();
    QTest::keyClicks(units->lineEdit(), "X");
    EXPECT_EQ(units->currentText(), "ENGLISH");
    EXPECT_TRUE(fresh.ui.saw("Value not present in the list... Please enter a valid value.."));

    ProjectDetailsWindow older(fresh.context, store::DetailsWindow::OlderRelease, {}, {}, fresh.ui);
    EXPECT_FALSE(label_texts(older).contains("NOAA STATION"));
}

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

}  // namespace
}  // namespace pelvane::gui
