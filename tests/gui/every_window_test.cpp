// Every window of the program, opened on a copy of the sample project the way the
// person opens it, and each of its menu commands, buttons and tabs used on a fresh
// window: once agreeing to every question and once refusing. The program must live
// through all of it and leave a sound project file. Windows a command opens on top
// are closed here; each is exercised by its own row.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>

#include "gui/main_window.h"
#include "gui/pipe_form_window.h"
#include "gui/project_conversion_window.h"
#include "gui/rainfall_data_window.h"
#include "gui/splash_window.h"
#include "store/project_database.h"
#include "store/sqlite/database.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::gui {
namespace {

namespace fs = std::filesystem;
using Act = std::function<void(QWidget&)>;

// The build's program folder with copies of the databases an import writes to, so
// that nothing of the build changes.
const fs::path& program_copy() {
    static testing::TempFolder folder;
    static const fs::path program = [] {
        fs::path p = folder / "program";
        fs::create_directories(p);
        for (const auto& entry : fs::directory_iterator(testing::program_folder())) {
            const fs::path target = p / entry.path().filename();
            if (entry.path().extension() == ".rdb") {
                fs::copy_file(entry.path(), target);
            } else {
                fs::create_symlink(entry.path(), target);
            }
        }
        return p;
    }();
    return program;
}

void dismiss(QWidget* window) {
    if (!window || !window->isVisible()) return;
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->reject();
    } else {
        window->close();
    }
    // A window that refuses to close (No to "Exit without Saving?") is hidden, which
    // ends its modal wait all the same.
    if (window->isVisible()) window->hide();
}

// Closes whatever modal window comes up, except the ones a row expects: those get
// their step (in a turn of their own event loop) and are closed after it.
class ModalDriver {
  public:
    ModalDriver() {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { poll(); });
        timer_.start(5);
    }
    void expect(const char* class_name, const Act& step) {
        expected_.push_back({class_name, step});
    }
    bool met() const { return expected_.empty(); }

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || std::count(stepping_.begin(), stepping_.end(), modal) > 0) return;
        if (!expected_.empty() && modal->inherits(expected_.front().first)) {
            stepping_.push_back(modal);
            QTimer::singleShot(
                0, [modal = QPointer<QWidget>(modal), step = std::move(expected_.front().second)] {
                    if (modal) step(*modal);
                    dismiss(modal);
                });
            expected_.pop_front();
            return;
        }
        dismiss(modal);
    }
    QTimer timer_;
    std::deque<std::pair<const char*, Act>> expected_;
    std::vector<QPointer<QWidget>> stepping_;  // windows whose step runs or ran
};

// One window's world: a fresh copy of the sample and a person who answers every
// question the same way once the window is up.
struct Desk {
    testing::TempFolder folder;
    fs::path file = folder / "Sample.pvd";
    store::ProjectContext context;
    testing::ScriptedUi ui;
    ModalDriver driver;

    Desk() {
        fs::copy_file(testing::program_folder() / "samples" / "Sample.pvd", file);
        context.program_folder = program_copy();
        context.user_data_folder = folder / "user";
        ui.agree = true;  // on the way to the window
        ui.any_file = [this](const forms::FileDialog& dialog) -> std::string {
            if (!*ui.agree) return "";
            if (dialog.save) return (folder / ("chosen" + dialog.default_extension)).string();
            if (dialog.filter.find("csv") != std::string::npos) return testing::pulaski_export();
            return file.string();
        };
    }
    // Runs `step` on the window of class `name` that `open` brings up modally.
    void through(const char* name, const Act& step, const std::function<void()>& open) {
        driver.expect(name, step);
        open();
        EXPECT_TRUE(driver.met()) << name << " did not open";
    }
};

QString plain(QString text) {
    return text.remove('&').trimmed();
}

// Brings forward the tabs that hold `widget`, as the person must before using it.
void bring_forward(QWidget* widget) {
    for (QWidget* w = widget; w && w->parentWidget(); w = w->parentWidget()) {
        auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget());
        if (tabs && tabs->indexOf(w) >= 0) tabs->setCurrentWidget(w);
    }
}

