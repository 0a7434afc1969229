#include "forms/project_history.h"

#include "store/project_database.h"

namespace pelvane::forms {
namespace {

constexpr std::string_view kNothingToUndo = "There is nothing to undo.";
constexpr std::string_view kNothingToRedo = "There is nothing to redo.";
constexpr std::string_view kChangedSince = " changed were changed since by another program.";
constexpr std::string_view kCompactQuestion =
    "Clear the project's history? Its steps can no longer be undone or redone; the project "
    "itself stays as it is.";
constexpr std::string_view kCompacted = "The project's history was cleared.";

// What a step's rows in `table` are to the person.
std::string rows_of(const std::string& table) {
    if (table == "PIPE") return "the pipes it";
    if (table == "PROJECT") return "the project details it";
    if (table == "ENERGY") return "the outlet protection records it";
    if (table == "DESIGN_RAINFALL") return "the design rainfall records it";
    if (table == "DESIGN_CHECKS") return "the design criteria it";
    return "the rows of " + table + " it";
}

Outcome worded(const store::Database& db, bool undo) {
    if (db.read_only()) {
        return Outcome::refused(std::string(undo ? "Cannot undo" : "Cannot redo") +
                                ": the project file is read-only, so it is open for viewing.");
    }
    store::HistoryMove moved;
    try {
        moved = undo ? store::undo_step(db) : store::redo_step(db);
    } catch (const store::DatabaseError& e) {
        return Outcome::refused(std::string(undo ? "Cannot undo: " : "Cannot redo: ") + e.what());
    }
    switch (moved.result) {
        case store::HistoryMove::Result::Done:
            return Outcome::done((undo ? "Undone: " : "Redone: ") + moved.command);
        case store::HistoryMove::Result::Nothing:
            return Outcome::refused(std::string(undo ? kNothingToUndo : kNothingToRedo));
        case store::HistoryMove::Result::Conflict:
            break;
    }
    return Outcome::refused((undo ? "Cannot undo " : "Cannot redo ") + moved.command + ": " +
                            rows_of(moved.conflict_table) + std::string(kChangedSince));
}

Outcome shown(Outcome outcome, Ui& ui) {
    if (!outcome) ui.message(outcome.message, Icon::Exclamation);
    return outcome;
}

Outcome reloaded(Outcome outcome, store::ProjectContext& context, Ui& ui) {
    if (outcome) {
        try {
            store::load_project_record(context);
        } catch (const store::DatabaseError& e) {
            ui.message(e.what(), Icon::Exclamation);
        }
    }
    return shown(std::move(outcome), ui);
}

}  // namespace

HistoryMenu history_menu(const store::Database& db) {
    HistoryMenu menu;
    // A file open for viewing cannot be written, so nothing of it can be undone.
    if (!db.is_open() || db.read_only()) return menu;
    try {
        if (const auto step = store::step_to_undo(db)) {
            menu.undo += " " + step->command;
            menu.can_undo = true;
        }
        if (const auto step = store::step_to_redo(db)) {
            menu.redo += " " + step->command;
            menu.can_redo = true;
        }
    } catch (const store::DatabaseError&) {
        // A file another program holds: the commands say so when they are chosen.
    }
    return menu;
}

Outcome undo_last_step(const store::Database& db) {
    return worded(db, true);
}

Outcome redo_next_step(const store::Database& db) {
    return worded(db, false);
}

Outcome undo_command(store::ProjectContext& context, Ui& ui) {
    return reloaded(undo_last_step(context.project_connection), context, ui);
}

Outcome redo_command(store::ProjectContext& context, Ui& ui) {
    return reloaded(redo_next_step(context.project_connection), context, ui);
}

Outcome compact_history_command(const store::Database& db, Ui& ui) {
    if (ui.ask(std::string(kCompactQuestion), Buttons::YesNo, Icon::Question, kAppTitle) !=
        Answer::Yes) {
        return Outcome::declined("The history was kept.");
    }
    try {
        store::clear_history(db);
    } catch (const store::DatabaseError& e) {
        return shown(Outcome::refused(std::string("The history was not cleared: ") + e.what()), ui);
    }
    return Outcome::done(std::string(kCompacted));
}

std::string history_line(const store::HistoryEntry& step) {
    return std::to_string(step.number) + "  " + step.time + "  " + step.command +
           (step.undone ? "  (undone)" : "");
}

}  // namespace pelvane::forms
