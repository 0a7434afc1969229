#pragma once
// The File menu's list of recently used projects, most recent first. It is kept in
// a small text file (one path per line) in the person's own data folder, so that
// both a new session of the program and another copy of it find the same list.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace pelvane::forms {

inline constexpr std::size_t kRecentProjectsLimit = 8;
inline constexpr const char* kRecentProjectsFileName = "recent-projects.txt";
inline constexpr const char* kRecentProjectsMenu = "Recent &Projects";
inline constexpr const char* kNoRecentProjects = "(none)";
inline constexpr const char* kRecentProjectGone =
    "The project file no longer exists and is taken off the list of recent projects:\n";

class RecentProjects {
  public:
    // The list kept in `user_folder`; an empty folder keeps the list for this session only.
    explicit RecentProjects(const std::filesystem::path& user_folder);

    const std::vector<std::string>& paths() const { return paths_; }
    // Puts `path` first (once) and keeps the list within the limit.
    void add(const std::string& path);
    void remove(const std::string& path);

  private:
    void save() const;

    std::filesystem::path file_;
    std::vector<std::string> paths_;
};

// The menu caption of entry `index` (0 first): "&1 Sample.pvd  (/home/me/jobs)".
std::string recent_project_caption(std::size_t index, const std::string& path);

}  // namespace pelvane::forms
