#include "cli/project_session.h"

#include "store/rainfall_lookup.h"

namespace pelvane::cli {

ProjectSession::ProjectSession(const CommandContext& command, const std::string& file,
                               store::Access access) {
    context_.program_folder = command.program_folder;
    context_.user_data_folder = command.user_data_folder;
    context_.front_end = store::FrontEnd::CommandLine;
    if (file.empty()) throw CommandError("the project file name is empty", 2);
    store::open_project(context_, file, access);
    if (access == store::Access::Design) context_.project_connection.lock_for_writing();
}

store::ProjectContext noaa_release_lists(const CommandContext& command) {
    store::ProjectContext lists;
    lists.program_folder = command.program_folder;
    lists.user_data_folder = command.user_data_folder;
    if (const auto loaded = store::load_noaa_release_lists(lists); !loaded.ok()) {
        throw CommandError(loaded.error);
    }
    return lists;
}

const std::string& project_file_argument(const Args& args) {
    return args.positional(0, "project file (FILE.pvd)");
}

}  // namespace pelvane::cli
