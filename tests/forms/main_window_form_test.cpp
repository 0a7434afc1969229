// The main window's project commands, against real project files and the build's
// rainfall databases, with fake child windows; and a project whose station has no
// rainfall data yet, whose pipe typed before the data are imported is solved and
// saved in the same pipe window afterwards.

#include "forms/main_window_form.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/hydrology/intensity.h"
#include "core/text/number_text.h"
#include "forms/project_conversion_form.h"
#include "forms/input_conventions.h"
#include "forms/project_details_form.h"
#include "forms/rainfall_data_form.h"
#include "pipe_form_fixture.h"
#include "store/project_conversion.h"
#include "store/project_database.h"
#include "store/rainfall_database.h"
#include "store/rainfall_lookup.h"
#include "support/legacy_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::testing {
namespace {

// 9 March 2024, 23:58:59.
std::tm fixed_clock() {
    std::tm t{};
    t.tm_year = 124;
    t.tm_mon = 2;
    t.tm_mday = 9;
    t.tm_hour = 23;
    t.tm_min = 58;
    t.tm_sec = 59;
    return t;
}

struct FakeWindows : forms::Windows {
    FakeWindows(store::ProjectContext& c, ScriptedUi& u) : context(c), ui(u) {}

    store::ProjectContext& context;
    ScriptedUi& ui;
    forms::MainWindowForm* main = nullptr;

    // Windows in the order they were shown: "details noaa", "details older",
    // "conversion", "grid", "rainfall", "about", "exit".
    std::vector<std::string> shown;
    // What the person does in a details window once it is open (nothing by default).
    std::function<void(forms::ProjectDetailsForm&)> in_details;
    // How the last details window opened.
    bool details_adding = false;
    bool details_editing = false;
    // The station chosen in the conversion window; nullopt closes it unconverted.
    std::optional<std::string> conversion_station;
    // How many times the grid closes only to be shown again with fresh data.
    int grid_refreshes = 0;

    void show_project_details(store::DetailsWindow window) override {
        const bool noaa = window == store::DetailsWindow::NoaaStation;
        shown.push_back(noaa ? "details noaa" : "details older");
        forms::ProjectDetailsForm form(
            context, ui, window, [this](const std::string& s) { main->show_database_status(s); },
            [this] { show_rainfall_data(); });
        form.open();
        details_adding = form.adding();
        details_editing = form.edit_mode();
        if (in_details) in_details(form);
    }
    void show_project_conversion() override {
        shown.push_back("conversion");
        forms::ProjectConversionForm form(context, ui);
        form.open();
        if (!conversion_station) return;
        form.fields.set_text("noaa_station", *conversion_station);
        form.btnUpdate();
        EXPECT_TRUE(form.converted() && form.close_requested);
    }
    void show_pipe_grid() override {
        shown.push_back("grid");
        if (grid_refreshes > 0) {
            --grid_refreshes;
            return;
        }
        context.grid_exit_flag = true;
    }
    void show_rainfall_data() override { shown.push_back("rainfall"); }
    void show_about() override { shown.push_back("about"); }
    void exit_program() override { shown.push_back("exit"); }
};

// Details typed into a details window and saved, for Pulaski, whose rainfall data
// are shipped.
std::function<void(forms::ProjectDetailsForm&)> save_details(std::string id, std::string name) {
    return [id = std::move(id), name = std::move(name)](forms::ProjectDetailsForm& form) {
        form.fields.set_text("project_id", id);
        form.field_edited("project_id");
        form.fields.set_text("project_name", name);
        form.field_edited("project_name");
        form.fields.set_text("noaa_station", "Pulaski");
        form.field_edited("noaa_station");
        form.mnuprojsave();
    };
}

}  // namespace
}  // namespace pelvane::testing

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
        std::string path = file(name);
        auto values = testing::row(
            "PROJECT_ID=P-7; COUNTY=Pulaski; UNITS=METRIC; MAJOR_RELEASE=2.1;"
            "NOAA_STATION=Pulaski");
        values.insert(values.end(), {{"PROJECT_NAME", project_name}, {"PRODUCT_NAME", product}});
        testing::make_current_project(path, values);
        return path;
    }
    std::string older_project(const std::string& name) {
        std::string path = file(name);
        testing::make_older_release_project(
            path, testing::row("PROJECT_ID=OLD-1; PROJECT_NAME=Old Road; COUNTY=Pulaski;"
                               "UNITS=ENGLISH; MAJOR_RELEASE=1.0; PRODUCT_NAME=PELVANEVA"));
        return path;
    }
    // A program folder without the NOAA-station rainfall database.
    void without_station_rainfall() {
        testing::copy_program_files(program.path(), {"PelvaneVA21.rdb"});
        context.program_folder = program.path();
    }
    void open(const std::string& path) {
        ui.files.push_back(path);
        form.mnuopenProj();
    }
    // Create and Open are always offered; Update and Close exactly when a project is open.
    bool menus_for(bool open_project) const {
        const auto on = [this](FieldName name) { return form.fields.at(name).enabled; };
        return on("mnucreateProj") && on("mnuopenProj") && on("mnuupdateProj") == open_project &&
               on("mnucloseProj") == open_project;
    }
    // No project is open, and nothing shows one.
    void expect_no_project() const {
        EXPECT_TRUE(menus_for(false));
        EXPECT_EQ(form.fields.text("status_database"), "");
        EXPECT_EQ(form.fields.text("status_units"), "");
        EXPECT_EQ(context.project_name, "");
        EXPECT_FALSE(context.project_connection.is_open());
        EXPECT_FALSE(context.rainfall_connection.is_open());
    }
    // Nothing of a failed command is left behind.
    void expect_untouched() const {
        expect_no_project();
        EXPECT_EQ(context.database_path, "");
        EXPECT_EQ(context.last_folder, "");
        EXPECT_TRUE(context.county_list.empty());
        EXPECT_TRUE(windows.shown.empty());
    }
    // The one message shown names `part` with an exclamation.
    void expect_refusal(const std::string& part) const {
        ASSERT_EQ(ui.shown.size(), 1u) << part;
        EXPECT_NE(ui.last().text.find(part), std::string::npos) << ui.last().text;
    }

    testing::TempFolder folder;
    testing::TempFolder program;
    store::ProjectContext context;
    ScriptedUi ui;
    FakeWindows windows{context, ui};
    MainWindowForm form{context, ui, windows, testing::fixed_clock};
};

