#include "gui/main_window_pipe_grid.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "store/project_context.h"

namespace pelvane::gui {

void show_pipe_grid_placeholder(store::ProjectContext& context, QWidget* parent) {
    QDialog window(parent);
    window.setWindowTitle("Pipe network");
    auto* layout = new QVBoxLayout(&window);
    auto* note = new QLabel(
        QString("<b>%1</b><br><br>This window will list the pipes of the project, with the "
                "commands to add, view, edit, renumber and delete them, compute the hydraulic "
                "grade line, design the outlet protection and write the LD-229 and pipe "
                "reports.<br><br>It is not part of this build yet. Meanwhile the command-line "
                "tool <tt>pelvane</tt> works on the same project file.")
            .arg(QString::fromStdString(context.project_name).toHtmlEscaped()),
        &window);
    note->setWordWrap(true);
    note->setMinimumWidth(420);
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    layout->addWidget(buttons);
    window.exec();
    // However it was closed, the placeholder has no fresh data to show again.
    context.grid_exit_flag = true;
}

}  // namespace pelvane::gui