// Every tab, button and menu command of the window, each as one step.
std::vector<std::pair<QString, std::function<void()>>> controls(QWidget& window) {
    std::vector<std::pair<QString, std::function<void()>>> all;
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            all.push_back({"tab " + tabs->tabText(i), [tabs = QPointer(tabs), i] {
                               if (tabs) tabs->setCurrentIndex(i);
                           }});
        }
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        auto* tool = qobject_cast<QToolButton*>(button);
        // A toolbar button is its action's face; a tab bar's arrows are not commands.
        if ((tool && tool->defaultAction()) || qobject_cast<QTabBar*>(button->parentWidget())) {
            continue;
        }
        const QString tip = button->toolTip();
        all.push_back({"button " + plain(button->text()) + (tip.isEmpty() ? "" : " | " + tip),
                       [button = QPointer(button), &window] {
                           if (!button) return;
                           bring_forward(button);
                           if (button->isEnabled() && button->isVisibleTo(&window)) button->click();
                       }});
    }
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->isSeparator() || action->menu() || action->text().isEmpty() ||
            action->objectName().startsWith("_q_")) {
            continue;
        }
        all.push_back({"command " + plain(action->text()), [action = QPointer(action)] {
                           if (action && action->isEnabled()) action->trigger();
                       }});
    }
    return all;
}

void use(QWidget& window, const QString& caption) {
    for (const auto& [what, step] : controls(window)) {
        if (what.endsWith(" " + caption) || what.contains(" " + caption + " | ")) return step();
    }
    ADD_FAILURE() << "no " << caption.toStdString();
}

void choose(QWidget& window, const char* combo_name, const char* item) {
    auto* combo = window.findChild<QComboBox*>(combo_name);
    ASSERT_NE(combo, nullptr) << combo_name;
    const int index = combo->findText(item);
    ASSERT_GE(index, 0) << item;
    combo->setCurrentIndex(index);
    emit combo->textActivated(combo->itemText(index));
}

void type(QWidget& window, const char* field, const char* text) {
    auto* edit = window.findChild<QLineEdit*>(field);
    ASSERT_NE(edit, nullptr) << field;
    if (!edit->isVisibleTo(&window)) return;  // not asked for this outlet
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

void select_second_pipe(QWidget& grid) {
    auto* table = grid.findChild<QAbstractItemView*>();
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Down);
}

void on_main(Desk& d, bool with_project, const Act& act) {
    MainWindow main(d.context, d.ui);
    main.show();
    if (with_project) main.open_project_file(QString::fromStdString(d.file.string()));
    act(main);
}

void in_grid(Desk& d, const Act& act) {
    on_main(d, true, [&](QWidget& main) {
        d.through("pelvane::gui::PipeGridWindow", act, [&] { use(main, "Pelvane"); });
    });
}

void in_pipe_window(Desk& d, const char* command, const Act& act) {
    in_grid(d, [&](QWidget& grid) {
        d.through("pelvane::gui::PipeFormWindow", act, [&] { use(grid, command); });
    });
}

void in_outlet_window(Desk& d, const Act& act) {
    in_grid(d, [&](QWidget& grid) {
        d.through("pelvane::gui::PipeEnergyWindow", act, [&] { use(grid, "Energy Dissipation"); });
    });
}

// Opens a window that the one `outer` opens brings up with `command`.
Act then(Desk& d, const char* name, const char* command, const Act& act) {
    return [&d, name, command, act](QWidget& outer) {
        d.through(name, act, [&] { use(outer, command); });
    };
}

struct Row {
    const char* name;
    std::function<void(Desk&, const Act&)> open;
};

