#pragma once
// Export... of a drawing window: the file asked for, its type from its extension,
// written by the painter the view gives.

#include <filesystem>
#include <functional>

#include "forms/drawing.h"
#include "forms/ui.h"

namespace pelvane::forms {

// Writes a drawing to a file (the painter's draw::write_drawing); throws
// store::FileWriteError when the file cannot be written.
using DrawingWriter =
    std::function<void(const drawing::Drawing&, const std::filesystem::path&, drawing::Format)>;

// Asks for the file (`title` on the dialog and the messages) and writes `picture`
// to it; a name of another type or a file that cannot be written is told.
// The dialog starts in `folder`.
void export_drawing(Ui& ui, const char* title, const std::string& folder,
                    const drawing::Drawing& picture, const DrawingWriter& write);

}  // namespace pelvane::forms
