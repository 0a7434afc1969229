// The main window's project commands, against real project files and the build's
// rainfall databases, with fake child windows.

#include "forms/main_window_form.h"

#include <gtest/gtest.h>

#include <fstream>

#include "main_window_fakes.h"
#include "store/project_database.h"
#include "store/rainfall_database.h"
#include "support/legacy_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;
namespace texts = main_window_texts;
using testing::FakeWindows;
using testing::ScriptedUi;

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        context.program_folder = testing::program_folder();
        context.user_data_folder = folder / "user";
        windows.main = &form;
    }

    std::string file(const std::string& name) const { return (folder / name).string(); }

    // A project file at release "2.1" with a record.
    std::string noaa_project(const std::string& name, const std::string& project_name,
                             const std::string& product = "PELVANEVA") {
        const std::string path = file(name);
        testing::make_current_project(path);
        testing::insert_row(path, "PROJECT",
                            {{"PROJECT_ID", "P-7"},
                             {"PROJECT_NAME", project_name},
                             {"COUNTY", "Pulaski"},
                             {"UNITS", "METRIC"},
                             {"MAJOR_RELEASE", "2.1"},
                             {"NOAA_STATION", "Pulaski"},
                             {"PRODUCT_NAME", product}});
        return path;
    }
    std::string older_project(const std::string& name) {
        const std::string path = file(name);
        testing::make_older_release_project(path);
        testing::insert_row(path, "PROJECT",
                            {{"PROJECT_ID", "OLD-1"},
                             {"PROJECT_NAME", "Old Road"},
                             {"COUNTY", "Pulaski"},
                             {"UNITS", "ENGLISH"},
                             {"MAJOR_RELEASE", "1.0"},
                             {"PRODUCT_NAME", "PELVANEVA"}});
        return path;
    }
    void open(const std::string& path) {
        ui.files.push_back(path);
        form.mnuopenProj();
    }
    bool menus_for_open_project() const {
        return !form.fields.at("mnucreateProj").enabled && !form.fields.at("mnuopenProj").enabled &&
               form.fields.at("mnuupdateProj").enabled && form.fields.at("mnucloseProj").enabled;
    }
    bool menus_for_no_project() const {
        return form.fields.at("mnucreateProj").enabled && form.fields.at("mnuopenProj").enabled &&
               !form.fields.at("mnuupdateProj").enabled && !form.fields.at("mnucloseProj").enabled;
    }
    // Nothing of a failed command is left behind.
    void expect_untouched() const {
        EXPECT_TRUE(menus_for_no_project());
        EXPECT_EQ(form.fields.text("status_database"), "");
        EXPECT_EQ(form.fields.text("status_units"), "");
        EXPECT_EQ(context.database_path, "");
        EXPECT_EQ(context.project_name, "");
        EXPECT_EQ(context.last_folder, "");
        EXPECT_FALSE(context.project_connection.is_open());
        EXPECT_FALSE(context.rainfall_connection.is_open());
        EXPECT_TRUE(context.county_list.empty());
        EXPECT_TRUE(windows.shown.empty());
    }

    testing::TempFolder folder;
    store::ProjectContext context;
    ScriptedUi ui;
    FakeWindows windows{context, ui};
    MainWindowForm form{context, ui, windows, testing::fixed_clock};
};

TEST_F(MainWindowTest, StartsWithNoProjectAndTheClockInTheStatusBar) {
    EXPECT_TRUE(menus_for_no_project());
    for (const char* always : {"mnuexit", "mnuPipe", "mnusubHelp", "mnuabout", "mnuRainfallData"}) {
        EXPECT_TRUE(form.fields.at(always).enabled) << always;
    }
    EXPECT_EQ(form.fields.text("status_date"), "03/09/2024");
    EXPECT_EQ(form.fields.text("status_time"), "11:58 PM");

    // Loading the window forgets what an earlier window may have left.
    context.last_folder = "/somewhere";
    context.product_name = "PELVANEVA";
    context.legacy_database_mode = true;
    MainWindowForm again(context, ui, windows, testing::fixed_clock);
    EXPECT_EQ(context.last_folder, "");
    EXPECT_EQ(context.product_name, "");
    EXPECT_FALSE(context.legacy_database_mode);
}

