// The release-conversion window against older and legacy project files.

#include "forms/project_conversion_form.h"

#include <gtest/gtest.h>

#include "store/project_conversion.h"
#include "store/project_database.h"
#include "store/rainfall_lookup.h"
#include "support/legacy_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

using testing::ScriptedUi;

// The list is the station database's, in its order and spellings.
TEST(ProjectConversionForm, OffersTheStationsOfTheDatabase) {
    store::ProjectContext context;
    context.program_folder = testing::program_folder();
    ScriptedUi ui;
    ProjectConversionForm form(context, ui);
    form.open();
    store::ProjectContext lists;
    lists.program_folder = testing::program_folder();
    ASSERT_TRUE(store::load_noaa_release_lists(lists).ok());
    EXPECT_EQ(form.fields.at("noaa_station").items, lists.station_list);
    EXPECT_EQ(form.fields.text("noaa_station"), lists.station_list.front());
    EXPECT_TRUE(ui.shown.empty());
}

class ConversionTest : public ::testing::Test {
  protected:
    void convert(const std::string& station) {
        context = testing::open_project_for_test(path);
        ProjectConversionForm form(context, ui);
        form.open();
        form.fields.set_text("noaa_station", station);
        form.btnUpdate();
        EXPECT_TRUE(form.converted());
        EXPECT_TRUE(form.close_requested);
    }
    std::optional<std::string> stored(const std::string& column) const {
        return testing::first_value(path, "PROJECT", column);
    }

    testing::TempFolder folder;
    std::string path;
    store::ProjectContext context;
    ScriptedUi ui;
};

TEST_F(ConversionTest, AnOlderFileTakesTheChosenStationAndTheNoaaLists) {
    path = (folder / "older.pvd").string();
    testing::make_older_release_project(path);
    testing::insert_row(path, "PROJECT",
                        {{"PROJECT_ID", "1"}, {"PROJECT_NAME", "Old"}, {"MAJOR_RELEASE", "1.0"}});
    convert("Stuart's Draft");

    EXPECT_EQ(stored("NOAA_STATION"), "Stuart's Draft");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, store::kConversionDone);
    EXPECT_EQ(context.major_release, "2.1");
    EXPECT_EQ(context.noaa_station, "Stuart's Draft");
    EXPECT_TRUE(context.active_rainfall_database.ends_with("VARMNOAA.rdb"));
}

}  // namespace
}  // namespace pelvane::forms