const Row kWindows[] = {
    {"main window, no project", [](Desk& d, const Act& act) { on_main(d, false, act); }},
    {"main window", [](Desk& d, const Act& act) { on_main(d, true, act); }},
    {"splash",
     [](Desk&, const Act& act) {
         SplashWindow splash(60000);
         splash.start();
         act(splash);
     }},
    {"project details",
     [](Desk& d, const Act& act) {
         on_main(d, true,
                 then(d, "pelvane::gui::ProjectDetailsWindow", "Update Project Details", act));
     }},
    {"project conversion",
     [](Desk& d, const Act& act) {
         store::open_project(d.context, d.file);
         ProjectConversionWindow conversion(d.context, d.ui);
         conversion.show();
         act(conversion);
     }},
    {"rainfall data",
     [](Desk& d, const Act& act) {
         on_main(d, true, then(d, "pelvane::gui::RainfallDataWindow", "Rainfall Data…", act));
     }},
    {"about",
     [](Desk& d, const Act& act) {
         on_main(d, true, then(d, "pelvane::gui::AboutWindow", "About Marrowind", act));
     }},
    {"pipe grid", [](Desk& d, const Act& act) { in_grid(d, act); }},
    {"renumber",
     [](Desk& d, const Act& act) {
         in_grid(d, then(d, "pelvane::gui::RenumberDialog", "Modify", act));
     }},
    {"grade line",
     [](Desk& d, const Act& act) {
         in_grid(d, then(d, "pelvane::gui::HglWindow", "HGL Analysis", act));
     }},
    {"profile",
     [](Desk& d, const Act& act) {
         in_grid(d, then(d, "pelvane::gui::ProfileWindow", "Profile...", act));
     }},
    {"network plan",
     [](Desk& d, const Act& act) {
         in_grid(d, then(d, "pelvane::gui::PlanWindow", "Network Plan...", act));
     }},
    {"pipe window, add", [](Desk& d, const Act& act) { in_pipe_window(d, "Add", act); }},
    {"pipe window, view", [](Desk& d, const Act& act) { in_pipe_window(d, "View", act); }},
    // The grid starts on pipe 1; pipe 2, an ellipse, has a size picker.
    {"pipe window, edit",
     [](Desk& d, const Act& act) {
         in_grid(d, [&](QWidget& grid) {
             select_second_pipe(grid);
             d.through("pelvane::gui::PipeFormWindow", act, [&] { use(grid, "Edit"); });
         });
     }},
    {"size picker",
     [](Desk& d, const Act& act) {
         in_grid(d, [&](QWidget& grid) {
             select_second_pipe(grid);
             d.through("pelvane::gui::PipeFormWindow",
                       then(d, "pelvane::gui::SizePickerDialog", "Sizes...", act),
                       [&] { use(grid, "Edit"); });
         });
     }},
    {"deflection picture",
     [](Desk& d, const Act& act) {
         in_pipe_window(d, "Edit",
                        then(d, "pelvane::gui::DeflectionPictureDialog",
                             "The deflection angle at the lower end", act));
     }},
    {"drainage area",
     [](Desk& d, const Act& act) {
         in_pipe_window(d, "Edit", then(d, "pelvane::gui::DrainageAreaDialog", "Area...", act));
     }},
    {"time of concentration",
     [](Desk& d, const Act& act) {
         in_pipe_window(d, "Edit",
                        then(d, "pelvane::gui::TimeOfConcentrationDialog", "Tc...", act));
     }},
    {"outlet protection", [](Desk& d, const Act& act) { in_outlet_window(d, act); }},
    {"dissipators",
     [](Desk& d, const Act& act) {
         in_outlet_window(d, [&](QWidget& outlet) {
             choose(outlet, "enodeout", "1");
             type(outlet, "C_Discharge", "12");
             choose(outlet, "Bed_Matl", "Fine Sand");
             type(outlet, "dn_TW", "0.8");
             use(outlet, "Evaluate Needs");
             then(d, "pelvane::gui::EnergyDissipationWindow", "Analyze Energy Dissipation",
                  act)(outlet);
         });
     }},
};

bool sound(const fs::path& file) {
    return store::Database::open(file, store::Database::Mode::ReadOnly)
               .query_text("PRAGMA integrity_check") == "ok";
}

TEST(EveryWindow, SurvivesEveryCommandAnsweredBothWays) {
    for (const Row& row : kWindows) {
        for (const bool agree : {true, false}) {
            bool more = true;
            for (std::size_t i = 0; more; ++i) {
                Desk d;
                QString used;
                more = false;
                row.open(d, [&](QWidget& window) {
                    d.ui.agree = agree;
                    const auto all = controls(window);
                    if (i < all.size()) {
                        more = true;
                        used = all[i].first;
                        all[i].second();
                    }
                });
                const std::string where =
                    std::string(row.name) + ", " + used.toStdString() + (agree ? ", yes" : ", no");
                // Stop at the first window that does not open rather than repeat it.
                if (::testing::Test::HasFailure()) FAIL() << where;
                EXPECT_TRUE(sound(d.file)) << where;
            }
        }
    }
}

}  // namespace
}  // namespace pelvane::gui
