#include "forms/window_titles.h"

#include <filesystem>

namespace pelvane::forms {

std::string project_window_title(const store::ProjectContext& context, std::string_view caption,
                                 bool unsaved) {
    if (context.database_path.empty()) return std::string(caption);
    std::string title = std::filesystem::path(context.database_path).filename().string();
    if (unsaved) title += '*';
    return title + " - " + std::string(caption);
}

}  // namespace pelvane::forms
