#include "store/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

namespace pelvane::store {
namespace {

namespace fs = std::filesystem;

std::string quoted(const fs::path& file) {
    return "'" + file.string() + "'";
}

[[noreturn]] void refuse(const fs::path& target, const std::string& why) {
    throw FileWriteError("Could not write " + quoted(target) + ": " + why + ".");
}

std::string system_reason(int error) {
    return std::strerror(error);
}

// A file descriptor closed when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now; false when the close reports a failed write.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

  private:
    int fd_;
};

// The temporary file, removed unless it was renamed over the target.
class Temporary {
  public:
    explicit Temporary(fs::path path) : path_(std::move(path)) {}
    ~Temporary() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    const fs::path& path() const { return path_; }
    void release() { path_.clear(); }

  private:
    fs::path path_;
};

// The permissions a new file gets (those of the file it replaces, if any), since
// mkstemp makes the temporary readable by its owner only.
mode_t permissions_for(const fs::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void write_all(const fs::path& target, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) refuse(target, system_reason(n < 0 ? errno : EIO));
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void fill_with(const fs::path& target, const fs::path& temporary, std::string_view bytes) {
    Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (fd.get() < 0) refuse(target, system_reason(errno));
    write_all(target, fd.get(), bytes);
    if (!fd.close()) refuse(target, system_reason(errno));
}

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
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int made = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (made < 0) refuse(target, system_reason(errno));
    Temporary temporary{fs::path(pattern)};
    ::fchmod(made, permissions_for(target));
    ::close(made);

    write(temporary.path());

    // The bytes reach the disk before the name does, so that a crash or a power
    // cut leaves either the old file or the whole new one.
    {
        Descriptor fd(::open(temporary.path().c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.get() < 0 || ::fsync(fd.get()) != 0) refuse(target, system_reason(errno));
    }
    check_replaceable(target);  // nothing else appeared under the name meanwhile
    if (::rename(temporary.path().c_str(), target.c_str()) != 0) {
        refuse(target, system_reason(errno));
    }
    temporary.release();
    Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) ::fsync(directory.get());
}

void replace_file_with_bytes(const fs::path& target, std::string_view bytes) {
    replace_file(target, [&](const fs::path& temporary) { fill_with(target, temporary, bytes); });
}

void replace_file_with_copy(const fs::path& target, const fs::path& source) {
    const auto unreadable = [&](const std::string& why) {
        throw FileWriteError("Could not read " + quoted(source) + ": " + why + "; " +
                             quoted(target) + " was not changed.");
    };
    Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (in.get() < 0 || ::fstat(in.get(), &info) != 0) unreadable(system_reason(errno));
    if (!S_ISREG(info.st_mode)) unreadable("it is not a file");
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(in.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) unreadable(system_reason(errno));
        if (n == 0) unreadable("it ended before its size");
        got += static_cast<std::size_t>(n);
    }
    replace_file_with_bytes(target, bytes);
}

}  // namespace pelvane::store
