// PelvaneVA: the desktop program. The splash shows for three seconds, then the main
// window with no project open; a project file named on the command line is opened
// as the Open command opens it; --version prints the release.

#include <QApplication>
#include <QStandardPaths>
#include <QTimer>
#include <cstring>
#include <iostream>

#include "forms/project.h"
#include "gui/main_window.h"
#include "gui/qt_ui.h"
#include "gui/splash_window.h"

namespace {
constexpr const char* kRelease = "2.1";
}

int main(int argc, char** argv) {
    // Answered before Qt looks for a display, so a packaging check needs none.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << pelvane::forms::kApplicationName << " " << kRelease << "\n";
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(pelvane::forms::kApplicationName);
    QApplication::setApplicationVersion(kRelease);

    pelvane::forms::ProjectContext context;
    // The program folder holds the template, the rainfall databases and the help.
    context.program_folder =
        pelvane::forms::find_program_folder(QCoreApplication::applicationDirPath().toStdString());
    context.user_data_folder =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();

    // One set of real dialogs for every window; each shows over the window in use.
    pelvane::gui::QtUi ui(nullptr);
    pelvane::gui::MainWindow window(context, ui);
    pelvane::gui::SplashWindow splash;
    const QStringList arguments = QCoreApplication::arguments();
    QObject::connect(&splash, &pelvane::gui::SplashWindow::finished, &window, [&] {
        window.show();
        if (arguments.size() > 1) {
            const QString& file = arguments.at(1);
            QTimer::singleShot(0, &window, [&window, file] { window.open_project_file(file); });
        }
    });
    splash.start();
    return QApplication::exec();
}
