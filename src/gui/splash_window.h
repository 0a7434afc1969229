#pragma once
// The start-up picture: shown for three seconds, or until a key is pressed on it or
// it is clicked; then it closes and says so.

#include <QTimer>
#include <QWidget>

namespace pelvane::gui {

class SplashWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SplashWindow(int milliseconds = 3000, QWidget* parent = nullptr);
    // Shows the window and starts the wait.
    void start();

  signals:
    void finished();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void finish();
    QTimer timer_;
    bool finished_ = false;
};

}  // namespace pelvane::gui
