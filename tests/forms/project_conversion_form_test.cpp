// The release-conversion window against older and legacy project files.

#include "forms/project_conversion_form.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "store/project_conversion.h"
#include "store/project_database.h"
#include "support/legacy_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

using testing::ScriptedUi;

std::ptrdiff_t position(const std::vector<std::string>& items, const std::string& name) {
    return std::find(items.begin(), items.end(), name) - items.begin();
}

TEST(ProjectConversionForm, OffersTheStationsInListOrderWithTheirExactSpellings) {
    store::ProjectContext context;
    context.program_folder = testing::program_folder();
    ScriptedUi ui;
    ProjectConversionForm form(context, ui);
    form.open();
    const auto& items = form.fields.at("noaa_station").items;

    ASSERT_EQ(items.size(), 176u);
    EXPECT_EQ(form.fields.text("noaa_station"), "Abingdon 3 S");
    EXPECT_EQ(items.front(), "Abingdon 3 S");
    EXPECT_EQ(items.back(), "Wytheville Post Office");
    for (const char* exact : {"Blacksburg  ", "Culpeper ", "Danville ", "Floyd ", "Lexington ",
                              "Montebello ", "Newport  2 NNW", "Stuart's Draft"}) {
        EXPECT_LT(position(items, exact), 176) << '"' << exact << '"';
    }
    // Letter case does not order the list; blanks and the apostrophe come before
    // letters and digits.
    EXPECT_LT(position(items, "Mathews 2 ENE"), position(items, "MC Gaheysville 3 S"));
    EXPECT_LT(position(items, "MC Gaheysville 3 S"), position(items, "Meadows of Dan 5 SW"));
    EXPECT_LT(position(items, "Blacksburg  "), position(items, "Blacksburg 3 SE"));
    EXPECT_LT(position(items, "Stuart 1 SSE"), position(items, "Stuart's Draft"));
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
    EXPECT_EQ(ui.last().icon, Icon::Exclamation);
    EXPECT_EQ(ui.last().title, "PelvaneVA");
    EXPECT_EQ(context.major_release, "2.1");
    EXPECT_EQ(context.noaa_station, "Stuart's Draft");
    EXPECT_EQ(context.station_list.size(), 176u);
    EXPECT_TRUE(context.active_rainfall_database.ends_with("VARMNOAA.rdb"));
}

}  // namespace
}  // namespace pelvane::forms
