// Intensity texts as the pipe and outlet windows get them.

#include "forms/intensity.h"

#include <gtest/gtest.h>

#include "store/rainfall_database.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

using store::RainfallFile;

store::ProjectContext context_with(double b, double d, double e, const std::string& units) {
    store::ProjectContext context;
    context.units = units;
    context.number_format = std::string(number_format_for(units));
    context.coefficients = {0.0, b, d, e};
    return context;
}

TEST(Intensity, FormulaUnitsAndNumberFormat) {
    testing::ScriptedUi ui;
    std::string tc = "10";
    std::string pipe_i = "old";
    auto english = context_with(10, 10, 1, "ENGLISH");
    ASSERT_TRUE(intensity_for_pipe(english, ui, tc, pipe_i));
    EXPECT_EQ(pipe_i, "0.500");
    auto metric = context_with(10, 10, 1, "METRIC");
    ASSERT_TRUE(intensity_for_pipe(metric, ui, tc, pipe_i));
    EXPECT_EQ(pipe_i, "12.7000");  // mm/hr, Tc still in minutes

    // The exponent applies: 100 / (20 + 5)^0.5 = 20.
    auto curved = context_with(100, 5, 0.5, "ENGLISH");
    tc = "20";
    intensity_for_pipe(curved, ui, tc, pipe_i);
    EXPECT_EQ(pipe_i, "20.000");

    // Legacy: A / (B + Tc) from A and B alone.
    auto legacy = context_with(30, 99, 99, "ENGLISH");
    legacy.legacy_database_mode = true;
    legacy.coefficients.a = 120;
    tc = "14";
    intensity_for_pipe(legacy, ui, tc, pipe_i);
    EXPECT_EQ(pipe_i, "2.727");
    EXPECT_TRUE(ui.shown.empty());
}

TEST(Intensity, EmptyTcBecomesFiveAndGarbageIsRefused) {
    testing::ScriptedUi ui;
    auto context = context_with(10, 10, 1, "ENGLISH");
    std::string tc;
    std::string pipe_i;
    ASSERT_TRUE(intensity_for_pipe(context, ui, tc, pipe_i));
    EXPECT_EQ(tc, "5.0");
    EXPECT_EQ(pipe_i, "0.667");

    tc = "ten";
    EXPECT_FALSE(intensity_for_pipe(context, ui, tc, pipe_i));
    EXPECT_EQ(pipe_i, "0.667");
    EXPECT_EQ(tc, "ten");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, "Type mismatch");
    EXPECT_EQ(ui.last().icon, Icon::None);
}

TEST(Intensity, GivenTcLoadsTheStormFrequencyFirst) {
    testing::TempFolder folder;
    {
        auto db = store::Database::open(folder / "VARMNOAA.rdb", store::Database::Mode::Create);
        store::create_rainfall_tables(db, RainfallFile::Station);
        store::add_rainfall_name(db, RainfallFile::Station, "Stuart's Draft");
        store::add_rainfall_name(db, RainfallFile::Station, "Abingdon 3 S");
        hydrology::IdfTableRow row;
        row.name = "Stuart's Draft";
        for (const int years : hydrology::kStormFrequencies)
            row.curves[years] = {10.0 * years, 10, 1};
        store::write_coefficients(db, RainfallFile::Station, {row});
    }
    testing::ScriptedUi ui;
    auto context = context_with(0, 0, 0, "ENGLISH");
    context.program_folder = folder.path();
    context.major_release = "2.1";
    context.noaa_station = "Stuart's Draft";

    std::string tc = "10";
    ASSERT_TRUE(intensity_for_given_tc(context, ui, "25", tc));
    EXPECT_EQ(context.intensity_result, "12.500");  // 250 / 20

    // A station without coefficients is refused by name; the 25-year set stays
    // and the intensity is computed with it.
    context.noaa_station = "Abingdon 3 S";
    tc = "";
    ASSERT_TRUE(intensity_for_given_tc(context, ui, "2", tc));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_NE(ui.last().text.find("\"Abingdon 3 S\""), std::string::npos);
    EXPECT_NE(ui.last().text.find("Rainfall Data\u2026"), std::string::npos);
    EXPECT_EQ(tc, "5.0");
    EXPECT_EQ(context.intensity_result, "16.667");  // 250 / 15
}

}  // namespace
}  // namespace pelvane::forms
