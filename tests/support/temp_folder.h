#pragma once
// A fresh folder per test, removed afterwards.

#include <filesystem>
#include <string>
#include <vector>

namespace pelvane::testing {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// The program folder of the build (template, rainfall databases, templates).
std::filesystem::path program_folder();
// Copies of the named files of the program folder in `folder` (made if need be), so
// that what a test writes there leaves the build unchanged.
void copy_program_files(const std::filesystem::path& folder, const std::vector<std::string>& names);
// The source tree (for data sources such as data/samples).
std::filesystem::path source_folder();
// The pelvane command-line tool.
std::filesystem::path cli_path();
// The NOAA precipitation-frequency export for Pulaski shipped in data/rainfall.
std::filesystem::path pulaski_export();

}  // namespace pelvane::testing
