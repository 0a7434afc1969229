// The Rainfall Data window's model: importing a NOAA export with its preview,
// importing transcribed tables, and the intensity check, against copies of the
// shipped rainfall databases.

#include "forms/rainfall_data_form.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/hydrology/intensity.h"
#include "core/text/number_text.h"
#include "forms/intensity.h"
#include "forms/rainfall_check_form.h"
#include "store/rainfall_lookup.h"
#include "support/file_bytes.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

using store::RainfallFile;

using testing::bytes_of;

// A station coefficient table giving every coefficient of the named rows as 1.
std::string ones_table(const std::vector<std::string>& names) {
    std::string table = "NOAA_STATION";
    std::string ones;
    for (const int y : hydrology::kStormFrequencies) {
        for (const char l : std::string("BDE")) {
            table += ",YEAR" + std::to_string(y) + l;
            ones += ",1";
        }
    }
    for (const auto& name : names) table += "\n" + name + ones;
    return table + "\n";
}

struct Fixture {
    testing::TempFolder program;
    testing::TempFolder user;
    store::ProjectContext context;
    testing::ScriptedUi ui;

    Fixture() {
        testing::copy_program_files(program.path(),
                                    {"VArainfall.rdb", "VARMSTORM.rdb", "VARMNOAA.rdb"});
        context.program_folder = program.path();
        context.user_data_folder = user / "data";
        context.units = "ENGLISH";
        context.major_release = "2.1";
        context.noaa_station = "Abingdon 3 S";
        context.county = "Accomack";
    }

    // The intensity check for `years` and `tc` minutes.
    static void check(RainfallCheckForm& form, const std::string& years, const std::string& tc) {
        form.fields.set_text("check_years", years);
        form.fields.set_text("check_tc", tc);
        form.cmdCheck();
    }
    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(user / name, std::ios::binary) << text;
        return (user / name).string();
    }
};

TEST(RainfallDataForm, ImportsAFittedExportWithItsPreview) {
    Fixture f;
    RainfallDataForm form(f.context, f.ui);
    form.open();
    EXPECT_EQ(form.fields.text("rainfall_kind"), kKindStation);
    EXPECT_EQ(form.fields.text("rainfall_name"), "Abingdon 3 S");

    f.ui.files.push_back(testing::pulaski_export().string());
    form.browse_export();
    EXPECT_EQ(f.context.last_folder, (testing::source_folder() / "data/rainfall").string());
    ASSERT_EQ(form.preview().size(), 6u);
    const RainfallPreview& ten = form.preview()[2];
    EXPECT_EQ(ten.years, 10);
    ASSERT_EQ(ten.points.size(), 6u);
    EXPECT_DOUBLE_EQ(ten.points[2].intensity, 0.914 * 4);
    ASSERT_EQ(ten.curve.size(), 116u);  // 5 to 120 minutes
    // The worst error shown is the largest gap between curve and points.
    double worst = 0.0;
    for (const auto& p : ten.points) {
        const auto& c = ten.curve[static_cast<std::size_t>(p.duration_minutes - 5)];
        worst = std::max(worst, std::abs(c.intensity / p.intensity - 1.0));
    }
    EXPECT_EQ(ten.worst_error, text::format_number(worst * 100, "0.00") + " %");
    EXPECT_TRUE(f.ui.shown.empty());

    f.ui.answers.push_back(Answer::Yes);  // the export is Pulaski's
    ASSERT_TRUE(form.import_export());
    EXPECT_NE(f.ui.last().text.find("\"Abingdon 3 S\""), std::string::npos);
}

TEST(RainfallDataForm, RefusedInputWritesNothing) {
    Fixture f;
    const std::string before = bytes_of(f.program / "VARMNOAA.rdb");
    RainfallDataForm form(f.context, f.ui);
    form.open();

    // An annual-maximum export, then a file that is no export at all.
    std::string text = bytes_of(testing::pulaski_export().string());
    text.replace(text.find("Partial duration"), 16, "Annual maximum");
    EXPECT_FALSE(form.load_export(f.write("ams.csv", text)));
    EXPECT_TRUE(form.preview().empty());
    EXPECT_FALSE(form.import_export());
    EXPECT_EQ(f.ui.last().text, "Choose a NOAA precipitation frequency export first.");

    // A well-formed table naming one unknown station is refused whole.
    EXPECT_FALSE(form.import_table(f.write("t.csv", ones_table({"\"Abingdon 3 S\"", "Atlantis"}))));
    EXPECT_NE(f.ui.last().text.find("\"Atlantis\""), std::string::npos);

    EXPECT_EQ(bytes_of(f.program / "VARMNOAA.rdb"), before);
    EXPECT_FALSE(std::filesystem::exists(f.context.user_data_folder));

    // The same table without the unknown row goes in.
    ASSERT_TRUE(form.import_table(f.write("t2.csv", ones_table({"\"Abingdon 3 S\""}))));
    EXPECT_NE(f.ui.last().text.find("for 1 stations"), std::string::npos);
}

