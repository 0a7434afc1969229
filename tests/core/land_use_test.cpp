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

TEST(LandUse, RowsAreWhereTheWindowsExpectThem) {
    const auto current = land_use_rows(false);
    EXPECT_EQ(current[11].type, "Lawns");
    EXPECT_EQ(current[11].c_range, "0.25 - 0.35");
    EXPECT_EQ(current[6].type, "- Lots ½ acre or more");
    EXPECT_EQ(current[6].group, "RESIDENTIAL:");
    EXPECT_EQ(current[0].group, "");
    const auto legacy = land_use_rows(true);
    EXPECT_EQ(legacy[2].type, "Single-Famile");
    EXPECT_EQ(legacy[9].type, "Parks, Cemetaries");
    EXPECT_EQ(legacy[13].c_range, "0.05 - 0.10");
    EXPECT_EQ(legacy[19].group, "STREETS");
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
    EXPECT_EQ(land_cover_choices().size(), 8u);
    EXPECT_EQ(soil_type_choices().size(), 5u);
    EXPECT_EQ(surface_type_choices().size(), 6u);
}
