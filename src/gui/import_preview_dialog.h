#pragma once
// The preview of a pipe list before it is imported: its rows as written, every
// problem with its line and column, and Import offered only when there is none.

#include "forms/pipe_list_form.h"

class QWidget;

namespace pelvane::gui {

// Shows the preview modally; true when the person chose Import.
bool confirm_import(const forms::ImportPreview& preview, QWidget* parent);

}  // namespace pelvane::gui
