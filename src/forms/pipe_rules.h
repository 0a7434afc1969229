#pragma once
// The network rules of the PIPE table, in one place for every way a pipe gets in
// or changes: the pipe window, the import of a pipe list, the grid's Delete and
// Modify. Each check looks at the saved pipes and gives the refusal the person
// sees (its exact text and icon), or nothing when the value is accepted.
//
// The rules: a pipe number is unique and not empty; a structure starts at most one
// pipe (several may end at it); a pipe does not start and end at the same
// structure; a pipe drains into at most one downstream pipe, so it is a previous
// pipe of one pipe at most, never of itself and never twice in the same pipe; and
// the flow never runs in a circle.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/ui.h"
#include "store/pipe_table.h"

namespace pelvane::forms {

inline constexpr std::string_view kPipeNumberBlank =
    "pipe number can't be blank. Please enter a valid unique Pipe Number!";
// Follows the pipe number.
inline constexpr std::string_view kPipeNumberExists =
    " already exists in the database! Please enter a valid unique Pipe Number";
inline constexpr std::string_view kNodeInSameAsNodeOut =
    "NodeIn structure is same as NodeOut Structure! Please choose a different value";
inline constexpr std::string_view kNodeOutSameAsNodeIn =
    "NodeOut structure is same as NodeIn Structure! Please choose a different value";
// Around the number of the pipe that already starts at the structure.
inline constexpr std::string_view kNodeInUsedHead =
    "This Node IN Structure has already been used for Pipe  - ";
inline constexpr std::string_view kChooseAnother = " - Please choose a different value!";
inline constexpr std::string_view kPreviousPipeIsItself =
    "Invalid Pipe Number! Please choose a different value";
inline constexpr std::string_view kPreviousPipeRepeated =
    "This Pipe has already been used as a Previous Pipe! Please choose a different value";
// Around the number of the pipe that already lists the previous pipe.
inline constexpr std::string_view kPreviousPipeTakenHead =
    "This Pipe has already been used as a Previous Pipe for Pipe  - ";

// What a check refuses: the message and its icon (application title).
struct Refusal {
    std::string message;
    Icon icon = Icon::None;

