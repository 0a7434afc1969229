#include <gtest/gtest.h>

#include <vector>

#include "core/pipe/discharge_solve.h"
#include "core/pipe/storm_frequency.h"

using namespace pelvane::pipe;

// The factors themselves are the manual's table; a frequency outside it has none.
TEST(StormFrequency, FactorPerFrequency) {
    EXPECT_EQ(frequency_factor("25"), "1.1");
    EXPECT_FALSE(frequency_factor("20"));
    EXPECT_FALSE(frequency_factor(""));
}

TEST(SolveChecks, DischargeIsCheckedBeforeTheSlope) {
    EXPECT_EQ(solve_refusal("0.000", "0.01"), SolveRefusal::NoDischarge);
    EXPECT_EQ(solve_refusal("-1.5", "0.01"), SolveRefusal::NoDischarge);
    EXPECT_EQ(solve_refusal("", "0.01"), SolveRefusal::NoDischarge);
    EXPECT_EQ(solve_refusal("lots", "0.01"), SolveRefusal::NoDischarge);
    EXPECT_EQ(solve_refusal("0", "0"), SolveRefusal::NoDischarge);

    EXPECT_EQ(solve_refusal("12.500", "0.00000"), SolveRefusal::NoSlope);
    EXPECT_EQ(solve_refusal("12.500", "-0.002"), SolveRefusal::NoSlope);
    EXPECT_EQ(solve_refusal("12.500", "steep"), SolveRefusal::NoSlope);
    EXPECT_EQ(solve_refusal("12.500", "0.00500"), SolveRefusal::None);
    EXPECT_EQ(solve_refusal("12.500", ""), SolveRefusal::None);
}
