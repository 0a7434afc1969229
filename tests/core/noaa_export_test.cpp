// Reading NOAA precipitation-frequency exports: the real Pulaski file, the other
// kinds of export the server produces, and files that must be refused.

#include "core/hydrology/noaa_export.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace pelvane::hydrology {
namespace {

std::string pulaski_text() {
    return testing::bytes_of(testing::pulaski_export());
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(NoaaExport, ReadsThePulaskiDepthExport) {
    const auto parsed = parse_noaa_export(pulaski_text());
    ASSERT_TRUE(parsed.ok()) << static_cast<int>(parsed.problem().kind);
    const NoaaExport& t = parsed.value();
    EXPECT_EQ(t.station_name, "PULASKI");
    EXPECT_EQ(t.location_name, "Pulaski, Virginia, USA");
    EXPECT_FALSE(t.intensities);
    EXPECT_FALSE(t.metric);
    EXPECT_EQ(t.recurrence_years, (std::vector<int>{1, 2, 5, 10, 25, 50, 100, 200, 500, 1000}));
    ASSERT_EQ(t.durations_minutes.size(), 19u);
    EXPECT_EQ(t.durations_minutes[5], 120.0);     // 2-hr
    EXPECT_EQ(t.durations_minutes[18], 86400.0);  // 60-day
    EXPECT_EQ(t.values[18][9], 19.9);

    // Depths become intensities: 0.914 in in 15 minutes is 3.656 in/hr.
    const auto points = intensity_points(t, 10);
    ASSERT_EQ(points.size(), 6u);
    EXPECT_EQ(points[2].duration_minutes, 15.0);
    EXPECT_DOUBLE_EQ(points[2].intensity, 0.914 * 4);
    EXPECT_DOUBLE_EQ(points[5].intensity, 2.00 / 2);  // 2-hr depth over two hours
    EXPECT_TRUE(intensity_points(t, 7).empty());
}

TEST(NoaaExport, RefusesOtherFilesWithAReason) {
    const std::string good = pulaski_text();
    using K = IdfProblem::Kind;
    struct Case {
        std::string text;
        IdfProblem expected;
    };
    const Case cases[] = {
        {"COUNTY_NAME,YEAR2B\nPulaski,1\n", {.kind = K::NotAnExport}},
        {replaced(good, "Partial duration", "Annual maximum"),
         {.kind = K::OtherSeries, .text = "Annual maximum"}},
        {replaced(good, "(inches)", "(furlongs)"), {.kind = K::UnknownUnits, .text = "furlongs"}},
        {replaced(good, "Precipitation depth", "Precipitation intensity"),
         {.kind = K::DataTypeAgainstUnits, .text = "Precipitation intensity"}},
        {replaced(good, "15-min:, 0.558,0.668,0.813,0.914,1.04,1.13,1.22,1.30,1.40,1.47\n", ""),
         {.kind = K::MissingDuration, .number = 15}},
        {replaced(good, "15-min:, 0.558,0.668,0.813,0.914", "15-min:, 0.558,0.668,0.813,n/a"),
         {.kind = K::NotPositiveValue, .line = 17, .text = "n/a"}},
        {replaced(good, "15-min:, 0.558,", "15-min:, -0.558,"),
         {.kind = K::NotPositiveValue, .line = 17, .text = " -0.558"}},
        {replaced(good, "15-min:, 0.558,0.668,", "15-min:, 0.558,"),
         {.kind = K::ValueCount, .line = 17, .found = 9, .expected = 10}},
        {replaced(good, "15-min:", "quarter-hour:"),
         {.kind = K::NotADuration, .line = 17, .text = "quarter-hour:"}},
        {replaced(good, "(years):, 1,2,5,10,25", "(years):, 1,2,5,10,20"),
         {.kind = K::MissingInterval, .number = 25}},
        {replaced(good, "PRECIPITATION FREQUENCY ESTIMATES", "SOMETHING ELSE"),
         {.kind = K::NoEstimates}},
    };
    for (const auto& c : cases) {
        const auto parsed = parse_noaa_export(c.text);
        ASSERT_FALSE(parsed.ok()) << c.text;
        const IdfProblem& p = parsed.problem();
        EXPECT_EQ(p.kind, c.expected.kind) << c.text;
        EXPECT_EQ(std::tie(p.line, p.text, p.found, p.expected, p.number),
                  std::tie(c.expected.line, c.expected.text, c.expected.found, c.expected.expected,
                           c.expected.number))
            << static_cast<int>(p.kind);
    }
}

}  // namespace
}  // namespace pelvane::hydrology
