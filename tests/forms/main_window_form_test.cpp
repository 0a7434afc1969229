// The main window's project commands, against real project files and the build's
// rainfall databases, with fake child windows.

#include "forms/main_window_form.h"

#include <gtest/gtest.h>

#include <fstream>

#include "main_window_fakes.h"
#include "row_spec.h"
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
using Shown = std::vector<std::string>;

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
        auto values = testing::row(
            "PROJECT_ID=P-7; COUNTY=Pulaski; UNITS=METRIC; MAJOR_RELEASE=2.1;"
            "NOAA_STATION=Pulaski");
        values.insert(values.end(), {{"PROJECT_NAME", project_name}, {"PRODUCT_NAME", product}});
        testing::insert_row(path, "PROJECT", values);
        return path;
    }
    std::string older_project(const std::string& name) {
        const std::string path = file(name);
        testing::make_older_release_project(path);
        testing::insert_row(
            path, "PROJECT",
            testing::row("PROJECT_ID=OLD-1; PROJECT_NAME=Old Road; COUNTY=Pulaski;"
                         "UNITS=ENGLISH; MAJOR_RELEASE=1.0; PRODUCT_NAME=PELVANEVA"));
        return path;
    }
    // A program folder without the NOAA-station rainfall database.
    void without_station_rainfall() {
        fs::copy_file(testing::program_folder() / "PelvaneVA21.rdb", program / "PelvaneVA21.rdb");
        context.program_folder = program.path();
    }
    void open(const std::string& path) {
        ui.files.push_back(path);
        form.mnuopenProj();
    }
    // Create and Open are offered exactly when no project is open.
    bool menus_for(bool open_project) const {
        const auto on = [this](const char* name) { return form.fields.at(name).enabled; };
        return on("mnucreateProj") != open_project && on("mnuopenProj") != open_project &&
               on("mnuupdateProj") == open_project && on("mnucloseProj") == open_project;
    }
    // Nothing of a failed command is left behind.
    void expect_untouched() const {
        EXPECT_TRUE(menus_for(false));
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
    // The one message shown names `part` with an exclamation.
    void expect_refusal(const std::string& part) const {
        ASSERT_EQ(ui.shown.size(), 1u) << part;
        EXPECT_NE(ui.last().text.find(part), std::string::npos) << ui.last().text;
        EXPECT_EQ(ui.last().icon, Icon::Exclamation);
    }

    testing::TempFolder folder;
    testing::TempFolder program;
    store::ProjectContext context;
    ScriptedUi ui;
    FakeWindows windows{context, ui};
    MainWindowForm form{context, ui, windows, testing::fixed_clock};
};

TEST_F(MainWindowTest, StartsWithNoProjectAndTheClockInTheStatusBar) {
    EXPECT_TRUE(menus_for(false));
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

    EXPECT_EQ(windows.shown, Shown{"details noaa"});
    EXPECT_TRUE(windows.details_adding);
    EXPECT_EQ(context.station_list.size(), 176u);
    EXPECT_EQ(form.fields.text("status_database"), "Project Database - Route 11.pvd");
    EXPECT_TRUE(menus_for(true));
    EXPECT_EQ(testing::first_value(file("Route 11.pvd"), "PROJECT", "PROJECT_NAME"),
              "Route 11 Widening");
    EXPECT_EQ(context.project_name, "Route 11 Widening");
    EXPECT_TRUE(context.details_edit_mode);

    // The next dialog starts where this one ended.
    form.mnucloseProj();
    open(file("Route 11.pvd"));
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
    EXPECT_EQ(fs::file_size(path), 7u);
    expect_untouched();
}

TEST_F(MainWindowTest, CreateWithoutAFileNameOrIntoAMissingFolderChangesNothing) {
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
    ui.clear();
    ui.files.push_back(file("missing/new.pvd"));
    form.mnucreateProj();
    expect_refusal("new.pvd");
    expect_untouched();
}

TEST_F(MainWindowTest, WithoutTheStationRainfallDatabaseCreateAndOpenChangeNothing) {
    const std::string job = noaa_project("job.pvd", "Job");
    without_station_rainfall();
    ui.files.push_back(file("new.pvd"));
    form.mnucreateProj();
    expect_refusal("VARMNOAA.rdb");
    EXPECT_FALSE(fs::exists(file("new.pvd")));  // refused before any file is made
    expect_untouched();

    ui.clear();
    open(job);
    expect_refusal("VARMNOAA.rdb");
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
    EXPECT_TRUE(ui.saw("Update Cancelled"));
    EXPECT_EQ(context.project_name, "");
    EXPECT_FALSE(testing::first_value(file("new.pvd"), "PROJECT", "PROJECT_ID").has_value());
    // The file is open all the same, so its details can be added later.
    EXPECT_TRUE(menus_for(true));
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
    EXPECT_EQ(windows.shown, Shown{"details noaa"});
    EXPECT_TRUE(windows.details_adding);
    EXPECT_FALSE(context.details_edit_mode);
    EXPECT_TRUE(context.active_rainfall_database.ends_with("VARMNOAA.rdb"));
    EXPECT_TRUE(menus_for(true));
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
    EXPECT_TRUE(menus_for(true));
    EXPECT_EQ(context.noaa_station, "Pulaski");
    EXPECT_FALSE(context.legacy_database_mode);

    // Update opens the NOAA-station window in edit mode.
    form.mnuupdateProj();
    EXPECT_EQ(windows.shown, Shown{"details noaa"});
    EXPECT_TRUE(windows.details_editing);
    EXPECT_TRUE(context.details_edit_mode);
}

