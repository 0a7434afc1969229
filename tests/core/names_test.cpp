// Typed county and station names against the lists' own spellings.

#include "core/text/names.h"

#include <gtest/gtest.h>

namespace pelvane::text {
namespace {

const std::vector<std::string> kStations{
    "Blacksburg  ", "Blacksburg 3 SE", "Blackstone Water Works",
    "Bland",        "Newport  2 NNW",  "Floyd ",
    "FLOYD"};

TEST(Names, ATypedNameFindsTheListsSpelling) {
    const struct {
        const char* typed;
        std::optional<std::string> listed;
    } cases[] = {
        {"Blacksburg  ", "Blacksburg  "},  // exact
        {"blacksburg", "Blacksburg  "},
        {"  BLACKSBURG\t", "Blacksburg  "},
        {"newport 2  nnw", "Newport  2 NNW"},
        {"FLOYD", "FLOYD"},       // the exact text wins over another spelling
        {"floyd", std::nullopt},  // two spellings: none is taken for the person
        {"Blacksburg 3", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(listed_name(c.typed, kStations), c.listed) << c.typed;
}

TEST(Names, ClosestNamesPutPrefixesFirstThenTheNearest) {
    EXPECT_EQ(
        closest_names("blacks", kStations),
        (std::vector<std::string>{"Blacksburg  ", "Blacksburg 3 SE", "Blackstone Water Works"}));
    EXPECT_EQ(closest_names("Blaksburg", kStations, 2),
              (std::vector<std::string>{"Blacksburg  ", "Blacksburg 3 SE"}));
    EXPECT_EQ(closest_names("Flyod", kStations, 1), std::vector<std::string>{"Floyd "});
    EXPECT_TRUE(closest_names("x", {}).empty());
}

}  // namespace
}  // namespace pelvane::text
