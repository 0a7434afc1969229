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

TEST(VdotApron, FroudeAboveThreeWarnsButStillDesigns) {
    EXPECT_FALSE(design_vdot_apron(outlet_24in("5", "3"), kArea24in, kEnglish).message);
    const auto r = design_vdot_apron(outlet_24in("5", "3.0001"), kArea24in, kEnglish);
    EXPECT_EQ(r.message, OutletMessage::VdotFroudeOverThree);
    EXPECT_EQ(r.txt_EC, " Class A1 ");
    EXPECT_EQ(r.txtEC_L, "6.00");
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

TEST(VdotApron, LargeBarrelAreaTakesFiveDiameters) {
    // A 60 in barrel: 19.6 sq ft, L = 5 · 5 = 25 ft.
    const OutletFields outlet{
        .pipe_shape = "Circular", .eDiaRise = "60", .V_C = "15", .FR_C = "1", .W_culvert = "5"};
    const auto r = design_vdot_apron(outlet, 19.635, kEnglish);
    EXPECT_EQ(r.txtEC_L, "25.00");
    EXPECT_EQ(r.txtEC_W, "25.00");
    EXPECT_EQ(r.txtEC_T, "3.00");
    // Two 24 in barrels together are 6.28 sq ft, still below 7.
    EXPECT_EQ(design_vdot_apron(outlet_24in("5"), 2 * kArea24in, kEnglish).txtEC_L, "6.00");
}

TEST(VdotApron, MetricProjectClassesOnFeetPerSecondAndThicknessInMetres) {
    // 3 m/s = 9.84 ft/s: Class I, 2.0 ft = 0.61 m thick; 600 mm barrel, 0.28 sq m.
    const OutletFields outlet{
        .pipe_shape = "Circular", .eDiaRise = "600", .V_C = "3", .FR_C = "1", .W_culvert = "0.6"};
    const auto r = design_vdot_apron(outlet, 0.2827, kMetric);
    EXPECT_EQ(r.txt_EC, " Class I ");
    EXPECT_EQ(r.txtEC_T, "0.61");
    EXPECT_EQ(r.txtEC_L, "1.80");
    EXPECT_EQ(r.txtEC_W, "1.80");
}

TEST(VdotApron, UnreadableFieldEndsQuietlyAfterClearing) {
    auto r = design_vdot_apron(outlet_24in(""), kArea24in, kEnglish);
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.txt_EC, "");
    // The class is written before the size is read.
    auto no_size = outlet_24in("5");
    no_size.eDiaRise = "";
    r = design_vdot_apron(no_size, kArea24in, kEnglish);
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.txt_EC, " Class A1 ");
    EXPECT_EQ(r.txtEC_L, "");
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
