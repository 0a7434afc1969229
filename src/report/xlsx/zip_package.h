#pragma once
// The parts of a zip package (an .xlsx file) held in memory: read once, edited,
// written back in their original order. Workbooks and their templates are small
// enough that holding every part is simpler and faster than streaming, except the
// sheet of a report of many rows, which can be given as a file read while the
// package is written.

#include <ctime>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pelvane::report {

// A package that cannot be read or written; the text names the file and the cause.
class WorkbookError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ZipPackage {
  public:
    struct Part {
        std::string name;  // "xl/workbook.xml" (no leading slash)
        std::string data;
        std::filesystem::path file;  // when set, the part's bytes are this file's
    };

    ZipPackage() = default;
    static ZipPackage read(const std::filesystem::path& file);

    bool contains(std::string_view name) const { return find(name) != nullptr; }
    // The part's bytes; a WorkbookError naming the part when it is missing.
    const std::string& data(std::string_view name) const;
    // Replaces a part, or appends it when the package has none of that name.
    void put(std::string_view name, std::string data);
    // Replaces (or appends) a part by the content of `file`, which must stay until
    // the package is written.
    void put_file(std::string_view name, std::filesystem::path file);
    void remove(std::string_view name);
    const std::vector<Part>& parts() const { return parts_; }

    // Writes the package to `file` through store::replace_file, so a failure never
    // leaves half a file and only a regular file is replaced.
    // `stamp` fixes every entry's time (reproducible builds); otherwise it is now.
    void write(const std::filesystem::path& file,
               std::optional<std::time_t> stamp = std::nullopt) const;

  private:
    const Part* find(std::string_view name) const;
    void write_parts(const std::filesystem::path& partial, const std::filesystem::path& file,
                     std::optional<std::time_t> stamp) const;

    std::vector<Part> parts_;
};

}  // namespace pelvane::report
