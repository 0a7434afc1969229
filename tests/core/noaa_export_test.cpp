// Reading NOAA precipitation-frequency exports (the real Pulaski file, the other
// kinds of export the server produces, and files that must be refused) and fitting
// curves on synthetic points (which the fit must recover) and on the Pulaski export.

#include "core/hydrology/noaa_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "core/hydrology/idf_fit.h"
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

std::vector<IdfPoint> sample(double (*f)(double)) {
    std::vector<IdfPoint> points;
    for (const double t : kFitDurations) points.push_back({t, f(t)});
    return points;
}

NoaaExport pulaski() {
    auto parsed = parse_noaa_export(pulaski_text());
    EXPECT_TRUE(parsed.ok()) << static_cast<int>(parsed.problem().kind);
    return parsed.value();
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

TEST(IdfFit, RecoversExactCurves) {
    const auto points = sample([](double t) { return 62.5 / std::pow(t + 11.25, 0.83); });
    const auto fit = fit_idf_curve(points);
    ASSERT_TRUE(fit.ok()) << static_cast<int>(fit.problem().kind);
    EXPECT_NEAR(fit->curve.b, 62.5, 1e-4);
    EXPECT_NEAR(fit->curve.d, 11.25, 1e-5);
    EXPECT_NEAR(fit->curve.e, 0.83, 1e-7);
    EXPECT_LT(fit->quality.worst_relative_error, 1e-8);

    const auto legacy = fit_legacy_idf_curve(sample([](double t) { return 140.0 / (t + 17.5); }));
    ASSERT_TRUE(legacy.ok()) << static_cast<int>(legacy.problem().kind);
    EXPECT_NEAR(legacy->curve.a, 140.0, 1e-6);
    EXPECT_NEAR(legacy->curve.b, 17.5, 1e-7);
}

TEST(IdfFit, RefusesTooFewOrBadPoints) {
    EXPECT_FALSE(fit_idf_curve({{5, 6.0}, {10, 5.0}}).ok());
    EXPECT_FALSE(fit_idf_curve({{5, 6.0}, {10, 0.0}, {15, 4.0}}).ok());
    EXPECT_FALSE(fit_legacy_idf_curve({{5, 6.0}, {-10, 5.0}, {15, 4.0}}).ok());
}

TEST(IdfFit, PulaskiExportFitsWithinAFewPercent) {
    const auto table = pulaski();
    for (const int years : {2, 5, 10, 25, 50, 100}) {
        const auto points = intensity_points(table, years);
        ASSERT_EQ(points.size(), 6u);
        const auto fit = fit_idf_curve(points);
        ASSERT_TRUE(fit.ok()) << static_cast<int>(fit.problem().kind);
        // Sensible shapes: D a few minutes to an hour, E below 1.2, and a worst
        // point within 5 % (the NOAA values themselves carry 3 significant digits).
        EXPECT_GT(fit->curve.b, 10.0) << years;
        EXPECT_GT(fit->curve.d, 1.0) << years;
        EXPECT_LT(fit->curve.d, 60.0) << years;
        EXPECT_GT(fit->curve.e, 0.5) << years;
        EXPECT_LT(fit->curve.e, 1.2) << years;
        EXPECT_LT(fit->quality.worst_relative_error, 0.05) << years;
        EXPECT_LE(fit->quality.rms_relative_error, fit->quality.worst_relative_error);

        // The result is a least-squares minimum: nudging any coefficient makes the
        // sum of squared relative errors worse.
        const auto sum_squares = [&](const IdfCurve& c) {
            const double rms = fit_quality(c, points).rms_relative_error;
            return rms * rms;
        };
        const double best = sum_squares(fit->curve);
        for (const double h : {1e-3, -1e-3}) {
            auto c = fit->curve;
            c.b *= 1 + h;
            EXPECT_GT(sum_squares(c), best);
            c = fit->curve;
            c.d += h;
            EXPECT_GT(sum_squares(c), best);
            c = fit->curve;
            c.e += h * 0.1;
            EXPECT_GT(sum_squares(c), best);
        }

        const auto legacy = fit_legacy_idf_curve(points);
        ASSERT_TRUE(legacy.ok()) << static_cast<int>(legacy.problem().kind);
        EXPECT_GT(legacy->curve.b, 1.0) << years;
        EXPECT_LT(legacy->quality.worst_relative_error, 0.08) << years;
        // The three-coefficient form is at least as close as the two-coefficient one.
        EXPECT_LE(fit->quality.rms_relative_error, legacy->quality.rms_relative_error);
    }
}

}  // namespace
}  // namespace pelvane::hydrology
