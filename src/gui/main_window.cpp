#include "gui/main_window.h"

#include <QLabel>

namespace pelvane::gui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle("PelvaneVA");
    auto* label = new QLabel("PelvaneVA — storm drain design", this);
    label->setAlignment(Qt::AlignCenter);
    setCentralWidget(label);
    resize(800, 600);
}

}  // namespace pelvane::gui
