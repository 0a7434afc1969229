#include "store/project_details.h"

#include <gtest/gtest.h>

#include "store/project_database.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

namespace pelvane::store {
namespace {

namespace fs = std::filesystem;

class ProjectDetailsTest : public ::testing::Test {
  protected:
    static ProjectContext open(const fs::path& file) {
        return testing::open_project_for_test(file);
    }
    std::int64_t records(const fs::path& file) {
        return TextTable(Database::open(file), "PROJECT").count();
    }
    testing::TempFolder folder_;
};

TEST_F(ProjectDetailsTest, ANewRecordTakesTheNewRecordTextsAndTheProductDefault) {
    const auto file = folder_ / "new.pvd";
    testing::make_current_project(file);
    ProjectContext context = open(file);
    ProjectDetails details;
    details.project_id = "P'1";
    details.project_name = "O'Brien Road";
    details.description = "Two inlets";
    save_project_details(context, details, DetailsWindow::NoaaStation);

    EXPECT_EQ(context.project_name, "O'Brien Road");
    EXPECT_EQ(context.county, "Accomack");

    ProjectContext reopened = open(file);
    EXPECT_EQ(reopened.major_release, "2.1");
    EXPECT_EQ(reopened.noaa_station, "Abingdon 3 S");
    EXPECT_EQ(details_from_record(*details_record(reopened.project_connection)).description,
              "Two inlets");

    details.project_name = "Renamed";
    save_project_details(reopened, details, DetailsWindow::NoaaStation);
    EXPECT_EQ(records(file), 1);
    EXPECT_EQ(open(file).project_name, "Renamed");
}

TEST_F(ProjectDetailsTest, RequiredValuesAreCheckedCountyFirstAndNothingIsWritten) {
    ProjectDetails details;
    details.county.clear();
    EXPECT_EQ(missing_required_field(details), kCountyRequired);
    details.county = "Floyd";
    EXPECT_EQ(missing_required_field(details), kProjectIdRequired);
    details.project_id = "P";
    EXPECT_EQ(missing_required_field(details), "");

    const auto file = folder_ / "required.pvd";
    testing::make_current_project(file);
    ProjectContext context = open(file);
    details.project_id.clear();
    try {
        save_project_details(context, details, DetailsWindow::NoaaStation);
        FAIL() << "saved without a project id";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()), kProjectIdRequired);
    }
    EXPECT_EQ(records(file), 0);
}

TEST_F(ProjectDetailsTest, TheOlderReleaseWindowLeavesReleaseAndStationAlone) {
    const auto file = folder_ / "older.pvd";
    testing::make_older_release_project(file);
    testing::insert_row(file, "PROJECT", {{"PROJECT_ID", "B"}, {"PROJECT_NAME", "Second by id"}});
    testing::insert_row(file, "PROJECT",
                        {{"PROJECT_ID", "A"},
                         {"MAJOR_RELEASE", "1.0"},
                         {"COUNTY", "Floyd"},
                         {"PROJECT_NAME", "First"}});
    ProjectContext context = open(file);
    ProjectDetails details = details_from_record(*details_record(context.project_connection));
    EXPECT_EQ(details.project_name, "First");
    details.designer = "K. Lee";
    details.major_release = "2.1";
    save_project_details(context, details, DetailsWindow::OlderRelease);

    const auto db = Database::open(file);
    const auto rows = TextTable(db, "PROJECT").select("ORDER BY PROJECT_ID");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].get("DESIGNER"), "K. Lee");
    EXPECT_EQ(rows[0].get("MAJOR_RELEASE"), "1.0");
    EXPECT_EQ(rows[1].get("DESIGNER"), "");
    EXPECT_EQ(context.designer, "K. Lee");
    EXPECT_EQ(generation_of(context), Generation::Older);
}

}  // namespace
}  // namespace pelvane::store
