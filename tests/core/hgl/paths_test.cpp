#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/hgl/grade_line.h"
#include "core/hgl/paths.h"
#include "hgl_test_pipes.h"
#include "literal_paths.h"

namespace pelvane::hgl {
namespace {

using testing::make_pipe;
using Nodes = std::vector<std::vector<std::string>>;

Nodes nodes_of(const std::vector<HglPath>& paths) {
    Nodes nodes;
    for (const HglPath& path : paths) nodes.push_back(path.nodes);
    return nodes;
}

Nodes paths_from(const std::vector<HglPipe>& pipes, const std::string& outfall) {
    return nodes_of(build_paths(pipes, outfall));
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

}  // namespace
}  // namespace pelvane::hgl