TEST_F(MainWindowTest, StartsWithNoProjectForgettingWhatAnEarlierWindowLeft) {
    EXPECT_TRUE(menus_for(false));
    EXPECT_EQ(form.fields.text("status_time"), "11:58 PM");
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
    EXPECT_TRUE(ui.dialogs[0].save);
    EXPECT_EQ(ui.dialogs[0].initial_folder, context.program_folder.string());
    EXPECT_EQ(ui.last().text, "Project Details are Saved!");

    EXPECT_EQ(windows.shown, Shown{"details noaa"});
    EXPECT_TRUE(windows.details_adding);
    EXPECT_TRUE(menus_for(true));
    EXPECT_EQ(context.project_name, "Route 11 Widening");
    EXPECT_TRUE(context.details_edit_mode);

    // The next dialog starts where this one ended.
    form.mnucloseProj();
    open(file("Route 11.pvd"));
    EXPECT_EQ(ui.dialogs.back().initial_folder, folder.path().string());
    EXPECT_EQ(ui.last().text, "Project Name: Route 11 Widening");
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

// A file without a project record is named first, whatever its release.
TEST_F(MainWindowTest, OpenAnEmptyProjectAsksForDetailsWithoutOfferingConversion) {
    const std::string path = file("empty.pvd");
    testing::make_older_release_project(path);
    open(path);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_FALSE(ui.shown[0].question);
    EXPECT_EQ(windows.shown, Shown{"details noaa"});
    EXPECT_TRUE(windows.details_adding);
    EXPECT_TRUE(context.active_rainfall_database.ends_with("VARMNOAA.rdb"));
}

TEST_F(MainWindowTest, OpenAtTheNoaaReleaseNamesTheProjectAndCloseForgetsIt) {
    form.open_project_file(noaa_project("Pulaski job.pvd", "Peppers Ferry Road"));

    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, "Project Name: Peppers Ferry Road");
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

    form.mnucloseProj();
    EXPECT_EQ(ui.last().text, "Current Project Is Closed!");
    expect_no_project();
    EXPECT_EQ(context.project_id, "");
    EXPECT_EQ(context.product_name, "");
}

