// The VDOT riprap apron and the riprap classes.

#include <gtest/gtest.h>

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
