// The release-conversion window: its station list. What a conversion writes is the
// store's; the window converting an older file is driven by the main window tests.

#include "forms/project_conversion_form.h"

#include <gtest/gtest.h>

#include "store/project_database.h"
#include "store/rainfall_lookup.h"
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

}  // namespace
}  // namespace pelvane::forms
