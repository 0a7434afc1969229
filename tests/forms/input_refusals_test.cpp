#include "forms/input_refusals.h"

#include <gtest/gtest.h>

namespace pelvane::forms {
namespace {

TEST(InputRanges, RefusesWhatIsNoNumberOrOutsideItsRangeNamingTheFieldAndTheRange) {
    const struct {
        const char* column;
        const char* text;
        const char* units;
        std::optional<std::string> refusal;
    } cases[] = {
        {"PIPE_LENGTH", "1e308", "ENGLISH",
         "pipe length 1e308 is out of range: it must be more than 0 and at most 10000 ft"},
        {"PIPE_LENGTH", "0", "ENGLISH",
         "pipe length 0 is out of range: it must be more than 0 and at most 10000 ft"},
        {"PIPE_LENGTH", "3000", "METRIC", std::nullopt},
        {"PIPE_LENGTH", "3100", "METRIC",
         "pipe length 3100 is out of range: it must be more than 0 and at most 3048 m"},
        {"PIPE_ELEIN", "-12.5", "ENGLISH", std::nullopt},
        {"PIPE_MANN", "13", "ENGLISH",
         "Manning's n 13 is out of range: it must be at least 0.009 and at most 0.06"},
        {"NUMOFPIPES", "2.5", "ENGLISH", "number of barrels 2.5 is not a whole number"},
        {"STRUCTURE_TC", "ten", "ENGLISH", "structure Tc \"ten\" is not a number"},
        {"PCBUFSTR", "0.30,,1.5", "ENGLISH",
         "runoff coefficient C 1.5 is out of range: it must be at least 0 and at most 1"},
        {"PCBUFSTR", "0.30,,0.9", "ENGLISH", std::nullopt},
        {"STRUCTURE_AREA", "", "ENGLISH", std::nullopt},
        {"PIPE_SUMMARY", "anything", "ENGLISH", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(input_refusal_text(c.column, c.text, c.units), c.refusal)
            << c.column << " " << c.text;
    }
}

}  // namespace
}  // namespace pelvane::forms
