// Shows one window of the desktop program as a person would see it, for the
// screenshots of the documentation (scripts/screenshots captures it). Messages
// and questions are answered quietly so that nothing covers the window.
//
//   pelvaneva_screenshots main|details|grid|rainfall|outlet|dissipators|area|tc|
//                         pipe1|pipe2|pipe3|hgl|profile|plan|sizes|deflection|renumber|
//                         checks|conversion|about|splash
//                         <work folder> [project file] [NOAA export]
//
// Without a project file (or when it does not exist) a demonstration project is
// made in the work folder. "area" and "tc" open the drainage area and time of
// concentration windows from the pipe window on pipe 3 of the sample project, with
// values typed in as a person would; "pipe1" to "pipe3" show that pipe's three tabs
// and "hgl" the grade line window on the first outfall; "profile" the profile of the
// longest run to it and "plan" the network plan; "sizes" and "deflection" the
// pipe window's size list on pipe 2 (elliptical) and deflection picture on pipe 3,
// "renumber" the grid's Modify dialog on pipe 3 and "checks" the Checks panel opened
// from the grid's Tools menu. Once the window is on screen its X window id is
// printed as "window <id>"; the program then runs until it is ended.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <utility>
#include <vector>

#include "forms/checks_form.h"
#include "forms/design_session.h"
#include "forms/drainage_area_form.h"
#include "forms/project.h"
#include "forms/project_details_form.h"
#include "forms/ui.h"
#include "gui/energy_dissipation_window.h"
#include "gui/hgl_window.h"
#include "gui/main_window.h"
#include "gui/pipe_energy_window.h"
#include "gui/pipe_form_window.h"
#include "gui/plan_window.h"
#include "gui/profile_window.h"
#include "gui/project_details_window.h"
#include "gui/rainfall_data_window.h"
#include "gui/renumber_dialog.h"
#include "gui/splash_window.h"

namespace {

namespace fs = std::filesystem;
using namespace pelvane;

class QuietUi : public forms::Ui {
  public:
    using forms::Ui::message;
    void message(const std::string& text, forms::Icon, const std::string&) override {
        std::cerr << "message: " << text << '\n';
    }
    forms::Answer ask(const std::string& text, forms::Buttons, forms::Icon,
                      const std::string&) override {
        std::cerr << "question (answered No): " << text << '\n';
        return forms::Answer::No;
    }
    std::string choose_file(const forms::FileDialog&) override { return {}; }
    bool open_document(const std::string&) override { return true; }
};

// A small project as an engineer would have entered it.
std::string demonstration_project(const fs::path& program_folder, const fs::path& folder) {
    const fs::path file = folder / "Peppers Ferry Road.pvd";
    store::ProjectDetails details;
    details.project_id = "0100-077-111";
    details.project_name = "Peppers Ferry Road Drainage";
    details.description = "Storm drain along the widened section, Route 114";
    details.location = "Route 114, Pulaski County";
    details.county = "Pulaski";
    details.designer = "J. Harlow, P.E.";
    details.noaa_station = "Pulaski";
    forms::create_project(program_folder, file, details);
    return file.string();
}

void announce(QWidget* window) {
    std::cout << "window " << window->winId() << std::endl;
}

// Runs `open` on the event loop and announces the modal window it opens.
template <class Open>
void announce_opened(QObject* context, Open open) {
    QTimer::singleShot(0, context, [context, open] {
        QTimer::singleShot(500, context, [] { announce(QApplication::activeModalWidget()); });
        open();
    });
}

// The outlet protection of the project's first outfall as an engineer works it out:
// a typed 2-year discharge when the pipe's discharge was typed, a sandy bed and a
// shallow tailwater, the need evaluated and the scour hole sized.
void work_out_outlet(forms::PipeEnergyForm& form) {
    const auto leave = [&form](forms::FieldName field, std::string text) {
        form.fields.set_text(field, std::move(text));
        form.field_left(field);
    };
    form.open();
    const auto& nodes = form.fields.at("enodeout").items;
    if (!nodes.empty()) form.choose_end_node(nodes.front());
    if (form.fields.at("C_Discharge").enabled) leave("C_Discharge", "12");
    form.fields.set_text("Bed_Matl", "Coarse Sand");
    form.bed_material_chosen();
    leave("dn_TW", "0.8");
    form.cmdNeed();
    form.cmdscourholesize();
}

template <class Button>
Button* button_named(QWidget* window, const QString& text) {
    for (Button* b : window->findChildren<Button*>()) {
        if (b->text() == text) return b;
    }
    std::cerr << "no button " << text.toStdString() << '\n';
    std::exit(1);
}

// Types into the field named `name` and leaves it with Tab, so the window's rules
// for leaving the field run as they do for a person.
void type_into(QWidget* window, forms::FieldName name, const QString& text) {
    auto* edit = window->findChild<QLineEdit*>(QString::fromStdString(name.str()));
    if (!edit) {
        std::cerr << "no field " << name.str() << '\n';
        std::exit(1);
    }
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

void tick(QWidget* window, const char* name) {
    auto* box = window->findChild<QCheckBox*>(name);
    if (!box) {
        std::cerr << "no check box " << name << '\n';
        std::exit(1);
    }
    box->click();
}

// The typing done, nothing is left selected and the focus rests on `button`, as
// when a person has just moved to it. Called once the fields' own select-all on
// entering has run.
void settle(QWidget* window, const QString& button) {
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) edit->deselect();
    button_named<QPushButton>(window, button)->setFocus();
}

// Sample entries of the drainage area window: land-use row and area, computed.
void fill_drainage_area(QWidget* area) {
    const std::vector<std::pair<int, const char*>> areas{{0, "0.35"}, {3, "0.80"}, {8, "0.42"}};
    for (const auto& [row, acres] : areas) {
        type_into(area, forms::DrainageAreaForm::row_field("Area", row), acres);
    }
    button_named<QPushButton>(area, "COMPUTE")->click();
}

// A shallow concentrated flow over forest, then a pipe run on to the inlet; each
// segment is ticked once its path is typed.
void fill_time_of_concentration(QWidget* tc) {
    type_into(tc, "flow_distance1", "180");
    type_into(tc, "upper_elevation1", "2098.40");
    type_into(tc, "lower_elevation1", "2094.10");
    tick(tc, "CheckTc1");
    type_into(tc, "flow_distance4", "240");
    type_into(tc, "upper_elevation4", "2094.10");
    type_into(tc, "lower_elevation4", "2088.95");
    type_into(tc, "pipe_velocity", "3.5");
    tick(tc, "CheckTc4");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("PelvaneVA");
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::cerr << "usage: pelvaneva_screenshots "
                     "main|details|grid|rainfall|outlet|dissipators|area|tc "
                     "<work folder> [project file] [NOAA export]\n";
        return 2;
    }
    const std::string which = args[1].toStdString();
    const fs::path work = args[2].toStdString();
    fs::create_directories(work);

