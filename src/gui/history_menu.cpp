#include "gui/history_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <utility>

namespace pelvane::gui {

std::function<void()> add_history_menu(QMenuBar* bar, QWidget* window, HistoryCommands commands) {
    auto* menu = new QMenu("&Edit", bar);
    menu->setObjectName("editMenu");
    const QList<QAction*> menus = bar->actions();
    bar->insertMenu(menus.size() > 1 ? menus[1] : nullptr, menu);
    QAction* undo = menu->addAction("Undo");
    undo->setObjectName("editUndo");
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = menu->addAction("Redo");
    redo->setObjectName("editRedo");
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    const auto update = [undo, redo, state = std::move(commands.state)] {
        const forms::HistoryMenu now = state();
        undo->setText(QString::fromStdString(now.undo));
        undo->setEnabled(now.can_undo);
        redo->setText(QString::fromStdString(now.redo));
        redo->setEnabled(now.can_redo);
    };
    QObject::connect(menu, &QMenu::aboutToShow, window, update);
    QObject::connect(undo, &QAction::triggered, window, [update, run = std::move(commands.undo)] {
        run();
        update();
    });
    QObject::connect(redo, &QAction::triggered, window, [update, run = std::move(commands.redo)] {
        run();
        update();
    });
    update();
    return update;
}

}  // namespace pelvane::gui
