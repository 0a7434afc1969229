#include <gtest/gtest.h>

#include "core/hydrology/land_use.h"
#include "core/text/number_text.h"

using namespace pelvane::hydrology;

TEST(LandUse, CRangeNeedsTwoNumbers) {
    const auto range = parse_c_range("0.25 - 0.35");
    ASSERT_TRUE(range);
    EXPECT_DOUBLE_EQ(range->low, 0.25);
    EXPECT_DOUBLE_EQ(range->high, 0.35);
    EXPECT_FALSE(parse_c_range("0.25"));
    EXPECT_FALSE(parse_c_range("0.25 - x"));
}
