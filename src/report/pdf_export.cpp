#include "report/pdf_export.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "store/file_replace.h"

extern char** environ;

namespace pelvane::report {
namespace {

namespace fs = std::filesystem;

// A private folder for one conversion (profile, output, log), removed afterwards.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "pelvane-office-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw ConversionError("cannot make a temporary folder for LibreOffice");
        }
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// A file URL for -env:UserInstallation; bytes outside the unreserved set are
// percent-encoded so folders with blanks work.
std::string file_url(const fs::path& folder) {
    static const char* hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char c : folder.string()) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~';
        if (plain) {
            url.push_back(static_cast<char>(c));
        } else {
            url.push_back('%');
            url.push_back(hex[c >> 4]);
            url.push_back(hex[c & 15]);
        }
    }
    return url;
}

std::string tail_of(const fs::path& log) {
    std::ifstream in(log);
    std::string line, last;
    while (std::getline(in, line)) {
        if (!line.empty()) last = line;
    }
    return last;
}

// Runs the program in a process group of its own, so that on a time-out the
// office process it starts is stopped along with it. Returns the exit status.
int run(const std::vector<std::string>& words, const fs::path& log,
        std::chrono::seconds time_limit) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    std::vector<char*> argv;
    for (const auto& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int failed = posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) throw ConversionError("cannot start " + words[0]);

    const auto deadline = std::chrono::steady_clock::now() + time_limit;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(-child, SIGKILL);
            ::waitpid(child, &status, 0);
            throw ConversionError("LibreOffice did not finish the conversion in time");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The converted file in place of `to`, as every file the program writes.
void move_file(const fs::path& from, const fs::path& to) {
    try {
        store::replace_file_with_copy(to, from);
    } catch (const store::FileWriteError& e) {
        throw ConversionError(e.what());
    }
}

}  // namespace

std::optional<OfficeConverter> OfficeConverter::find() {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return std::nullopt;
    for (const char* name : {"soffice", "libreoffice"}) {
        std::istringstream folders(path);
        std::string folder;
        while (std::getline(folders, folder, ':')) {
            if (folder.empty()) continue;
            const fs::path candidate = fs::path(folder) / name;
            if (::access(candidate.c_str(), X_OK) == 0 && !fs::is_directory(candidate)) {
                return OfficeConverter(candidate);
            }
        }
    }
    return std::nullopt;
}

OfficeConverter::OfficeConverter(fs::path program, std::chrono::seconds time_limit)
    : program_(std::move(program)), time_limit_(time_limit) {}

void OfficeConverter::convert(const fs::path& source, const fs::path& target,
                              std::string_view format) const {
    if (!fs::exists(source)) throw ConversionError("there is no file " + source.string());
    try {
        store::check_replaceable(target);  // before LibreOffice works for nothing
    } catch (const store::FileWriteError& e) {
        throw ConversionError(e.what());
    }
    ScratchFolder scratch;
    const fs::path output = scratch.path() / "out";
    fs::create_directories(output);
    const fs::path log = scratch.path() / "office.log";
    const int status =
        run({program_.string(), "--headless", "--norestore", "--nolockcheck",
             "-env:UserInstallation=" + file_url(scratch.path() / "profile"), "--convert-to",
             std::string(format), "--outdir", output.string(), fs::absolute(source).string()},
            log, time_limit_);
    const std::string extension(format.substr(0, format.find(':')));
    const fs::path made = output / (source.stem().string() + "." + extension);
    if (status != 0 || !fs::exists(made)) {
        std::string text = "LibreOffice could not convert " + source.filename().string();
        if (const std::string why = tail_of(log); !why.empty()) text += " (" + why + ")";
        throw ConversionError(text);
    }
    move_file(made, target);
}

void export_pdf(const OfficeConverter* converter, const fs::path& workbook, const fs::path& pdf) {
    if (converter == nullptr) {
        throw ConversionError("No PDF was made: LibreOffice is not installed. The workbook is " +
                              workbook.string());
    }
    converter->convert(workbook, pdf, "pdf");
}

}  // namespace pelvane::report