// Open while a project is open closes it first; the title and the recent list follow,
// and the list outlives the window. A recent file that is gone is taken off the list.
TEST_F(MainWindowTest, OpenOverAnOpenProjectAndTheRecentList) {
    context.user_data_folder = folder.path() / "user";
    MainWindowForm main(context, ui, windows, testing::fixed_clock);
    const std::string first = noaa_project("first.pvd", "First");
    const std::string second = noaa_project("second.pvd", "Second");
    main.open_project_file(first);
    ui.files.push_back(second);
    main.mnuopenProj();
    EXPECT_EQ(context.project_name, "Second");
    EXPECT_EQ(main.title(), "second.pvd - PelvaneVA");
    EXPECT_EQ(main.recent_projects(), (std::vector<std::string>{second, first}));
    EXPECT_EQ(forms::save_dialog_folder(context), folder.path().string());

    fs::remove(second);
    MainWindowForm later(context, ui, windows, testing::fixed_clock);
    later.open_recent(0);
    EXPECT_NE(ui.last().text.find(second), std::string::npos);
    EXPECT_EQ(later.recent_projects(), std::vector<std::string>{first});
    later.open_recent(0);
    EXPECT_EQ(context.project_name, "First");
    later.mnucloseProj();
    EXPECT_EQ(later.title(), "PelvaneVA");
}

TEST_F(MainWindowTest, AReadOnlyFileOpensForViewingOnly) {
    const std::string path = noaa_project("locked.pvd", "Locked");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    form.open_project_file(path);
    EXPECT_TRUE(context.viewing_only);
    EXPECT_FALSE(form.fields.at("mnuupdateProj").enabled);
    EXPECT_TRUE(form.fields.text("status_database").ends_with("(read-only: open for viewing)"));
    form.mnucloseProj();
    EXPECT_FALSE(context.viewing_only);
}

TEST_F(MainWindowTest, OpenSaysWhenTheRainfallCoefficientsChangedSinceTheSolve) {
    const std::string path = noaa_project("p.pvd", "Peppers Ferry Road");
    testing::insert_row(path, "DESIGN_RAINFALL",
                        testing::row("STORM_FREQ=10; RAINFALL_FILE=VARMNOAA.rdb; "
                                     "RAINFALL_NAME=Pulaski; COEF_B=1; COEF_D=2; COEF_E=0.5; "
                                     "SOURCE=per-user import; IMPORTED_FROM=old.csv"));
    form.open_project_file(path);
    ASSERT_EQ(ui.shown.size(), 2u);
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
        EXPECT_EQ(ui.shown[0].text, texts::kConvertQuestion);
        EXPECT_EQ(ui.last().text, "Project Name: Old Road");
        EXPECT_EQ(windows.shown, c.windows);
        EXPECT_EQ(testing::first_value(path, "PROJECT", "MAJOR_RELEASE"), c.release);
        EXPECT_EQ(ui.saw(std::string(store::kConversionDone)), c.station.has_value());
        EXPECT_EQ(context.noaa_station, c.station.value_or(""));
        EXPECT_TRUE(context.active_rainfall_database.ends_with(c.rainfall));
        EXPECT_TRUE(menus_for(true));

        form.mnuupdateProj();
        EXPECT_EQ(windows.shown.back(), c.details);
        form.mnucloseProj();
    }
}

TEST_F(MainWindowTest, PipeDesignNeedsACompatibleProjectAndRepeatsTheGridUntilItExits) {
    form.mnuPipe();
    EXPECT_EQ(ui.last().text, "Please Select Current Working Project!");

    // Another product's file opens and its details can be edited, but it is not
    // designed in.
    open(noaa_project("other.pvd", "Other", "GRATEWICK"));
    EXPECT_EQ(ui.last().text, "Project Name: Other");
    form.mnuupdateProj();
    ui.clear();
    windows.shown.clear();
    form.mnuPipe();
    EXPECT_NE(ui.last().text.find("Incompatible Project Database"), std::string::npos);
    EXPECT_TRUE(windows.shown.empty());
    form.mnucloseProj();

    open(noaa_project("mine.pvd", "Mine"));
    windows.shown.clear();
    context.grid_exit_flag = true;  // left over from an earlier run of the grid
    windows.grid_refreshes = 2;
    form.mnuPipe();
    EXPECT_EQ(windows.shown, (Shown{"grid", "grid", "grid"}));
}

