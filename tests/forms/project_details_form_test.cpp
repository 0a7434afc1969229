// The project details windows against real project files, and the station list of
// the release-conversion window (what a conversion writes is the store's; the window
// converting an older file is driven by the main window tests).

#include "forms/project_details_form.h"

#include <gtest/gtest.h>

#include "forms/main_window_form.h"
#include "forms/project_conversion_form.h"
#include "store/project_database.h"
#include "store/rainfall_lookup.h"
#include "support/legacy_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;
using store::DetailsWindow;
using testing::ScriptedUi;

class ProjectDetailsTest : public ::testing::Test {
  protected:
    // Opens `path` as the main window does and loads the lists of its release.
    void open_file(const std::string& path, bool noaa_lists = true) {
        context.program_folder = testing::program_folder();
        store::open_project(context, path);
        const auto lists = noaa_lists ? store::load_noaa_release_lists(context)
                                      : store::load_older_release_lists(context);
        ASSERT_TRUE(lists.ok()) << lists.error;
    }
    ProjectDetailsForm& details(DetailsWindow window = DetailsWindow::NoaaStation) {
        form.emplace(
            context, ui, window, [this](std::string s) { status = std::move(s); },
            [this] { ++rainfall_data_opened; });
        form->open();
        return *form;
    }
    void type(FieldName field, const std::string& text) {
        form->fields.set_text(field, text);
        form->field_edited(field);
    }
    // A fresh project file at the current release, its details window adding.
    void open_new_project() {
        testing::make_current_project(path);
        open_file(path);
        details();
    }
    std::optional<std::string> stored(const std::string& column) const {
        return testing::first_value(path, "PROJECT", column);
    }

    testing::TempFolder folder;
    std::string path = (folder / "job.pvd").string();
    store::ProjectContext context;
    ScriptedUi ui;
    std::optional<ProjectDetailsForm> form;
    std::string status;
    int rainfall_data_opened = 0;
};

TEST_F(ProjectDetailsTest, SavingANewProjectWritesItAndTheNextOpeningEdits) {
    open_new_project();
    type("project_id", "O'Brien 1");
    type("project_name", "Stuart's Draft Connector");
    type("units", "METRIC");
    type("designer", "K. Aldous");
    form->fields.set_text("noaa_station", "Stuart's Draft");
    form->field_edited("noaa_station");
    ui.answers.push_back(Answer::No);  // Stuart's Draft has no rainfall data yet
    form->mnuprojsave();

    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text.find("Project Details are Saved!\n\n"), 0u);
    EXPECT_EQ(rainfall_data_opened, 0);
    EXPECT_TRUE(form->close_requested);
    EXPECT_FALSE(form->changed());
    EXPECT_TRUE(context.details_edit_mode);
    EXPECT_EQ(stored("PROJECT_ID"), "O'Brien 1");
    EXPECT_EQ(stored("NOAA_STATION"), "Stuart's Draft");
    EXPECT_EQ(stored("MAJOR_RELEASE"), "2.1");
    EXPECT_EQ(context.project_name, "Stuart's Draft Connector");
    EXPECT_EQ(context.units, "METRIC");

    ui.clear();
    auto& again = details();
    EXPECT_TRUE(again.edit_mode());
    EXPECT_FALSE(again.adding());
    EXPECT_EQ(again.fields.text("project_name"), "Stuart's Draft Connector");
    for (const FieldName fixed : {FieldName("project_id"), FieldName("units"), FieldName("county"),
                                  FieldName("noaa_station")}) {
        EXPECT_FALSE(again.fields.at(fixed).enabled) << fixed.str();
    }
    // Leaving unchanged asks nothing.
    again.mnuprojexit();
    EXPECT_TRUE(again.close_requested);
    EXPECT_TRUE(ui.shown.empty());
}

