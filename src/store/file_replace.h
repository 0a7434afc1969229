#pragma once
// Every file the program writes (a project made from the template, a pipe list, a
// workbook, a PDF) is written the same way: into a new temporary file in the
// target's folder, checked and flushed to the disk, then renamed over the target.
// A full disk, a broken source or a crash half-way therefore leaves the earlier
// file as it was. Only a regular file (or nothing) is ever replaced: a folder, a
// symbolic link, a device or a pipe named as the target is refused.

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace pelvane::store {

// A file that could not be written; what() names the file and the cause in the
// person's terms.
class FileWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Refuses an empty name and a target that exists but is not a regular file.
void check_replaceable(const std::filesystem::path& target);

// Writes `target`: `write` fills the temporary file whose path it is given (and
// throws when it cannot); the file is then flushed to the disk and renamed over
// the target. Any failure removes the temporary file, leaves the target untouched
// and is a FileWriteError (an exception thrown by `write` passes through as it is).
void replace_file(const std::filesystem::path& target,
                  const std::function<void(const std::filesystem::path& temporary)>& write);

// The same with the bytes given.
void replace_file_with_bytes(const std::filesystem::path& target, std::string_view bytes);

// The same with a copy of `source`; a FileWriteError naming `source` when it
// cannot be read in full.
void replace_file_with_copy(const std::filesystem::path& target,
                            const std::filesystem::path& source);

}  // namespace pelvane::store
