#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/pipe/catalogue.h"

using namespace pelvane::pipe;

namespace {

template <class Span>
std::vector<std::string> texts(const Span& items) {
    return {items.begin(), items.end()};
}

}  // namespace

TEST(CatalogueLists, MetricDiametersForAnyUnitsButEnglish) {
    EXPECT_EQ(standard_diameters("ENGLISH").front(), "12");
    EXPECT_EQ(standard_diameters("METRIC").front(), "300");
    EXPECT_EQ(texts(standard_diameters("")), texts(standard_diameters("METRIC")));
    EXPECT_EQ(new_pipe_diameter("Metric"), "450");
}

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
    EXPECT_EQ(shown_material("CMP (Large Corr.)"), "CMP (Large Corr.)");
}

TEST(ManningN, MaterialOnAFreeShape) {
    EXPECT_EQ(manning_n("CMP (Medium Corr.)", "Box"), "0.027");
    EXPECT_EQ(manning_n("Plastic", "Elliptical"), "0.012");
    EXPECT_EQ(manning_n("Other", "Circular"), "0.017");
    EXPECT_FALSE(manning_n("", "Box")) << "no row: n is left alone";
    EXPECT_FALSE(manning_n("Steel", "Circular"));
}

TEST(ManningN, FirstMatchingRowWins) {
    // The arch rows come before the free materials: an arch's shape decides even when
    // a record holds some other material.
    EXPECT_EQ(manning_n("Plastic", "Arch-M-Cor"), "0.027");
    EXPECT_EQ(manning_n("Brick", "Arch-Conc"), "0.013");
    EXPECT_EQ(manning_n("", "Arch-L-Cor"), "0.033");
    // A material row ahead of the shape's own row wins.
    EXPECT_EQ(manning_n("Concrete", "Arch-L-Cor"), "0.013");
}

TEST(SizeLeft, FillsAnEmptySpanOrRiseByUnits) {
    EXPECT_EQ(size_left_fill(SizeField::Span, "Elliptical", "ENGLISH", ""), "23");
    EXPECT_EQ(size_left_fill(SizeField::Rise, "Box", "ENGLISH", ""), "14");
    // Not the 585 x 355 a shape change starts from.
    EXPECT_EQ(size_left_fill(SizeField::Span, "Arch-Conc", "METRIC", ""), "5060");
    EXPECT_EQ(size_left_fill(SizeField::Rise, "Arch-Conc", "METRIC", ""), "3080");
}

TEST(SizeLeft, NothingFilledOtherwise) {
    EXPECT_FALSE(size_left_fill(SizeField::Span, "Circular", "ENGLISH", ""));
    EXPECT_FALSE(size_left_fill(SizeField::Rise, "Circular", "METRIC", ""));
    EXPECT_FALSE(size_left_fill(SizeField::Span, "Box", "ENGLISH", "30"));
    EXPECT_FALSE(size_left_fill(SizeField::Span, "Box", "ENGLISH", " ")) << "blanks are not empty";
    // Unlike elsewhere, a units text other than the two known ones fills nothing.
    EXPECT_FALSE(size_left_fill(SizeField::Span, "Box", "Metric", ""));
    EXPECT_FALSE(size_left_fill(SizeField::Rise, "Box", "", ""));
}
