#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/hgl/grade_line.h"
#include "hgl_test_pipes.h"

namespace pelvane::hgl {
namespace {

using testing::make_pipe;
using testing::number_in;
using testing::text_in;

struct RowNode {
    int row;
    std::string node;
    bool operator==(const RowNode&) const = default;
};

std::vector<RowNode> layout(const HglResult& result) {
    std::vector<RowNode> rows;
    for (const HglRow& row : result.rows) rows.push_back({row.row, text_in(row.field(1))});
    return rows;
}

TEST(HglGradeLine, SinglePipeGivesTheOutfallRowAndOnePipeRow) {
    std::vector<HglPipe> pipes = {make_pipe("1", "2", "1")};
    pipes[0].pipe_storm_freq = " 10 ";
    const HglResult result = compute_grade_line(pipes, "1", "100.00", "ENGLISH");
    ASSERT_EQ(result.rows.size(), 2u);

    const HglRow& outfall = result.rows[0];
    EXPECT_EQ(outfall.row, 11);
    for (int n = 1; n <= kHglFieldCount; ++n) {
        if (n == 1) {
            EXPECT_EQ(text_in(outfall.field(n)), "1");
        } else if (n == 25) {
            EXPECT_EQ(text_in(outfall.field(n)), "100.00");  // as typed
        } else {
            EXPECT_TRUE(is_empty(outfall.field(n))) << n;
        }
    }

    const HglRow& pipe = result.rows[1];
    EXPECT_EQ(pipe.row, 12);
    EXPECT_EQ(text_in(pipe.field(1)), "2");
    EXPECT_CELL_NEAR(pipe.field(5), 101.2);  // tailwater 100.00 below E1 = 101.2
    EXPECT_CELL_NEAR(pipe.field(25), 102.27174391150686);
    EXPECT_EQ(result.storm_frequency, "10");
}

TEST(HglGradeLine, EmptyTailwaterIsZeroAndEmptyNodeComputesNothing) {
    const std::vector<HglPipe> pipes = {make_pipe("1", "2", "1")};
    EXPECT_EQ(text_in(compute_grade_line(pipes, "1", "", "ENGLISH").rows[0].field(25)), "0.0");
    const HglResult nothing = compute_grade_line(pipes, "", "100", "ENGLISH");
    EXPECT_TRUE(nothing.rows.empty());
    EXPECT_EQ(nothing.storm_frequency, "");
}

TEST(HglGradeLine, SecondPathStartsFromItsStructuresRowAfterOneEmptyRow) {
    // 1 <- 2 <- 3 <- 4 and 3 <- 5; the pipe from 5 lies low so that the grade line
    // in structure 3 governs its outlet.
    std::vector<HglPipe> pipes = {make_pipe("P1", "2", "1"), make_pipe("P2", "3", "2"),
                                  make_pipe("P3", "4", "3"), make_pipe("P4", "5", "3")};
    pipes[3].pipe_eleout = "90.00";
    pipes[3].pipe_elein = "91.00";
    pipes[3].pipe_storm_freq = "25";
    const HglResult result = compute_grade_line(pipes, "1", "100.00", "ENGLISH");
    EXPECT_EQ(layout(result),
              (std::vector<RowNode>{{11, "1"}, {12, "2"}, {13, "3"}, {14, "4"}, {16, "5"}}));
    EXPECT_EQ(result.rows[4].downstream_row, 13);
    EXPECT_EQ(number_in(result.rows[4].field(5)), number_in(result.rows[2].field(25)));
    EXPECT_EQ(result.storm_frequency, "25");
}

TEST(HglGradeLine, BranchFromAStructureWithTwoRowsContinuesFromTheFirst) {
    // Names loop 2 -> 3 -> 2, so structure 2 gets rows 12 and 14; the branch to 5
    // starts from row 12.
    const std::vector<HglPipe> pipes = {
        make_pipe("P1", "2", "1"), make_pipe("P2", "3", "2"), make_pipe("P3", "2", "3"),
        make_pipe("P4", "4", "2"), make_pipe("P5", "5", "2"),
    };
    const HglResult result = compute_grade_line(pipes, "1", "0.0", "ENGLISH");
    EXPECT_EQ(
        layout(result),
        (std::vector<RowNode>{{11, "1"}, {12, "2"}, {13, "3"}, {14, "2"}, {15, "4"}, {17, "5"}}));
    EXPECT_EQ(result.rows[5].downstream_row, 12);
    EXPECT_EQ(result.rows[3].downstream_row, 13);
}

TEST(HglOutfallNodes, DistinctNonEmptyOutletsInTextOrder) {
    const std::vector<HglPipe> pipes = {
        make_pipe("P1", "x", "2"),  make_pipe("P2", "x", "10"), make_pipe("P3", "x", ""),
        make_pipe("P4", "x", "a"),  make_pipe("P5", "x", "2"),  make_pipe("P6", "x", "A"),
        make_pipe("P7", "x", " 2"),
    };
    EXPECT_EQ(outfall_nodes(pipes), (std::vector<std::string>{" 2", "10", "2", "A", "a"}));
    EXPECT_TRUE(outfall_nodes({}).empty());
}

}  // namespace
}  // namespace pelvane::hgl
