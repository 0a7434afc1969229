// The riprap basin.

#include <gtest/gtest.h>

#include "core/outlet/riprap_basin.h"

using namespace pelvane::outlet;

namespace {

const OutletUnits kEnglish = OutletUnits::for_units("ENGLISH");

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
    EXPECT_EQ(r.txtdE, "0.97");
    EXPECT_EQ(r.txtFRo, "2.87");
    EXPECT_EQ(r.sizeD50, "0.800");
    EXPECT_EQ(r.D_Pool, "0.60");
    EXPECT_EQ(r.L_Pool, "6.00");  // 10·hs is below 3·W0
    EXPECT_EQ(r.L_Basin, "8.99");
    EXPECT_EQ(r.L_Apron, "2.99");
    EXPECT_EQ(r.T_StoneA, "2.40");
    EXPECT_EQ(r.T_StoneB, "1.60");
    EXPECT_EQ(r.W_Exit, "7.99");
    EXPECT_EQ(r.V_Exit, "4.15");
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
