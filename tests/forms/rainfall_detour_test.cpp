// A project whose station has no rainfall data yet: the pipe typed before the data
// are imported is computed, solved and saved in the same pipe window afterwards.

#include <gtest/gtest.h>

#include "core/hydrology/intensity.h"
#include "core/text/number_text.h"
#include "forms/rainfall_data_form.h"
#include "main_window_fakes.h"
#include "pipe_form_fixture.h"
#include "store/rainfall_lookup.h"

namespace pelvane::forms {
namespace {

using store::RainfallFile;

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
        store::no_coefficients_message(RainfallFile::Station, "Blacksburg  ");
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
    const auto imported = store::read_rainfall_entries(copy, RainfallFile::Station, "Blacksburg  ");
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