TEST_F(MainWindowTest, CreateCopiesTheTemplateAndAddsTheDetails) {
    ui.files.push_back(file("Route 11.pvd"));
    windows.in_details = testing::save_details("R11", "Route 11 Widening");
    form.mnucreateProj();

    ASSERT_EQ(ui.dialogs.size(), 1u);
    const FileDialog& dialog = ui.dialogs[0];
    EXPECT_TRUE(dialog.save);
    EXPECT_EQ(dialog.title, "Enter New Project Database File Name");
    EXPECT_EQ(dialog.filter, "Pelvane files (*.pvd)|*.pvd");
    EXPECT_EQ(dialog.initial_folder, context.program_folder.string());

    ASSERT_GE(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[0].text,
              "New Project Database has been created.  Please Add Project Details");
    EXPECT_EQ(ui.shown[0].icon, Icon::Information);
    EXPECT_EQ(ui.shown[0].title, "Marrowind");
    EXPECT_EQ(ui.last().text, "Project Details are Saved!");

    EXPECT_EQ(windows.shown, std::vector<std::string>{"details noaa"});
    EXPECT_TRUE(windows.details_adding);
    EXPECT_EQ(context.station_list.size(), 176u);
    EXPECT_EQ(form.fields.text("status_database"), "Project Database - Route 11.pvd");
    EXPECT_TRUE(menus_for_open_project());
    EXPECT_EQ(context.last_folder, folder.path().string());
    EXPECT_EQ(testing::first_value(file("Route 11.pvd"), "PROJECT", "PROJECT_NAME"),
              "Route 11 Widening");
    EXPECT_EQ(context.project_name, "Route 11 Widening");
    EXPECT_TRUE(context.details_edit_mode);

    // The next dialog starts where this one ended.
    form.mnucloseProj();
    ui.files.push_back(file("Route 11.pvd"));
    form.mnuopenProj();
    EXPECT_EQ(ui.dialogs.back().initial_folder, folder.path().string());
    EXPECT_EQ(ui.last().text, "Project Name: Route 11 Widening");
}

TEST_F(MainWindowTest, CreateOverAnExistingFileAnsweredNoCopiesNothing) {
    const std::string path = file("existing.pvd");
    std::ofstream(path) << "keep me";
    ui.files.push_back(path);
    ui.answers.push_back(Answer::No);
    form.mnucreateProj();

    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].question);
    EXPECT_EQ(ui.shown[0].text, "File Already Exists!   Overwrite?");
    EXPECT_EQ(ui.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(ui.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(ui.shown[0].title, "PelvaneVA");
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep me");
    expect_untouched();
}

TEST_F(MainWindowTest, CreateWithoutAFileNameSaysSo) {
    for (const std::string& chosen : {std::string(), std::string("*.pvd"), file("*.pvd")}) {
        ui.clear();
        ui.files.push_back(chosen);
        form.mnucreateProj();
        ASSERT_EQ(ui.shown.size(), 1u) << chosen;
        EXPECT_EQ(ui.last().text, "No project database selected!");
        EXPECT_EQ(ui.last().icon, Icon::Exclamation);
        EXPECT_EQ(ui.last().title, "Marrowind");
        expect_untouched();
    }
}

TEST_F(MainWindowTest, CreateThatCannotMakeTheProjectChangesNothing) {
    // A folder that does not exist: the copy fails.
    ui.files.push_back(file("missing/new.pvd"));
    form.mnucreateProj();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_NE(ui.last().text.find("new.pvd"), std::string::npos) << ui.last().text;
    EXPECT_EQ(ui.last().icon, Icon::Exclamation);
    expect_untouched();

    // No rainfall database: refused before any file is made.
    testing::TempFolder program;
    fs::copy_file(testing::program_folder() / "PelvaneVA21.rdb", program / "PelvaneVA21.rdb");
    context.program_folder = program.path();
    ui.clear();
    ui.files.push_back(file("new.pvd"));
    form.mnucreateProj();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_NE(ui.last().text.find("VARMNOAA.rdb"), std::string::npos) << ui.last().text;
    EXPECT_EQ(ui.last().icon, Icon::Exclamation);
    EXPECT_FALSE(fs::exists(file("new.pvd")));
    expect_untouched();
}

TEST_F(MainWindowTest, CreateWhoseDetailsAreAbandonedLeavesTheProjectUnnamed) {
    ui.files.push_back(file("new.pvd"));
    ui.answers.push_back(Answer::Yes);
    windows.in_details = [](ProjectDetailsForm& details) {
        details.fields.set_text("project_name", "Not kept");
        details.field_edited("project_name");
        details.mnuprojexit();
    };
    form.mnucreateProj();
    EXPECT_TRUE(ui.saw("Exit without saving? "));
    EXPECT_TRUE(ui.saw("Update Cancelled"));
    EXPECT_EQ(context.project_name, "");
    EXPECT_FALSE(testing::first_value(file("new.pvd"), "PROJECT", "PROJECT_ID").has_value());
    // The file is open all the same, so its details can be added later.
    EXPECT_TRUE(menus_for_open_project());
    ui.clear();
    windows.in_details = testing::save_details("N1", "Named later");
    form.mnuupdateProj();
    EXPECT_EQ(ui.shown.front().text, "No Project Found.  Please Add Project Details");
    EXPECT_EQ(context.project_name, "Named later");
}

TEST_F(MainWindowTest, OpenAnEmptyProjectAsksForDetailsWithoutOfferingConversion) {
    const std::string path = file("empty.pvd");
    testing::make_older_release_project(path);  // release does not matter without a name
    open(path);

    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].title, "Open");
    EXPECT_TRUE(ui.dialogs[0].must_exist);
    EXPECT_EQ(ui.dialogs[0].default_extension, ".pvd");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_FALSE(ui.shown[0].question);
    EXPECT_EQ(ui.shown[0].text, "No Project Found.  Please Add Project Details");
    EXPECT_EQ(ui.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(ui.shown[0].title, "Marrowind");
    EXPECT_EQ(windows.shown, std::vector<std::string>{"details noaa"});
    EXPECT_TRUE(windows.details_adding);
    EXPECT_FALSE(context.details_edit_mode);
    EXPECT_EQ(context.station_list.size(), 176u);
    EXPECT_TRUE(context.active_rainfall_database.ends_with("VARMNOAA.rdb"));
    EXPECT_TRUE(menus_for_open_project());
}

