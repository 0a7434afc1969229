// Curve fitting on synthetic curves (which it must recover) and on the real
// Pulaski precipitation-frequency export shipped with the program.

#include "core/hydrology/idf_fit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace pelvane::hydrology {
namespace {

std::vector<IdfPoint> sample(double (*f)(double)) {
    std::vector<IdfPoint> points;
    for (const double t : kFitDurations) points.push_back({t, f(t)});
    return points;
}

NoaaExport pulaski() {
    auto parsed = parse_noaa_export(testing::bytes_of(testing::pulaski_export()));
    EXPECT_TRUE(parsed.ok()) << static_cast<int>(parsed.problem().kind);
    return parsed.value();
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