    bool operator==(const Refusal&) const = default;
};
using RuleResult = std::optional<Refusal>;

// The previous-pipe columns a project uses: PRENODE1 to PRENODE4, or the first
// three in legacy database mode.
std::vector<store::Column> previous_pipe_columns(bool legacy);

// The first pipe, in table order, that lists `number` as one of its previous pipes:
// the pipe it drains into. Nothing for an empty number. The pipe saved as
// `saved_as` is passed over.
std::optional<std::string> pipe_listing(const store::PipeTable& pipes, std::string_view number,
                                        bool legacy, std::string_view saved_as = {});

// A new pipe's number: not empty, not used by a saved pipe.
RuleResult check_new_pipe_number(const store::PipeTable& pipes, std::string_view number);

// The checks below that look at the saved pipes take `saved_as`, the number the
// pipe being checked is saved under ("" for a pipe not saved yet): its own saved row
// is no other pipe, so a pipe being edited never stands in its own way.

// The node-in structure chosen. `node_in_before` is what the field held when it got
// the focus: keeping a pipe's own structure is never refused as "used". An empty
// structure is accepted (it clears the node's data).
RuleResult check_node_in(const store::PipeTable& pipes, std::string_view node_in,
                         std::string_view node_out, std::string_view node_in_before,
                         std::string_view saved_as = {});

// The node-out structure chosen; several pipes may end at one structure.
RuleResult check_node_out(std::string_view node_in, std::string_view node_out);

// Previous pipe `chosen` of pipe `pipe_number`. `others` are the pipe's other
// previous-pipe rows as they stand; `remembered` is what this row held when editing
// began (re-choosing it is accepted). An empty choice is accepted (it clears the
// row).
RuleResult check_previous_pipe(const store::PipeTable& pipes, std::string_view pipe_number,
                               std::string_view chosen, std::span<const std::string> others,
                               std::string_view remembered, bool legacy,
                               std::string_view saved_as = {});

// Previous pipe `chosen` of pipe `pipe_number` must not receive the flow of that
// pipe already, or the flow would run in a circle: the refusal names the circle.
// Reads the previous pipes of every saved pipe, so it is checked once per choice in
// the pipe window; an import checks its whole file for circles at once instead.
RuleResult check_previous_pipe_loop(const store::PipeTable& pipes, std::string_view pipe_number,
                                    std::string_view chosen, bool legacy);

// A refused new pipe: the PIPE column of the value refused, and the refusal.
struct NewPipeRefusal {
    std::string column;
    Refusal refusal;
};

// Every rule for a pipe about to be added, in the order the pipe window meets them:
// number, node in, node out, then previous pipes 1 to 4 (3 in legacy database mode),
// each row checked against the rows above it.
std::optional<NewPipeRefusal> check_new_pipe(const store::PipeTable& pipes,
                                             const store::PipeRecord& pipe, bool legacy);

// The same rules for `pipe`, new values of the saved pipe `saved` under the same
// number: its own saved row stands in nobody's way, and what it holds already is
// accepted again.
std::optional<NewPipeRefusal> check_changed_pipe(const store::PipeTable& pipes,
                                                 const store::PipeRecord& pipe,
                                                 const store::PipeRecord& saved, bool legacy);

// ---- Delete and renumber (the grid's Delete and Modify) ----

// Before the number of the pipe that lists this one: the head of the Delete refusal
// and of the pipe window's notice after saving an edited pipe.
inline constexpr std::string_view kUsedAsPreviousHead =
    "Current Pipe is used as a Previous Pipe for Pipe  - ";
inline constexpr std::string_view kDeleteDeniedTail = " - Delete Denied!";
inline constexpr std::string_view kRenumberTargetExists =
    "New pipe already exists in the database. Choose another pipe Number";
// Around the number of the pipe that lists the one to be renumbered.
inline constexpr std::string_view kRenumberListedHead =
    "Current pipe is a Previous Pipe to Pipe Number - ";
inline constexpr std::string_view kRenumberListedTail = " - Modify Anyway?";

// A pipe that another pipe lists as a previous pipe cannot be deleted: the refusal
// names that pipe.
RuleResult check_delete(const store::PipeTable& pipes, std::string_view number, bool legacy);

// What deleting a pipe under the rule came to: deleted, refused by the rule, or
// neither when the pipe is not (any longer) in the file.
struct PipeDeletion {
    bool deleted = false;
    RuleResult refused;
};
// Deletes pipe `number` unless another pipe lists it as a previous pipe: the grid's
// Delete and `pelvane delete`.
PipeDeletion delete_pipe(const store::PipeTable& pipes, std::string_view number, bool legacy);

// A pipe cannot take the number of a saved pipe.
RuleResult check_renumber_target(const store::PipeTable& pipes, std::string_view new_number);

// What renumbering pipe `old_number` to `new_number` meets: the refusal of the new
// number, or else the pipe that lists the old one as a previous pipe, about which
// the person is asked first. The grid's renumber dialog and `pelvane renumber`.
struct RenumberCheck {
    RuleResult refused;
    std::optional<std::string> listed_by;
};
RenumberCheck check_renumber(const store::PipeTable& pipes, std::string_view old_number,
                             std::string_view new_number, bool legacy);
// The question about renumbering a pipe that `listed_by` lists.
std::string renumber_question(std::string_view listed_by);

// Gives pipe `old_number` the number `new_number` and changes every previous-pipe
// reference to it (PRENODE4 is left alone in legacy database mode). All of it is one
// transaction: a failure changes nothing and is a DatabaseError with its
// description. Returns the number of rows whose PIPE_NUMBER changed (0 or 1).
[[nodiscard]] int renumber_pipe(const store::Database& db, std::string_view old_number,
                                std::string_view new_number, bool legacy);

}  // namespace pelvane::forms
