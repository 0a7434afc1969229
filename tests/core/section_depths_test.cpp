#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/pipe/section_depths.h"

using pelvane::pipe::DepthSequence;

namespace {

const DepthSequence* const kSequences[] = {&DepthSequence::fine(), &DepthSequence::coarse()};

}  // namespace

TEST(DepthSequence, EqualsTheRunningSumPassByPass) {
    for (const DepthSequence* depths : kSequences) {
        double y = 0.0;
        EXPECT_EQ(depths->at(0), 0.0);
        for (DepthSequence::Index k = 1; k <= 2'000'000; ++k) {
            y = y + depths->step();
            ASSERT_EQ(depths->at(k), y) << "step " << depths->step() << " pass " << k;
        }
    }
}

TEST(DepthSequence, FirstWhereFindsTheSamePassAsCounting) {
    for (const double cap : {0.0, 0.00005, 0.9999 * 1.5, 0.999 * 7.25, 12.0}) {
        const DepthSequence& depths = DepthSequence::fine();
        DepthSequence::Index k = 1;
        double y = depths.step();
        while (!(y > cap)) {
            y += depths.step();
            ++k;
        }
        EXPECT_EQ(depths.first_where([cap](double d) { return d > cap; }), k) << cap;
    }
    // A test no depth satisfies ends at the stall.
    const DepthSequence& coarse = DepthSequence::coarse();
    EXPECT_EQ(coarse.first_where([](double) { return false; }), coarse.stall_index());
}