// The window says whether the chosen station has rainfall data as it is chosen, takes
// names as the list spells them, and offers Rainfall Data when saving without them.
TEST_F(ProjectDetailsTest, NamesAreTheListsAndMissingRainfallIsSaidAndOffered) {
    open_new_project();
    const auto missing = [](const std::string& name) {
        return store::no_coefficients_message(store::RainfallFile::Station, name);
    };
    EXPECT_EQ(form->fields.text("rainfall_note").find(missing("Abingdon 3 S")), 0u);
    type("noaa_station", "Pulaski");
    EXPECT_EQ(form->fields.text("rainfall_note"), "");

    type("project_id", "B-1");
    type("noaa_station", "Blacksbrg");
    form->mnuprojsave();
    EXPECT_EQ(ui.last().text.find("NOAA STATION \"Blacksbrg\" is not in the station list. The "
                                  "closest are \"Blacksburg\", \"Blacksburg 3 SE\""),
              0u);
    EXPECT_FALSE(stored("PROJECT_ID").has_value());

    type("noaa_station", "blacksburg");
    ui.answers.push_back(Answer::Yes);
    form->mnuprojsave();
    EXPECT_EQ(stored("NOAA_STATION"), "Blacksburg  ");
    EXPECT_TRUE(ui.last().question);
    EXPECT_NE(ui.last().text.find(missing("Blacksburg  ")), std::string::npos);
    EXPECT_EQ(rainfall_data_opened, 1);
}

// The required fields are the store's, the county checked first; the window says
// which is missing and stays open with what was typed.
TEST_F(ProjectDetailsTest, ARefusedSaveKeepsTheWindowAndExitWithoutSavingDropsIt) {
    open_new_project();
    type("project_name", "Dropped");
    type("county", "");
    form->mnuprojsave();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, "County Name is a Required Field!");
    EXPECT_FALSE(form->close_requested);
    EXPECT_TRUE(form->changed());

    ui.answers.push_back(Answer::No);
    form->mnuprojexit();
    EXPECT_FALSE(form->close_requested);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.last().text, "Exit without saving? ");
    EXPECT_EQ(form->fields.text("project_name"), "Dropped");

    // Closing the window any other way asks the same.
    ui.answers.push_back(Answer::Yes);
    EXPECT_TRUE(form->request_close());
    EXPECT_EQ(ui.last().text, "Update Cancelled");
    EXPECT_FALSE(form->changed());
    EXPECT_FALSE(form->adding());
    EXPECT_EQ(context.project_name, "");
    EXPECT_EQ(store::TextTable(context.project_connection, "PROJECT").count(), 0);
}

TEST_F(ProjectDetailsTest, BrowseLinksAnInletDatabaseAndACancelledDialogSaysSo) {
    testing::make_current_project(
        path, {{"PROJECT_ID", "K"}, {"PROJECT_NAME", "Kept"}, {"COUNTY", "Bland"}});
    open_file(path);
    context.inlet_database = "/old/inlets.gwk";
    details();

    const std::string inlets = (folder / "street" / "inlets.mwp").string();
    ui.files.push_back(inlets);
    form->mnubrowseInlet();
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].filter, "Gratewick files (*.gwk;*.mwp)|*.gwk;*.mwp");
    EXPECT_EQ(ui.dialogs[0].initial_folder, context.program_folder.string());
    EXPECT_TRUE(ui.dialogs[0].must_exist);
    EXPECT_EQ(form->fields.text("inlet_database"), inlets);
    EXPECT_TRUE(form->changed());
    EXPECT_EQ(context.last_folder, (folder / "street").string());

    form->mnuprojsave();
    EXPECT_EQ(stored("INLET_DATABASE"), inlets);
    EXPECT_EQ(context.inlet_database, inlets);

    ui.clear();
    ui.files.push_back("");
    details().mnubrowseInlet();
    EXPECT_EQ(ui.dialogs.back().initial_folder, (folder / "street").string());
    EXPECT_EQ(ui.last().text, main_window_texts::kCancelSelected);
}

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
