// The USDA rock outlet protection apron and the fit of its design curves.

#include <gtest/gtest.h>

#include <cmath>

#include "core/outlet/coefficient_diameter.h"
#include "core/outlet/least_squares.h"
#include "core/outlet/usda_fit.h"
#include "core/outlet/usda_method.h"

using namespace pelvane::outlet;

namespace {

const OutletUnits kEnglish = OutletUnits::for_units("ENGLISH");
const OutletUnits kMetric = OutletUnits::for_units("METRIC");

// Curves easy to follow by hand: stone 0.01·Q + 0.3, length 10·ln Q + 5 (high
// tailwater); stone 0.02·Q + 0.3, length 12·ln Q + 8 (low tailwater).
const UsdaCoefficients kCurves{{0.0, 0.01, 0.3, 10.0, 5.0}, {0.0, 0.02, 0.3, 12.0, 8.0}};

// A 24 in outlet, 2 ft wide, with the given tailwater.
OutletFields outlet(const char* tailwater) {
    return OutletFields{
        .eDiaRise = "24", .E_Discharge = "not read", .W_culvert = "2", .dn_TW = tailwater};
}

}  // namespace

TEST(UsdaApron, TailwaterOfHalfTheDiameterUsesTheFirstCurves) {
    // Q = 20: stone 0.5 ft; La = 10·ln 20 + 5 = 34.96; W = 2 + La / 2.5.
    auto r = design_usda_apron("20", outlet("1"), kCurves, kEnglish);
    EXPECT_FALSE(r.failed);
    EXPECT_TRUE(r.high_tailwater);
    EXPECT_EQ(r.usdastorm_freq, "2");
    EXPECT_EQ(r.L_ROP, "35.0");
    EXPECT_EQ(r.W_ROP, "16.0");
    EXPECT_EQ(r.D50_size, "0.5");
    EXPECT_EQ(r.Thickness_Apron, "1.0");

    // Just below half: La = 12·ln 20 + 8 = 43.95; W = 2 + La.
    r = design_usda_apron("20", outlet("0.99"), kCurves, kEnglish);
    EXPECT_FALSE(r.high_tailwater);
    EXPECT_EQ(r.L_ROP, "43.9");
    EXPECT_EQ(r.W_ROP, "45.9");
    EXPECT_EQ(r.D50_size, "0.7");
    EXPECT_EQ(r.Thickness_Apron, "1.4");
}

TEST(UsdaApron, EndsQuietlyWithoutCurvesOrDischarge) {
    for (const auto& r : {design_usda_apron("20", outlet("1"), std::nullopt, kEnglish),
                          design_usda_apron("0", outlet("1"), kCurves, kEnglish),
                          design_usda_apron("", outlet("1"), kCurves, kEnglish)}) {
        EXPECT_TRUE(r.failed);
        EXPECT_EQ(r.usdastorm_freq, "2");
        EXPECT_EQ(r.L_ROP, "");
        EXPECT_EQ(r.D50_size, "");
    }
}

TEST(LeastSquares, RecoversExactCurvesAndTheBestLine) {
    std::vector<std::vector<double>> rows;
    std::vector<double> values;
    for (double q = 100.0; q <= 1000.0; q += 50.0) {
        rows.push_back({q * q, q, 1.0});
        values.push_back(2e-6 * q * q - 3e-3 * q + 0.7);
    }
    const auto exact = least_squares(rows, values);
    ASSERT_TRUE(exact);
    EXPECT_NEAR((*exact)[0], 2e-6, 1e-15);
    EXPECT_NEAR((*exact)[1], -3e-3, 1e-12);
    EXPECT_NEAR((*exact)[2], 0.7, 1e-9);

    // (0, 0), (1, 1), (2, 1): slope 1/2, intercept 1/6.
    const auto line = least_squares({{0.0, 1.0}, {1.0, 1.0}, {2.0, 1.0}}, {0.0, 1.0, 1.0});
    ASSERT_TRUE(line);
    EXPECT_NEAR((*line)[0], 0.5, 1e-14);
    EXPECT_NEAR((*line)[1], 1.0 / 6.0, 1e-14);

    EXPECT_FALSE(least_squares({{1.0, 2.0}, {2.0, 4.0}, {3.0, 6.0}}, {1.0, 2.0, 3.0}));
    EXPECT_FALSE(least_squares({{1.0, 2.0}}, {1.0}));
}


TEST(UsdaFit, CurvesReproduceTheirSourcesWithinTheDocumentedErrors) {
    // The bounds written in the coefficient database's provenance.
    for (const int diameter : kStandardDiameters) {
        const auto fit = fit_usda_curves(diameter);
        const double d = diameter / 12.0;
        const auto& high = fit.coefficients.high_tailwater;
        const auto& low = fit.coefficients.low_tailwater;
        double stone = 0.0, length = 0.0, used_length_relative = 0.0;
        for (int i = 0; i <= 500; ++i) {
            const double q =
                fit.range.q_min * std::pow(fit.range.q_max / fit.range.q_min, i / 500.0);
            stone = std::max(
                {stone, std::abs(high.stone_size_ft(q) - usda_source_stone_size(q, d, d / 2)),
                 std::abs(low.stone_size_ft(q) - usda_source_stone_size(q, d, 0.4 * d))});
            const double high_source = usda_source_length_high(q, d);
            const double low_source = usda_source_length_low(q, d);
            length = std::max({length, std::abs(high.apron_length_ft(q) - high_source),
                               std::abs(low.apron_length_ft(q) - low_source)});
            const double high_used = std::max(high.apron_length_ft(q), 6.0 * d);
            const double low_used = std::max(low.apron_length_ft(q), 4.0 * d);
            used_length_relative =
                std::max({used_length_relative, std::abs(high_used - high_source) / high_source,
                          std::abs(low_used - low_source) / low_source});
        }
        EXPECT_LE(stone, 0.012) << diameter;
        EXPECT_LE(length, 8.0) << diameter;
        EXPECT_LE(used_length_relative, 0.28) << diameter;
        // The fit's own report agrees with this independent check.
        EXPECT_NEAR(fit.high_tailwater_error.length_ft, length, 0.05) << diameter;
    }
}
