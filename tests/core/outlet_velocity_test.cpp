// The 2-year outlet velocity scans, checked against independent depth solutions.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/outlet/two_year_flow.h"
#include "core/text/number_text.h"

using namespace pelvane::outlet;

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

}  // namespace

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