TEST(RainfallDataForm, ImportsAskBeforeGoingElsewhereAndIntoTheUserCopyOnly) {
    Fixture f;
    const std::string before = bytes_of(f.program / "VARMNOAA.rdb");
    const auto copy = f.context.user_data_folder / "VARMNOAA.rdb";
    // A project with its lists loaded from the program folder.
    ASSERT_TRUE(store::load_noaa_release_lists(f.context).ok());
    RainfallDataForm form(f.context, f.ui);
    form.open();
    form.fields.set_text("rainfall_name", "");
    ASSERT_TRUE(form.load_export(testing::pulaski_export().string()));
    // The export names its station, which is offered.
    EXPECT_EQ(form.fields.text("rainfall_name"), "Pulaski");
    form.fields.set_text("rainfall_name", "Abingdon 3 S");

    f.ui.answers.push_back(Answer::No);
    const Outcome declined = form.import_export();
    EXPECT_EQ(declined.kind, Outcome::Kind::Declined);
    EXPECT_TRUE(f.ui.last().question);
    EXPECT_NE(f.ui.last().text.find("\"PULASKI\", not for \"Abingdon 3 S\""), std::string::npos);
    EXPECT_NE(declined.message.find("PULASKI"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(copy));

    f.ui.answers.push_back(Answer::Yes);
    ASSERT_TRUE(form.import_export());
    EXPECT_EQ(form.written_files(), std::vector<std::string>{copy.string()});
    EXPECT_EQ(bytes_of(f.program / "VARMNOAA.rdb"), before);
    // The open project now reads the copy and finds the new coefficients.
    EXPECT_EQ(f.context.active_rainfall_database, copy.string());
    const auto fifty = load_rainfall_coefficients(f.context, f.ui, 50);
    ASSERT_TRUE(fifty);
    const double fifty_b = fifty->b;

    // The same coefficients again replace nothing: only the station is asked about.
    f.ui.answers.push_back(Answer::Yes);
    ASSERT_TRUE(form.import_export());
    EXPECT_TRUE(f.ui.answers.empty());

    // A table that changes them names the storms that change; No keeps them.
    f.ui.answers.push_back(Answer::No);
    EXPECT_FALSE(form.import_table(f.write("t.csv", ones_table({"\"Abingdon 3 S\""}))));
    EXPECT_NE(f.ui.last().text.find("the 2-, 5-, 10-, 25-, 50- and 100-year coefficients change"),
              std::string::npos)
        << f.ui.last().text;
    const auto kept = load_rainfall_coefficients(f.context, f.ui, 50);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->b, fifty_b);
}

TEST(RainfallCheckForm, AnImportedStationGivesTheFittedCurvesIntensity) {
    Fixture f;
    RainfallDataForm data(f.context, f.ui);
    data.open();
    RainfallCheckForm form(f.context, f.ui, data);
    const auto result = [&form](FieldName field) { return form.fields.text(field); };
    EXPECT_EQ(result("check_years"), "10");
    EXPECT_EQ(result("check_tc"), "15");

    // Nothing imported yet: the design windows would refuse it, and so does the check.
    Fixture::check(form, "10", "15");
    ASSERT_EQ(f.ui.shown.size(), 1u);
    EXPECT_EQ(f.ui.last().text,
              store::no_coefficients_message(RainfallFile::Station, "Abingdon 3 S"));
    EXPECT_EQ(result("check_stored"), "");

    ASSERT_TRUE(data.load_export(testing::pulaski_export().string()));
    f.ui.answers.push_back(Answer::Yes);  // the export is Pulaski's
    ASSERT_TRUE(data.import_export());
    f.ui.clear();
    Fixture::check(form, "10", "15");
    EXPECT_TRUE(f.ui.shown.empty());
    EXPECT_EQ(result("check_stored"), "3.735");
    EXPECT_EQ(result("check_fitted"), "3.735");
    EXPECT_EQ(result("check_noaa"), "3.656");

    // Between the NOAA durations there is no point to compare with.
    Fixture::check(form, "2", "20.5");
    EXPECT_EQ(result("check_stored"), result("check_fitted"));
    EXPECT_NE(result("check_stored"), "");
    EXPECT_EQ(result("check_noaa"), "");

    // A time that is no number, and no station or county, are refused.
    Fixture::check(form, "10", "15 min");
    EXPECT_EQ(f.ui.last().text, kConversionError);
    EXPECT_EQ(result("check_stored"), "");
    data.fields.set_text("rainfall_name", "");
    Fixture::check(form, "10", "15");
    EXPECT_EQ(f.ui.last().text, "Choose the NOAA station or county to check.");
}

}  // namespace
}  // namespace pelvane::forms
