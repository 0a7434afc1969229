#pragma once
// The path building and row numbering of the grade line done the slow, literal way:
// arrays scanned from the start at every step, a visited-node list whose entries
// are cleared as they become branch starts, a counter that ends the loop. Tests
// compare the engine's indexed version against it on random networks.

#include <cstddef>
#include <string>
#include <vector>

#include "core/hgl/hgl_pipe.h"

namespace pelvane::hgl::testing {

inline std::vector<std::vector<std::string>> literal_paths(const std::vector<HglPipe>& pipes,
                                                           const std::string& outfall) {
    const std::size_t n = pipes.size();
    // One spare entry past the last pipe, as the scan runs to index N.
    std::vector<std::string> untaken_outlet(n + 1);
    std::vector<std::string> inlet(n + 1);
    for (std::size_t i = 0; i < n; ++i) {
        untaken_outlet[i] = pipes[i].nodeout_no;
        inlet[i] = pipes[i].nodein_no;
    }
    std::vector<std::string> visited(n);
    std::vector<std::vector<std::string>> path;
    auto write = [&path](std::size_t r, std::size_t c, const std::string& node) {
        if (path.size() <= r) path.resize(r + 1);
        if (path[r].size() <= c) path[r].resize(c + 1);
        path[r][c] = node;
    };
    auto start_of = [&path](std::size_t r) {
        return r < path.size() && !path[r].empty() ? path[r][0] : std::string();
    };
    // An emptied entry never matches, not even an empty current node.
    auto matches = [](const std::string& entry, const std::string& node) {
        return !entry.empty() && entry == node;
    };

    std::string branch = outfall;
    std::string current = outfall;
    std::size_t r = 0;
    std::size_t c = 0;
    std::size_t i = 0;
    std::size_t taken = 0;
    while (taken != n + 1) {
        while (true) {
            if (matches(untaken_outlet[i], current)) {
                write(r, c, current);
                visited.at(taken) = inlet[i];
                untaken_outlet[i].clear();
                current = inlet[i];
                ++taken;
                ++c;
                write(r, c, current);
                i = 0;
            } else {
                ++i;
            }
            if (i >= n + 1) {
                i = 0;
                bool branch_has_more = false;
                for (std::size_t j = 0; j <= n; ++j) {
                    if (matches(untaken_outlet[j], branch)) {
                        branch_has_more = true;
                        break;
                    }
                }
                if (branch_has_more) break;
                bool found = false;
                for (std::size_t j = 0; j < n; ++j) {
                    if (!visited[j].empty()) {
                        branch = visited[j];
                        visited[j].clear();
                        found = true;
                        break;
                    }
                }
                if (!found) ++taken;
                break;
            }
        }
        current = branch;
        c = 0;
        if (!start_of(r).empty()) ++r;
    }
    // Paths that were started are the non-empty rows.
    while (!path.empty() && start_of(path.size() - 1).empty()) path.pop_back();
    return path;
}

struct LiteralRow {
    int row;
    std::string node;
    int downstream_row;
    bool operator==(const LiteralRow&) const = default;
};

// Row number, node and downstream row of every row the layout writes for the paths:
// the outfall at the first row, each path continuing from the first row of its
// start node after one empty row, a path ending at an empty node or a node no pipe
// starts at.
inline std::vector<LiteralRow> literal_row_layout(const std::vector<HglPipe>& pipes,
                                                  const std::string& outfall,
                                                  const std::vector<std::vector<std::string>>& path,
                                                  int first_row) {
    std::vector<LiteralRow> rows{{first_row, outfall, 0}};
    auto node_at = [&path](std::size_t r, std::size_t c) {
        return r < path.size() && c < path[r].size() ? path[r][c] : std::string();
    };
    auto starts_somewhere = [&pipes](const std::string& node) {
        for (const HglPipe& p : pipes) {
            if (p.nodein_no == node) return true;
        }
        return false;
    };
    int next_row = first_row + 1;
    int downstream_row = first_row;
    std::size_t r = 0;
    std::size_t c = 1;
    while (true) {
        while (!node_at(r, c).empty() && starts_somewhere(node_at(r, c))) {
            rows.push_back({next_row, node_at(r, c), downstream_row});
            downstream_row = next_row++;
            ++c;
        }
        ++r;
        c = 0;
        if (node_at(r, 0).empty()) break;
        bool known = false;
        // Only the first N pairs of the node-row index are searched.
        for (std::size_t k = 0; k < rows.size() && k < pipes.size(); ++k) {
            if (rows[k].node == node_at(r, 0)) {
                downstream_row = rows[k].row;
                known = true;
                break;
            }
        }
        if (!known) break;
        ++next_row;
        c = 1;
    }
    return rows;
}

}  // namespace pelvane::hgl::testing
