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

// A chain of n pipes, "1" the uppermost, each draining into the next; listed
// downstream first, the hardest table order for the flow order.
std::vector<PipeLinks> chain_listed_downstream_first(int n) {
    std::vector<PipeLinks> pipes;
    for (int i = n; i >= 1; --i) {
        pipes.push_back(pipe(std::to_string(i), {i > 1 ? std::to_string(i - 1) : ""}));
    }
    return pipes;
}

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

// A legacy project has three previous pipes: whatever the fourth row holds is no
// link, so it makes no circle and no downstream pipe.
TEST(FlowOrder, LegacyIgnoresTheFourthRow) {
    const std::vector<PipeLinks> pipes = {pipe("1", {"", "", "", "2"}), pipe("2", {"1"})};
    EXPECT_FALSE(flow_order(PipeNetwork(pipes, false)).complete());

    const PipeNetwork legacy(pipes, true);
    const FlowOrder result = flow_order(legacy);
    EXPECT_TRUE(result.complete());
    EXPECT_EQ(numbers(legacy, result.order), (Numbers{"1", "2"}));
    EXPECT_FALSE(legacy.first_listing("2"));
    EXPECT_TRUE(legacy.missing_references().empty());
}

TEST(PipeNetwork, DownstreamPipeIsTheFirstThatListsIt) {
    const PipeNetwork network(
        {
            pipe("1"), pipe("9", {"", "1"}), pipe("3", {"1", "", "1"}),  // lists pipe 1 twice
            pipe("4", {"", "", "", "3"}),
            pipe("1"),  // a second pipe 1: lookups find the first
        },
        false);
    EXPECT_EQ(network.find("1"), 0u);
    EXPECT_EQ(network.find("4"), 3u);
    EXPECT_FALSE(network.find("1 "));  // numbers compare exactly
    EXPECT_EQ(network.first_listing("1"), 1u);
    EXPECT_EQ(network.pipes_listing("1"), (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(network.first_listing("3"), 3u);
    EXPECT_FALSE(network.first_listing("9"));
    EXPECT_EQ(network.downstream_of(2), 3u);
    EXPECT_FALSE(network.downstream_of(3));
    EXPECT_TRUE(network.pipes_listing("").empty());
}

// Large networks: no recursion, so neither a long chain nor a long circle can
// exhaust the stack.
TEST(FlowOrder, TenThousandPipesInAChainAndACircle) {
    constexpr int kPipes = 10000;
    const PipeNetwork chain(chain_listed_downstream_first(kPipes), false);
    const FlowOrder chain_order = flow_order(chain);
    ASSERT_EQ(chain_order.order.size(), static_cast<std::size_t>(kPipes));
    for (int i = 0; i < kPipes; ++i) {
        ASSERT_EQ(chain.pipe(chain_order.order[i]).number, std::to_string(i + 1));
    }

    std::vector<PipeLinks> circle = chain_listed_downstream_first(kPipes);
    // Pipe 1 now receives the last pipe: one circle through all of them.
    circle.back().previous[0] = std::to_string(kPipes);
    circle.push_back(pipe("outfall", {std::to_string(kPipes)}));
    const FlowOrder circle_order = flow_order(PipeNetwork(std::move(circle), false));
    EXPECT_TRUE(circle_order.order.empty());
    ASSERT_EQ(circle_order.cycles.size(), 1u);
    EXPECT_EQ(circle_order.cycles[0].size(), static_cast<std::size_t>(kPipes));
    EXPECT_EQ(circle_order.blocked, (Numbers{"outfall"}));
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
