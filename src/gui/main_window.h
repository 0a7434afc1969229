#pragma once

#include <QMainWindow>

namespace pelvane::gui {

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace pelvane::gui
