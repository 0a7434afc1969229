#include <gtest/gtest.h>

#include "core/hydrology/land_use.h"
#include "core/text/number_text.h"

using namespace pelvane::hydrology;

TEST(LandUse, EachVersionHasItsRowsWithCInsideTheirRange) {
    for (const bool legacy : {false, true}) {
        const auto rows = land_use_rows(legacy);
        ASSERT_EQ(rows.size(), legacy ? 24u : 15u);
        for (const auto& row : rows) {
            const auto range = parse_c_range(row.c_range);
            ASSERT_TRUE(range) << row.type;
            EXPECT_LT(range->low, range->high) << row.type;
            // The first C shown is the low end of the row's range.
            EXPECT_DOUBLE_EQ(pelvane::text::parse_number(row.initial_c).value, range->low)
                << row.type;
        }
    }
}

TEST(LandUse, CRangeNeedsTwoNumbers) {
    const auto range = parse_c_range("0.25 - 0.35");
    ASSERT_TRUE(range);
    EXPECT_DOUBLE_EQ(range->low, 0.25);
    EXPECT_DOUBLE_EQ(range->high, 0.35);
    EXPECT_FALSE(parse_c_range("0.25"));
    EXPECT_FALSE(parse_c_range("0.25 - x"));
}

TEST(LandUse, ChoicesGiveTheirDependentValue) {
    EXPECT_EQ(choice_value(land_cover_choices(), "Fallow,Contour cropped,woodland (0.152)"),
              "0.152");
    EXPECT_EQ(choice_value(land_cover_choices(), "Paved - shallow (0.619)"), "0.619");
    EXPECT_EQ(choice_value(soil_type_choices(), "Dense Grass"), "0.21");
    EXPECT_EQ(choice_value(surface_type_choices(), "Concrete channels"), "0.2");
    EXPECT_EQ(choice_value(surface_type_choices(), "Overland flow (grass surfaces)"), "2.0");
    EXPECT_FALSE(choice_value(soil_type_choices(), "paved"));
}