TEST_F(MainWindowTest, OpenSaysWhenTheRainfallCoefficientsChangedSinceTheSolve) {
    const std::string path = noaa_project("p.pvd", "Peppers Ferry Road");
    testing::insert_row(path, "DESIGN_RAINFALL",
                        testing::row("STORM_FREQ=10; RAINFALL_FILE=VARMNOAA.rdb; "
                                     "RAINFALL_NAME=Pulaski; COEF_B=1; COEF_D=2; COEF_E=0.5; "
                                     "SOURCE=per-user import; IMPORTED_FROM=old.csv"));
    form.open_project_file(path);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.last().icon, Icon::Exclamation);
    EXPECT_NE(ui.last().text.find("The 10-year rainfall coefficients have changed"),
              std::string::npos)
        << ui.last().text;
    EXPECT_NE(ui.last().text.find("old.csv"), std::string::npos);
    EXPECT_TRUE(menus_for(true));
}

// The conversion question on an older release: No, Yes with the conversion window
// closed unconverted, and Yes with a station chosen.
TEST_F(MainWindowTest, OlderReleaseIsConvertedOnlyWhenAStationIsChosen) {
    struct Case {
        Answer answer;
        std::optional<std::string> station;
        Shown windows;
        const char* release;
        const char* rainfall;
        const char* details;
    };
    const Case cases[] = {
        {Answer::No, std::nullopt, {}, "1.0", "VARMSTORM.rdb", "details older"},
        {Answer::Yes, std::nullopt, {"conversion"}, "1.0", "VARMSTORM.rdb", "details older"},
        {Answer::Yes, "Stuart's Draft", {"conversion"}, "2.1", "VARMNOAA.rdb", "details noaa"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        ui.clear();
        windows.shown.clear();
        ui.answers.push_back(c.answer);
        windows.conversion_station = c.station;
        const std::string path = older_project("old" + std::to_string(n++) + ".pvd");
        open(path);
        ASSERT_GE(ui.shown.size(), 2u);  // a conversion says it is done in between
        EXPECT_TRUE(ui.shown[0].question);
        EXPECT_EQ(ui.shown[0].text, texts::kConvertQuestion);
        EXPECT_EQ(ui.shown[0].icon, Icon::Exclamation);
        EXPECT_EQ(ui.shown[0].title, "PelvaneVA");
        EXPECT_EQ(ui.last().text, "Project Name: Old Road");
        EXPECT_EQ(windows.shown, c.windows);
        EXPECT_EQ(testing::first_value(path, "PROJECT", "MAJOR_RELEASE"), c.release);
        EXPECT_TRUE(context.active_rainfall_database.ends_with(c.rainfall));
        EXPECT_TRUE(menus_for(true));

        form.mnuupdateProj();
        EXPECT_EQ(windows.shown.back(), c.details);
        form.mnucloseProj();
    }
}

TEST_F(MainWindowTest, ZqlAnywhereInThePathMakesALegacyProjectThatMayBeDesigned) {
    for (const char* relative : {"Old ZqL jobs/route.pvd", "jobs/routezQl.pvd"}) {
        const fs::path path = folder / relative;
        fs::create_directories(path.parent_path());
        testing::make_legacy_project(path);
        testing::insert_row(path, "PROJECT",
                            {{"PROJECT_ID", "L1"}, {"PROJECT_NAME", "Legacy job"}});
        windows.shown.clear();
        ui.answers.push_back(Answer::No);
        open(path.string());
        EXPECT_TRUE(context.legacy_database_mode) << relative;
        EXPECT_TRUE(context.active_rainfall_database.ends_with("VArainfall.rdb"));
        EXPECT_EQ(context.product_name, "");

        form.mnuPipe();
        EXPECT_EQ(windows.shown, Shown{"grid"}) << relative;
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

// Which files are refused is the project database's business; here each refusal is
// shown once and leaves nothing open.
TEST_F(MainWindowTest, BadProjectFilesEndOpenWithAClearMessageAndChangeNothing) {
    const std::string text_file = file("notes.pvd");
    std::ofstream(text_file) << "these are not the tables you are looking for\n";
    for (const auto& [path, says] : std::vector<std::pair<std::string, std::string>>{
             {text_file, "notes.pvd"},
             {file("gone.pvd"), "gone.pvd"},
             {"", std::string(texts::kCancelSelected)}}) {
        ui.clear();
        open(path);
        expect_refusal(says);
        expect_untouched();
    }
}

TEST_F(MainWindowTest, CloseForgetsTheProject) {
    open(noaa_project("job.pvd", "Job"));
    ui.clear();
    form.mnucloseProj();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, "Current Project Is Closed!");
    EXPECT_EQ(ui.last().icon, Icon::Information);
    EXPECT_EQ(ui.last().title, "PelvaneVA");
    EXPECT_TRUE(menus_for(false));
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
    EXPECT_EQ(windows.shown, Shown{"details noaa"});
    EXPECT_TRUE(windows.details_editing);
    EXPECT_TRUE(menus_for(true));
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
    EXPECT_EQ(windows.shown, (Shown{"grid", "grid", "grid"}));
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
    EXPECT_EQ(windows.shown, (Shown{"about", "rainfall", "exit"}));
    EXPECT_FALSE(context.grid_exit_flag);
    EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace pelvane::forms
