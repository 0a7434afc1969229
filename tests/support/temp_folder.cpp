#include "support/temp_folder.h"

#include <stdexcept>

#include "platform/platform.h"

namespace pelvane::testing {

TempFolder::TempFolder() {
    auto folder = platform::make_private_folder("pelvane-test-");
    if (!folder) throw std::runtime_error("no temporary folder for a test");
    path_ = std::move(*folder);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path program_folder() {
    return PELVANE_PROGRAM_DIR;
}
void copy_program_files(const std::filesystem::path& folder,
                        const std::vector<std::string>& names) {
    std::filesystem::create_directories(folder);
    for (const auto& name : names)
        std::filesystem::copy_file(program_folder() / name, folder / name);
}
std::filesystem::path source_folder() {
    return PELVANE_SOURCE_DIR;
}
std::filesystem::path cli_path() {
    return PELVANE_CLI_PATH;
}
std::filesystem::path pulaski_export() {
    return source_folder() / "data/rainfall/Pulaski_PF_Depth_English_PDS.csv";
}

}  // namespace pelvane::testing
