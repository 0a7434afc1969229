// The POSIX definitions of the platform functions (Linux, macOS and the BSDs).

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "platform/platform.h"

extern char** environ;

namespace pelvane::platform {
namespace {

namespace fs = std::filesystem;

std::error_code last_error() {
    return {errno, std::generic_category()};
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

// The permissions a new file gets in place of `target`: those of `target` when it
// exists, since mkstemp makes a file readable by its owner only.
mode_t permissions_for(const fs::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::error_code make_temporary_beside(const fs::path& target, fs::path& made) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    Descriptor fd(::mkostemp(pattern.data(), O_CLOEXEC));
    if (fd.get() < 0) return last_error();
    made = pattern;
    ::fchmod(fd.get(), permissions_for(target));
    return {};
}

std::error_code write_whole_file(const fs::path& file, std::string_view bytes) {
    Descriptor fd(::open(file.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (fd.get() < 0) return last_error();
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd.get(), bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return last_error();
        if (n == 0) return std::make_error_code(std::errc::io_error);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (!fd.close()) return last_error();
    return {};
}

std::error_code read_whole_file(const fs::path& file, std::string& bytes) {
    Descriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) return last_error();
    bytes.assign(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return last_error();
        if (n == 0) break;  // it shrank while being read: what is there is the file
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return {};
}

std::error_code flush_to_disk(const fs::path& file) {
    Descriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0) return last_error();
    return {};
}

std::error_code rename_over(const fs::path& from, const fs::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return last_error();
    return {};
}

void flush_folder_to_disk(const fs::path& folder) noexcept {
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) ::fsync(fd.get());
}

std::optional<fs::path> make_private_folder(std::string_view prefix) {
    std::error_code error;
    std::string pattern =
        (fs::temp_directory_path(error) / (std::string(prefix) + "XXXXXX")).string();
    if (error || ::mkdtemp(pattern.data()) == nullptr) return std::nullopt;
    return fs::path(pattern);
}

void release_freed_memory() noexcept {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

std::tm local_now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::optional<fs::path> find_program(std::initializer_list<const char*> names) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return std::nullopt;
    for (const char* name : names) {
        std::istringstream folders(path);
        std::string folder;
        while (std::getline(folders, folder, ':')) {
            if (folder.empty()) continue;
            const fs::path candidate = fs::path(folder) / name;
            if (::access(candidate.c_str(), X_OK) == 0 && !fs::is_directory(candidate)) {
                return candidate;
            }
        }
    }
    return std::nullopt;
}

ProgramOutcome run_program(std::span<const std::string> words, const fs::path& log,
                           const std::function<bool()>& should_stop) {
    return run_program(words, ProgramFiles{log, log, {}}, should_stop);
}

ProgramOutcome run_program(std::span<const std::string> words, const ProgramFiles& files,
                           const std::function<bool()>& should_stop) {
    if (words.empty()) return {};
    constexpr int kWrite = O_WRONLY | O_CREAT | O_TRUNC;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, files.output.c_str(), kWrite, 0600);
    if (files.errors == files.output) {
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    } else {
        posix_spawn_file_actions_addopen(&actions, 2, files.errors.c_str(), kWrite, 0600);
    }
    // This program's variables, less those `files` sets, then those.
    std::vector<std::string> variables;
    for (char** v = environ; *v; ++v) {
        const std::string_view variable(*v);
        const bool replaced = std::ranges::any_of(files.environment, [&](const auto& set) {
            return variable.starts_with(set.first + "=");
        });
        if (!replaced) variables.emplace_back(variable);
    }
    for (const auto& [name, value] : files.environment) variables.push_back(name + "=" + value);
    std::vector<char*> environment;
    environment.reserve(variables.size() + 1);
    for (auto& variable : variables) environment.push_back(variable.data());
    environment.push_back(nullptr);
    // A process group of its own, so that stopping it also stops the programs it
    // starts (LibreOffice's launcher starts the office process).
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (const auto& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int failed =
        posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), environment.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) return {};

    int status = 0;
    if (!should_stop) ::waitpid(child, &status, 0);
    // Asked soon at first, as most helpers are done in a few milliseconds, then
    // about twenty times a second.
    auto pause = std::chrono::milliseconds(1);
    while (should_stop && ::waitpid(child, &status, WNOHANG) == 0) {
        if (should_stop && should_stop()) {
            ::kill(-child, SIGKILL);
            ::waitpid(child, &status, 0);
            return {ProgramEnd::Stopped, -1};
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    return {ProgramEnd::Exited, WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            WIFSIGNALED(status) ? WTERMSIG(status) : 0};
}

}  // namespace pelvane::platform