TEST_F(MainWindowTest, OpenAtTheNoaaReleaseNamesTheProject) {
    form.open_project_file(noaa_project("Pulaski job.pvd", "Peppers Ferry Road"));

    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, "Project Name: Peppers Ferry Road");
    EXPECT_EQ(ui.last().icon, Icon::Information);
    EXPECT_EQ(ui.last().title, "Marrowind");
    EXPECT_TRUE(windows.shown.empty());
    EXPECT_EQ(form.fields.text("status_database"), "Project Database - Pulaski job.pvd");
    EXPECT_EQ(form.fields.text("status_units"), "UNITS: METRIC");
    EXPECT_TRUE(menus_for_open_project());
    EXPECT_EQ(context.noaa_station, "Pulaski");
    EXPECT_FALSE(context.legacy_database_mode);

    // Update opens the NOAA-station window in edit mode.
    form.mnuupdateProj();
    EXPECT_EQ(windows.shown, std::vector<std::string>{"details noaa"});
    EXPECT_TRUE(windows.details_editing);
    EXPECT_TRUE(context.details_edit_mode);
}

TEST_F(MainWindowTest, OlderReleaseKeptAtItsReleaseUsesTheCountyListAndOlderWindow) {
    ui.answers.push_back(Answer::No);
    open(older_project("old.pvd"));

    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_TRUE(ui.shown[0].question);
    EXPECT_EQ(ui.shown[0].text, texts::kConvertQuestion);
    EXPECT_EQ(ui.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(ui.shown[0].title, "PelvaneVA");
    EXPECT_EQ(ui.shown[1].text, "Project Name: Old Road");
    EXPECT_TRUE(context.active_rainfall_database.ends_with("VARMSTORM.rdb"));
    EXPECT_FALSE(context.county_list.empty());
    EXPECT_TRUE(context.station_list.empty());
    EXPECT_TRUE(windows.shown.empty());

    form.mnuupdateProj();
    EXPECT_EQ(windows.shown, std::vector<std::string>{"details older"});
    EXPECT_EQ(testing::first_value(file("old.pvd"), "PROJECT", "MAJOR_RELEASE"), "1.0");
}

TEST_F(MainWindowTest, OlderReleaseConvertedWithTheChosenStation) {
    ui.answers.push_back(Answer::Yes);
    windows.conversion_station = "Stuart's Draft";
    open(older_project("old.pvd"));

    EXPECT_EQ(windows.shown, std::vector<std::string>{"conversion"});
    EXPECT_EQ(testing::first_value(file("old.pvd"), "PROJECT", "MAJOR_RELEASE"), "2.1");
    EXPECT_EQ(testing::first_value(file("old.pvd"), "PROJECT", "NOAA_STATION"), "Stuart's Draft");
    EXPECT_EQ(context.station_list.size(), 176u);
    EXPECT_EQ(ui.last().text, "Project Name: Old Road");
    EXPECT_TRUE(menus_for_open_project());

    form.mnuupdateProj();
    EXPECT_EQ(windows.shown.back(), "details noaa");
}

TEST_F(MainWindowTest, ConversionWindowClosedWithoutConvertingKeepsTheOlderRelease) {
    ui.answers.push_back(Answer::Yes);
    open(older_project("old.pvd"));
    EXPECT_EQ(windows.shown, std::vector<std::string>{"conversion"});
    EXPECT_EQ(testing::first_value(file("old.pvd"), "PROJECT", "MAJOR_RELEASE"), "1.0");
    EXPECT_TRUE(context.active_rainfall_database.ends_with("VARMSTORM.rdb"));
    EXPECT_TRUE(menus_for_open_project());
}

TEST_F(MainWindowTest, ZqlAnywhereInThePathMakesALegacyProjectThatMayBeDesigned) {
    for (const char* relative : {"Old ZqL jobs/route.pvd", "jobs/routezQl.pvd"}) {
        const fs::path path = folder / relative;
        fs::create_directories(path.parent_path());
        testing::make_legacy_project(path);
        testing::insert_row(path, "PROJECT",
                            {{"PROJECT_ID", "L1"},
                             {"PROJECT_NAME", "Legacy job"},
                             {"COUNTY", "Pulaski"},
                             {"UNITS", "ENGLISH"}});
        ui.clear();
        windows.shown.clear();
        ui.answers.push_back(Answer::No);
        open(path.string());
        EXPECT_TRUE(context.legacy_database_mode) << relative;
        EXPECT_TRUE(context.active_rainfall_database.ends_with("VArainfall.rdb"));
        EXPECT_EQ(context.product_name, "");

        form.mnuPipe();
        EXPECT_EQ(windows.shown, std::vector<std::string>{"grid"}) << relative;
        form.mnucloseProj();
    }
}

TEST_F(MainWindowTest, ALegacyFileOpenedAfterANoaaProjectIsAskedToConvert) {
    open(noaa_project("noaa.pvd", "First"));
    form.mnucloseProj();
    const std::string legacy = file("zql.pvd");
    testing::make_legacy_project(legacy);
    testing::insert_row(legacy, "PROJECT", {{"PROJECT_ID", "L"}, {"PROJECT_NAME", "Second"}});
    ui.clear();
    ui.answers.push_back(Answer::No);
    open(legacy);
    EXPECT_TRUE(ui.shown.front().question);
    EXPECT_EQ(context.major_release, "");
    EXPECT_EQ(context.noaa_station, "");
}

TEST_F(MainWindowTest, BadProjectFilesEndOpenWithAClearMessageAndChangeNothing) {
    const std::string text_file = file("notes.pvd");
    std::ofstream(text_file) << "these are not the tables you are looking for\n";
    const std::string partial = file("partial.pvd");
    store::Database::open(partial, store::Database::Mode::Create)
        .execute("CREATE TABLE PROJECT (PROJECT_ID TEXT)");
    const std::string read_only = noaa_project("locked.pvd", "Locked");
    fs::permissions(read_only,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);

    struct Case {
        std::string path;
        std::string says;
    };
    for (const Case& c : {Case{text_file, "notes.pvd"}, Case{partial, "PIPE and ENERGY"},
                          Case{read_only, "read-only"}, Case{file("gone.pvd"), "gone.pvd"},
                          Case{"", texts::kCancelSelected}}) {
        ui.clear();
        open(c.path);
        ASSERT_EQ(ui.shown.size(), 1u) << c.path;
        EXPECT_NE(ui.last().text.find(c.says), std::string::npos) << ui.last().text;
        EXPECT_EQ(ui.last().icon, Icon::Exclamation);
        expect_untouched();
    }
}

TEST_F(MainWindowTest, AMissingRainfallDatabaseEndsOpenAndChangesNothing) {
    testing::TempFolder program;
    fs::copy_file(testing::program_folder() / "PelvaneVA21.rdb", program / "PelvaneVA21.rdb");
    context.program_folder = program.path();
    open(noaa_project("job.pvd", "Job"));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_NE(ui.last().text.find("VARMNOAA.rdb"), std::string::npos) << ui.last().text;
    EXPECT_EQ(ui.last().icon, Icon::Exclamation);
    expect_untouched();
}

TEST_F(MainWindowTest, CloseForgetsTheProject) {
    open(noaa_project("job.pvd", "Job"));
    ui.clear();
    form.mnucloseProj();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, "Current Project Is Closed!");
    EXPECT_EQ(ui.last().icon, Icon::Information);
    EXPECT_EQ(ui.last().title, "PelvaneVA");
    EXPECT_TRUE(menus_for_no_project());
    EXPECT_EQ(form.fields.text("status_database"), "");
    EXPECT_EQ(form.fields.text("status_units"), "");
    EXPECT_EQ(context.project_name, "");
    EXPECT_EQ(context.project_id, "");
    EXPECT_EQ(context.product_name, "");
    EXPECT_FALSE(context.project_connection.is_open());
    EXPECT_FALSE(context.rainfall_connection.is_open());
}

