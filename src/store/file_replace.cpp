#include "store/file_replace.h"

#include <string>
#include <system_error>
#include <utility>

#include "platform/platform.h"

namespace pelvane::store {
namespace {

namespace fs = std::filesystem;

std::string quoted(const fs::path& file) {
    return "'" + file.string() + "'";
}

[[noreturn]] void refuse(const fs::path& target, const std::string& why) {
    throw FileWriteError("Could not write " + quoted(target) + ": " + why + ".");
}

void refuse_on(const fs::path& target, const std::error_code& error) {
    if (error) refuse(target, error.message());
}

// The temporary file, removed unless it was renamed over the target.
class Temporary {
  public:
    explicit Temporary(fs::path path) : path_(std::move(path)) {}
    ~Temporary() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove(path_, ignored);
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    const fs::path& path() const { return path_; }
    void release() { path_.clear(); }

  private:
    fs::path path_;
};

}  // namespace

void check_replaceable(const fs::path& target) {
    if (target.empty()) throw FileWriteError("No file name was given to write.");
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(target, ec);
    switch (status.type()) {
        case fs::file_type::not_found:
        case fs::file_type::regular:
            return;
        case fs::file_type::directory:
            refuse(target, "it is a folder");
        case fs::file_type::symlink:
            refuse(target, "it is a symbolic link; name the file it points to");
        case fs::file_type::none:
            refuse(target, ec ? ec.message() : "it cannot be examined");
        default:
            refuse(target, "it is a device or a pipe, not a file");
    }
}

void replace_file(const fs::path& target, const std::function<void(const fs::path&)>& write) {
    check_replaceable(target);
    fs::path made;
    refuse_on(target, platform::make_temporary_beside(target, made));
    Temporary temporary{made};

    write(temporary.path());

    // The bytes reach the disk before the name does, so that a crash or a power
    // cut leaves either the old file or the whole new one.
    refuse_on(target, platform::flush_to_disk(temporary.path()));
    check_replaceable(target);  // nothing else appeared under the name meanwhile
    refuse_on(target, platform::rename_over(temporary.path(), target));
    temporary.release();
    platform::flush_folder_to_disk(target.has_parent_path() ? target.parent_path() : fs::path("."));
}

void replace_file_with_bytes(const fs::path& target, std::string_view bytes) {
    replace_file(target, [&](const fs::path& temporary) {
        refuse_on(target, platform::write_whole_file(temporary, bytes));
    });
}

void replace_file_with_copy(const fs::path& target, const fs::path& source) {
    const auto unreadable = [&](const std::string& why) {
        throw FileWriteError("Could not read " + quoted(source) + ": " + why + "; " +
                             quoted(target) + " was not changed.");
    };
    std::error_code error;
    const fs::file_status status = fs::status(source, error);
    if (error) unreadable(error.message());
    if (!fs::is_regular_file(status)) unreadable("it is not a file");
    std::string bytes;
    if (const auto failed = platform::read_whole_file(source, bytes)) unreadable(failed.message());
    replace_file_with_bytes(target, bytes);
}

}  // namespace pelvane::store
