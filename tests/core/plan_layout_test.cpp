// The schematic plan of a network: outfalls at the left, a column per pipe, and no
// two pipes crossing or touching away from a structure they share.

#include "core/network/plan_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace pelvane::network {
namespace {

double orient(PlanPoint a, PlanPoint b, PlanPoint c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

bool on_segment(PlanPoint a, PlanPoint b, PlanPoint p) {
    return orient(a, b, p) == 0.0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
           std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

// Two pipes meet only at a structure they share.
bool meet_elsewhere(PlanPoint a, PlanPoint b, PlanPoint c, PlanPoint d) {
    if (a == c || a == d || b == c || b == d) {
        // Sharing an end, they must leave it in different directions.
        const PlanPoint shared = a == c || a == d ? a : b;
        const PlanPoint p = shared == a ? b : a;
        const PlanPoint q = shared == c ? d : c;
        return on_segment(shared, p, q) || on_segment(shared, q, p);
    }
    const double o1 = orient(a, b, c), o2 = orient(a, b, d);
    const double o3 = orient(c, d, a), o4 = orient(c, d, b);
    if (o1 * o2 < 0 && o3 * o4 < 0) return true;
    return on_segment(a, b, c) || on_segment(a, b, d) || on_segment(c, d, a) || on_segment(c, d, b);
}

TEST(PlanLayout, LaysOutAGeneratedNetworkOfTwoOutfallsWithoutCrossings) {
    // Structures N0 and N1 are outfalls; every other structure starts one pipe into
    // a structure numbered below it; the table order is shuffled.
    std::mt19937 random(13);
    std::vector<PlanPipe> pipes;
    for (int i = 2; i < 502; ++i) {
        std::uniform_int_distribution<int> below(0, i - 1);
        pipes.push_back({"N" + std::to_string(i), "N" + std::to_string(below(random))});
    }
    std::shuffle(pipes.begin(), pipes.end(), random);
    const PlanLayout layout = plan_layout(pipes);

    ASSERT_EQ(layout.upper.size(), pipes.size());
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        EXPECT_EQ(layout.upper[i].x, layout.lower[i].x + 1.0) << pipes[i].upper;
        if (pipes[i].lower == "N0" || pipes[i].lower == "N1") {
            EXPECT_EQ(layout.lower[i].x, 0.0);
        }
    }
    int met = 0;
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        for (std::size_t j = i + 1; j < pipes.size(); ++j) {
            met +=
                meet_elsewhere(layout.upper[i], layout.lower[i], layout.upper[j], layout.lower[j]);
        }
    }
    EXPECT_EQ(met, 0);
}

}  // namespace
}  // namespace pelvane::network
