#include "store/project_conversion.h"

#include <gtest/gtest.h>

#include "store/project_database.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

namespace pelvane::store {
namespace {

namespace fs = std::filesystem;

struct StampedRow {
    std::string product, major, minor, station, date;
};

std::vector<StampedRow> stamps_of(const fs::path& file) {
    const auto db = Database::open(file, Database::Mode::ReadOnly);
    auto s = db.prepare(
        "SELECT PRODUCT_NAME, MAJOR_RELEASE, MINOR_RELEASE, NOAA_STATION, RELEASE_DATE "
        "FROM PROJECT ORDER BY rowid");
    std::vector<StampedRow> rows;
    while (s.step()) rows.push_back({s.text(0), s.text(1), s.text(2), s.text(3), s.text(4)});
    return rows;
}

void expect_stamped(const fs::path& file, const std::string& station, std::size_t records) {
    const auto rows = stamps_of(file);
    ASSERT_EQ(rows.size(), records);
    for (const auto& r : rows) {
        EXPECT_EQ(r.product, "PELVANEVA");
        EXPECT_EQ(r.major, "2.1");
        EXPECT_EQ(r.minor, "0.0");
        EXPECT_EQ(r.station, station);
        EXPECT_EQ(r.date, "JULY 2016");
    }
}

class ConversionTest : public ::testing::Test {
  protected:
    static ProjectContext open(const fs::path& file) {
        return testing::open_project_for_test(file);
    }
    testing::TempFolder folder_;
};

TEST_F(ConversionTest, AnOlderFileGetsTheStationColumnAndEveryRecordIsStamped) {
    const auto file = folder_ / "older.pvd";
    testing::make_older_release_project(file);
    testing::insert_row(file, "PROJECT", {{"PROJECT_NAME", "Route 3"}, {"MAJOR_RELEASE", "1.0"}});
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
    testing::make_current_project(file);
    testing::insert_row(file, "PROJECT", {{"PROJECT_NAME", "Route 4"}, {"MAJOR_RELEASE", "1.0"}});
    ProjectContext context = open(file);
    convert_to_noaa_release(context, "Abingdon 3 S");
    expect_stamped(file, "Abingdon 3 S", 1);

    // Converting again does no harm and takes the new station.
    convert_to_noaa_release(context, "Floyd ");
    expect_stamped(file, "Floyd ", 1);
}

TEST_F(ConversionTest, ALegacyFileGainsAllFiveColumnsAndThenPassesTheProductCheck) {
    const auto file = folder_ / "routezql.pvd";
    testing::make_legacy_project(file);
    testing::insert_row(file, "PROJECT", {{"PROJECT_NAME", "Old route"}});
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
