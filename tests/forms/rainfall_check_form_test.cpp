// The intensity check of the Rainfall Data window, against copies of the shipped
// rainfall databases.

#include "forms/rainfall_check_form.h"

#include <gtest/gtest.h>

#include "forms/intensity.h"
#include "store/rainfall_lookup.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;

class RainfallCheckTest : public ::testing::Test {
  protected:
    RainfallCheckTest() {
        for (const auto* f : {"VArainfall.rdb", "VARMSTORM.rdb", "VARMNOAA.rdb"}) {
            fs::copy_file(testing::program_folder() / f, program / f);
        }
        context.program_folder = program.path();
        context.user_data_folder = program / "user";
        data.open();
    }
    void check(const std::string& years, const std::string& tc) {
        form.fields.set_text("check_years", years);
        form.fields.set_text("check_tc", tc);
        form.cmdCheck();
    }
    const std::string& result(FieldName field) const { return form.fields.text(field); }

    testing::TempFolder program;
    store::ProjectContext context;
    testing::ScriptedUi ui;
    RainfallDataForm data{context, ui};
    RainfallCheckForm form{context, ui, data};
};

TEST_F(RainfallCheckTest, AnImportedStationGivesTheFittedCurvesIntensity) {
    EXPECT_EQ(result("check_years"), "10");
    EXPECT_EQ(result("check_tc"), "15");
    data.set_kind(kKindStation);
    data.fields.set_text("rainfall_name", "Abingdon 3 S");

    // Nothing imported yet: the design windows would refuse it, and so does the check.
    check("10", "15");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text,
              store::no_coefficients_message(store::RainfallFile::Station, "Abingdon 3 S"));
    EXPECT_EQ(result("check_stored"), "");

    ASSERT_TRUE(data.load_export(testing::pulaski_export().string()));
    ui.answers.push_back(Answer::Yes);  // the export is Pulaski's
    ASSERT_TRUE(data.import_export());
    ui.clear();
    check("10", "15");
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(result("check_stored"), "3.735");
    EXPECT_EQ(result("check_fitted"), "3.735");
    EXPECT_EQ(result("check_noaa"), "3.656");

    // Between the NOAA durations there is no point to compare with.
    check("2", "20.5");
    EXPECT_EQ(result("check_stored"), result("check_fitted"));
    EXPECT_NE(result("check_stored"), "");
    EXPECT_EQ(result("check_noaa"), "");
}

TEST_F(RainfallCheckTest, RefusesWhatCannotBeChecked) {
    data.fields.set_text("rainfall_name", "Pulaski");
    check("10", "15 min");
    EXPECT_EQ(ui.last().text, kConversionError);
    EXPECT_EQ(result("check_stored"), "");

    data.fields.set_text("rainfall_name", "");
    check("10", "15");
    EXPECT_EQ(ui.last().text, "Choose the NOAA station or county to check.");
}

}  // namespace
}  // namespace pelvane::forms
