#include "core/network/cycles.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace pelvane::network {
namespace {

// The pipes each pipe flows into, as one flat list: pipe i feeds
// targets[first[i]] up to targets[first[i + 1]].
struct Downstream {
    std::vector<std::size_t> first;
    std::vector<std::size_t> targets;
};

Downstream downstream_links(const PipeNetwork& network, std::span<const PipeEnds> ends) {
    const std::size_t n = network.size();
    std::vector<std::vector<std::size_t>> into(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (const auto& previous : network.previous_of(i)) {
            if (previous) into[*previous].push_back(i);
        }
    }
    if (ends.size() == n) {
        std::unordered_map<std::string_view, std::vector<std::size_t>> starting_at;
        for (std::size_t i = 0; i < n; ++i) {
            if (!ends[i].node_in.empty()) starting_at[ends[i].node_in].push_back(i);
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (ends[i].node_out.empty()) continue;
            const auto it = starting_at.find(ends[i].node_out);
            if (it == starting_at.end()) continue;
            into[i].insert(into[i].end(), it->second.begin(), it->second.end());
        }
    }
    Downstream links;
    links.first.reserve(n + 1);
    for (std::size_t i = 0; i < n; ++i) {
        links.first.push_back(links.targets.size());
        links.targets.insert(links.targets.end(), into[i].begin(), into[i].end());
    }
    links.first.push_back(links.targets.size());
    return links;
}

}  // namespace

std::vector<std::string> find_cycle(const PipeNetwork& network, std::span<const PipeEnds> ends) {
    const std::size_t n = network.size();
    const Downstream links = downstream_links(network, ends);
    // Depth-first from each pipe in table order; a link back to a pipe on the
    // current path closes a loop, which is that part of the path.
    enum class Mark { New, OnPath, Done };
    std::vector<Mark> mark(n, Mark::New);
    std::vector<std::size_t> path;
    std::vector<std::size_t> next_link;
    for (std::size_t root = 0; root < n; ++root) {
        if (mark[root] != Mark::New) continue;
        path.push_back(root);
        next_link.push_back(links.first[root]);
        mark[root] = Mark::OnPath;
        while (!path.empty()) {
            const std::size_t pipe = path.back();
            if (next_link.back() == links.first[pipe + 1]) {
                mark[pipe] = Mark::Done;
                path.pop_back();
                next_link.pop_back();
                continue;
            }
            const std::size_t to = links.targets[next_link.back()++];
            if (mark[to] == Mark::New) {
                path.push_back(to);
                next_link.push_back(links.first[to]);
                mark[to] = Mark::OnPath;
            } else if (mark[to] == Mark::OnPath) {
                std::vector<std::size_t> loop(std::find(path.begin(), path.end(), to), path.end());
                std::rotate(loop.begin(), std::min_element(loop.begin(), loop.end()), loop.end());
                std::vector<std::string> numbers;
                for (const std::size_t p : loop) numbers.push_back(network.pipe(p).number);
                return numbers;
            }
        }
    }
    return {};
}

}  // namespace pelvane::network