    forms::ProjectContext context;
    context.program_folder = QCoreApplication::applicationDirPath().toStdString();
    context.user_data_folder = work / "user";
    std::string project = args.size() > 3 ? args[3].toStdString() : std::string();
    if (project.empty() || !fs::exists(project)) {
        project = demonstration_project(context.program_folder, work);
    }

    QuietUi ui;
    forms::DesignSession session;
    pelvane::gui::MainWindow window(context, ui);
    window.resize(900, 560);
    window.move(0, 0);
    window.show();
    window.open_project_file(QString::fromStdString(project));

    if (which == "main") {
        QTimer::singleShot(500, &window, [&window] { announce(&window); });
    } else if (which == "details") {
        QTimer::singleShot(0, &window, [&] {
            QTimer::singleShot(500, &window, [] { announce(QApplication::activeModalWidget()); });
            window.show_project_details(context.noaa_release()
                                            ? store::DetailsWindow::NoaaStation
                                            : store::DetailsWindow::OlderRelease);
        });
    } else if (which == "grid") {
        QTimer::singleShot(0, &window, [&] {
            QTimer::singleShot(500, &window, [] {
                QWidget* grid = QApplication::activeModalWidget();
                // The third pipe, to show the selection on a row of its own.
                if (auto* table = grid->findChild<QTableView*>()) table->selectRow(2);
                announce(grid);
            });
            window.form().mnuPipe();
        });
    } else if (which == "rainfall") {
        const std::string csv = args.size() > 4 ? args[4].toStdString() : std::string();
        QTimer::singleShot(0, &window, [&, csv] {
            pelvane::gui::RainfallDataWindow rainfall(context, ui, &window);
            rainfall.form().set_kind(forms::kKindStation);
            rainfall.form().fields.set_text("rainfall_name", context.noaa_station);
            if (!csv.empty()) rainfall.form().load_export(csv);
            rainfall.check().cmdCheck();
            rainfall.show_preview();
            QTimer::singleShot(500, &rainfall, [&rainfall] { announce(&rainfall); });
            rainfall.exec();
        });
    } else if (which == "outlet" || which == "dissipators") {
        QTimer::singleShot(0, &window, [&, which] {
            if (!session.enter_outlet_protection(context)) return;
            pelvane::gui::PipeEnergyWindow outlet(context, session, ui, &window);
            outlet.binder().run([&outlet] { work_out_outlet(outlet.form()); });
            if (which == "outlet") {
                QTimer::singleShot(500, &outlet, [&outlet] { announce(&outlet); });
            } else {
                QTimer::singleShot(0, &outlet, [&outlet] {
                    QTimer::singleShot(500, &outlet, [] {
                        QWidget* dissipators = QApplication::activeModalWidget();
                        auto* window =
                            qobject_cast<pelvane::gui::EnergyDissipationWindow*>(dissipators);
                        if (window) window->binder().run([window] { window->form().cmdanalyze(); });
                        announce(dissipators);
                    });
                    outlet.binder().run([&outlet] { outlet.form().cmdanalyzeED(); });
                });
            }
            outlet.exec();
        });
    } else if (which == "area" || which == "tc") {
        const bool area = which == "area";
        QTimer::singleShot(0, &window, [&, area] {
            pelvane::gui::PipeFormWindow pipe(context, session, ui, &window);
            pipe.open_record("edit", "3");
            pipe.move(40, 40);
            pipe.show();
            QTimer::singleShot(300, &pipe, [&pipe, area] {
                pipe.tabs()->setCurrentIndex(1);
                button_named<QRadioButton>(&pipe, "Compute Discharge")->click();
                QTimer::singleShot(300, &pipe, [area] {
                    QWidget* shown = QApplication::activeModalWidget();
                    if (area) {
                        fill_drainage_area(shown);
                    } else {
                        fill_time_of_concentration(shown);
                    }
                    QTimer::singleShot(300, shown, [shown] {
                        settle(shown, "SAVE");
                        QTimer::singleShot(200, shown, [shown] { announce(shown); });
                    });
                });
                button_named<QPushButton>(&pipe, area ? "Area..." : "Tc...")->click();
            });
            pipe.exec();
        });
    } else if (which == "pipe1" || which == "pipe2" || which == "pipe3") {
        const int tab = which.back() - '1';
        QTimer::singleShot(0, &window, [&, tab] {
            pelvane::gui::PipeFormWindow pipe(context, session, ui, &window);
            // Being edited, as the engineer sees it while working on it.
            pipe.open_record("edit", "3");
            pipe.tabs()->setCurrentIndex(tab);
            QTimer::singleShot(500, &pipe, [&pipe] { announce(&pipe); });
            pipe.exec();
        });
    } else if (which == "hgl") {
        QTimer::singleShot(0, &window, [&] {
            pelvane::gui::HglWindow hgl(context, session, ui, &window);
            if (hgl.node_list()->count() > 0) hgl.node_list()->setCurrentIndex(0);
            hgl.tailwater()->setText("2077.00");
            QTimer::singleShot(500, &hgl, [&hgl] { announce(&hgl); });
            hgl.exec();
        });
    } else if (which == "profile") {
        QTimer::singleShot(0, &window, [&] {
            pelvane::gui::ProfileWindow profile(context, ui, &window);
            profile.open_run("", "1", "2076.50");
            QTimer::singleShot(500, &profile, [&profile] { announce(&profile); });
            profile.exec();
        });
    } else if (which == "plan") {
        QTimer::singleShot(0, &window, [&] {
            pelvane::gui::PlanWindow plan(context, ui, {}, &window);
            QTimer::singleShot(500, &plan, [&plan] { announce(&plan); });
            plan.exec();
        });
    } else if (which == "sizes" || which == "deflection") {
        const bool sizes = which == "sizes";
        QTimer::singleShot(0, &window, [&, sizes] {
            pelvane::gui::PipeFormWindow pipe(context, session, ui, &window);
            // The size list is offered for the shapes with standard sizes only.
            pipe.open_record("edit", sizes ? "2" : "3");
            announce_opened(&pipe, [&pipe, sizes] {
                pipe.binder().run([&pipe, sizes] {
                    sizes ? pipe.model().pipeshape_help() : pipe.model().pipeskew_help();
                });
            });
            pipe.exec();
        });
    } else if (which == "renumber") {
        QTimer::singleShot(0, &window, [&] {
            forms::RenumberForm form(context, ui, "3");
            pelvane::gui::RenumberDialog renumber(form, ui, &window);
            QTimer::singleShot(500, &renumber, [&renumber] { announce(&renumber); });
            renumber.exec();
        });
    } else if (which == "checks") {
        QTimer::singleShot(0, &window, [&] {
            QTimer::singleShot(500, &window, [] {
                QWidget* grid = QApplication::activeModalWidget();
                QAction* checks = nullptr;
                for (QAction* a : grid->findChildren<QAction*>()) {
                    if (a->text() == forms::checks_texts::kCommand) checks = a;
                }
                if (!checks) {
                    std::cerr << "no action " << forms::checks_texts::kCommand << '\n';
                    std::exit(1);
                }
                announce_opened(grid, [checks] { checks->trigger(); });
            });
            window.form().mnuPipe();
        });
    } else if (which == "conversion") {
        announce_opened(&window, [&window] { window.show_project_conversion(); });
    } else if (which == "about") {
        announce_opened(&window, [&window] { window.show_about(); });
    } else if (which == "splash") {
        auto* splash = new pelvane::gui::SplashWindow(3600 * 1000);
        splash->start();
        QTimer::singleShot(500, splash, [splash] { announce(splash); });
    } else {
        std::cerr << "unknown window " << which << '\n';
        return 2;
    }
    return QApplication::exec();
}