TEST_F(MainWindowTest, UpdateWithoutAProjectNameAddsDetailsAndKeepsTheMenus) {
    open(noaa_project("job.pvd", ""));
    ui.clear();
    windows.shown.clear();
    form.mnuupdateProj();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, "No Project Found.  Please Add Project Details");
    EXPECT_EQ(ui.last().title, "Marrowind");
    // A record with an empty name is still edited, not added to.
    EXPECT_EQ(windows.shown, std::vector<std::string>{"details noaa"});
    EXPECT_TRUE(windows.details_editing);
    EXPECT_TRUE(menus_for_open_project());
}

TEST_F(MainWindowTest, PipeDesignNeedsACompatibleProjectAndRepeatsTheGridUntilItExits) {
    form.mnuPipe();
    EXPECT_EQ(ui.last().text, "Please Select Current Working Project!");
    EXPECT_EQ(ui.last().icon, Icon::Exclamation);
    EXPECT_EQ(ui.last().title, "Marrowind");

    // Another product's file opens and its details can be edited, but it is not
    // designed in.
    open(noaa_project("other.pvd", "Other", "GRATEWICK"));
    EXPECT_EQ(ui.last().text, "Project Name: Other");
    form.mnuupdateProj();
    ui.clear();
    windows.shown.clear();
    form.mnuPipe();
    EXPECT_EQ(ui.last().text,
              "This is an Incompatible Project Database! Please use correct version of the "
              "database");
    EXPECT_EQ(ui.last().title, "Marrowind");
    EXPECT_TRUE(windows.shown.empty());
    form.mnucloseProj();

    open(noaa_project("mine.pvd", "Mine"));
    windows.shown.clear();
    context.grid_exit_flag = true;  // left over from an earlier run of the grid
    windows.grid_refreshes = 2;
    form.mnuPipe();
    EXPECT_EQ(windows.shown, (std::vector<std::string>{"grid", "grid", "grid"}));
}

TEST_F(MainWindowTest, HelpAboutRainfallDataAndExit) {
    form.mnusubHelp();
    ASSERT_EQ(ui.opened.size(), 1u);
    EXPECT_EQ(fs::path(ui.opened[0]), context.program_folder / "help" / "index.html");
    EXPECT_TRUE(fs::exists(ui.opened[0]));

    form.mnuabout();
    form.mnuRainfallData();
    context.grid_exit_flag = true;
    form.mnuexit();
    EXPECT_EQ(windows.shown, (std::vector<std::string>{"about", "rainfall", "exit"}));
    EXPECT_FALSE(context.grid_exit_flag);
    EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace pelvane::forms
