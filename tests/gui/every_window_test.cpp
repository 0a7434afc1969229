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
#include <QLabel>
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
#include "gui/pipe_energy_window.h"
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

// The outlet window once the need is evaluated shows its model: texts, shown or
// hidden fields, the depth formatted as it was left.
void expect_outlet_shows_its_model(QWidget& window) {
    const forms::FieldSet& model = qobject_cast<PipeEnergyWindow*>(&window)->form().fields;
    for (const char* name :
         {"eDiaRise", "E_Discharge", "C_Discharge", "velocity2", "dn_TW", "outlet_protection"}) {
        const auto* edit = window.findChild<QLineEdit*>(name);
        const forms::Field& field = model.at(forms::FieldName::named(name));
        EXPECT_EQ(edit->text().toStdString(), field.text) << name;
        EXPECT_EQ(edit->isHidden(), !field.visible) << name;
    }
    EXPECT_FALSE(model.text("eDiaRise").empty());
    EXPECT_EQ(model.text("dn_TW"), "0.800");
}

// The main window shows its model: each command enabled as its field, each status
// panel its text.
void expect_main_shows_its_model(MainWindow& main) {
    const forms::FieldSet& model = main.form().fields;
    for (const QAction* action : main.findChildren<QAction*>()) {
        const std::string name = action->objectName().toStdString();
        if (action->menu() || !name.starts_with("mnu")) continue;
        EXPECT_EQ(action->isEnabled(), model.at(forms::FieldName::named(name)).enabled) << name;
    }
    for (int i = 0; i < 4; ++i) {
        const QLabel* panel = main.status_panel(i);
        EXPECT_EQ(panel->text().toStdString(),
                  model.text(forms::FieldName::named(panel->objectName().toStdString())));
    }
}

void on_main(Desk& d, bool with_project, const Act& act) {
    MainWindow main(d.context, d.ui);
    main.show();
    if (with_project) main.open_project_file(QString::fromStdString(d.file.string()));
    EXPECT_EQ(main.status_panel(0)->text().isEmpty(), !with_project);
    expect_main_shows_its_model(main);
    act(main);
    expect_main_shows_its_model(main);
}

void in_grid(Desk& d, const Act& act) {
    on_main(d, true, [&](QWidget& main) {
        d.through("pelvane::gui::PipeGridWindow", act, [&] { use(main, "Pelvane"); });
    });
}

// The grid starts on pipe 1; pipe 2, an ellipse, has a size picker.
void in_pipe_window(Desk& d, const char* command, const Act& act, bool second_pipe = false) {
    in_grid(d, [&](QWidget& grid) {
        if (second_pipe) {
            auto* table = grid.findChild<QAbstractItemView*>();
            table->setFocus();
            QTest::keyClick(table, Qt::Key_Down);
        }
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

using Open = std::function<void(Desk&, const Act&)>;

struct Row {
    const char* name;
    Open open;
};

// The window of class `name` that `command` brings up over the window `outer` opens.
Open over(void (*outer)(Desk&, const Act&), const char* name, const char* command) {
    return [=](Desk& d, const Act& act) { outer(d, then(d, name, command, act)); };
}
void on_main_with_project(Desk& d, const Act& act) {
    on_main(d, true, act);
}
void in_edited_pipe_window(Desk& d, const Act& act) {
    in_pipe_window(d, "Edit", act);
}

const Row kWindows[] = {
    {"main window, no project", [](Desk& d, const Act& act) { on_main(d, false, act); }},
    {"main window", on_main_with_project},
    {"splash",
     [](Desk&, const Act& act) {
         SplashWindow splash(60000);
         splash.start();
         act(splash);
     }},
    {"project details",
     over(on_main_with_project, "pelvane::gui::ProjectDetailsWindow", "Update Project Details")},
    {"project conversion",
     [](Desk& d, const Act& act) {
         store::open_project(d.context, d.file);
         ProjectConversionWindow conversion(d.context, d.ui);
         conversion.show();
         act(conversion);
     }},
    {"rainfall data",
     over(on_main_with_project, "pelvane::gui::RainfallDataWindow", "Rainfall Data…")},
    {"about", over(on_main_with_project, "pelvane::gui::AboutWindow", "About Marrowind")},
    {"pipe grid", in_grid},
    {"renumber", over(in_grid, "pelvane::gui::RenumberDialog", "Modify")},
    {"grade line", over(in_grid, "pelvane::gui::HglWindow", "HGL Analysis")},
    {"profile", over(in_grid, "pelvane::gui::ProfileWindow", "Profile...")},
    {"network plan", over(in_grid, "pelvane::gui::PlanWindow", "Network Plan...")},
    {"design checks", over(in_grid, "pelvane::gui::ChecksDialog", "Design Checks...")},
    {"size pipes", over(in_grid, "pelvane::gui::SizingDialog", "Size Pipes...")},
    {"pipe window, add", [](Desk& d, const Act& act) { in_pipe_window(d, "Add", act); }},
    {"pipe window, view", [](Desk& d, const Act& act) { in_pipe_window(d, "View", act); }},
    {"pipe window, edit", [](Desk& d, const Act& act) { in_pipe_window(d, "Edit", act, true); }},
    {"size picker",
     [](Desk& d, const Act& act) {
         in_pipe_window(d, "Edit", then(d, "pelvane::gui::SizePickerDialog", "Sizes...", act),
                        true);
     }},
    {"deflection picture", over(in_edited_pipe_window, "pelvane::gui::DeflectionPictureDialog",
                                "The deflection angle at the lower end")},
    {"drainage area", over(in_edited_pipe_window, "pelvane::gui::DrainageAreaDialog", "Area...")},
    {"time of concentration",
     over(in_edited_pipe_window, "pelvane::gui::TimeOfConcentrationDialog", "Tc...")},
    {"outlet protection", in_outlet_window},
    {"dissipators",
     [](Desk& d, const Act& act) {
         in_outlet_window(d, [&](QWidget& outlet) {
             choose(outlet, "enodeout", "1");
             type(outlet, "C_Discharge", "12");
             choose(outlet, "Bed_Matl", "Fine Sand");
             type(outlet, "dn_TW", "0.8");
             use(outlet, "Evaluate Needs");
             expect_outlet_shows_its_model(outlet);
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
