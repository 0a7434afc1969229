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

TEST(HglGradeLine, BranchesDisconnectedPipesAndAnInnerStart) {
    // 1 <- 2 <- 3 <- 5, 2 <- 4, 1 <- 6; 7 <- 8 is not connected.
    const std::vector<HglPipe> pipes = {
        make_pipe("P1", "2", "1"), make_pipe("P2", "3", "2"), make_pipe("P3", "4", "2"),
        make_pipe("P4", "5", "3"), make_pipe("P5", "6", "1"), make_pipe("P6", "8", "7"),
    };
    EXPECT_EQ(
        layout(compute_grade_line(pipes, "1", "0.0", "ENGLISH")),
        (std::vector<RowNode>{{11, "1"}, {12, "2"}, {13, "3"}, {14, "5"}, {16, "6"}, {18, "4"}}));
    EXPECT_EQ(layout(compute_grade_line(pipes, "2", "0.0", "ENGLISH")),
              (std::vector<RowNode>{{11, "2"}, {12, "3"}, {13, "5"}, {15, "4"}}));
    EXPECT_EQ(layout(compute_grade_line(pipes, "5", "0.0", "ENGLISH")),
              (std::vector<RowNode>{{11, "5"}}));
}

TEST(HglGradeLine, TheFirstPipeStartingAtAStructureSpeaksForIt) {
    // Two pipes from 2 to 1: both are followed, both rows are the first pipe's; the
    // other one is an inflow of neither (it ends at 1, not at 2).
    std::vector<HglPipe> pipes = {make_pipe("P1", "2", "1"), make_pipe("P2", "2", "1")};
    pipes[1].pipe_dia = "24";
    const HglResult result = compute_grade_line(pipes, "1", "0.0", "ENGLISH");
    EXPECT_EQ(layout(result), (std::vector<RowNode>{{11, "1"}, {12, "2"}, {14, "2"}}));
    EXPECT_EQ(text_in(result.rows[1].field(6)), "18");
    EXPECT_EQ(text_in(result.rows[2].field(6)), "18");
}

TEST(HglGradeLine, InflowsExcludeThePipeItself) {
    // The first pipe starting at 2 also ends there; its row counts the pipe from 3
    // as the inflow, not itself (whose Q·V 81 would win).
    std::vector<HglPipe> pipes = {make_pipe("P2", "2", "2"), make_pipe("P1", "2", "1"),
                                  make_pipe("P3", "3", "2")};
    pipes[0].pipe_velocity = "9.0";
    pipes[0].pipe_discharge = "9.0";
    pipes[2].pipe_velocity = "4.0";
    pipes[2].pipe_discharge = "3.0";
    const HglResult result = compute_grade_line(pipes, "1", "0.0", "ENGLISH");
    EXPECT_EQ(layout(result), (std::vector<RowNode>{{11, "1"}, {12, "2"}, {13, "2"}, {14, "3"}}));
    EXPECT_CELL_NEAR(result.rows[1].field(13), 4.0);
    EXPECT_CELL_NEAR(result.rows[1].field(7), 9.0);  // the row is P2's
}

TEST(HglGradeLine, EmptyUpperStructureWritesNoRowButKeepsTheGap) {
    const std::vector<HglPipe> pipes = {make_pipe("P1", "", "1"), make_pipe("P2", "2", "1")};
    EXPECT_EQ(layout(compute_grade_line(pipes, "1", "0.0", "ENGLISH")),
              (std::vector<RowNode>{{11, "1"}, {13, "2"}}));
}

TEST(HglGradeLine, NoLimitOnPathLengthOrPathCount) {
    // A chain of 150 pipes: rows 12 to 161 without a gap.
    std::vector<HglPipe> chain;
    for (int i = 1; i <= 150; ++i) {
        chain.push_back(make_pipe(std::to_string(i), std::to_string(i + 1), std::to_string(i)));
    }
    const HglResult long_path = compute_grade_line(chain, "1", "0.0", "ENGLISH");
    ASSERT_EQ(long_path.rows.size(), 151u);
    EXPECT_EQ(long_path.rows.back().row, 161);

    // 150 pipes into the outfall: 150 paths, rows 12, 14, ... 310.
    std::vector<HglPipe> star;
    for (int i = 1; i <= 150; ++i) {
        star.push_back(make_pipe(std::to_string(i), "N" + std::to_string(i), "0"));
    }
    const HglResult many_paths = compute_grade_line(star, "0", "0.0", "ENGLISH");
    ASSERT_EQ(many_paths.rows.size(), 151u);
    EXPECT_EQ(many_paths.rows.back().row, 310);
    EXPECT_EQ(text_in(many_paths.rows.back().field(1)), "N150");
}

TEST(HglGradeLine, MetricRunUsesItsOwnConstants) {
    // 450 mm pipe at invert 30.000, 0.25 cms, 1.50 m/sec, depth 0.200:
    //   field 4 = 0.45, E1 = 30 + 0.8 * 450 / 1000 = 30.36,
    //   Ho = 0.25 * 1.5^2 / 19.6 = 0.028698979591836732 (g = 9.8, not 9.8146)
    HglPipe pipe = make_pipe("1", "2", "1");
    pipe.pipe_dia = "450";
    pipe.pipe_eleout = "30.000";
    pipe.pipe_elein = "30.300";
    pipe.pipe_flowdepth = "0.200";
    pipe.pipe_discharge = "0.25";
    pipe.pipe_velocity = "1.50";
    pipe.pipe_length = "30";
    const HglResult result = compute_grade_line(std::vector<HglPipe>{pipe}, "1", "29.5", "METRIC");
    const HglRow& row = result.rows[1];
    EXPECT_CELL_NEAR(row.field(4), 0.45);
    EXPECT_CELL_NEAR(row.field(5), 30.36);
    EXPECT_CELL_NEAR(row.field(12), 0.028698979591836732);
    // Sf = (0.25 * 0.013 / (0.312 * 0.45^2.6667))^2 = 0.007673860727599512
    EXPECT_CELL_NEAR(row.field(9), 0.007673860727599512);
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
