#include "store/program_folder.h"

#include "store/project_database.h"

// The installed data folder relative to the installed programs' folder, set by the
// build from its install directories (e.g. "../share/pelvaneva").
#ifndef PELVANE_INSTALLED_DATA_FOLDER
#define PELVANE_INSTALLED_DATA_FOLDER "../share/pelvaneva"
#endif

namespace pelvane::store {

std::filesystem::path find_program_folder(const std::filesystem::path& executable_folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_regular_file(executable_folder / kTemplateFileName, ec)) return executable_folder;
    fs::path installed = (executable_folder / PELVANE_INSTALLED_DATA_FOLDER).lexically_normal();
    if (fs::is_regular_file(installed / kTemplateFileName, ec)) return installed;
    return executable_folder;
}

}  // namespace pelvane::store
