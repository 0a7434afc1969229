// The text helpers: numbers read and written as the windows do, item lists, and
// typed county and station names against the lists' own spellings.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "core/text/item_list.h"
#include "core/text/names.h"
#include "core/text/number_text.h"
#include "core/text/packed_texts.h"

using namespace pelvane::text;
using Items = std::vector<std::string>;

namespace {

const std::vector<std::string> kStations{
    "Blacksburg  ", "Blacksburg 3 SE", "Blackstone Water Works",
    "Bland",        "Newport  2 NNW",  "Floyd ",
    "FLOYD"};

}  // namespace

TEST(ParseNumber, EmptyAndGarbageAreDistinctFailures) {
    EXPECT_TRUE(parse_number("").empty());
    EXPECT_EQ(parse_number("   ").status, ParsedNumber::Status::NotANumber);
    for (const char* bad : {"abc", "1.2.3", "1,000", "--1", "1e", ".", "+", "inf", "nan", "0x10",
                            "1 2", "12a", "1e400"}) {
        EXPECT_EQ(parse_number(bad).status, ParsedNumber::Status::NotANumber) << bad;
    }
}

TEST(ParseNumber, AcceptsDecimalFormsWithSurroundingBlanks) {
    const std::pair<const char*, double> cases[] = {
        {"2", 2.0},  {" 2.5 ", 2.5},  {"\t-3.25", -3.25}, {".5", 0.5}, {"5.", 5.0},
        {"+7", 7.0}, {"1e3", 1000.0}, {"2.5E-2", 0.025},  {"-0", 0.0}, {"0.013", 0.013},
    };
    for (const auto& [text, value] : cases) {
        const auto p = parse_number(text);
        ASSERT_TRUE(p.ok()) << text;
        EXPECT_DOUBLE_EQ(p.value, value) << text;
    }
}

TEST(FormatNumber, RoundsHalfAwayOnTheFifteenDigitForm) {
    // 2.675 and 1.0005 are just below the half in binary; the decimal form decides.
    EXPECT_EQ(format_number(2.675, "0.00"), "2.68");
    EXPECT_EQ(format_number(1.0005, "0.000"), "1.001");
    EXPECT_EQ(format_number(-2.675, "0.00"), "-2.68");
    EXPECT_EQ(format_number(0.125, "0.00"), "0.13");
    EXPECT_EQ(format_number(1.45, "0.0"), "1.5");
    EXPECT_EQ(format_number(9.9995, "0.000"), "10.000");
    EXPECT_EQ(format_number(999.96, "0.0"), "1000.0");
}

TEST(FormatNumber, PatternsAndLeadingDigit) {
    EXPECT_EQ(format_number(2, "0.000"), "2.000");
    EXPECT_EQ(format_number(2, "0.0000"), "2.0000");
    EXPECT_EQ(format_number(0.5, "#0.000"), "0.500");
    EXPECT_EQ(format_number(0.00012, "0.00000"), "0.00012");
    EXPECT_EQ(format_number(123.456, "#0.0000"), "123.4560");
    EXPECT_EQ(format_number(0.04, "0.0"), "0.0");
    EXPECT_EQ(format_number(0.05, "0.0"), "0.1");
    EXPECT_EQ(format_number(7.5, "0"), "8");
    EXPECT_EQ(pattern_decimals("#0.0000"), 4);
    EXPECT_EQ(pattern_decimals("0"), 0);
}

TEST(FormatNumber, HugeTinyAndNonFinite) {
    EXPECT_EQ(format_number(1e20, "0.0"), "100000000000000000000.0");
    EXPECT_EQ(format_number(123456789012345678.0, "0"), "123456789012346000");
    EXPECT_EQ(format_number(1e-20, "0.000"), "0.000");
    EXPECT_EQ(format_number(std::numeric_limits<double>::quiet_NaN(), "0.0"), "NaN");
    EXPECT_EQ(format_number(-std::numeric_limits<double>::infinity(), "0.0"), "-Infinity");
}

