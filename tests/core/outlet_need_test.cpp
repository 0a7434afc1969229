// The outlet protection window's own computations: design pipe, barrel area,
// coefficient diameter, 2-year discharge and velocity (its scans checked against
// independent depth solutions), bed material, the need decision and the scour hole.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

#include "core/outlet/bed_material.h"
#include "core/outlet/coefficient_diameter.h"
#include "core/outlet/design_pipe.h"
#include "core/outlet/need_decision.h"
#include "core/outlet/scour_hole.h"
#include "core/outlet/two_year_flow.h"
#include "core/text/number_text.h"

using namespace pelvane::outlet;
using pelvane::text::parse_number;

namespace {
const OutletUnits kEnglish = OutletUnits::for_units("ENGLISH");
const OutletUnits kMetric = OutletUnits::for_units("METRIC");

// Depth at which a rising discharge curve reaches q, by bisection.
double depth_for(double q, double top, const std::function<double(double)>& discharge) {
    double low = 0.0;
    double high = top;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (low + high);
        (discharge(mid) < q ? low : high) = mid;
    }
    return 0.5 * (low + high);
}

double circular_area(double d, double y) {
    const double theta = 2.0 * std::acos(1.0 - 2.0 * y / d);
    return d * d * (theta - std::sin(theta)) / 8.0;
}

double circular_discharge(double d, double y, double k, double n, double s) {
    const double theta = 2.0 * std::acos(1.0 - 2.0 * y / d);
    const double area = circular_area(d, y);
    return k / n * area * std::pow(area / (d * theta / 2.0), 2.0 / 3.0) * std::sqrt(s);
}

// 20 cfs through 2 sq ft of flow with a hydraulic radius of 0.5 ft.
const OutletFields kOutlet{.E_Discharge = "20", .E_Area = "2", .E_HydRad = "0.5"};

// The same outlet in metric units.
OutletFields metric_outlet() {
    const double ft = 0.3048;
    return OutletFields{.E_Discharge = pelvane::text::shortest_text(20 * ft * ft * ft),
                        .E_Area = pelvane::text::shortest_text(2 * ft * ft),
                        .E_HydRad = pelvane::text::shortest_text(0.5 * ft)};
}

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
    EXPECT_EQ(
        std::tie(english.Velocity_NS, english.D50bed, english.plindex, english.outlet_protection),
        std::make_tuple("15.70", "> 0.84", "5.0", ""));

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

TEST(TwoYearVelocity, CircularScanStopsWithinOneStepOfTheNormalDepth) {
    struct Case {
        const char* dia;
        const char* q2;
        const OutletUnits* units;
    };
    for (const Case c : {Case{"18", "4.2", &kEnglish}, Case{"48", "35", &kEnglish},
                         Case{"900", "0.6", &kMetric}}) {
        const double d = pelvane::text::parse_number(c.dia).value / c.units->constants.unit_divisor;
        const double q2 = pelvane::text::parse_number(c.q2).value;
        const double k = c.units->constants.manning_k;
        const auto v = two_year_velocity({"Circular", c.dia, "", "0.008", "0.013"}, c.q2, *c.units);
        ASSERT_TRUE(v) << c.dia;
        // The scan stops as soon as the barrel carries Q2 less 0.001, at most one step
        // past the depth that carries exactly that.
        const double reached = depth_for(
            q2 - 0.001, d, [&](double y) { return circular_discharge(d, y, k, 0.013, 0.008); });
        EXPECT_GE(v->depth, reached - 1e-9) << c.dia;
        EXPECT_LE(v->depth, reached + 0.0001 + 1e-9) << c.dia;
        EXPECT_NEAR(v->area, circular_area(d, v->depth), 1e-9);
        EXPECT_DOUBLE_EQ(v->velocity, q2 / v->area);
        EXPECT_EQ(v->velocity2, pelvane::text::format_number(q2 / v->area, "0.00"));
    }
}

TEST(TwoYearVelocity, BoxScanUsesTheSpanAndTheRiseCap) {
    const double b = 4.0;
    const double k = kEnglish.constants.manning_k;
    const auto box = [&](double y) {
        const double area = b * y;
        return k / 0.013 * area * std::pow(area / (b + 2.0 * y), 2.0 / 3.0) * std::sqrt(0.004);
    };
    const auto v = two_year_velocity({"Rectangulr", "36", "48", "0.004", "0.013"}, "30", kEnglish);
    ASSERT_TRUE(v);
    const double reached = depth_for(29.999, 3.0, box);
    EXPECT_GE(v->depth, reached - 1e-9);
    EXPECT_LE(v->depth, reached + 0.0001 + 1e-9);
    EXPECT_NEAR(v->area, b * v->depth, 1e-12);

    // Beyond the box's capacity: stops just past 0.9999 of the rise.
    const auto full = two_year_velocity({"Box", "36", "48", "0.004", "0.013"}, "500", kEnglish);
    ASSERT_TRUE(full);
    EXPECT_GT(full->depth, 0.9999 * 3.0);
    EXPECT_LE(full->depth, 0.9999 * 3.0 + 0.0001 + 1e-9);
}

TEST(ScourHole, GranularBed) {
    // Values of an independent implementation (σ = 10, P = 2.49).
    const auto r = size_scour_hole("Coarse Gravel", "0.01", "0.1", "5.0", kOutlet, kEnglish);
    EXPECT_FALSE(r.failed);
    EXPECT_FALSE(r.clay);
    EXPECT_EQ(std::tie(r.txt_D, r.txt_W, r.txt_L, r.txtLocation),
              std::make_tuple("0.65", "2.16", "4.82", "1.93"));
    EXPECT_DOUBLE_EQ(parse_number(pelvane::text::format_number(0.4 * r.length, "0.00")).value,
                     parse_number(*r.txtLocation).value);
}

TEST(ScourHole, GrainSizesMustGrow) {
    for (const auto& [d16, d84] : {std::pair{"0.1", "0.1"}, std::pair{"0.2", "0.1"}}) {
        const auto r = size_scour_hole("Fine Sand", d16, d84, "", kOutlet, kEnglish);
        EXPECT_EQ(r.message, OutletMessage::D84NotAboveD16);
        EXPECT_FALSE(r.txt_D);
        EXPECT_FALSE(r.txtLocation);
    }
}

TEST(ScourHole, ClayBedUsesThePlasticityIndexInstead) {
    // D16 = D84 would be refused for a granular bed; clay does not read them.
    const auto r = size_scour_hole("Clay (PI 5-16)", "0.1", "0.1", "10", kOutlet, kEnglish);
    EXPECT_TRUE(r.clay);
    EXPECT_FALSE(r.message);
    // The length 17.57 has the time exponent 0.10.
    EXPECT_EQ(std::tie(r.txt_D, r.txt_W, r.txt_L, r.txtLocation),
              std::make_tuple("1.53", "6.23", "17.57", "7.03"));

    // Metric: V is taken to ft/s inside X, Rc stays in metres.
    const auto metres = size_scour_hole("Clay (PI 5-16)", "", "", "10", metric_outlet(), kMetric);
    EXPECT_NEAR(metres.length, r.length * 0.3048, 1e-4);
    EXPECT_FALSE(metres.D16);

    // An empty index is completed and nothing is sized yet.
    const auto empty = size_scour_hole("Clay (PI 5-16)", "", "", "", kOutlet, kEnglish);
    EXPECT_EQ(empty.plindex, "5.0");
    EXPECT_FALSE(empty.txt_D);
}
