#include <gtest/gtest.h>

#include "core/pipe/inlet_takeover.h"

using namespace pelvane::pipe;

namespace {

InletRecord inlet(bool compute) {
    InletRecord r;
    r.inlet_number = "2";
    r.station = "10+50.00";
    r.offset = "14.00";
    r.offset_location = "RIGHT";
    r.top_elevation = "2081.42";
    r.tc = "7.5";
    r.total_area1 = 0.32;
    r.total_area2 = 0.85;  // 0.32 + 0.85 is 1.1700000000000002 in binary
    r.total_ca1 = 0.288;
    r.total_ca2 = 0.298;
    r.compute_discharge = compute;
    return r;
}

}  // namespace

TEST(NodeInTakeover, ComputedInletBringsItsDrainage) {
    const NodeInTakeover t = node_in_takeover(inlet(true), "1.1");
    EXPECT_EQ(t.location.station, "10+50.00");
    EXPECT_EQ(t.location.offset, "14.00");
    EXPECT_EQ(t.location.offset_location, "RIGHT");
    EXPECT_EQ(t.location.top_elevation, "2081.42");
    EXPECT_EQ(t.structure_Tc, "7.5");
    EXPECT_EQ(t.structure_area, "1.17");
    EXPECT_EQ(t.structure_ca, "0.586");
    EXPECT_FALSE(t.pipe_cf) << "a chosen factor stays";
    EXPECT_TRUE(t.recompute_discharge);
    EXPECT_EQ(node_out_takeover(inlet(true)).top_elevation, "2081.42");
}

TEST(NodeInTakeover, FrequencyFactorOnlyWhenNoneWasChosen) {
    EXPECT_EQ(node_in_takeover(inlet(true), "").pipe_cf, "1.0");
    EXPECT_EQ(node_in_takeover(inlet(true), "0.0").pipe_cf, "1.0");
    EXPECT_FALSE(node_in_takeover(inlet(true), "1.25").pipe_cf);
    EXPECT_FALSE(node_in_takeover(inlet(false), "").pipe_cf);
}

TEST(NodeInTakeover, TypedInletZeroesTheDrainageButKeepsLocationAndTc) {
    const NodeInTakeover t = node_in_takeover(inlet(false), "1.0");
    EXPECT_EQ(t.structure_area, "0.0");
    EXPECT_EQ(t.structure_ca, "0.0");
    EXPECT_EQ(t.structure_Tc, "7.5");
    EXPECT_EQ(t.location.station, "10+50.00");
    EXPECT_FALSE(t.recompute_discharge);
}
