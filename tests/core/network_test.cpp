#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/network/cycles.h"
#include "core/network/flow_order.h"
#include "core/network/pipe_network.h"

using namespace pelvane::network;

namespace {

PipeLinks pipe(std::string number, std::array<std::string, kPreviousPipeRows> previous = {}) {
    return PipeLinks{std::move(number), std::move(previous)};
}

std::vector<std::string> numbers(const PipeNetwork& network,
                                 const std::vector<std::size_t>& order) {
    std::vector<std::string> result;
    for (const std::size_t i : order) result.push_back(network.pipe(i).number);
    return result;
}

using Numbers = std::vector<std::string>;

}  // namespace

TEST(FlowOrder, BranchesComeBeforeTheirJunctionAndReadyPipesKeepTableOrder) {
    const PipeNetwork network(
        {pipe("3", {"1", "", "2"}), pipe("1"), pipe("2"), pipe("4", {"3"}), pipe("5")}, false);
    const FlowOrder result = flow_order(network);
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(numbers(network, result.order), (Numbers{"1", "2", "3", "4", "5"}));

    // Entered from upstream down: the order is the table's.
    const PipeNetwork entered({pipe("B1"), pipe("B2", {"B1"}), pipe("A1"), pipe("M", {"B2", "A1"}),
                               pipe("O'Brien 1", {"", "", "", "M"})},
                              false);
    EXPECT_EQ(flow_order(entered).order, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
}

TEST(FlowOrder, CirclesAreReportedByPipeNumberAndWhatLiesBelowThemWaits) {
    const PipeNetwork network(
        {
            pipe("7", {"7"}),            // names itself
            pipe("A", {"B"}),            // A and B feed each other
            pipe("B", {"A"}),            //
            pipe("free"),                //
            pipe("R1", {"R4"}),          // a ring of four ...
            pipe("R2", {"R1"}),          //
            pipe("R3", {"R2"}),          //
            pipe("R4", {"R3", "free"}),  // ... that also takes a free pipe
            pipe("below", {"R2"}),       // waits on the ring
            pipe("further", {"below"}),  //
            pipe("after free", {"free"}),
        },
        false);
    const FlowOrder result = flow_order(network);
    EXPECT_FALSE(result.complete());
    EXPECT_EQ(numbers(network, result.order), (Numbers{"free", "after free"}));
    EXPECT_EQ(result.cycles, (std::vector<Numbers>{{"7"}, {"A", "B"}, {"R1", "R2", "R3", "R4"}}));
    EXPECT_EQ(result.blocked, (Numbers{"below", "further"}));
}

// A reference to a pipe that is not there counts as no previous pipe.
TEST(FlowOrder, MissingPreviousPipesCountAsNone) {
    const PipeNetwork network({pipe("2", {"1", "gone"}), pipe("1", {"", "", "", "deleted"})},
                              false);
    const FlowOrder result = flow_order(network);
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(numbers(network, result.order), (Numbers{"1", "2"}));
    EXPECT_EQ(network.previous_of(0)[0], 1u);
    EXPECT_FALSE(network.previous_of(0)[1]);

    const auto missing = network.missing_references();
    ASSERT_EQ(missing.size(), 2u);
    EXPECT_EQ(missing[0].pipe, 0u);
    EXPECT_EQ(missing[0].row, 1);
    EXPECT_EQ(missing[0].number, "gone");
    EXPECT_EQ(missing[1].pipe, 1u);
    EXPECT_EQ(missing[1].row, 3);
}

// A loop through previous pipes, through structures, or through both, named in the
// order the water goes round from the pipe that comes first in the table.
TEST(FindCycle, NamesTheLoopThroughPreviousPipesOrStructures) {
    const auto loop = [](std::vector<PipeLinks> pipes, std::vector<PipeEnds> ends) {
        return find_cycle(PipeNetwork(std::move(pipes), false), ends);
    };
    // 1 <- 2 <- 3 and a tree beside it: no loop.
    EXPECT_EQ(loop({pipe("1", {"2"}), pipe("2", {"3"}), pipe("3"), pipe("4", {"1"})}, {}),
              Numbers{});
    // 2 lists 3, 3 lists 4, 4 lists 2.
    EXPECT_EQ(loop({pipe("9"), pipe("3", {"4"}), pipe("2", {"3"}), pipe("4", {"", "2"})}, {}),
              (Numbers{"3", "2", "4"}));
    // A runs S1 -> S2, B S2 -> S3, C S3 -> S1: a loop through structures alone.
    const std::vector<PipeEnds> ring{{"S1", "S2"}, {"S2", "S3"}, {"S3", "S1"}};
    EXPECT_EQ(loop({pipe("A"), pipe("B"), pipe("C")}, ring), (Numbers{"A", "B", "C"}));
    EXPECT_EQ(loop({pipe("A"), pipe("B"), pipe("C")}, {}), Numbers{});
    // B ends where A starts (B drains into A) and lists A as a previous pipe (A drains
    // into B): a loop through both kinds of link.
    EXPECT_EQ(loop({pipe("A"), pipe("B", {"A"})}, {{"S1", "S2"}, {"S0", "S1"}}),
              (Numbers{"A", "B"}));
    // A pipe that lists itself is a loop of one.
    EXPECT_EQ(loop({pipe("7", {"7"})}, {}), Numbers{"7"});
}
