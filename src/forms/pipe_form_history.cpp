// Undo and Redo from the pipe window: the same steps as the grid's and the main
// window's, never under values typed and not yet saved.

#include "forms/pipe_form.h"
#include "store/pipe_table.h"

namespace pelvane::forms {

HistoryMenu PipeForm::history_menu() const {
    if (context_.viewing_only) return {};
    return forms::history_menu(context_.project_connection);
}

void PipeForm::undo() {
    step_history(true);
}

void PipeForm::redo() {
    step_history(false);
}

void PipeForm::step_history(bool undo) {
    const HistoryMenu menu = history_menu();
    if (!(undo ? menu.can_undo : menu.can_redo)) return;
    if (adding_ || editing_ || mode_ != ScreenMode::View) {
        const std::string pipe = fields.text("pipe_number");
        ui_.message((undo ? menu.undo : menu.redo) +
                        " waits: " + (pipe.empty() ? std::string("a new pipe") : "pipe " + pipe) +
                        " is being " + (adding_ ? "added" : "edited") + ". Save it or leave the " +
                        (adding_ ? "addition" : "edit") + " first, so that nothing typed is lost.",
                    Icon::Exclamation);
        return;
    }
    if (!(undo ? undo_command(context_, ui_) : redo_command(context_, ui_))) return;
    windows_.refresh_grid();
    const std::string shown = stored_number_;
    std::optional<store::PipeRecord> still;
    std::vector<std::vector<std::string>> numbers;
    try {
        const store::PipeTable table(context_.project_connection);
        if (!shown.empty()) still = table.find(shown);
        if (!still) numbers = table.texts_by_number({"PIPE_NUMBER"});
    } catch (const store::DatabaseError& e) {
        ui_.message(e.what(), Icon::Exclamation);
    }
    if (shown.empty() || still) {
        show_saved_pipe(shown);
    } else {
        // The step removed the pipe shown: the first pipe of the grid's order takes its
        // place rather than a pipe the project no longer holds.
        const std::string first = numbers.empty() ? "" : numbers.front().front();
        show_saved_pipe(first);
        ui_.message("Pipe " + shown + " is no longer in the project. " +
                        (first.empty() ? "The project has no pipes now."
                                       : "The window shows pipe " + first + "."),
                    Icon::Information);
    }
    refresh_status();
}

}  // namespace pelvane::forms
