#include "forms/recent_projects.h"

#include <algorithm>
#include <fstream>

#include "store/file_replace.h"

namespace pelvane::forms {

namespace fs = std::filesystem;

RecentProjects::RecentProjects(const fs::path& user_folder) {
    if (user_folder.empty()) return;
    file_ = user_folder / kRecentProjectsFileName;
    std::ifstream in(file_);
    std::string line;
    while (paths_.size() < kRecentProjectsLimit && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && std::ranges::find(paths_, line) == paths_.end()) {
            paths_.push_back(line);
        }
    }
}

void RecentProjects::add(const std::string& path) {
    std::erase(paths_, path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kRecentProjectsLimit) paths_.resize(kRecentProjectsLimit);
    save();
}

void RecentProjects::remove(const std::string& path) {
    std::erase(paths_, path);
    save();
}

void RecentProjects::save() const {
    if (file_.empty()) return;
    std::string text;
    for (const auto& path : paths_) text += path + "\n";
    // The list is a convenience: a data folder that cannot be written (a read-only
    // home, a full disk) must not stop the project from opening, so it is kept for
    // this session only.
    try {
        std::error_code ec;
        fs::create_directories(file_.parent_path(), ec);
        store::replace_file_with_bytes(file_, text);
    } catch (const store::FileWriteError&) {
    }
}

std::string recent_project_caption(std::size_t index, const std::string& path) {
    const fs::path file(path);
    std::string caption = index < 9 ? "&" + std::to_string(index + 1) + " " : "";
    return caption + file.filename().string() + "  (" + file.parent_path().string() + ")";
}

}  // namespace pelvane::forms
