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

// Text, enabled and highlighted of a change, "-" where the change leaves it alone.
std::string describe(const FieldChange& c) {
    auto flag = [](const std::optional<bool>& b) { return b ? (*b ? "1" : "0") : "-"; };
    return (c.text ? "'" + *c.text + "'" : std::string("-")) + " " + flag(c.enabled) + " " +
           flag(c.highlighted);
}

}  // namespace

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

TEST(ShapeChosen, ArchLocksItsMaterialAndN) {
    const SectionChange c = shape_chosen("Arch-S-Cor", "ENGLISH");
    EXPECT_EQ(describe(c.pipe_mat), "'CMP (Small Corr.)' 0 0");
    EXPECT_EQ(describe(c.pipe_mann), "'0.024' - -");
    EXPECT_EQ(describe(c.pipe_dia), "'' 0 1");
    EXPECT_EQ(describe(c.span), "'23' 1 0");
    EXPECT_EQ(describe(c.rise), "'14' 1 0");

    const SectionChange metric = shape_chosen("Arch-Conc", "METRIC");
    EXPECT_EQ(describe(metric.pipe_mat), "'Concrete' 0 0");
    EXPECT_EQ(describe(metric.pipe_mann), "'0.013' - -");
    EXPECT_EQ(describe(metric.span), "'585' 1 0");
    EXPECT_EQ(describe(metric.rise), "'355' 1 0");
}

TEST(SizeLeft, FillsAnEmptySpanOrRiseByUnits) {
    EXPECT_EQ(size_left_fill(SizeField::Span, "Elliptical", "ENGLISH", ""), "23");
    EXPECT_EQ(size_left_fill(SizeField::Rise, "Box", "ENGLISH", ""), "14");
    // Not the 585 x 355 a shape change starts from.
    EXPECT_EQ(size_left_fill(SizeField::Span, "Arch-Conc", "METRIC", ""), "5060");
    EXPECT_EQ(size_left_fill(SizeField::Rise, "Arch-Conc", "METRIC", ""), "3080");
}
