// The outlet protection window's own computations: design pipe, barrel area,
// coefficient diameter, 2-year discharge, bed material and the need decision.

#include <gtest/gtest.h>

#include "core/outlet/bed_material.h"
#include "core/outlet/coefficient_diameter.h"
#include "core/outlet/design_pipe.h"
#include "core/outlet/need_decision.h"
#include "core/outlet/two_year_flow.h"

using namespace pelvane::outlet;

namespace {
const OutletUnits kEnglish = OutletUnits::for_units("ENGLISH");
const OutletUnits kMetric = OutletUnits::for_units("METRIC");
}  // namespace

TEST(DesignPipe, LargestDischargeByNumberFirstOnATie) {
    // "10" is larger than "9.5" as a number, not as a text.
    EXPECT_EQ(design_pipe_index({"9.5", "10", "3"}), 1u);
    EXPECT_EQ(design_pipe_index({"3.5", "7.25", "7.250", "2"}), 1u);
    // Pipes without a numeric discharge take no part.
    EXPECT_EQ(design_pipe_index({"", "abc", "0.5"}), 2u);
    EXPECT_EQ(design_pipe_index({"", " "}), std::nullopt);
    EXPECT_EQ(design_pipe_index({}), std::nullopt);
}

TEST(OutletBarrelArea, EachShapeAndTheNumberOfBarrels) {
    // Two 24 in barrels: 2 · π · 2² / 4.
    EXPECT_NEAR(*outlet_barrel_area("Circular", 2, "24", "", kEnglish), 6.28319, 1e-5);
    // 600 mm in a metric project: π · 0.6² / 4 sq m.
    EXPECT_NEAR(*outlet_barrel_area("Circular", 1, "600", "", kMetric), 0.282743, 1e-6);
    EXPECT_NEAR(*outlet_barrel_area("Elliptical", 1, "24", "3", kEnglish), 4.712389, 1e-6);
    EXPECT_DOUBLE_EQ(*outlet_barrel_area("Rectangulr", 1, "36", "4", kEnglish), 12.0);
    EXPECT_DOUBLE_EQ(*outlet_barrel_area("Box", 3, "36", "4", kEnglish), 36.0);
    EXPECT_NEAR(*outlet_barrel_area("Arch-Conc", 1, "24", "3", kEnglish), 4.711256, 1e-6);
    EXPECT_FALSE(outlet_barrel_area("Box", 1, "36", "", kEnglish));
    EXPECT_FALSE(outlet_barrel_area("Circular", 1, "x", "", kEnglish));
}

TEST(CoefficientDiameter, RoundsDownToAStandardSizeWithinTwelveToNinetySix) {
    const std::pair<const char*, int> english[] = {
        {"24", 24},   {"23.9", 21}, {"12", 12},  {"11", 12}, {"4", 12},
        {"95.9", 90}, {"96", 96},   {"120", 96}, {"33", 30}, {"36", 36},
    };
    for (const auto& [size, expected] : english) {
        EXPECT_EQ(coefficient_diameter(size, kEnglish)->inches, expected) << size;
    }
    // 600 mm = 23.6 in; 610 mm = 24.02 in.
    EXPECT_EQ(coefficient_diameter("600", kMetric)->inches, 21);
    EXPECT_EQ(coefficient_diameter("610", kMetric)->inches, 24);
    EXPECT_FALSE(coefficient_diameter("600", kMetric)->eDiaRise);
}

TEST(TwoYearDischarge, RationalMethodPerBarrel) {
    // i = 10 / (10 + 10)^1 = 0.5 in/hr.
    const IdfCoefficients idf{10.0, 10.0, 1.0};
    RationalPipe pipe{"10", "2", "1.0", "", 1};
    auto q = two_year_discharge(pipe, idf, kEnglish, "0.000");
    ASSERT_TRUE(q);
    EXPECT_EQ(q->C_Discharge, "1.000");

    // The lateral discharge is added before the barrels share the flow.
    pipe.lateral_discharge = "0.5";
    pipe.barrels = 2;
    EXPECT_EQ(two_year_discharge(pipe, idf, kEnglish, "0.000")->C_Discharge, "0.750");

    // The frequency factor multiplies the rational discharge.
    pipe = {"10", "2", "1.25", "", 1};
    EXPECT_EQ(two_year_discharge(pipe, idf, kEnglish, "0.000")->C_Discharge, "1.250");
}

TEST(TwoYearDischarge, FailsQuietlyOnBadData) {
    const IdfCoefficients idf{10.0, 10.0, 1.0};
    EXPECT_FALSE(two_year_discharge({"10", "2", "1.0", "", 0}, idf, kEnglish, "0.000"));
    EXPECT_FALSE(two_year_discharge({"", "2", "1.0", "", 1}, idf, kEnglish, "0.000"));
    EXPECT_FALSE(two_year_discharge({"10", "2", "x", "", 1}, idf, kEnglish, "0.000"));
    // (Tc + D)^E with a negative base and a fractional exponent.
    EXPECT_FALSE(
        two_year_discharge({"10", "2", "1.0", "", 1}, {10.0, -20.0, 0.7}, kEnglish, "0.000"));
}

TEST(BedMaterial, GranularVelocityFromTheOutletDepthInFeet) {
    // Boulders at 2 ft: -0.0358·4 + 1.015·2 + 13.809 = 15.6958 ft/s.
    const auto english = apply_bed_material("Boulders", "2", kEnglish);
    EXPECT_FALSE(english.failed);
    EXPECT_EQ(english.Velocity_NS, "15.70");
    EXPECT_EQ(english.D50bed, "> 0.84");
    EXPECT_EQ(english.plindex, "5.0");
    EXPECT_EQ(english.outlet_protection, "");

    // The same outlet in metres: the curve is evaluated in feet, the result is m/s.
    const auto metric = apply_bed_material("Boulders", "0.6096", kMetric);
    EXPECT_EQ(metric.Velocity_NS, "4.78");
    EXPECT_NEAR(metric.permissible_velocity, 15.6958 * 0.3048, 1e-3);
    EXPECT_EQ(metric.D50bed, "> 256");

    EXPECT_EQ(apply_bed_material("Fine Sand", "1", kEnglish).Velocity_NS, "0.94");
}

TEST(NeedDecision, EqualVelocitiesNeedNoProtection) {
    auto d = decide_need("1", "0.500", "3.50", "3.50");
    EXPECT_EQ(d.required, false);
    EXPECT_EQ(d.message, OutletMessage::ProtectionNotRequired);

    d = decide_need("1", "0.500", "3.51", "3.50");
    EXPECT_EQ(d.required, true);
    EXPECT_EQ(d.message, OutletMessage::ProtectionRequired);
    EXPECT_FALSE(d.Velocity_NS);
}

TEST(NeedDecision, MissingInputs) {
    auto d = decide_need("", "0.5", "3", "2");
    EXPECT_EQ(d.message, OutletMessage::EnterEndNode);
    EXPECT_FALSE(d.required);
    d = decide_need("O'Brien 1", "", "3", "2");
    EXPECT_EQ(d.message, OutletMessage::EnterTailwaterDepth);
    EXPECT_FALSE(d.required);

    // An empty permissible velocity reads "0.0".
    d = decide_need("1", "0.5", "0.01", "");
    EXPECT_EQ(d.Velocity_NS, "0.0");
    EXPECT_EQ(d.required, true);
    d = decide_need("1", "0.5", "0.00", "");
    EXPECT_EQ(d.required, false);

    d = decide_need("1", "0.5", "", "2");
    EXPECT_TRUE(d.failed);
    EXPECT_FALSE(d.required);
}
