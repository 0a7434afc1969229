#include "forms/pipe_list_form.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/hydrology/idf_csv.h"
#include "forms/input_conventions.h"
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

}  // namespace

std::string ImportPreview::summary() const {
    if (importable()) {
        return count_of(static_cast<std::size_t>(pipes_to_add), "pipe", "pipes") +
               " will be added to the project.";
    }
    return count_of(problems.size(), "problem", "problems") + " in " +
           count_of(row_count, "row", "rows") + ": nothing will be imported until " +
           (problems.size() == 1 ? "it is" : "they are") + " fixed.";
}

ImportPreview preview_pipe_list(const store::ProjectContext& context, std::string file,
                                std::string_view csv_text) {
    ImportPreview preview;
    preview.file = std::move(file);
    try {
        auto lines = hydrology::read_csv(csv_text);
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
        preview.pipes_to_add = import_pipes(context, csv_text, ImportMode::DryRun);
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
    const ImportPreview preview = preview_pipe_list(context, path, text);
    if (!confirm(preview) || !preview.importable()) return false;
    try {
        const int added = import_pipes(context, text);
        ui.message(count_of(static_cast<std::size_t>(added), "pipe", "pipes") + " added from " +
                       path + ".",
                   Icon::Information, kImportTitle);
        return true;
    } catch (const ImportError& e) {
        // The project changed since the preview (another program wrote to it).
        ui.message(e.what(), Icon::Exclamation, kImportTitle);
    } catch (const std::exception& e) {
        ui.message(e.what(), Icon::Exclamation, kImportTitle);
    }
    return false;
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
