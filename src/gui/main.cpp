// PelvaneVA: the desktop program. The splash shows for three seconds, then the main
// window with no project open; a project file named on the command line is opened
// as the Open command opens it.

#include <QApplication>
#include <QStandardPaths>
#include <QTimer>

#include "gui/main_window.h"
#include "gui/splash_window.h"
#include "store/program_folder.h"
#include "store/project_context.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("PelvaneVA");
    QApplication::setApplicationVersion("2.1");

    pelvane::store::ProjectContext context;
    // The program folder holds the template, the rainfall databases and the help.
    context.program_folder =
        pelvane::store::find_program_folder(QCoreApplication::applicationDirPath().toStdString());
    context.user_data_folder =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();

    pelvane::gui::MainWindow window(context);
    pelvane::gui::SplashWindow splash;
    const QStringList arguments = QCoreApplication::arguments();
    QObject::connect(&splash, &pelvane::gui::SplashWindow::finished, &window, [&] {
        window.show();
        if (arguments.size() > 1) {
            const QString file = arguments.at(1);
            QTimer::singleShot(0, &window, [&window, file] { window.open_project_file(file); });
        }
    });
    splash.start();
    return QApplication::exec();
}