// A project whose station has no rainfall data yet: the pipe typed before the data
// are imported is computed, solved and saved in the same pipe window afterwards.
TEST(RainfallDetour, ThePipeTypedBeforeTheImportIsSolvedAndSavedWithoutRetyping) {
    testing::TempFolder folder;
    store::ProjectContext context;
    context.program_folder = testing::program_folder();
    context.user_data_folder = folder / "user";
    testing::ScriptedUi ui;
    testing::FakeWindows windows(context, ui);
    MainWindowForm main(context, ui, windows, testing::fixed_clock);
    windows.main = &main;

    // Montgomery County and Blacksburg, typed as a person types them.
    ui.files.push_back((folder / "Blacksburg.pvd").string());
    windows.in_details = [&](ProjectDetailsForm& details) {
        for (const auto& [name, text] : {std::pair{"project_id", "B-1"},
                                         {"project_name", "Prices Fork"},
                                         {"county", "montgomery"},
                                         {"noaa_station", "blacksburg"}}) {
            const auto field = forms::FieldName::named(name);
            details.fields.set_text(field, text);
            details.field_edited(field);
        }
        ui.answers.push_back(Answer::No);  // not now: the rainfall comes in later
        details.mnuprojsave();
    };
    main.mnucreateProj();
    EXPECT_EQ(context.county, "Montgomery");
    EXPECT_EQ(context.noaa_station, "Blacksburg  ");
    const std::string missing =
        store::no_coefficients_message(store::RainfallFile::Station, "Blacksburg  ");
    EXPECT_NE(ui.last().text.find(missing), std::string::npos);

    testing::FakePipeWindows pipe_windows;
    DesignSession session;
    PipeForm pipe(context, session, ui, pipe_windows);
    pipe.open("add", "");
    // Typed and left, or picked from a list.
    const auto enter = [&](forms::FieldName field, const char* text, bool picked = false) {
        pipe.field_entered(field);
        pipe.fields.set_text(field, text);
        picked ? pipe.choose(field) : pipe.field_left(field);
    };
    enter("pipe_number", "1");
    enter("dischargeval", "CRM", true);
    enter("structure_ca", "2");
    enter("structure_Tc", "10");
    enter("pipe_storm_freq", "10", true);
    enter("pipe_length", "200");
    enter("pipe_elein", "2082");
    enter("pipe_eleout", "2080");
    ui.clear();
    pipe.cmd_accIntensity();
    EXPECT_TRUE(ui.saw(missing));
    pipe.cmdpipesolve();
    EXPECT_FALSE(pipe.solved());

    pipe_windows.rainfall = [&] {
        RainfallDataForm rainfall(context, ui);
        rainfall.open();
        EXPECT_EQ(rainfall.fields.text("rainfall_name"), "Blacksburg  ");
        ASSERT_TRUE(rainfall.load_export(testing::pulaski_export().string()));
        ui.answers.assign(2, Answer::Yes);  // whatever the import asks, the person agrees
        EXPECT_TRUE(rainfall.import_export());
        ui.answers.clear();
    };
    pipe.mnuRainfallData();

    const auto copy = store::Database::open(folder / "user" / "VARMNOAA.rdb");
    const auto imported =
        store::read_rainfall_entries(copy, store::RainfallFile::Station, "Blacksburg  ");
    ASSERT_EQ(imported.size(), 1u);
    const std::string intensity =
        text::format_number(hydrology::idf_intensity(imported[0].curves.at(10), 10.0), "0.000");
    ui.clear();
    pipe.cmd_accIntensity();
    EXPECT_EQ(pipe.fields.text("pipe_I"), intensity);
    pipe.cmdpipesolve();
    EXPECT_TRUE(pipe.solved()) << ui.last().text;
    pipe.mnuSavepipe();
    EXPECT_EQ(ui.last().text, "Record Saved");
    EXPECT_EQ(store::PipeTable(context.project_connection).find("1")->get("PIPE_I"), intensity);
}

}  // namespace
}  // namespace pelvane::forms
