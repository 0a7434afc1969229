#pragma once
// The project's history, kept in the project file: each command that changes the
// file is one step (its time, its name and the rows it changed), which can be
// undone and redone, also after the program closed or on a colleague's machine.
//
// A command records its step by opening a HistoryStep around its Transaction: the
// rows changed meanwhile are appended to PROJECT_HISTORY in that same transaction,
// so a change and its step are committed together or not at all. The history
// tables are made by the first step, so reading a file never changes it.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/sqlite/database.h"

namespace pelvane::store {

inline constexpr std::string_view kHistoryTable = "PROJECT_HISTORY";
inline constexpr std::string_view kHistorySettingsTable = "PROJECT_HISTORY_SETTINGS";
// Steps kept when the file does not say: the oldest are dropped past it.
inline constexpr int kDefaultHistoryLimit = 100;

struct HistoryEntry {
    int number = 0;
    std::string time;  // UTC, "2026-12-06T10:35:00Z"
    std::string command;
    bool undone = false;
};

// Records the rows a command changes as one step named `command`, written when
// the command's transaction commits (nothing for a transaction that changed no
// row). A new step drops the steps undone before it.
class HistoryStep {
  public:
    HistoryStep(const Database& db, std::string command);
    ~HistoryStep();
    HistoryStep(const HistoryStep&) = delete;
    HistoryStep& operator=(const HistoryStep&) = delete;

  private:
    class Recorder;
    std::unique_ptr<Recorder> recorder_;
};

// Every step, oldest first; none for a file without a history.
std::vector<HistoryEntry> read_history(const Database& db);
// The step Undo would undo (the last done one), and the one Redo would redo (the
// first undone one).
std::optional<HistoryEntry> step_to_undo(const Database& db);
std::optional<HistoryEntry> step_to_redo(const Database& db);

struct HistoryMove {
    enum class Result {
        Done,
        Nothing,   // no step to undo (redo)
        Conflict,  // rows the step changed were changed since: nothing was applied
    };
    Result result = Result::Nothing;
    std::string command;         // the step's name
    std::string conflict_table;  // Conflict: the table whose rows differ
};

// Undoes the last done step (redoes the first undone one) in one transaction.
HistoryMove undo_step(const Database& db);
HistoryMove redo_step(const Database& db);

// Drops every step and the table that kept them (the project stays as it is).
void clear_history(const Database& db);

// The most steps kept, as the file says (the default without a setting).
int history_limit(const Database& db);
// Keeps at most `limit` steps (at least 1) from now on; older ones are dropped now.
void set_history_limit(const Database& db, int limit);

}  // namespace pelvane::store