TEST(ShortestText, FifteenDigitsWithoutTrailingZeros) {
    EXPECT_EQ(shortest_text(1.5), "1.5");
    EXPECT_EQ(shortest_text(3), "3");
    EXPECT_EQ(shortest_text(2.05), "2.05");
    EXPECT_EQ(shortest_text(0.1 + 0.2), "0.3");
    EXPECT_EQ(shortest_text(-0.7), "-0.7");
    EXPECT_EQ(shortest_text(0), "0");
    EXPECT_EQ(shortest_text(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(shortest_text(123456789012345.0), "123456789012345");
    EXPECT_EQ(shortest_text(1e15), "1E+15");
    EXPECT_EQ(shortest_text(0.00001), "0.00001");
    EXPECT_EQ(shortest_text(2.5e-7), "2.5E-07");
}

// The shortest text against printf's 15 significant digits ("%.15G" rounds as "%.14e"
// does) over random bit patterns of every exponent, subnormals, the program's range,
// exact halves of the fifteenth digit (N · 2^-k, N odd, N · 5^k of sixteen digits)
// and neighbours of powers of ten.
TEST(ShortestText, SameDigitsAsPrintfOverEveryKindOfDouble) {
    const auto expect_printf_digits = [](double value) {
        char reference[40];
        std::snprintf(reference, sizeof reference, "%.15G", value);
        std::string expected = value == 0.0 ? "0" : reference;
        if (const auto e = expected.find("E-05"); e != std::string::npos) {  // positional here
            expected.erase(e);
            if (const auto dot = expected.find('.'); dot != std::string::npos) {
                expected.erase(dot, 1);
            }
            expected.insert(expected.find_first_not_of('-'), "0.0000");
        }
        ASSERT_EQ(shortest_text(value), expected) << reference;
    };
    std::mt19937_64 rng(20261206);
    for (int i = 0; i < 200'000; ++i) {
        const std::uint64_t bits = rng(), sign_and_fraction = bits & 0x800F'FFFF'FFFF'FFFF;
        const int k = static_cast<int>(bits % 22) + 1;
        const double lo = std::ceil(1e15 / std::pow(5.0, k));
        const double hi = std::min(std::floor(1e16 / std::pow(5.0, k)), 0x1p53);
        const double odd =
            2 * std::floor((lo + (hi - lo) * static_cast<double>(bits >> 11) * 0x1p-53) / 2) + 1;
        const double power = std::pow(10.0, static_cast<int>(bits % 630) - 323);
        const double values[] = {
            std::bit_cast<double>(bits),
            std::bit_cast<double>(sign_and_fraction),
            std::bit_cast<double>(sign_and_fraction | (1006 + (bits >> 52) % 70) << 52),
            std::ldexp(odd, -k),
            std::nextafter(power * (bits >> 40 & 1 ? 1.0 : 9.99999999999995),
                           bits >> 41 & 1 ? 0.0 : 1e308),
        };
        if (std::isfinite(values[i % 5])) {
            ASSERT_NO_FATAL_FAILURE(expect_printf_digits(values[i % 5]));
        }
    }
    for (const double value : {-0.0, 2.675, 1.0005, 0.5e-3, 1e15 - 1, 1e15 + 1, 1000000000000005.0,
                               0x1p-1074, std::numeric_limits<double>::max()}) {
        expect_printf_digits(value);
    }
}

TEST(Rounding, HalfEvenAndHalfAwayDifferOnlyAtExactHalves) {
    EXPECT_DOUBLE_EQ(round_half_even(0.0125, 3), 0.012);
    EXPECT_DOUBLE_EQ(round_half_even(0.0135, 3), 0.014);
    EXPECT_DOUBLE_EQ(round_half_even(2.665, 2), 2.66);
    EXPECT_DOUBLE_EQ(round_half_even(2.5, 0), 2.0);
    EXPECT_DOUBLE_EQ(round_half_even(3.5, 0), 4.0);
    EXPECT_DOUBLE_EQ(round_half_even(0.5, 0), 0.0);
    EXPECT_DOUBLE_EQ(round_half_even(-2.5, 0), -2.0);
    EXPECT_DOUBLE_EQ(round_half_even(0.01251, 3), 0.013);
    EXPECT_DOUBLE_EQ(round_half_away(0.0125, 3), 0.013);
    EXPECT_DOUBLE_EQ(round_half_away(-2.5, 0), -3.0);
    EXPECT_DOUBLE_EQ(round_half_away(1.0005, 3), 1.001);
}

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

TEST(PackedTexts, EveryTextComesBackWhateverItsLengthOrBytes) {
    // Lengths either side of one and two length bytes, an empty text, a NUL inside.
    const Items texts{"",
                      "O'Brien 1",
                      std::string(127, 'a'),
                      std::string(128, 'b'),
                      std::string(16384, 'c'),
                      std::string("x\0y", 3),
                      ""};
    const PackedTexts packed(texts);
    EXPECT_EQ(packed.unpacked(), texts);
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(packed[i], texts[i]) << i;
    EXPECT_EQ(PackedTexts(Items{"a", "bc"}), PackedTexts(Items{"a", "bc"}));
    EXPECT_FALSE(PackedTexts(Items{"ab", "c"}) == PackedTexts(Items{"a", "bc"}));
}

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
