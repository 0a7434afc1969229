// The scour hole for granular and clay beds.

#include <gtest/gtest.h>

#include "core/outlet/scour_hole.h"
#include "core/text/number_text.h"

using namespace pelvane::outlet;
using pelvane::text::parse_number;

namespace {

const OutletUnits kEnglish = OutletUnits::for_units("ENGLISH");
const OutletUnits kMetric = OutletUnits::for_units("METRIC");

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

TEST(ScourHole, GranularBed) {
    // Values of an independent implementation (σ = 10, P = 2.49).
    const auto r = size_scour_hole("Coarse Gravel", "0.01", "0.1", "5.0", kOutlet, kEnglish);
    EXPECT_FALSE(r.failed);
    EXPECT_FALSE(r.clay);
    EXPECT_EQ(r.txt_D, "0.65");
    EXPECT_EQ(r.txt_W, "2.16");
    EXPECT_EQ(r.txt_L, "4.82");
    EXPECT_EQ(r.txtLocation, "1.93");
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
    EXPECT_EQ(r.txt_D, "1.53");
    EXPECT_EQ(r.txt_W, "6.23");
    EXPECT_EQ(r.txt_L, "17.57");  // time exponent 0.10
    EXPECT_EQ(r.txtLocation, "7.03");

    // Metric: V is taken to ft/s inside X, Rc stays in metres.
    const auto metres = size_scour_hole("Clay (PI 5-16)", "", "", "10", metric_outlet(), kMetric);
    EXPECT_NEAR(metres.length, r.length * 0.3048, 1e-4);
    EXPECT_FALSE(metres.D16);

    // An empty index is completed and nothing is sized yet.
    const auto empty = size_scour_hole("Clay (PI 5-16)", "", "", "", kOutlet, kEnglish);
    EXPECT_EQ(empty.plindex, "5.0");
    EXPECT_FALSE(empty.txt_D);
}
