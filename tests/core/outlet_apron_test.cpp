// The riprap aprons (VDOT classes and the USDA curves with their fit) and the
// riprap classes.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "core/outlet/coefficient_diameter.h"
#include "core/outlet/least_squares.h"
#include "core/outlet/usda_fit.h"
#include "core/outlet/usda_method.h"
#include "core/outlet/vdot_apron.h"

using namespace pelvane::outlet;

namespace {

const OutletUnits kEnglish = OutletUnits::for_units("ENGLISH");
const OutletUnits kMetric = OutletUnits::for_units("METRIC");

// A single 24 in barrel (3.14 sq ft) with a 2 ft wide outlet.
OutletFields outlet_24in(const char* velocity, const char* froude = "1.2") {
    return OutletFields{.pipe_shape = "Circular",
                        .eDiaRise = "24",
                        .V_C = velocity,
                        .FR_C = froude,
                        .W_culvert = "2"};
}
constexpr double kArea24in = 3.14159265358979;

// Curves easy to follow by hand: stone 0.01·Q + 0.3, length 10·ln Q + 5 (high
// tailwater); stone 0.02·Q + 0.3, length 12·ln Q + 8 (low tailwater).
const UsdaCoefficients kCurves{{0.0, 0.01, 0.3, 10.0, 5.0}, {0.0, 0.02, 0.3, 12.0, 8.0}};

// A 24 in outlet, 2 ft wide, with the given tailwater.
OutletFields outlet(const char* tailwater) {
    return OutletFields{
        .eDiaRise = "24", .E_Discharge = "not read", .W_culvert = "2", .dn_TW = tailwater};
}

}  // namespace

TEST(VdotApron, ClassBoundariesOnTheUnroundedVelocity) {
    const std::pair<const char*, std::string_view> cases[] = {
        {"3.005", "Lining Not Required\u201D"},
        {"3.01", " Class A1 "},
        {"8.0", " Class A1 "},
        {"8.009", " Class A1 "},
        {"8.01", " Class I "},
        {"14.01", " Class II "},
        {"19.009", " Class II "},
        {"19.01", "Special Design Reqd."},
    };
    for (const auto& [velocity, expected] : cases) {
        const auto r = design_vdot_apron(outlet_24in(velocity), kArea24in, kEnglish);
        EXPECT_EQ(r.txt_EC, expected) << velocity;
        // No lining and a special design have no dimensions.
        const bool designed = expected.front() == ' ';
        EXPECT_EQ(r.txtEC_L->empty(), !designed) << velocity;
        EXPECT_EQ(r.txtEC_T->empty(), !designed) << velocity;
    }
}

TEST(VdotApron, SmallBarrelAreaTakesThreeDiameters) {
    // L = 3 · 2 = 6; W0 + 2·D = 6 is not above L, so the width stays L.
    auto r = design_vdot_apron(outlet_24in("5"), kArea24in, kEnglish);
    EXPECT_EQ(r.txtEC_L, "6.00");
    EXPECT_EQ(r.txtEC_W, "6.00");
    EXPECT_EQ(r.txtEC_T, "1.50");

    // A wider outlet governs the width.
    auto wide = outlet_24in("10");
    wide.W_culvert = "2.5";
    r = design_vdot_apron(wide, kArea24in, kEnglish);
    EXPECT_EQ(r.txt_EC, " Class I ");
    EXPECT_EQ(r.txtEC_W, "6.50");
    EXPECT_EQ(r.txtEC_T, "2.00");
}

TEST(RiprapClasses, StoneSizeInTheProjectUnit) {
    EXPECT_EQ(size_d50_text("Type II", kEnglish), "4.500");
    EXPECT_EQ(size_d50_text("Type II", kMetric), "1.372");
    EXPECT_EQ(size_d50_text("Class A1", kEnglish), "0.800");
    EXPECT_EQ(size_d50_text("Class III", kMetric), "0.671");
    // Only the exact class texts count.
    EXPECT_FALSE(size_d50_text(" Class I ", kEnglish));
    EXPECT_FALSE(size_d50_text("class I", kEnglish));
}

TEST(UsdaApron, TailwaterOfHalfTheDiameterUsesTheFirstCurves) {
    // Q = 20: stone 0.5 ft; La = 10·ln 20 + 5 = 34.96; W = 2 + La / 2.5.
    auto r = design_usda_apron("20", outlet("1"), kCurves, kEnglish);
    EXPECT_FALSE(r.failed);
    EXPECT_TRUE(r.high_tailwater);
    EXPECT_EQ(std::tie(r.usdastorm_freq, r.L_ROP, r.W_ROP, r.D50_size, r.Thickness_Apron),
              std::make_tuple("2", "35.0", "16.0", "0.5", "1.0"));

    // Just below half: La = 12·ln 20 + 8 = 43.95; W = 2 + La.
    r = design_usda_apron("20", outlet("0.99"), kCurves, kEnglish);
    EXPECT_FALSE(r.high_tailwater);
    EXPECT_EQ(std::tie(r.L_ROP, r.W_ROP, r.D50_size, r.Thickness_Apron),
              std::make_tuple("43.9", "45.9", "0.7", "1.4"));
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
