#pragma once
// The About window: the product picture, name, release and a short notice.

#include <QDialog>

namespace pelvane::gui {

class AboutWindow : public QDialog {
    Q_OBJECT
  public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

// Shows the About window modally over `parent`.
void show_about(QWidget* parent);

}  // namespace pelvane::gui
