#pragma once
// Stands in for the pipe network grid until it is built: a window that says what
// will be there and sets the grid exit flag when it closes, so the main window's
// Design command ends.

class QWidget;

namespace pelvane::store {
struct ProjectContext;
}

namespace pelvane::gui {

void show_pipe_grid_placeholder(store::ProjectContext& context, QWidget* parent);

}  // namespace pelvane::gui
