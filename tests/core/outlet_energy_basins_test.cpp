// The Contra Costa and USBR Type VI basins.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "core/outlet/contra_costa.h"
#include "core/outlet/usbr_basin.h"
#include "core/text/number_text.h"

using namespace pelvane::outlet;
using pelvane::text::parse_number;

namespace {

const OutletUnits kEnglish = OutletUnits::for_units("ENGLISH");
const OutletUnits kMetric = OutletUnits::for_units("METRIC");

OutletFields box(const char* depth, const char* velocity, const char* discharge) {
    return OutletFields{.pipe_shape = "Box",
                        .E_Discharge = discharge,
                        .dn_C = depth,
                        .V_C = velocity,
                        .W_culvert = "4"};
}

// The velocity of a 0.5 ft deep box outlet whose Froude number is exactly `froude`.
std::string velocity_for_froude(double froude) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", froude * std::sqrt(32.2 * 0.5));
    return text;
}

}  // namespace

TEST(ContraCosta, DesignWithTheDefaultRatio) {
    // Values of an independent implementation.
    const auto r = design_contra_costa(box("1", "10", "40"), "", "", kEnglish);
    EXPECT_FALSE(r.failed);
    EXPECT_EQ(r.L2byh2, "3.5");
    EXPECT_EQ(r.txtdE, "1.00");
    EXPECT_EQ(r.txtFRo, "1.76");
    EXPECT_EQ(r.txtWbasin, "8.00");
    EXPECT_EQ(r.txth2, "1.10");
    EXPECT_EQ(r.txth1, "0.55");
    EXPECT_EQ(r.txtL2, "3.86");
    EXPECT_EQ(r.txtL1, "1.93");
    EXPECT_EQ(r.txtL3, "6.18");
    EXPECT_EQ(r.txtLB, "10.04");
    EXPECT_EQ(r.txtY2, "2.25");
    EXPECT_EQ(r.txth3, "0.23");
    EXPECT_EQ(r.txtyc, "0.90");
    EXPECT_EQ(r.txtVelocityc, "4.99");

    // A typed h3 stays; a typed ratio is used as it is.
    const auto typed = design_contra_costa(box("1", "10", "40"), "3.5", "0.7", kEnglish);
    EXPECT_FALSE(typed.txth3);
    EXPECT_FALSE(typed.L2byh2);
    EXPECT_EQ(typed.txtLB, "10.04");
}

TEST(ContraCosta, ExitDepthIsOneStepPastTheCriticalDischarge) {
    const double g = 32.2;
    const double floor = 8.0;
    const auto critical = [&](double y) {
        const double area = y * (floor + y);
        return std::sqrt(g * std::pow(area, 3) / (floor + 2.0 * y));
    };
    for (const char* discharge : {"5", "40", "120"}) {
        const auto r = design_contra_costa(box("1", "10", discharge), "4", "", kEnglish);
        const double yc = parse_number(*r.txtyc).value;
        const double q = parse_number(discharge).value;
        EXPECT_GE(critical(yc - 0.01 + 1e-9), q) << discharge;
        EXPECT_LT(critical(yc - 0.02 + 1e-9), q) << discharge;
    }
}

TEST(ContraCosta, FroudeAboveThreeGivesNone) {
    const std::string exactly_three = velocity_for_froude(3.0);
    ASSERT_EQ(parse_number(exactly_three).value / std::pow(32.2 * 0.5, 0.5), 3.0);
    auto r = design_contra_costa(box("0.5", exactly_three.c_str(), "20"), "3.5", "", kEnglish);
    EXPECT_FALSE(r.message);
    EXPECT_EQ(r.txtFRo, "3.00");
    EXPECT_NE(r.txtWbasin, "NONE");

    r = design_contra_costa(box("0.5", velocity_for_froude(3.0001).c_str(), "20"), "3.5", "",
                            kEnglish);
    EXPECT_EQ(r.message, OutletMessage::ContraCostaFroude);
    EXPECT_EQ(r.txtFRo, "3.00");
    EXPECT_EQ(r.txtdE, "0.50");
    EXPECT_EQ(r.txtWbasin, "NONE");
    EXPECT_EQ(r.txtLB, "");
    EXPECT_EQ(r.txtyc, "");
    EXPECT_FALSE(r.txtY2);
    EXPECT_FALSE(r.txth3);
}

