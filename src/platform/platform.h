#pragma once
// Everything the programs ask of the operating system beyond the C++ library:
// flushing files to the disk, private temporary files and folders, the local time,
// and running a helper program (LibreOffice, pdfunite) that can be stopped. This
// is the one place that knows the system's calls; a port to another system gives
// these functions a second definition and leaves every caller as it is.

#include <ctime>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace pelvane::platform {

// ---- Files -----------------------------------------------------------------
// Each returns the system's error, whose message() is the system's own words
// ("No space left on device"); an empty error_code when it worked.

// Makes a new, empty file of a name no other file has, beside `target` and named
// after it, with the permissions `target` has (or those a new file gets when there
// is no `target`). `made` receives its path.
std::error_code make_temporary_beside(const std::filesystem::path& target,
                                      std::filesystem::path& made);

// Writes `bytes` as the whole content of the existing file.
std::error_code write_whole_file(const std::filesystem::path& file, std::string_view bytes);

// Reads the whole of a file into `bytes`.
std::error_code read_whole_file(const std::filesystem::path& file, std::string& bytes);

// Waits until the file's content is on the disk.
std::error_code flush_to_disk(const std::filesystem::path& file);

// Gives `from` the name `to`, replacing the file of that name in one step.
std::error_code rename_over(const std::filesystem::path& from, const std::filesystem::path& to);

// Waits until the folder's list of names is on the disk; where the system cannot,
// nothing happens (a rename already done stays done).
void flush_folder_to_disk(const std::filesystem::path& folder) noexcept;

// A new folder only this user can read, in the system's temporary folder, named
// `prefix` and a unique ending; nullopt when none can be made.
std::optional<std::filesystem::path> make_private_folder(std::string_view prefix);

// ---- Memory ----------------------------------------------------------------

// Hands the memory the program has freed back to the system. The C library may
// otherwise keep it for later, and a window that has recomputed a large network
// would go on holding what the work needed. Does nothing where there is no such call.
void release_freed_memory() noexcept;

// ---- Time ------------------------------------------------------------------

// The local date and time now, as the system's time zone has it.
std::tm local_now();

// ---- Helper programs -------------------------------------------------------

// The first of `names` that is a program on the search path; nullopt when none is.
std::optional<std::filesystem::path> find_program(std::initializer_list<const char*> names);

enum class ProgramEnd {
    Exited,      // `exit_code` says how
    Stopped,     // `should_stop` asked for it; the program and all it started were ended
    NotStarted,  // the program could not be started
};
struct ProgramOutcome {
    ProgramEnd end = ProgramEnd::NotStarted;
    int exit_code = -1;  // -1 when it was ended by a signal
    int signal = 0;      // the signal that ended it, where the system has signals
};

// Runs `words` (the program's path, then its arguments) with nothing on its input
// and its output and errors written to `log`, and waits for it. `should_stop` is
// asked about twenty times a second while it runs; when it answers true the program
// and every program it started are ended at once, so nothing is left running.
ProgramOutcome run_program(std::span<const std::string> words, const std::filesystem::path& log,
                           const std::function<bool()>& should_stop);

// Where a program's output and errors go (the same file for both is allowed), and
// variables (name, value) set for it over those of this program.
struct ProgramFiles {
    std::filesystem::path output;
    std::filesystem::path errors;
    std::vector<std::pair<std::string, std::string>> environment;
};
// As above, with the program's output and errors kept apart. Without `should_stop`
// it simply waits.
ProgramOutcome run_program(std::span<const std::string> words, const ProgramFiles& files,
                           const std::function<bool()>& should_stop = {});

}  // namespace pelvane::platform
