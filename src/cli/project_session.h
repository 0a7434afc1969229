#pragma once
// A project file opened for one command the way the desktop program's Open
// command opens it: path, legacy flag, connections and the loaded PROJECT record.

#include <string>

#include "cli/command.h"
#include "store/project_context.h"
#include "store/project_database.h"

namespace pelvane::cli {

class ProjectSession {
  public:
    // Opens `file`; a refused file is a DatabaseError naming it and the reason. A
    // session for design work holds the file's write lock until it ends.
    ProjectSession(const CommandContext& command, const std::string& file,
                   store::Access access = store::Access::Design);

    store::ProjectContext& context() { return context_; }
    const store::Database& database() const { return context_.project_connection; }

  private:
    store::ProjectContext context_;
};

// The county and station lists of the NOAA-station release, for checking names
// before a file is touched; a refusal when the rainfall database cannot be read.
store::ProjectContext noaa_release_lists(const CommandContext& command);

// The project file every project command takes as its first argument.
const std::string& project_file_argument(const Args& args);

}  // namespace pelvane::cli
