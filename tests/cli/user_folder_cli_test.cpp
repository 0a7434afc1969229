// Rainfall data imported into the per-user folder (by default the desktop
// program's) is what the project commands compute with; the program folder's
// copy stays as shipped.

#include <gtest/gtest.h>

#include "store/sqlite/database.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane {
namespace {

using testing::run_cli;

TEST(UserFolderCli, ImportedStationIsUsedThroughTheDesktopProgramsUserFolder) {
    testing::TempFolder program, data_home, empty;
    for (const auto* f : {"VArainfall.rdb", "VARMSTORM.rdb", "VARMNOAA.rdb"}) {
        std::filesystem::copy_file(testing::program_folder() / f, program / f);
    }
    const auto user = data_home / "PelvaneVA";
    std::filesystem::create_directories(user);
    std::filesystem::copy_file(testing::program_folder() / "VARMNOAA.rdb", user / "VARMNOAA.rdb");
    const auto project = program / "p.pvd";
    std::filesystem::copy_file(testing::program_folder() / "PelvaneVA21.rdb", project);
    store::Database::open(project).execute(
        "INSERT INTO PROJECT (MAJOR_RELEASE, NOAA_STATION, PROJECT_ID, PROJECT_NAME, COUNTY, "
        "UNITS) VALUES ('2.1', 'Stuart''s Draft', '1', 'Test', 'Augusta', 'ENGLISH')");
    const std::string folder = program.path().string();

    const auto export_file =
        (testing::source_folder() / "data/rainfall/Pulaski_PF_Depth_English_PDS.csv").string();
    const auto imported = run_cli({"rainfall", "import-noaa", "--station", "Stuart's Draft",
                                   export_file, "--yes", "--program-folder", folder},
                                  data_home.path());
    ASSERT_EQ(imported.exit_code, 0) << imported.err;

    const std::vector<std::string> intensity{
        "intensity", project.string(), "--freq", "10", "--tc", "15", "--program-folder", folder};
    const auto with_user = run_cli(intensity, data_home.path());
    EXPECT_EQ(with_user.exit_code, 0) << with_user.err;

    auto elsewhere = intensity;
    elsewhere.insert(elsewhere.end(), {"--user-folder", empty.path().string()});
    const auto shipped_only = run_cli(elsewhere, data_home.path());
    EXPECT_EQ(shipped_only.exit_code, 1);
    EXPECT_NE(shipped_only.err.find("\"Stuart's Draft\""), std::string::npos);
}

}  // namespace
}  // namespace pelvane
