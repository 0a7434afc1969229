// The grade line: the row of one pipe against hand arithmetic, the rows and paths of
// a network, and the paths also against the literal scan on random networks.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "core/hgl/grade_line.h"
#include "core/hgl/hgl_test_pipes.h"
#include "core/hgl/paths.h"
#include "core/hgl/pipe_row.h"
#include "literal_paths.h"

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

using Nodes = std::vector<std::vector<std::string>>;

Nodes paths_from(const std::vector<HglPipe>& pipes, const std::string& outfall) {
    Nodes nodes;
    for (const HglPath& path : build_paths(pipes, outfall)) nodes.push_back(path.nodes);
    return nodes;
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

TEST(HglPaths, EmptyInletsAndCyclesEnd) {
    // An empty upper structure ends its path; an emptied or empty outlet matches nothing.
    const std::vector<HglPipe> empty_inlet = {make_pipe("P1", "", "1"), make_pipe("P2", "2", ""),
                                              make_pipe("P3", "2", "1")};
    EXPECT_EQ(paths_from(empty_inlet, "1"), (Nodes{{"1", ""}, {"1", "2"}}));
    EXPECT_TRUE(paths_from(empty_inlet, "").empty());

    // 1 <- 2 <- 1: each pipe is taken once.
    const std::vector<HglPipe> cycle = {make_pipe("P1", "2", "1"), make_pipe("P2", "1", "2")};
    EXPECT_EQ(paths_from(cycle, "1"), (Nodes{{"1", "2", "1"}}));
}

// Random networks over a small pool of names, so that several pipes end at one node,
// NODEIN_NO repeats, names form cycles, case and blanks differ, and some names are
// empty; outfalls are drawn from the same pool.
std::vector<HglPipe> random_network(std::mt19937& random, std::size_t count) {
    static const std::vector<std::string> pool = {"1", "2", "3", "4",  "5", "6",        "7",
                                                  "8", "A", "a", " 1", "",  "O'Brien 1"};
    const std::size_t names = std::min(pool.size(), 2 + count / 2 + random() % 4);
    std::uniform_int_distribution<std::size_t> pick(0, names - 1);
    std::vector<HglPipe> pipes;
    for (std::size_t i = 0; i < count; ++i) {
        pipes.push_back(make_pipe(std::to_string(i), pool[pick(random)], pool[pick(random)]));
    }
    return pipes;
}

TEST(HglPaths, SameAsTheLiteralScanOnRandomNetworks) {
    std::mt19937 random(20240611);
    const std::vector<std::string> outfalls = {"1", "2", "3", "A", "a", " 1", "O'Brien 1", "9"};
    for (int trial = 0; trial < 400; ++trial) {
        const std::vector<HglPipe> pipes = random_network(random, random() % 40);
        const std::string& outfall = outfalls[random() % outfalls.size()];
        const Nodes literal = testing::literal_paths(pipes, outfall);
        ASSERT_EQ(paths_from(pipes, outfall), literal) << "trial " << trial;

        // The rows: numbers, nodes and downstream rows as the literal layout has them.
        std::vector<testing::LiteralRow> rows;
        for (const HglRow& row : compute_grade_line(pipes, outfall, "0.0", "ENGLISH").rows) {
            const auto* node = std::get_if<std::string>(&row.field(1));
            rows.push_back({row.row, node ? *node : std::string(), row.downstream_row});
        }
        ASSERT_EQ(rows, testing::literal_row_layout(pipes, outfall, literal, kFirstHglRow))
            << "trial " << trial;
    }
}

const HglConstants kEnglish = HglConstants::for_units("ENGLISH");

HglFields row_of(const HglPipe& pipe, const HglCell& downstream,
                 const std::vector<const HglPipe*>& inflows = {},
                 const HglConstants& constants = kEnglish) {
    HglWorking working;
    return compute_pipe_row(pipe, inflows, downstream, constants, working);
}

const HglCell& field(const HglFields& fields, int n) {
    return fields[static_cast<std::size_t>(n - 1)];
}

TEST(HglPipeRow, OutletWaterSurfaceIsTheTailwaterOnlyAboveBothLevels) {
    // 18 in at invert 100.00: E1 = 100 + 0.8 * 18 / 12 = 101.2; E2 = 100 + 0.80 = 100.8.
    const HglPipe pipe = make_pipe("1", "2", "1");
    EXPECT_CELL_NEAR(field(row_of(pipe, 101.3), 5), 101.3);
    EXPECT_CELL_NEAR(field(row_of(pipe, HglCell{std::string("101.30")}), 5), 101.3);
    EXPECT_CELL_NEAR(field(row_of(pipe, 101.2), 5), 101.2);  // not above E1
    EXPECT_CELL_NEAR(field(row_of(pipe, 100.9), 5), 101.2);  // between: the higher, E1
    EXPECT_CELL_NEAR(field(row_of(pipe, 90.0), 5), 101.2);
    EXPECT_CELL_NEAR(field(row_of(pipe, HglCell{}), 5), 101.2);  // an empty cell reads 0

    // Depth of flow 1.40: E2 = 101.4 is now the higher level.
    HglPipe deep = pipe;
    deep.pipe_flowdepth = "1.40";
    EXPECT_CELL_NEAR(field(row_of(deep, 101.3), 5), 101.4);
    EXPECT_CELL_NEAR(field(row_of(deep, 101.5), 5), 101.5);
}

TEST(HglPipeRow, FrictionSlopeOfEachShape) {
    // Elliptical 29 x 18 in, n 0.013, 20 cfs:
    //   A = 3.14159265358979 * 29 * 18 / 4 / 144 = 2.847068342315747
    //   P = 3.14159265358979 * 47 / 2 = 73.82742735936006
    //   R = A / (P / 12) = 0.46276595744680854
    //   Sf = 0.453 * (20 * 0.013 / (A * R^0.6667))^2 = 0.010554950919371187
    HglPipe elliptical = make_pipe("1", "2", "1");
    elliptical.pipe_shape = "Elliptical";
    elliptical.span = "29";
    elliptical.rise = "18";
    elliptical.pipe_discharge = "20";
    const HglFields e = row_of(elliptical, 0.0);
    EXPECT_CELL_NEAR(field(e, 9), 0.010554950919371187);
    EXPECT_CELL_NEAR(field(e, 10), 1.0554950919371187);  // 100 ft of it
    EXPECT_CELL_NEAR(field(e, 4), 1.5);                  // rise 18 / 12
    EXPECT_EQ(text_in(field(e, 6)), "29 X 18");

    // Arch 36 x 22 in, n 0.024, 20 cfs: S H / u² = 5.5,
    //   A = 0.781 * 5.5^1.003 = 4.31752450764157, R = 0.241 * 5.5^0.4965 = 0.5618328362689438
    //   Sf = 0.453 * (20 * 0.024 / (A * R^0.6667))^2 = 0.01207771904901307
    HglPipe arch = elliptical;
    arch.pipe_shape = "Arch-S-Cor";
    arch.span = "36";
    arch.rise = "22";
    arch.pipe_mann = "0.024";
    EXPECT_CELL_NEAR(field(row_of(arch, 0.0), 9), 0.01207771904901307);

    // Metric box 1200 x 900 mm, n 0.013, 2.5 cms: A = 1.08, R = 1.08e6 / 3000 / 1000 = 0.36
    // (no top side), Sf = 0.312 * (2.5 * 0.013 / (1.08 * 0.36^0.6667))^2.
    HglPipe box = make_pipe("1", "2", "1");
    box.pipe_shape = "Box";
    box.span = "1200";
    box.rise = "900";
    box.pipe_discharge = "2.5";
    const HglConstants metric = HglConstants::for_units("METRIC");
    const HglFields b = row_of(box, 0.0, {}, metric);
    EXPECT_CELL_NEAR(field(b, 9), 0.0011033163410083377);
    EXPECT_CELL_NEAR(field(b, 4), 0.9);  // 900 / 1000
    // A stored "Rectangulr" is a box; an unknown unit text counts as metric.
    box.pipe_shape = "Rectangulr";
    EXPECT_CELL_NEAR(field(row_of(box, 0.0, {}, HglConstants::for_units("")), 9),
                     0.0011033163410083377);
}

TEST(HglPipeRow, CircularRowAgainstHandArithmetic) {
    // 18 in circular, n 0.013, 10 cfs, downstream 100.00 (below E1 = 101.2):
    //   Sf = (10 * 0.013 / (0.453 * 1.5^2.6667))^2 = 0.009473821102646298
    //   hf = 100 * Sf = 0.9473821102646298
    //   Ho = 0.25 * 5.66^2 / 64.4 = 0.12436180124223602
    //   HGL = 101.2 + hf + Ho = 102.27174391150686
    const HglFields row = row_of(make_pipe("1", "2", "1"), HglCell{std::string("100.00")});
    const double sf = 0.009473821102646298, hf = 100 * sf, ho = 0.12436180124223602;
    const std::pair<int, HglCell> expected[] = {
        {1, "2"},       {2, "1050.00"}, {3, "100.00"}, {4, 1.5},      {5, 101.2},
        {6, "18"},      {7, 10.0},      {8, "100.00"}, {9, sf},       {10, hf},
        {11, "5.66"},   {12, ho},       {13, 0.0},     {14, 0.0},     {15, 0.0},
        {16, 0.0},      {17, 0.0},      {18, 0.0},     {19, ho},      {20, 0.0},
        {21, ho},       {22, "NO"},     {23, ho},      {24, hf + ho}, {25, 102.27174391150686},
        {26, "108.00"}, {27, "O.K."}};
    for (const auto& [n, cell] : expected) {
        if (const double* number = std::get_if<double>(&cell)) {
            EXPECT_CELL_NEAR(field(row, n), *number) << n;
        } else {
            EXPECT_EQ(text_in(field(row, n)), std::get<std::string>(cell)) << n;
        }
    }
}

// A pipe ending at structure 5, carrying `discharge` at `velocity`, deflected by `skew`.
HglPipe inflow(const std::string& number, const std::string& discharge, const std::string& velocity,
               const std::string& skew) {
    HglPipe p = make_pipe(number, "in" + number, "5");
    p.pipe_discharge = discharge;
    p.pipe_velocity = velocity;
    p.pipe_skew = skew;
    return p;
}

TEST(HglPipeRow, MainInflowAndGoverningLateral) {
    // Barrel discharge 10 cfs: a lateral must carry more than 1.0 cfs.
    const HglPipe pipe = make_pipe("1", "5", "4");
    const HglPipe a = inflow("A", "3.0", "4.0", "90");  // Q·V = 12, lateral at 90°: k = 0.7
    const HglPipe b = inflow("B", "2.0", "6.0", "0");   // Q·V = 12 (A stays main), k = 0
    const HglPipe c = inflow("C", "1.0", "8.0", "45");  // exactly a tenth: no lateral
    const HglFields row = row_of(pipe, 0.0, {&a, &b, &c});
    EXPECT_CELL_NEAR(field(row, 13), 4.0);
    EXPECT_CELL_NEAR(field(row, 14), 0.24844720496894407);  // 16 / 64.4
    EXPECT_CELL_NEAR(field(row, 15), 0.08695652173913042);  // 0.35 * 16 / 64.4
    EXPECT_CELL_NEAR(field(row, 16), 90.0);
    EXPECT_CELL_NEAR(field(row, 17), 0.7);
    EXPECT_CELL_NEAR(field(row, 18), 0.17391304347826084);  // 0.7 * 16 / 64.4
    EXPECT_CELL_NEAR(field(row, 19),
                     0.12436180124223602 + 0.08695652173913042 + 0.17391304347826084);

    // Between the two: k(45) = -0.00006 * 2025 + 0.0127 * 45 + 0.0078 = 0.4578, and
    // h = 0.4578 * 25 / 64.4 = 0.17771739130434783 beats the 90° pipe's 0.7 * 9 / 64.4.
    const HglPipe d = inflow("D", "4", "5", "45");
    const HglPipe e = inflow("E", "6", "3", "90");
    const HglFields second = row_of(pipe, 0.0, {&e, &d});
    EXPECT_CELL_NEAR(field(second, 13), 5.0);  // Q·V 20 against 18
    EXPECT_CELL_NEAR(field(second, 16), 45.0);
    EXPECT_CELL_NEAR(field(second, 17), 0.4578);
    EXPECT_CELL_NEAR(field(second, 18), 0.17771739130434783);
}

TEST(HglPipeRow, InletFlowAndShapingAdjustments) {
    // Ho = 0.12436180124223602 is the whole junction loss of the plain pipe.
    const double ho = 0.12436180124223602;
    HglPipe inlet = make_pipe("1", "2", "1");
    inlet.nodein_type = "Inlet";
    inlet.structure_ca = "1.0";
    inlet.pipe_i = "2.0";  // Qi = 2.0, exactly a fifth of 10 cfs
    HglFields row = row_of(inlet, 0.0);
    EXPECT_CELL_NEAR(field(row, 20), 2.0);
    EXPECT_CELL_NEAR(field(row, 21), ho * 1.3);
    EXPECT_CELL_NEAR(field(row, 23), ho * 1.3);

    inlet.structure_ca = "0.99";  // Qi = 1.98
    row = row_of(inlet, 0.0);
    EXPECT_CELL_NEAR(field(row, 21), ho);

    inlet.numofpipes = "2";  // a barrel carries 5 cfs: 1.98 >= 1.0
    inlet.nodein_shaping = "YES";
    row = row_of(inlet, 0.0);
    EXPECT_CELL_NEAR(field(row, 7), 5.0);
    EXPECT_CELL_NEAR(field(row, 21), ho * 1.3);
    EXPECT_CELL_NEAR(field(row, 23), 0.5 * ho * 1.3);

    // Another structure type has no inlet flow, whatever its C·A and intensity; an
    // inlet with empty C·A has none either.
    inlet.nodein_type = "Junction Box";
    EXPECT_CELL_NEAR(field(row_of(inlet, 0.0), 20), 0.0);
    inlet.nodein_type = "Inlet";
    inlet.structure_ca = "";
    EXPECT_CELL_NEAR(field(row_of(inlet, 0.0), 20), 0.0);
}

TEST(HglPipeRow, FloorAtTheInletFlowDepthAndTheRimCheck) {
    // Inlet invert 105.00 + depth 0.80 = 105.80 lies above 101.2 + losses.
    HglPipe pipe = make_pipe("1", "2", "1");
    pipe.pipe_elein = "105.00";
    pipe.nodein_topele = "105.80";
    HglFields row = row_of(pipe, 0.0);
    EXPECT_CELL_NEAR(field(row, 25), 105.8);
    EXPECT_EQ(text_in(field(row, 27)), "O.K.");  // the rim equals the grade line

    pipe.nodein_topele = "105.79";
    row = row_of(pipe, 0.0);
    EXPECT_EQ(text_in(field(row, 27)), "ADJUST");
    EXPECT_EQ(text_in(field(row, 26)), "105.79");
}

TEST(HglPipeRow, FailingStepsLeaveTheirCellsEmpty) {
    HglPipe pipe = make_pipe("1", "2", "1");
    pipe.numofpipes = "0";  // division by zero: no barrel discharge
    pipe.pipe_velocity = "";
    pipe.pipe_length = "  ";
    pipe.nodein_topele = "N/A";
    HglFields row = row_of(pipe, 0.0);
    EXPECT_TRUE(is_empty(field(row, 7)));
    EXPECT_CELL_NEAR(field(row, 9), 0.0);  // Q reads 0 from the empty cell
    EXPECT_CELL_NEAR(field(row, 8), 0.0);  // no length shows 0
    EXPECT_CELL_NEAR(field(row, 10), 0.0);
    EXPECT_TRUE(is_empty(field(row, 11)));  // empty velocity: empty cell, no loss
    EXPECT_CELL_NEAR(field(row, 12), 0.0);
    EXPECT_EQ(text_in(field(row, 26)), "N/A");
    EXPECT_TRUE(is_empty(field(row, 27)));
    EXPECT_CELL_NEAR(field(row, 25), 101.8);  // 101.2 + 0, lifted to 101.00 + 0.80

    // A length that is not a number is shown as stored; the friction loss is skipped.
    pipe = make_pipe("1", "2", "1");
    pipe.pipe_length = " 12a ";
    row = row_of(pipe, 0.0);
    EXPECT_EQ(text_in(field(row, 8)), "12a");
    EXPECT_TRUE(is_empty(field(row, 10)));
    EXPECT_CELL_NEAR(field(row, 24), 0.12436180124223602);
}

}  // namespace
}  // namespace pelvane::hgl
