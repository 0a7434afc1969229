#include "gui/splash_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "gui/splash_picture.h"

namespace pelvane::gui {

SplashWindow::SplashWindow(int milliseconds, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setWindowTitle("PelvaneVA");
    setFixedSize(640, 384);
    setFocusPolicy(Qt::StrongFocus);
    // A timer counts elapsed time, not the clock on the wall, so a start just
    // before midnight waits the same three seconds.
    timer_.setSingleShot(true);
    timer_.setInterval(milliseconds);
    connect(&timer_, &QTimer::timeout, this, &SplashWindow::finish);
}

void SplashWindow::start() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
    setFocus();
    timer_.start();
}

void SplashWindow::finish() {
    if (finished_) return;
    finished_ = true;
    timer_.stop();
    close();
    emit finished();
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_product_picture(painter, rect());
    painter.setPen(QPen(QColor(22, 52, 92), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

void SplashWindow::keyPressEvent(QKeyEvent*) {
    finish();
}

void SplashWindow::mousePressEvent(QMouseEvent*) {
    finish();
}

}  // namespace pelvane::gui
