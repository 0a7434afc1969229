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
