#include "forms/input_conventions.h"

#include <filesystem>
#include <fstream>

#include "core/text/number_text.h"
#include "store/project_context.h"

namespace pelvane::forms {

KeyAction filter_numeric_key(std::string_view text, int selection_start, int selection_length,
                             char32_t key, bool signed_field) {
    if (key == U'\r' || key == U'\n') return KeyAction::NextField;
    if (key >= U'0' && key <= U'9') return KeyAction::Accept;
    if (key < 32) return KeyAction::Accept;
    if (signed_field && key == U'-') return KeyAction::Accept;
    if (key == U'.') {
        const auto start = static_cast<std::size_t>(std::max(0, selection_start));
        const auto length = static_cast<std::size_t>(std::max(0, selection_length));
        const std::string_view selected =
            start < text.size() ? text.substr(start, length) : std::string_view{};
        if (selected.find('.') != std::string_view::npos) return KeyAction::Accept;
        return text.find('.') == std::string_view::npos ? KeyAction::Accept : KeyAction::Swallow;
    }
    return KeyAction::Swallow;
}

std::string format_on_leave(std::string_view text, std::string_view pattern) {
    const auto parsed = text::parse_number(text);
    if (!parsed.ok()) return std::string(text);
    return text::format_number(parsed.value, pattern);
}

bool list_check(std::string& text, const std::vector<std::string>& items, Ui& ui) {
    for (const auto& item : items) {
        if (item.compare(0, text.size(), text) == 0) return false;
    }
    ui.message("Value not present in the list... Please enter a valid value..", Icon::None,
               kAppTitle);
    text = items.empty() ? std::string() : items.front();
    return true;
}

std::string dialog_folder(const store::ProjectContext& context) {
    return context.last_folder.empty() ? context.program_folder.string() : context.last_folder;
}

std::string save_dialog_folder(const store::ProjectContext& context) {
    if (context.database_path.empty()) return dialog_folder(context);
    return std::filesystem::path(context.database_path).parent_path().string();
}

void remember_folder(store::ProjectContext& context, const std::filesystem::path& file) {
    context.last_folder = file.parent_path().string();
}

bool may_overwrite(Ui& ui, bool exists) {
    return !exists ||
           ui.ask(kFileAlreadyExists, Buttons::YesNo, Icon::Exclamation, kAppTitle) != Answer::No;
}

std::string help_page_path(const store::ProjectContext& context, std::string_view topic) {
    const std::string page = topic.empty() ? "index" : std::string(topic);
    return (context.program_folder / "help" / (page + ".html")).string();
}

void open_or_show_path(Ui& ui, const std::string& path_or_url) {
    if (!ui.open_document(path_or_url)) {
        ui.message(kNothingOpens + path_or_url, Icon::Exclamation, kAppTitle);
    }
}

void open_help(Ui& ui, const store::ProjectContext& context, std::string_view topic) {
    open_or_show_path(ui, help_page_path(context, topic));
}

std::string noaa_page_address(const store::ProjectContext& context) {
    std::string server = "https://hdsc.nws.noaa.gov";
    std::ifstream in(context.program_folder / "noaa_server.txt");
    std::string line;
    if (in && std::getline(in, line)) {
        line = text::trim(line);
        while (!line.empty() && (line.back() == '/' || line.back() == '\r')) line.pop_back();
        if (!line.empty()) server = line;
    }
    return server + "/hdsc/pfds/pfds_map_cont.html?bkmrk=va";
}

void open_noaa_page(Ui& ui, const store::ProjectContext& context) {
    open_or_show_path(ui, noaa_page_address(context));
}

}  // namespace pelvane::forms
