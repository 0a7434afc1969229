#include "forms/drawing_export.h"

#include "store/file_replace.h"

namespace pelvane::forms {

void export_drawing(Ui& ui, const char* title, const std::string& folder,
                    const drawing::Drawing& picture, const DrawingWriter& write) {
    FileDialog dialog;
    dialog.save = true;
    dialog.title = title;
    dialog.initial_folder = folder;
    dialog.filter = drawing::kExportFilter;
    dialog.default_extension = ".svg";
    const std::string chosen = ui.choose_file(dialog);
    if (chosen.empty()) return;
    const auto format = drawing::format_of(chosen);
    if (!format) {
        ui.message(chosen + ": " + drawing::kExportTypes + ".", Icon::Exclamation, title);
        return;
    }
    try {
        write(picture, chosen, *format);
    } catch (const store::FileWriteError& e) {
        ui.message(e.what(), Icon::Exclamation, title);
    }
}

}  // namespace pelvane::forms
