#pragma once
// The project's history as the person meets it: the names of the steps, the Edit
// menu's Undo and Redo, File > Compact History and the lines of `pelvane history`.
// The window, the grid and `pelvane undo | redo | history` use these alike.

#include <string>
#include <string_view>

#include "forms/outcome.h"
#include "forms/ui.h"
#include "store/history.h"
#include "store/project_context.h"

namespace pelvane::forms {

// The name of each command's step, as the history lists it and Undo names it.
namespace step_names {
inline constexpr std::string_view kSavePipe = "Save Pipe";
inline constexpr std::string_view kDeletePipe = "Delete Pipe";
inline constexpr std::string_view kRenumberPipe = "Renumber Pipe";
inline constexpr std::string_view kRecomputeNetwork = "Recompute Network";
inline constexpr std::string_view kImportPipes = "Import Pipes";
inline constexpr std::string_view kPastePipes = "Paste Pipes";
inline constexpr std::string_view kEditInGrid = "Edit in Grid";
inline constexpr std::string_view kProjectDetails = "Project Details";
inline constexpr std::string_view kOutletProtection = "Outlet Protection";
inline constexpr std::string_view kDesignCriteria = "Design Criteria";
// The automatic sizing of pipes records its step under this name.
inline constexpr std::string_view kSizePipes = "Size Pipes";
}  // namespace step_names

// A command's step: open it around the command's transaction.
class CommandStep {
  public:
    CommandStep(const store::Database& db, std::string_view name) : step_(db, std::string(name)) {}

  private:
    store::HistoryStep step_;
};

// The Edit menu's two commands: "Undo Recompute Network", or a disabled "Undo"
// when there is nothing to undo (or no project); likewise Redo.
struct HistoryMenu {
    std::string undo = "Undo";
    std::string redo = "Redo";
    bool can_undo = false;
    bool can_redo = false;
};
HistoryMenu history_menu(const store::Database& db);

// Undoes the last step (redoes the next): done with "Undone: Recompute Network",
// or refused saying there is nothing to undo, or that the rows it changed were
// changed since by another program (then nothing was applied).
Outcome undo_last_step(const store::Database& db);
Outcome redo_next_step(const store::Database& db);

// The menu commands: as above, showing a refusal through the Ui; the project's
// details are read again, since the step may have changed them.
Outcome undo_command(store::ProjectContext& context, Ui& ui);
Outcome redo_command(store::ProjectContext& context, Ui& ui);
// File > Compact History: clears the history once the person agreed.
Outcome compact_history_command(const store::Database& db, Ui& ui);

// One line of `pelvane history`: "3  2026-12-06T10:35:00Z  Recompute Network  (undone)".
std::string history_line(const store::HistoryEntry& step);

}  // namespace pelvane::forms
