#pragma once
// Subcommands of the `pelvane` tool. Each lives in its own file under commands/
// and registers itself with PELVANE_COMMAND, so adding one touches nothing else.

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace pelvane::cli {

// A refused command: printed on stderr as one line, exit code 1 (2 for usage).
class CommandError : public std::runtime_error {
  public:
    explicit CommandError(const std::string& what, int exit_code = 1)
        : std::runtime_error(what), exit_code_(exit_code) {}
    int exit_code() const { return exit_code_; }

  private:
    int exit_code_;
};

// Command-line arguments after the subcommand name: positionals and --options;
// every argument after "--" is a positional.
class Args {
  public:
    Args(std::vector<std::string> raw, std::vector<std::string> flags_without_value);

    const std::vector<std::string>& positionals() const { return positionals_; }
    // The n-th positional; a usage error naming `what` when it is missing.
    const std::string& positional(std::size_t n, const std::string& what) const;
    std::optional<std::string> option(const std::string& name) const;
    std::string option_or(const std::string& name, const std::string& fallback) const;
    bool flag(const std::string& name) const;
    // All values of an option given several times.
    std::vector<std::string> options(const std::string& name) const;
    // A usage error for any option not in `known`.
    void allow_only(const std::vector<std::string>& known) const;

  private:
    std::vector<std::string> positionals_;
    std::multimap<std::string, std::string> options_;
};

struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    // The program folder (template, rainfall databases, report templates).
    std::string program_folder;
    // The per-user folder whose rainfall database copies take precedence over the
    // program folder's: by default the desktop program's, so that data imported
    // there is used here too.
    std::string user_data_folder;
};

struct Command {
    std::string name;
    std::string usage;               // one line: "FILE.pvd [--json]"
    std::string summary;             // one line: what it does
    std::vector<std::string> flags;  // options that take no value ("--json")
    std::function<int(const Args&, CommandContext&)> run;
};

std::map<std::string, Command>& command_registry();

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

}  // namespace pelvane::cli

#define PELVANE_CLI_CONCAT2(a, b) a##b
#define PELVANE_CLI_CONCAT(a, b) PELVANE_CLI_CONCAT2(a, b)
#define PELVANE_COMMAND(...)                                                           \
    static const ::pelvane::cli::CommandRegistration PELVANE_CLI_CONCAT(registration_, \
                                                                        __LINE__)(__VA_ARGS__)
