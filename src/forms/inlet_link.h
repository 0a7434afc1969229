#pragma once
// The pipe window's link to the project's inlet database: opened when the window
// loads, asked for the inlet numbers of an "Inlet" node and for the chosen inlet's
// data. A project without a linked file, or whose file cannot be opened, works on
// without inlet data.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/pipe/inlet_takeover.h"
#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

// Opens `context.inlet_connection` on the file `context.inlet_database` links
// (`store::inlet_database_file`) when a link is set (else closes it). A failure shows the error's
// own description in a plain box and leaves the connection closed. Returns whether the connection
// is open.
bool open_inlet_link(store::ProjectContext& context, Ui& ui);

// The list of an "Inlet" node's number box; empty without an open link. A failure
// shows its description with an exclamation icon and gives an empty list.
std::vector<std::string> linked_inlet_numbers(const store::ProjectContext& context, Ui& ui);

// The chosen inlet's data; nullopt without an open link, for an unknown number, or
// after a failure, which is shown with an exclamation icon.
std::optional<pipe::InletRecord> linked_inlet(const store::ProjectContext& context, Ui& ui,
                                              std::string_view number);

}  // namespace pelvane::forms
