#pragma once
// The Edit menu of the windows that change the project: Undo <step> (Ctrl+Z) and
// Redo <step> (Ctrl+Shift+Z, Ctrl+Y), named after the step they undo or redo and
// disabled when there is none. A line edit with the focus keeps its own Ctrl+Z.

#include <functional>

#include "forms/project_history.h"

class QMenuBar;
class QWidget;

namespace pelvane::gui {

struct HistoryCommands {
    std::function<forms::HistoryMenu()> state;
    std::function<void()> undo;
    std::function<void()> redo;
};

// Puts the Edit menu after the first menu of `bar`. Its texts and states are read
// when the window opens, when the menu opens and after each of its commands; the
// connections end with `window`. Returns what reads them again, for a window whose
// project another window may change meanwhile.
std::function<void()> add_history_menu(QMenuBar* bar, QWidget* window, HistoryCommands commands);

}  // namespace pelvane::gui
