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
    EXPECT_EQ(*shape_chosen("Arch-L-Cor", "ENGLISH").pipe_mann.text, "0.033");
    EXPECT_EQ(*shape_chosen("Arch-M-Cor", "ENGLISH").pipe_mat.text, "CMP (Medium Corr.)");
}

TEST(ShapeChosen, FreeShapesReleaseTheMaterialButKeepItsText) {
    for (const char* shape : {"Elliptical", "Box"}) {
        const SectionChange c = shape_chosen(shape, "ENGLISH");
        EXPECT_EQ(describe(c.pipe_mat), "- 1 0") << shape;
        EXPECT_EQ(describe(c.pipe_mann), "- - -") << shape;
        EXPECT_EQ(describe(c.span), "'23' 1 0") << shape;
    }
    const SectionChange circular = shape_chosen("Circular", "ENGLISH");
    EXPECT_EQ(describe(circular.pipe_mat), "- 1 0");
    EXPECT_EQ(describe(circular.pipe_dia), "'18' 1 0");
    EXPECT_EQ(describe(circular.span), "'' 0 1");
    EXPECT_EQ(describe(circular.rise), "'' 0 1");
}

TEST(ShapeChosen, MetricCircularDiffersFromANewPipe) {
    EXPECT_EQ(*shape_chosen("Circular", "METRIC").pipe_dia.text, "300");
    EXPECT_EQ(*shape_chosen("Circular", "SI").pipe_dia.text, "300");

    const SectionChange fresh = new_pipe_section("METRIC");
    EXPECT_EQ(describe(fresh.pipe_dia), "'450' 1 0");
    EXPECT_EQ(*fresh.pipe_dia.items, texts(standard_diameters("METRIC")));
    EXPECT_EQ(describe(fresh.pipe_shape), "'Circular' - -");
    EXPECT_EQ(describe(fresh.pipe_mat), "'Concrete' 1 0");
    EXPECT_EQ(describe(fresh.pipe_mann), "'0.013' - -");
    EXPECT_EQ(describe(fresh.span), "'' 0 1");
    EXPECT_EQ(describe(fresh.numofpipes), "'1' - -");
    EXPECT_EQ(*new_pipe_section("ENGLISH").pipe_dia.text, "18");
    EXPECT_EQ(new_pipe_section("ENGLISH").pipe_dia.items->size(), 14u);
}

TEST(FieldStates, ReappliedWithoutChangingTexts) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        // shape: diameter, span, rise, material
        {"Circular", {"- 1 0", "- 0 1", "- 0 1", "- 1 -"}},
        {"Box", {"- 0 1", "- 1 0", "- 1 0", "- 1 -"}},
        {"Rectangulr", {"- 0 1", "- 1 0", "- 1 0", "- 1 -"}},
        {"Arch-Conc", {"- 0 1", "- 1 0", "- 1 0", "- 0 -"}},
        {"Arch-L-Cor", {"- 0 1", "- 1 0", "- 1 0", "- 0 -"}},
    };
    for (const auto& [shape, expected] : cases) {
        const SectionChange c = field_states(shape);
        EXPECT_EQ((std::vector<std::string>{describe(c.pipe_dia), describe(c.span),
                                            describe(c.rise), describe(c.pipe_mat)}),
                  expected)
            << shape;
        EXPECT_TRUE(c.pipe_mann.empty() && c.pipe_shape.empty()) << shape;
    }
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
