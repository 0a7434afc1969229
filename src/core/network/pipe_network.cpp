#include "core/network/pipe_network.h"

namespace pelvane::network {

PipeNetwork::PipeNetwork(std::vector<PipeLinks> pipes, bool legacy)
    : pipes_(std::move(pipes)), legacy_(legacy) {
    // The maps key on views into pipes_, which no longer moves.
    by_number_.reserve(pipes_.size());
    listing_.reserve(pipes_.size());
    for (std::size_t i = 0; i < pipes_.size(); ++i) {
        by_number_.try_emplace(pipes_[i].number, i);
        for (int k = 0; k < previous_rows(); ++k) {
            const std::string& named = pipes_[i].previous[k];
            if (named.empty()) continue;
            auto& listers = listing_[named];
            // A pipe naming the same previous pipe in two rows is listed once.
            if (listers.empty() || listers.back() != i) listers.push_back(i);
        }
    }
}

std::optional<std::size_t> PipeNetwork::find(std::string_view number) const {
    const auto it = by_number_.find(number);
    if (it == by_number_.end()) return std::nullopt;
    return it->second;
}

std::array<std::optional<std::size_t>, kPreviousPipeRows> PipeNetwork::previous_of(
    std::size_t index) const {
    std::array<std::optional<std::size_t>, kPreviousPipeRows> result;
    for (int k = 0; k < previous_rows(); ++k) {
        const std::string& named = pipes_[index].previous[k];
        if (!named.empty()) result[k] = find(named);
    }
    return result;
}

std::optional<std::size_t> PipeNetwork::first_listing(std::string_view number) const {
    const auto& listers = pipes_listing(number);
    if (listers.empty()) return std::nullopt;
    return listers.front();
}

const std::vector<std::size_t>& PipeNetwork::pipes_listing(std::string_view number) const {
    static const std::vector<std::size_t> none;
    const auto it = listing_.find(number);
    return it == listing_.end() ? none : it->second;
}

std::vector<MissingReference> PipeNetwork::missing_references() const {
    std::vector<MissingReference> missing;
    for (std::size_t i = 0; i < pipes_.size(); ++i) {
        for (int k = 0; k < previous_rows(); ++k) {
            const std::string& named = pipes_[i].previous[k];
            if (!named.empty() && !find(named)) missing.push_back({i, k, named});
        }
    }
    return missing;
}

}  // namespace pelvane::network
