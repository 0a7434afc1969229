// The rules that tie the section fields of the pipe window together.

#include <gtest/gtest.h>

#include <string>

#include "forms/section_rules.h"

using namespace pelvane::forms;

namespace {

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
}
