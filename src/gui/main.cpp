// PelvaneVA: the desktop program.

#include <QApplication>

#include "gui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("PelvaneVA");
    pelvane::gui::MainWindow window;
    window.show();
    return QApplication::exec();
}
