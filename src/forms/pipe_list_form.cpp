#include "forms/pipe_list_form.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/hydrology/idf_csv.h"
#include "forms/input_conventions.h"
#include "forms/pipe_grid_csv.h"
#include "forms/project_history.h"
#include "store/file_replace.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;
using namespace pipe_list_texts;

std::string count_of(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

FileDialog list_dialog(const store::ProjectContext& context, bool save) {
    FileDialog dialog;
    dialog.save = save;
    dialog.title = save ? kExportTitle : kImportTitle;
    dialog.filter = kFilter;
    dialog.initial_folder = save ? save_dialog_folder(context) : dialog_folder(context);
    dialog.default_extension = ".csv";
    dialog.must_exist = !save;
    return dialog;
}

ImportCount write_pipes(const store::ProjectContext& context, std::string_view text, bool paste,
                        ImportMode mode = ImportMode::Write) {
    if (!paste) return {import_pipes(context, text, mode), 0};
    return import_pipes(context, text, mode, SavedPipes::Update, step_names::kPastePipes);
}

// Writes the previewed list when the person confirms it; the message says what was
// done or why nothing was.
bool write_previewed(store::ProjectContext& context, Ui& ui, const ImportPreview& preview,
                     std::string_view text,
                     const std::function<bool(const ImportPreview&)>& confirm) {
    const char* title = preview.paste ? kPasteTitle : kImportTitle;
    if (preview.paste && preview.importable() &&
        preview.pipes_to_add + preview.pipes_to_update == 0) {
        ui.message(kNothingToPaste, Icon::Information, title);
        return false;
    }
    if (!confirm(preview) || !preview.importable()) return false;
    try {
        const ImportCount done = write_pipes(context, text, preview.paste);
        const std::string added = count_of(static_cast<std::size_t>(done.added), "pipe", "pipes");
        ui.message(preview.paste
                       ? count_of(static_cast<std::size_t>(done.updated), "pipe", "pipes") +
                             " updated and " + std::to_string(done.added) + " added."
                       : added + " added from " + preview.file + ".",
                   Icon::Information, title);
        return true;
    } catch (const ImportError& e) {
        // The project changed since the preview (another program wrote to it).
        ui.message(e.what(), Icon::Exclamation, title);
    } catch (const std::exception& e) {
        ui.message(e.what(), Icon::Exclamation, title);
    }
    return false;
}

}  // namespace

std::string ImportPreview::summary() const {
    if (importable() && pipes_to_update > 0) {
        return count_of(static_cast<std::size_t>(pipes_to_update), "pipe", "pipes") +
               " will be updated and " + std::to_string(pipes_to_add) + " added.";
    }
    if (importable()) {
        return count_of(static_cast<std::size_t>(pipes_to_add), "pipe", "pipes") +
               " will be added to the project.";
    }
    return count_of(problems.size(), "problem", "problems") + " in " +
           count_of(row_count, "row", "rows") + ": nothing will be " +
           (paste ? "pasted" : "imported") + " until " +
           (problems.size() == 1 ? "it is" : "they are") + " fixed.";
}

ImportPreview preview_pipe_list(const store::ProjectContext& context, std::string file,
                                std::string_view csv_text, bool paste) {
    ImportPreview preview;
    preview.file = std::move(file);
    preview.paste = paste;
    try {
        auto lines = hydrology::read_csv(csv_text, list_separator(csv_text));
        std::erase_if(lines, [](const hydrology::CsvLine& line) { return line.cells.empty(); });
        if (!lines.empty()) preview.header = lines.front().cells;
        preview.row_count = lines.empty() ? 0 : lines.size() - 1;
        for (std::size_t i = 1; i < lines.size() && preview.rows.size() < ImportPreview::kShownRows;
             ++i) {
            preview.rows.push_back(std::move(lines[i].cells));
        }
    } catch (const hydrology::CsvError&) {
        // The import names the line that cannot be read; there is nothing to show.
    }
    try {
        const ImportCount count = write_pipes(context, csv_text, paste, ImportMode::DryRun);
        preview.pipes_to_add = count.added;
        preview.pipes_to_update = count.updated;
    } catch (const ImportError& e) {
        preview.problems = e.problems();
    }
    return preview;
}

bool import_pipe_list(store::ProjectContext& context, Ui& ui,
                      const std::function<bool(const ImportPreview&)>& confirm) {
    const std::string path = ui.choose_file(list_dialog(context, false));
    if (path.empty()) return false;
    remember_folder(context, path);
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        ui.message(kCannotRead + path, Icon::Exclamation, kImportTitle);
        return false;
    }
    return write_previewed(context, ui, preview_pipe_list(context, path, text), text, confirm);
}

bool paste_pipe_list(store::ProjectContext& context, Ui& ui, std::string_view text,
                     const std::function<bool(const ImportPreview&)>& confirm) {
    return write_previewed(context, ui, preview_pipe_list(context, kPasteSource, text, true), text,
                           confirm);
}

std::string copied_rows(const std::vector<std::string>& columns,
                        const std::vector<std::vector<std::string>>& rows) {
    std::string text = csv_line(columns, '\t');
    for (const auto& row : rows) text += csv_line(row, '\t');
    return text;
}

bool export_pipe_list(store::ProjectContext& context, Ui& ui) {
    const std::string path = ui.choose_file(list_dialog(context, true));
    if (path.empty()) return false;
    std::error_code ec;
    if (!may_overwrite(ui, fs::exists(path, ec))) return false;
    try {
        std::ostringstream list;
        export_pipes(context.project_connection, list);
        store::replace_file_with_bytes(path, list.str());
    } catch (const std::exception& e) {
        ui.message(e.what(), Icon::Exclamation, kExportTitle);
        return false;
    }
    ui.message("The pipe list is written: " + path, Icon::Information, kExportTitle);
    return true;
}

}  // namespace pelvane::forms
