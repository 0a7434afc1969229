#pragma once
// Titles of the windows that work on the open project: the project's file name
// first, so the taskbar tells two projects apart, a "*" while the window holds
// typed work that is not saved yet, then the window's own caption.

#include <string>
#include <string_view>

#include "store/project_context.h"

namespace pelvane::forms {

// "Sample.pvd* - Pipe Design"; the caption alone when no project is open.
std::string project_window_title(const store::ProjectContext& context, std::string_view caption,
                                 bool unsaved = false);

}  // namespace pelvane::forms
