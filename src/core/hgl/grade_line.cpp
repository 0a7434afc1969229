#include "core/hgl/grade_line.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>

#include "core/hgl/paths.h"
#include "core/hgl/pipe_row.h"
#include "core/text/number_text.h"

namespace pelvane::hgl {
namespace {

constexpr std::string_view kDefaultTailwater = "0.0";

// Lookups a run needs, built once: the first pipe starting at each structure (a
// structure starts at most one pipe; should the table hold more, the first in table
// order speaks for it) and the pipes ending at each structure in table order.
struct PipeIndex {
    std::unordered_map<std::string_view, std::size_t> first_starting_at;
    std::unordered_map<std::string_view, std::vector<std::size_t>> ending_at;

    explicit PipeIndex(std::span<const HglPipe> pipes) {
        first_starting_at.reserve(pipes.size());
        ending_at.reserve(pipes.size());
        for (std::size_t i = 0; i < pipes.size(); ++i) {
            first_starting_at.try_emplace(pipes[i].nodein_no, i);
            if (!pipes[i].nodeout_no.empty()) ending_at[pipes[i].nodeout_no].push_back(i);
        }
    }
};

}  // namespace

HglResult compute_grade_line(std::span<const HglPipe> pipes, std::string_view outfall,
                             std::string_view tailwater, std::string_view units,
                             FrictionRule friction) {
    HglResult result;
    if (outfall.empty()) return result;
    HglConstants constants = HglConstants::for_units(units);
    constants.friction = friction;
    const std::vector<HglPath> paths = build_paths(pipes, outfall);
    const PipeIndex index(pipes);

    HglRow outfall_row;
    outfall_row.row = kFirstHglRow;
    outfall_row.field(1) = text_cell(std::string(outfall));
    outfall_row.field(25) =
        text_cell(std::string(tailwater.empty() ? kDefaultTailwater : tailwater));
    result.rows.push_back(std::move(outfall_row));

    // Position in result.rows of the first row written for each structure; a later
    // path starting at that structure continues from it.
    std::unordered_map<std::string_view, std::size_t> row_of_node;
    row_of_node.emplace(outfall, 0);

    HglWorking working;
    std::vector<const HglPipe*> inflows;
    int next_row = kFirstHglRow + 1;
    for (std::size_t r = 0; r < paths.size(); ++r) {
        const std::vector<std::string>& nodes = paths[r].nodes;
        std::size_t downstream = 0;
        if (r > 0) {
            const auto start = row_of_node.find(nodes.front());
            if (start == row_of_node.end()) break;
            downstream = start->second;
            ++next_row;  // the empty row between two paths
        }
        for (std::size_t c = 1; c < nodes.size() && !nodes[c].empty(); ++c) {
            const auto found = index.first_starting_at.find(nodes[c]);
            if (found == index.first_starting_at.end()) break;
            const HglPipe& pipe = pipes[found->second];

            inflows.clear();
            if (const auto ending = index.ending_at.find(nodes[c]);
                ending != index.ending_at.end()) {
                for (const std::size_t i : ending->second) {
                    if (pipes[i].pipe_number != pipe.pipe_number) inflows.push_back(&pipes[i]);
                }
            }

            HglRow row;
            row.row = next_row++;
            row.downstream_row = result.rows[downstream].row;
            row.fields = compute_pipe_row(pipe, inflows, result.rows[downstream].field(25),
                                          constants, working);
            result.rows.push_back(std::move(row));
            downstream = result.rows.size() - 1;
            row_of_node.try_emplace(nodes[c], downstream);
            result.storm_frequency = text::trim(pipe.pipe_storm_freq);
        }
    }
    return result;
}

std::vector<std::string> outfall_nodes(std::span<const HglPipe> pipes) {
    std::vector<std::string> nodes;
    for (const HglPipe& pipe : pipes) {
        if (!pipe.nodeout_no.empty()) nodes.push_back(pipe.nodeout_no);
    }
    std::sort(nodes.begin(), nodes.end());
    nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
    return nodes;
}

}  // namespace pelvane::hgl
