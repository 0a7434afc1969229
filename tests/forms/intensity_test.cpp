// Intensity texts as the pipe and outlet windows get them.

#include "forms/intensity.h"

#include <gtest/gtest.h>

#include "store/rainfall_database.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

using store::RainfallFile;

const std::string kEnglishFormat = "0.000";

store::ProjectContext context_in(const std::string& units) {
    store::ProjectContext context;
    context.units = units;
    return context;
}

TEST(Intensity, FormulaUnitsAndNumberFormat) {
    testing::ScriptedUi ui;
    std::string tc = "10";
    std::string pipe_i = "old";
    const auto english = context_in("ENGLISH");
    ASSERT_TRUE(intensity_for_pipe(english, "0.000", {0, 10, 10, 1}, ui, tc, pipe_i));
    EXPECT_EQ(pipe_i, "0.500");
    const auto metric = context_in("METRIC");
    ASSERT_TRUE(intensity_for_pipe(metric, "0.0000", {0, 10, 10, 1}, ui, tc, pipe_i));
    EXPECT_EQ(pipe_i, "12.7000");  // mm/hr, Tc still in minutes

    // The exponent applies: 100 / (20 + 5)^0.5 = 20.
    tc = "20";
    intensity_for_pipe(english, "0.000", {0, 100, 5, 0.5}, ui, tc, pipe_i);
    EXPECT_EQ(pipe_i, "20.000");

    // Legacy: A / (B + Tc) from A and B alone.
    auto legacy = context_in("ENGLISH");
    legacy.legacy_database_mode = true;
    tc = "14";
    intensity_for_pipe(legacy, "0.000", {120, 30, 99, 99}, ui, tc, pipe_i);
    EXPECT_EQ(pipe_i, "2.727");
    EXPECT_TRUE(ui.shown.empty());
}

TEST(Intensity, EachStormHasItsOwnCoefficientsOrNone) {
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
    auto context = context_in("ENGLISH");
    context.program_folder = folder.path();
    context.major_release = "2.1";
    context.noaa_station = "Stuart's Draft";

    std::string tc = "10";
    const auto storm = storm_coefficients(context, ui, "25");
    ASSERT_TRUE(storm);
    EXPECT_EQ(intensity_lookup(context, kEnglishFormat, *storm, ui)(tc), "12.500");  // 250 / 20
    EXPECT_TRUE(ui.shown.empty());

    // A station without coefficients is refused by name, and no set comes back to
    // compute with; so is a storm that is no whole number of years.
    context.noaa_station = "Abingdon 3 S";
    EXPECT_EQ(storm_coefficients(context, ui, "2"), std::nullopt);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_NE(ui.last().text.find("\"Abingdon 3 S\""), std::string::npos);
    EXPECT_NE(ui.last().text.find("Rainfall Data\u2026"), std::string::npos);
    EXPECT_EQ(storm_coefficients(context, ui, "2.5"), std::nullopt);
    EXPECT_EQ(ui.last().text, "Type mismatch");
}

}  // namespace
}  // namespace pelvane::forms
