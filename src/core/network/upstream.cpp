#include "core/network/upstream.h"

#include <cstddef>

namespace pelvane::network {

std::vector<std::string> loop_closed_by(const PipeNetwork& network, std::string_view pipe,
                                        std::string_view previous) {
    const auto start = network.find(previous);
    if (!start || previous == pipe) return {};
    // For each pipe reached, the pipe below it through which it was reached.
    constexpr std::size_t kUnreached = static_cast<std::size_t>(-1);
    std::vector<std::size_t> below(network.size(), kUnreached);
    below[*start] = *start;
    std::vector<std::size_t> queue{*start};
    for (std::size_t at = 0; at < queue.size(); ++at) {
        const std::size_t reached = queue[at];
        for (int k = 0; k < network.previous_rows(); ++k) {
            const std::string& named = network.pipe(reached).previous[k];
            if (named.empty()) continue;
            if (named == pipe) {
                std::vector<std::string> loop{std::string(pipe)};
                for (std::size_t i = reached;; i = below[i]) {
                    loop.push_back(network.pipe(i).number);
                    if (i == *start) break;
                }
                return loop;
            }
            const auto up = network.find(named);
            if (up && below[*up] == kUnreached) {
                below[*up] = reached;
                queue.push_back(*up);
            }
        }
    }
    return {};
}

}  // namespace pelvane::network