TEST(ContraCosta, RatioFieldOnLeaving) {
    EXPECT_EQ(leave_l2_h2("2.5").text, "2.50");
    EXPECT_TRUE(leave_l2_h2("2.5").accepted());
    EXPECT_EQ(leave_l2_h2("7").text, "7.00");
    EXPECT_EQ(leave_l2_h2("").text, "3.5");
    for (const char* refused : {"2.49", "7.01", "0"}) {
        const auto exit = leave_l2_h2(refused);
        EXPECT_EQ(exit.text, refused);
        EXPECT_EQ(exit.message, OutletMessage::L2h2OutOfRange);
    }
    EXPECT_EQ(leave_h3("  1.234"), "1.23");
    EXPECT_EQ(leave_h3("  "), "");
}

TEST(UsbrBasin, LimitsAreInclusive) {
    OutletFields outlet{.pipe_shape = "Circular", .E_Discharge = "400", .V_C = "50"};
    auto r = design_usbr_basin(outlet, kEnglish);
    EXPECT_FALSE(r.message);
    EXPECT_FALSE(r.failed);
    // Values of an independent implementation.
    EXPECT_EQ(r.txtdE, "2.00");
    EXPECT_EQ(r.txtHo, "40.82");
    EXPECT_EQ(r.USBRsize[0], "18.00");
    EXPECT_EQ(r.USBRsize[1], "13.75");
    EXPECT_EQ(r.USBRsize[14], "0.58");
    EXPECT_EQ(r.txtHL, "29.98");
    EXPECT_EQ(r.txtdB, "0.88");

    for (const auto& [q, v] : {std::pair{"400.01", "50"}, std::pair{"400", "50.01"}}) {
        outlet.E_Discharge = q;
        outlet.V_C = v;
        r = design_usbr_basin(outlet, kEnglish);
        EXPECT_EQ(r.message, OutletMessage::UsbrLimitsExceeded);
        EXPECT_FALSE(r.txtHo);
        EXPECT_FALSE(r.USBRsize[0]);
    }
}

TEST(UsbrBasin, DesignOfACircularOutlet) {
    const OutletFields outlet{.pipe_shape = "Circular", .E_Discharge = "100", .V_C = "20"};
    const auto r = design_usbr_basin(outlet, kEnglish);
    EXPECT_EQ(r.txtdE, "1.58");
    EXPECT_EQ(r.txtFRo, "2.80");
    EXPECT_EQ(r.txtHo, "7.79");
    EXPECT_EQ(r.USBRsize[0], "10.00");
    // The 10 ft row.
    EXPECT_EQ(r.USBRsize[1], "7.58");
    EXPECT_EQ(r.USBRsize[7], "7.67");
    EXPECT_EQ(r.txtHL, "3.86");
    EXPECT_EQ(r.txtHe, "3.93");
    EXPECT_EQ(r.txtdB, "0.70");
    EXPECT_EQ(r.txtVB, "14.29");
}

TEST(UsbrBasin, WidthRoundsHalfToEven) {
    // A depth chosen so that Ho / r is exactly 8: W = 8.5 rounds to 8, not 9.
    const auto r = design_usbr_basin(box("1.4862111801242237", "8", "50"), kEnglish);
    EXPECT_EQ(r.USBRsize[0], "8.00");
    EXPECT_EQ(r.USBRsize[1], "6.17");
}

TEST(UsbrBasin, MetricWidthPicksTheRowInMetres) {
    // W = 4 m; the first row at least that wide is 14 ft (4.27 m).
    const OutletFields outlet{.pipe_shape = "Circular", .E_Discharge = "2", .V_C = "3"};
    const auto r = design_usbr_basin(outlet, kMetric);
    EXPECT_EQ(r.USBRsize[0], "4.00");
    EXPECT_EQ(r.USBRsize[1], "3.28");  // 10.75 ft
    EXPECT_EQ(r.txtdB, "0.15");
    EXPECT_EQ(r.txtVB, "3.33");
}

TEST(UsbrBasin, NarrowWidthIsRaisedToFourFeet) {
    const auto r = design_usbr_basin(box("0.2", "5", "50"), kEnglish);
    EXPECT_EQ(r.USBRsize[0], "4.00");
    EXPECT_EQ(r.USBRsize[1], "3.08");
    // The flow cannot lose enough energy in so narrow a basin: the depth scan stops at
    // the first depth above Ho (0.59 ft).
    EXPECT_EQ(r.txtHo, "0.59");
    EXPECT_EQ(r.txtdB, "0.59");
    EXPECT_EQ(r.txtVB, "21.19");
}

TEST(UsbrBasin, WideBasinsTakeTheLastRow) {
    // 400 cfs at 45 ft/s from a box flowing 3 ft deep needs a basin 24 ft wide.
    const auto r = design_usbr_basin(box("3", "45", "400"), kEnglish);
    ASSERT_TRUE(r.USBRsize[0]);
    EXPECT_GT(parse_number(*r.USBRsize[0]).value, 19.0);
    EXPECT_EQ(r.USBRsize[1], "15.33");
}
