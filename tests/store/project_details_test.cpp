// The project record as the details windows and the conversion to the NOAA release
// write it.

#include "store/project_details.h"

#include <gtest/gtest.h>

#include "store/project_conversion.h"
#include "store/project_database.h"
#include "support/error_text.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

namespace pelvane::store {
namespace {

namespace fs = std::filesystem;

// Every record carries the NOAA release stamps and `station`.
void expect_stamped(const fs::path& file, const std::string& station, std::size_t records) {
    const auto db = Database::open(file, Database::Mode::ReadOnly);
    auto s = db.prepare(
        "SELECT PRODUCT_NAME, MAJOR_RELEASE, MINOR_RELEASE, NOAA_STATION, RELEASE_DATE "
        "FROM PROJECT ORDER BY rowid");
    std::size_t rows = 0;
    for (; s.step(); ++rows) {
        EXPECT_EQ(s.text(0), "PELVANEVA");
        EXPECT_EQ(s.text(1), "2.1");
        EXPECT_EQ(s.text(2), "0.0");
        EXPECT_EQ(s.text(3), station);
        EXPECT_EQ(s.text(4), "JULY 2016");
    }
    EXPECT_EQ(rows, records);
}

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

using ConversionTest = ProjectDetailsTest;

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
    EXPECT_EQ(testing::error_text<DatabaseError>(
                  [&] { save_project_details(context, details, DetailsWindow::NoaaStation); }),
              kProjectIdRequired);
    EXPECT_EQ(records(file), 0);
}

TEST_F(ProjectDetailsTest, TheOlderReleaseWindowLeavesReleaseAndStationAlone) {
    const auto file = folder_ / "older.pvd";
    testing::make_older_release_project(file,
                                        {{"PROJECT_ID", "B"}, {"PROJECT_NAME", "Second by id"}});
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

TEST_F(ConversionTest, AnOlderFileGetsTheStationColumnAndEveryRecordIsStamped) {
    const auto file = folder_ / "older.pvd";
    testing::make_older_release_project(file,
                                        {{"PROJECT_NAME", "Route 3"}, {"MAJOR_RELEASE", "1.0"}});
    testing::insert_row(file, "PROJECT", {{"PROJECT_NAME", "Stray second record"}});
    ProjectContext context = open(file);
    ASSERT_EQ(generation_of(context), Generation::Older);

    convert_to_noaa_release(context, "Stuart's Draft");
    expect_stamped(file, "Stuart's Draft", 2);
    EXPECT_EQ(context.major_release, "2.1");
    EXPECT_EQ(context.noaa_station, "Stuart's Draft");
    EXPECT_EQ(generation_of(context), Generation::Noaa);
    // Reconnected: the project can be worked on at once.
    ASSERT_TRUE(context.project_connection.is_open());
    EXPECT_EQ(first_project_record(context.project_connection)->get("NOAA_STATION"),
              "Stuart's Draft");
}

TEST_F(ConversionTest, AnInterruptedEarlierConversionStillGetsStamped) {
    // The station column is there already (the template has it) but the
    // release was never stamped.
    const auto file = folder_ / "interrupted.pvd";
    testing::make_current_project(file, {{"PROJECT_NAME", "Route 4"}, {"MAJOR_RELEASE", "1.0"}});
    ProjectContext context = open(file);
    convert_to_noaa_release(context, "Abingdon 3 S");
    expect_stamped(file, "Abingdon 3 S", 1);

    // Converting again does no harm and takes the new station.
    convert_to_noaa_release(context, "Floyd ");
    expect_stamped(file, "Floyd ", 1);
}

TEST_F(ConversionTest, ALegacyFileGainsAllFiveColumnsAndThenPassesTheProductCheck) {
    const auto file = folder_ / "routezql.pvd";
    testing::make_legacy_project(file, {{"PROJECT_NAME", "Old route"}});
    ProjectContext context = open(file);
    ASSERT_EQ(context.product_name, "");

    convert_to_noaa_release(context, "Stuart's Draft");
    expect_stamped(file, "Stuart's Draft", 1);

    ProjectContext reopened = open(file);
    EXPECT_EQ(reopened.product_name, "PELVANEVA");
    EXPECT_EQ(reopened.major_release, "2.1");
    EXPECT_EQ(reopened.noaa_station, "Stuart's Draft");
}

}  // namespace
}  // namespace pelvane::store
