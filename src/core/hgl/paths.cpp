#include "core/hgl/paths.h"

#include <cstddef>
#include <unordered_map>

namespace pelvane::hgl {
namespace {

// The pipes ending at one node, in table order; those before `next` are taken.
// Pipes are only ever taken from the front, as the first untaken one in table order.
struct EndingHere {
    std::vector<std::size_t> pipes;
    std::size_t next = 0;

    bool any_left() const { return next < pipes.size(); }
};

}  // namespace

std::vector<HglPath> build_paths(std::span<const HglPipe> pipes, std::string_view outfall) {
    std::unordered_map<std::string_view, EndingHere> ending_at;
    ending_at.reserve(pipes.size());
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        if (!pipes[i].nodeout_no.empty()) ending_at[pipes[i].nodeout_no].pipes.push_back(i);
    }
    auto untaken_at = [&ending_at](std::string_view node) -> EndingHere* {
        const auto found = ending_at.find(node);
        return found != ending_at.end() && found->second.any_left() ? &found->second : nullptr;
    };

    // Structures reached, in the order reached; each becomes a branch start once.
    std::vector<std::string_view> visited;
    visited.reserve(pipes.size());
    std::size_t next_visited = 0;

    std::vector<HglPath> paths;
    std::string_view branch = outfall;
    std::string_view current = outfall;
    while (true) {
        bool started = false;
        while (EndingHere* here = untaken_at(current)) {
            const HglPipe& pipe = pipes[here->pipes[here->next++]];
            if (!started) {
                paths.push_back(HglPath{{std::string(current)}});
                started = true;
            }
            paths.back().nodes.push_back(pipe.nodein_no);
            if (!pipe.nodein_no.empty()) visited.push_back(pipe.nodein_no);
            current = pipe.nodein_no;
        }
        if (!untaken_at(branch)) {
            if (next_visited == visited.size()) break;
            branch = visited[next_visited++];
        }
        current = branch;
    }
    return paths;
}

}  // namespace pelvane::hgl
