// Long work off the window thread: the window's events go on while it runs, Cancel
// on its progress dialog stops it, and what it throws reaches the command.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "gui/background_task.h"
#include "gui/qt_ui.h"

namespace pelvane::gui {
namespace {

QPushButton* shown_cancel_button() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() != kTaskDialogName || !top->isVisible()) continue;
        return top->findChild<QPushButton*>(kTaskCancelName);
    }
    return nullptr;
}

TEST(BackgroundTask, TheWindowRunsOnAndCancelStopsTheWork) {
    QWidget window;
    window.show();
    QtUi ui(&window);
    int ticks = 0;
    QTimer ticker;
    ticker.setInterval(5);
    // The person presses Cancel once the window has ticked a while and the dialog shows.
    QObject::connect(&ticker, &QTimer::timeout, &window, [&ticks] {
        QPushButton* cancel = shown_cancel_button();
        if (++ticks >= 10 && cancel != nullptr && cancel->isEnabled()) cancel->click();
    });
    ticker.start();
    int steps = 0;
    ui.run_long_work("Counting", [&ui, &steps] {
        while (ui.progress(steps, 0, "Counting")) {
            ++steps;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    EXPECT_GE(ticks, 10);
    EXPECT_GT(steps, 0);
    EXPECT_FALSE(background_work_running());
    EXPECT_THROW(ui.run_long_work("Failing", [] { throw std::runtime_error("disk full"); }),
                 std::runtime_error);
}

}  // namespace
}  // namespace pelvane::gui
