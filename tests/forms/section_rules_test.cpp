// The rules that tie the section fields of the pipe window together.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/pipe/catalogue.h"
#include "forms/section_rules.h"

using namespace pelvane::forms;
using pelvane::pipe::standard_diameters;

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
