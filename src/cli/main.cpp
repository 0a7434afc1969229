// pelvane: the command-line tool for batch use and scripted checks of projects.

#include <QCoreApplication>
#include <QStandardPaths>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/command.h"
#include "store/program_folder.h"

namespace {

struct Folders {
    std::string program;
    std::string user;
};

// The program folder beside this executable (or the installed data folder) and the
// per-user folder, both from Qt as the desktop program finds them. The application
// object lives only for this: a drawing command makes its own QGuiApplication, which
// cannot exist beside another.
Folders default_folders(const char* argv0) {
    int argc = 1;
    std::string name = argv0;
    char* argv[] = {name.data(), nullptr};
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(pelvane::store::kApplicationName);
    return {
        pelvane::store::find_program_folder(QCoreApplication::applicationDirPath().toStdString())
            .string(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()};
}

void print_usage(std::ostream& out) {
    out << "usage: pelvane COMMAND [ARGS]\n\ncommands:\n";
    for (const auto& [name, command] : pelvane::cli::command_registry()) {
        out << "  " << name << " " << command.usage << "\n      " << command.summary << "\n";
    }
    out << "\npelvane --version is pelvane version.\n"
           "\nOptions common to all commands: --program-folder DIR (where the template,\n"
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
    // --version, as other tools spell it, is the version command.
    const std::string name = std::string(argv[1]) == "--version" ? "version" : argv[1];
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
        const Folders folders = default_folders(argv[0]);
        CommandContext context{std::cout, std::cerr,
                               args.option_or("--program-folder", folders.program),
                               args.option_or("--user-folder", folders.user)};
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
