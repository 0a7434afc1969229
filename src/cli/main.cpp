// pelvane: the command-line tool for batch use and scripted checks of projects.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/command.h"
#include "store/program_folder.h"

namespace {

std::string program_folder_of(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::absolute(argv0);
    return pelvane::store::find_program_folder(exe.parent_path()).string();
}

// Where the desktop program keeps its per-user data on this system.
std::string default_user_folder() {
    const char* data_home = std::getenv("XDG_DATA_HOME");
    if (data_home && *data_home) return (std::filesystem::path(data_home) / "PelvaneVA").string();
    const char* home = std::getenv("HOME");
    if (home && *home) {
        return (std::filesystem::path(home) / ".local" / "share" / "PelvaneVA").string();
    }
    return {};
}

void print_usage(std::ostream& out) {
    out << "usage: pelvane COMMAND [ARGS]\n\ncommands:\n";
    for (const auto& [name, command] : pelvane::cli::command_registry()) {
        out << "  " << name << " " << command.usage << "\n      " << command.summary << "\n";
    }
    out << "\nOptions common to all commands: --program-folder DIR (where the template,\n"
           "rainfall databases and report templates are; default: beside this program)\n"
           "and --user-folder DIR (the per-user folder whose imported rainfall data\n"
           "takes precedence; default: the desktop program's).\n";
}

// --help (or -h) among a command's words, before a "--" that ends the options.
bool asks_for_help(const std::vector<std::string>& words) {
    for (const auto& w : words) {
        if (w == "--") return false;
        if (w == "--help" || w == "-h") return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace pelvane::cli;
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "help") {
        print_usage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    const std::string name = argv[1];
    const auto& registry = command_registry();
    const auto it = registry.find(name);
    if (it == registry.end()) {
        std::cerr << "pelvane: unknown command '" << name << "' (try pelvane --help)\n";
        return 2;
    }
    std::vector<std::string> raw(argv + 2, argv + argc);
    if (asks_for_help(raw)) {
        std::cout << "usage: pelvane " << name << " " << it->second.usage << "\n"
                  << it->second.summary << "\n";
        return 0;
    }
    try {
        Args args(raw, it->second.flags);
        CommandContext context{std::cout, std::cerr,
                               args.option_or("--program-folder", program_folder_of(argv[0])),
                               args.option_or("--user-folder", default_user_folder())};
        return it->second.run(args, context);
    } catch (const CommandError& e) {
        std::cerr << "pelvane " << name << ": " << e.what() << "\n";
        if (e.exit_code() == 2) {
            std::cerr << "usage: pelvane " << name << " " << it->second.usage << "\n";
        }
        return e.exit_code();
    } catch (const std::filesystem::filesystem_error& e) {
        // The library's own text ("filesystem error: ...") means nothing to the
        // person; the file and the system's reason do.
        std::cerr << "pelvane " << name << ": cannot use '" << e.path1().string()
                  << "': " << e.code().message() << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "pelvane " << name << ": there is not enough memory for this project\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "pelvane " << name << ": " << e.what() << "\n";
        return 1;
    }
}
