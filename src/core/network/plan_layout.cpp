#include "core/network/plan_layout.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace pelvane::network {
namespace {

// The structures as numbers: one per distinct name, and one per empty name.
struct Nodes {
    std::vector<std::size_t> upper;  // per pipe
    std::vector<std::size_t> lower;  // per pipe
    std::size_t count = 0;

    explicit Nodes(std::span<const PlanPipe> pipes) {
        std::unordered_map<std::string_view, std::size_t> ids;
        const auto id = [&](const std::string& name) {
            if (name.empty()) return count++;
            const auto [it, added] = ids.try_emplace(name, count);
            if (added) ++count;
            return it->second;
        };
        for (const PlanPipe& pipe : pipes) {
            lower.push_back(id(pipe.lower));
            upper.push_back(id(pipe.upper));
        }
    }
};

}  // namespace

PlanLayout plan_layout(std::span<const PlanPipe> pipes) {
    const Nodes nodes(pipes);
    // The pipes ending at each structure, in table order; whether a structure
    // starts a pipe.
    std::vector<std::vector<std::size_t>> ending(nodes.count);
    std::vector<bool> starts(nodes.count, false);
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        ending[nodes.lower[i]].push_back(i);
        starts[nodes.upper[i]] = true;
    }

    std::vector<std::optional<PlanPoint>> at(nodes.count);
    double next_row = 0.0;
    PlanLayout layout;

    // Depth first from `root`, without recursion: a structure is placed when all its
    // branches are, midway between the first and the last.
    struct Visit {
        std::size_t node;
        double column;
        std::size_t next = 0;  // the next pipe of ending[node] to follow
        std::optional<double> first_row;
        double last_row = 0.0;
    };
    std::vector<Visit> stack;
    std::vector<bool> entered(nodes.count, false);
    const auto lay_out_tree = [&](std::size_t root) {
        stack.push_back({root, 0.0, 0, std::nullopt, 0.0});
        entered[root] = true;
        while (!stack.empty()) {
            Visit& visit = stack.back();
            const auto& branches = ending[visit.node];
            while (visit.next < branches.size() && entered[nodes.upper[branches[visit.next]]]) {
                ++visit.next;  // a structure placed already keeps its place
            }
            if (visit.next < branches.size()) {
                const std::size_t child = nodes.upper[branches[visit.next++]];
                entered[child] = true;
                stack.push_back({child, visit.column + 1.0, 0, std::nullopt, 0.0});
                continue;
            }
            const double row =
                visit.first_row ? (*visit.first_row + visit.last_row) / 2.0 : next_row++;
            at[visit.node] = PlanPoint{visit.column, row};
            layout.columns = std::max(layout.columns, visit.column);
            layout.rows = std::max(layout.rows, row);
            stack.pop_back();
            if (!stack.empty()) {
                Visit& parent = stack.back();
                if (!parent.first_row) parent.first_row = row;
                parent.last_row = row;
            }
        }
        next_row += 1.0;  // a free row between two trees
    };

    // Outfalls first, in the order they appear; then whatever a circle left.
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        const std::size_t outfall = nodes.lower[i];
        if (!starts[outfall] && !entered[outfall]) lay_out_tree(outfall);
    }
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        if (!entered[nodes.lower[i]]) lay_out_tree(nodes.lower[i]);
    }

    for (std::size_t i = 0; i < pipes.size(); ++i) {
        layout.upper.push_back(at[nodes.upper[i]].value_or(PlanPoint{}));
        layout.lower.push_back(at[nodes.lower[i]].value_or(PlanPoint{}));
    }
    return layout;
}

}  // namespace pelvane::network
