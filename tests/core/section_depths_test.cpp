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

TEST(DepthSequence, EveryPassAddsOneStepUpToTheStall) {
    std::mt19937_64 rng(3);
    for (const DepthSequence* depths : kSequences) {
        const double step = depths->step();
        const auto stall = depths->stall_index();
        // Where adding the step stops changing anything: 2^40 for 0.0001, 2^47 for 0.01.
        EXPECT_EQ(depths->at(stall - 1), std::ldexp(1.0, step < 0.001 ? 40 : 47));
        EXPECT_EQ(depths->at(stall - 1) + step, depths->at(stall - 1));
        EXPECT_NE(depths->at(stall - 2) + step, depths->at(stall - 2));

        const auto expect_step = [&](DepthSequence::Index k) {
            EXPECT_EQ(depths->at(k) + step, depths->at(k + 1)) << "step " << step << " pass " << k;
        };
        // The increment changes at powers of two: check every crossing closely.
        for (int e = -6; e < 47; ++e) {
            const double edge = std::ldexp(1.0, e);
            const auto k = depths->first_where([edge](double y) { return y >= edge; });
            for (auto j = k > 3 ? k - 3 : 1; j <= k + 3 && j + 1 < stall; ++j) expect_step(j);
        }
        std::uniform_real_distribution<double> exponent(0.0,
                                                        std::log(static_cast<double>(stall - 2)));
        for (int i = 0; i < 20000; ++i) {
            expect_step(static_cast<DepthSequence::Index>(std::exp(exponent(rng))));
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
