#include <gtest/gtest.h>

#include "core/text/item_list.h"

using pelvane::text::join_items;
using pelvane::text::split_items;
using Items = std::vector<std::string>;

TEST(ItemList, SplitKeepsEmptyItemsAndTheEmptyTextHasNone) {
    EXPECT_TRUE(split_items("", ',').empty());
    EXPECT_EQ(split_items("2.000,,1.500", ','), (Items{"2.000", "", "1.500"}));
    EXPECT_EQ(split_items(",", ','), (Items{"", ""}));
    EXPECT_EQ(split_items("a,", ','), (Items{"a", ""}));
}

TEST(ItemList, SurplusSeparatorsStayInTheChosenItem) {
    EXPECT_EQ(split_items("a,b,c,d", ',', 3), (Items{"a", "b", "c,d"}));
    EXPECT_EQ(split_items("a,b,c,d", ',', 3, 1), (Items{"a", "b,c", "d"}));
    EXPECT_EQ(split_items("a,b,c,d,e", ',', 3, 0), (Items{"a,b,c", "d", "e"}));
    // Not more items than allowed: nothing is merged.
    EXPECT_EQ(split_items("a,b", ',', 3, 0), (Items{"a", "b"}));
}
