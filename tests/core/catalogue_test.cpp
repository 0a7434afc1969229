#include <gtest/gtest.h>

#include <string>

#include "core/pipe/catalogue.h"

using namespace pelvane::pipe;

TEST(CatalogueShapes, ArchesAndStoredNames) {
    EXPECT_FALSE(find_shape(kStoredRectangular)) << "not offered in the list";
    EXPECT_TRUE(find_shape("Circular")->uses_diameter);
    EXPECT_FALSE(find_shape("Box")->uses_diameter);
    for (const char* arch : {"Arch-Conc", "Arch-S-Cor", "Arch-M-Cor", "Arch-L-Cor"}) {
        EXPECT_TRUE(is_arch(arch)) << arch;
    }
    for (const char* other : {"Circular", "Elliptical", "Box", "Rectangulr", ""}) {
        EXPECT_FALSE(is_arch(other)) << other;
    }
    EXPECT_EQ(shown_shape("Rectangulr"), "Box");
    EXPECT_EQ(shown_shape("Elliptical"), "Elliptical");
    EXPECT_EQ(shown_material("CMP"), "CMP (Small Corr.)");
}

TEST(ManningN, MaterialOnAFreeShape) {
    EXPECT_EQ(manning_n("CMP (Medium Corr.)", "Box"), "0.027");
    EXPECT_EQ(manning_n("Plastic", "Elliptical"), "0.012");
    EXPECT_EQ(manning_n("Other", "Circular"), "0.017");
    EXPECT_FALSE(manning_n("", "Box")) << "no row: n is left alone";
    EXPECT_FALSE(manning_n("Steel", "Circular"));
}

TEST(SizeLeft, FillsAnEmptySpanOrRiseByUnits) {
    EXPECT_EQ(size_left_fill(SizeField::Span, "Elliptical", "ENGLISH", ""), "23");
    EXPECT_EQ(size_left_fill(SizeField::Rise, "Box", "ENGLISH", ""), "14");
    // Not the 585 x 355 a shape change starts from.
    EXPECT_EQ(size_left_fill(SizeField::Span, "Arch-Conc", "METRIC", ""), "5060");
    EXPECT_EQ(size_left_fill(SizeField::Rise, "Arch-Conc", "METRIC", ""), "3080");
}
