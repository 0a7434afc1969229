#pragma once
// The state the windows of an open project share: the program and user folders, the
// project file and the values read from it. The forms read and change it; the views
// make it once (the program's folders), hand it to the windows they open and read
// the folders from it, so they reach it here rather than in the store.

#include "store/program_folder.h"
#include "store/project_context.h"

namespace pelvane::forms {

using ProjectContext = store::ProjectContext;
using store::find_program_folder;
using store::kApplicationName;

}  // namespace pelvane::forms
