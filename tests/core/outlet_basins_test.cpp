// The energy dissipator basins: riprap, Contra Costa and USBR Type VI.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <tuple>

#include "core/outlet/contra_costa.h"
#include "core/outlet/riprap_basin.h"
#include "core/outlet/usbr_basin.h"
#include "core/text/number_text.h"

using namespace pelvane::outlet;
using pelvane::text::parse_number;

namespace {

const OutletUnits kEnglish = OutletUnits::for_units("ENGLISH");

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

// A box outlet flowing 1 ft deep at 14.1863 ft/s: dE = 1, FRo = 2.5.
OutletFields box_outlet(const char* tailwater) {
    return OutletFields{.pipe_shape = "Box",
                        .E_Discharge = "30",
                        .dn_C = "1",
                        .V_C = "14.1863",
                        .W_culvert = "2",
                        .dn_TW = tailwater};
}

}  // namespace

TEST(ContraCosta, DesignWithTheDefaultRatio) {
    // Values of an independent implementation.
    const auto r = design_contra_costa(box("1", "10", "40"), "", "", kEnglish);
    EXPECT_FALSE(r.failed);
    EXPECT_EQ(std::tie(r.L2byh2, r.txtdE, r.txtFRo, r.txtWbasin, r.txth2, r.txth1, r.txtL2, r.txtL1,
                       r.txtL3, r.txtLB, r.txtY2, r.txth3, r.txtyc, r.txtVelocityc),
              std::make_tuple("3.5", "1.00", "1.76", "8.00", "1.10", "0.55", "3.86", "1.93", "6.18",
                              "10.04", "2.25", "0.23", "0.90", "4.99"));

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
    EXPECT_EQ(std::tie(r.txtFRo, r.txtdE, r.txtWbasin, r.txtLB, r.txtyc),
              std::make_tuple("3.00", "0.50", "NONE", "", ""));
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
    EXPECT_EQ(
        std::tie(r.txtdE, r.txtHo, r.USBRsize[0], r.USBRsize[1], r.USBRsize[14], r.txtHL, r.txtdB),
        std::make_tuple("2.00", "40.82", "18.00", "13.75", "0.58", "29.98", "0.88"));

    for (const auto& [q, v] : {std::pair{"400.01", "50"}, std::pair{"400", "50.01"}}) {
        outlet.E_Discharge = q;
        outlet.V_C = v;
        r = design_usbr_basin(outlet, kEnglish);
        EXPECT_EQ(r.message, OutletMessage::UsbrLimitsExceeded);
        EXPECT_FALSE(r.txtHo);
        EXPECT_FALSE(r.USBRsize[0]);
    }
}

TEST(RiprapBasin, DesignOfACircularOutlet) {
    // Values of an independent implementation: A = 30 / 16, dE = (A / 2)^0.5.
    const OutletFields outlet{.pipe_shape = "Circular",
                              .E_Discharge = "30",
                              .dn_C = "0.9",
                              .V_C = "16",
                              .W_culvert = "2",
                              .dn_TW = "0.9"};
    const auto r = design_riprap_basin(outlet, "Class A1", kEnglish);
    EXPECT_FALSE(r.failed);
    EXPECT_FALSE(r.message);
    // The pool length 6.00 is 3·W0, 10·hs being below it.
    EXPECT_EQ(std::tie(r.txtdE, r.txtFRo, r.sizeD50, r.D_Pool, r.L_Pool, r.L_Basin, r.L_Apron,
                       r.T_StoneA, r.T_StoneB, r.W_Exit, r.V_Exit),
              std::make_tuple("0.97", "2.87", "0.800", "0.60", "6.00", "8.99", "2.99", "2.40",
                              "1.60", "7.99", "4.15"));
}

TEST(RiprapBasin, FroudeNumberIsTestedAsShown) {
    // dE = 0.5 ft (box): FRo = V / 16.1^0.5.
    OutletFields outlet = box_outlet("0.5");
    outlet.dn_C = "0.5";
    outlet.V_C = "12.0535";  // FRo 3.004, shown 3.00
    auto r = design_riprap_basin(outlet, "Class I", kEnglish);
    EXPECT_EQ(r.txtFRo, "3.00");
    EXPECT_FALSE(r.message);
    EXPECT_TRUE(r.D_Pool && !r.D_Pool->empty());

    outlet.V_C = "12.0615";  // FRo 3.006, shown 3.01
    r = design_riprap_basin(outlet, "Class I", kEnglish);
    EXPECT_EQ(r.txtFRo, "3.01");
    EXPECT_EQ(r.message, OutletMessage::RiprapBasinSpecialDesign);
    EXPECT_EQ(r.txtdE, "0.50");
    EXPECT_FALSE(r.D_Pool);
    EXPECT_FALSE(r.sizeD50);
}

TEST(RiprapBasin, BoxTakesTheOutletDepthOthersTheJetArea) {
    OutletFields outlet = box_outlet("1");
    outlet.dn_C = "0.8";
    EXPECT_EQ(design_riprap_basin(outlet, "Class I", kEnglish).txtdE, "0.80");
    outlet.pipe_shape = "Rectangulr";
    EXPECT_EQ(design_riprap_basin(outlet, "Class I", kEnglish).txtdE, "0.80");
    // Q / V = 2 sq ft: dE = 1.
    outlet = OutletFields{.pipe_shape = "Arch-Conc",
                          .E_Discharge = "20",
                          .dn_C = "0.8",
                          .V_C = "10",
                          .W_culvert = "2",
                          .dn_TW = "1"};
    EXPECT_EQ(design_riprap_basin(outlet, "Class I", kEnglish).txtdE, "1.00");
}
