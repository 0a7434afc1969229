// Shows one window of the desktop program as a person would see it, for the
// screenshots of the documentation (scripts/screenshots captures it). Messages
// and questions are answered quietly so that nothing covers the window.
//
//   pelvaneva_screenshots main|details|grid|rainfall <work folder> [project file]
//                         [NOAA export]
//
// Without a project file (or when it does not exist) a demonstration project is
// made in the work folder. Once the window is on screen its X window id is printed
// as "window <id>"; the program then runs until it is ended.

#include <QApplication>
#include <QTableView>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "forms/ui.h"
#include "gui/main_window.h"
#include "gui/project_details_window.h"
#include "gui/rainfall_data_window.h"
#include "store/project_database.h"
#include "store/project_details.h"
#include "store/rainfall_lookup.h"

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
    void open_document(const std::string&) override {}
};

// A small project as an engineer would have entered it.
std::string demonstration_project(const fs::path& program_folder, const fs::path& folder) {
    const fs::path file = folder / "Peppers Ferry Road.pvd";
    store::create_project_file(program_folder, file);
    store::ProjectContext context;
    context.program_folder = program_folder;
    store::open_project(context, file);
    store::ProjectDetails details;
    details.project_id = "0100-077-111";
    details.project_name = "Peppers Ferry Road Drainage";
    details.description = "Storm drain along the widened section, Route 114";
    details.location = "Route 114, Pulaski County";
    details.county = "Pulaski";
    details.designer = "J. Harlow, P.E.";
    details.noaa_station = "Pulaski";
    store::save_project_details(context, details, store::DetailsWindow::NoaaStation);
    return file.string();
}

void announce(QWidget* window) {
    std::cout << "window " << window->winId() << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("PelvaneVA");
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::cerr << "usage: pelvaneva_screenshots main|details|grid|rainfall <work folder> "
                     "[project file] [NOAA export]\n";
        return 2;
    }
    const std::string which = args[1].toStdString();
    const fs::path work = args[2].toStdString();
    fs::create_directories(work);

    store::ProjectContext context;
    context.program_folder = QCoreApplication::applicationDirPath().toStdString();
    context.user_data_folder = work / "user";
    std::string project = args.size() > 3 ? args[3].toStdString() : std::string();
    if (project.empty() || !fs::exists(project)) {
        project = demonstration_project(context.program_folder, work);
    }

    QuietUi ui;
    pelvane::gui::MainWindow window(context, &ui);
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
            pelvane::gui::RainfallDataWindow rainfall(context, &ui, &window);
            rainfall.form().set_kind(forms::kKindStation);
            rainfall.form().fields.set_text("rainfall_name", context.noaa_station);
            if (!csv.empty()) rainfall.form().load_export(csv);
            rainfall.check().cmdCheck();
            rainfall.show_preview();
            QTimer::singleShot(500, &rainfall, [&rainfall] { announce(&rainfall); });
            rainfall.exec();
        });
    } else {
        std::cerr << "unknown window " << which << '\n';
        return 2;
    }
    return QApplication::exec();
}
