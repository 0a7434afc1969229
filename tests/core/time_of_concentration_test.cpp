#include <gtest/gtest.h>

#include "core/hydrology/land_use.h"
#include "core/hydrology/time_of_concentration.h"
#include "core/text/number_text.h"

using namespace pelvane::hydrology;
using pelvane::text::format_number;

namespace {

const TcConstants kEnglish = TcConstants::for_units("ENGLISH");
const TcConstants kMetric = TcConstants::for_units("METRIC");
constexpr double kFeetPerMetre = 1.0 / 0.3048;

}  // namespace

TEST(TimeOfConcentration, SeelyeOverlandFlowOverOneHundredFeet) {
    const auto slope = segment_slope(100.0, 101.0, 100.0);
    ASSERT_TRUE(slope);
    EXPECT_DOUBLE_EQ(*slope, 0.01);
    const auto time = seelye_time(kEnglish, 100.0, *slope, 0.9);
    ASSERT_TRUE(time);
    EXPECT_EQ(format_number(*time, "0.000"), "4.149");
}

TEST(TimeOfConcentration, ChannelTimeFollowsTheVelocity) {
    EXPECT_DOUBLE_EQ(*travel_time(120.0, 2.0), 1.0);
    // 18 in pipe at 1 %, n 0.013, flowing full: the familiar 5.94 ft/s.
    const auto full = full_pipe_velocity(kEnglish, 0.013, 1.5, 0.01);
    ASSERT_TRUE(full);
    EXPECT_EQ(format_number(*full, "0.00"), "5.94");
    EXPECT_DOUBLE_EQ(*full, *manning_velocity(kEnglish, 0.013, 1.5 / 4.0, 0.01));
}

// The same flow path measured in metres gives the same minutes as in feet: each
// metric constant is its English one converted.
TEST(TimeOfConcentration, MetricConstantsAgreeWithEnglish) {
    const double length_m = 80.0;
    const double length_ft = length_m * kFeetPerMetre;
    const double near = 1e-3;  // relative; the constants carry four or five digits

    const double shallow_m = *shallow_flow_time(kMetric, length_m, 2.0, 0.213);
    const double shallow_ft = *shallow_flow_time(kEnglish, length_ft, 2.0, 0.213);
    EXPECT_NEAR(shallow_m / shallow_ft, 1.0, near);

    const double seelye_m = *seelye_time(kMetric, length_m, 0.02, 0.35);
    const double seelye_ft = *seelye_time(kEnglish, length_ft, 0.02, 0.35);
    EXPECT_NEAR(seelye_m / seelye_ft, 1.0, near);

    const double kirpich_m = *kirpich_time(kMetric, length_m, 3.0, 1.0);
    const double kirpich_ft = *kirpich_time(kEnglish, length_ft, 3.0 * kFeetPerMetre, 1.0);
    EXPECT_NEAR(kirpich_m / kirpich_ft, 1.0, near);

    const double velocity_m = *manning_velocity(kMetric, 0.016, 0.3, 0.005);
    const double velocity_ft = *manning_velocity(kEnglish, 0.016, 0.3 * kFeetPerMetre, 0.005);
    EXPECT_NEAR(velocity_m * kFeetPerMetre / velocity_ft, 1.0, near);
}

TEST(TimeOfConcentration, ArithmeticFailuresGiveNothing) {
    EXPECT_FALSE(segment_slope(0.0, 101.0, 100.0));
    EXPECT_FALSE(travel_time(120.0, 0.0));
    EXPECT_FALSE(shallow_flow_time(kEnglish, 100.0, 1.0, 0.0));     // k = 0
    EXPECT_FALSE(shallow_flow_time(kEnglish, 100.0, -1.0, 0.076));  // root of a negative
    EXPECT_FALSE(manning_velocity(kEnglish, 0.0, 0.5, 0.01));       // n = 0
    EXPECT_FALSE(manning_velocity(kEnglish, 0.016, 0.5, -0.01));
    EXPECT_FALSE(seelye_time(kEnglish, 100.0, 0.01, 0.0));  // C = 0
    EXPECT_FALSE(seelye_time(kEnglish, 100.0, 0.0, 0.9));   // zero slope to a negative power
    EXPECT_FALSE(kirpich_time(kEnglish, 500.0, 0.0, 1.0));
    EXPECT_FALSE(kirpich_time(kEnglish, -500.0, 10.0, 1.0));
}

TEST(LandUse, CRangeNeedsTwoNumbers) {
    const auto range = parse_c_range("0.25 - 0.35");
    ASSERT_TRUE(range);
    EXPECT_DOUBLE_EQ(range->low, 0.25);
    EXPECT_DOUBLE_EQ(range->high, 0.35);
    EXPECT_FALSE(parse_c_range("0.25"));
    EXPECT_FALSE(parse_c_range("0.25 - x"));
}
