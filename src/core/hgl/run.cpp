#include "core/hgl/run.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <variant>

#include "core/text/number_text.h"

namespace pelvane::hgl {

Run find_run(std::span<const HglPipe> pipes, std::string_view start, std::string_view outfall) {
    Run run;
    std::unordered_map<std::string_view, std::size_t> starting_at;
    std::optional<std::size_t> current;
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        starting_at.try_emplace(pipes[i].nodein_no, i);
        if (!current && pipes[i].pipe_number == start) current = i;
    }
    if (!current) {
        run.problem = Run::Problem::UnknownPipe;
        return run;
    }
    // Each pipe is taken once at most, so a circle of structures ends the walk.
    std::vector<bool> taken(pipes.size(), false);
    while (current && !taken[*current]) {
        taken[*current] = true;
        run.pipes.push_back(*current);
        const std::string& end = pipes[*current].nodeout_no;
        if (!outfall.empty() && end == outfall) return run;
        const auto below = end.empty() ? starting_at.end() : starting_at.find(end);
        if (below == starting_at.end()) {
            if (outfall.empty()) return run;
            break;
        }
        current = below->second;
    }
    run.pipes.clear();
    run.problem = Run::Problem::NoPath;
    return run;
}

std::optional<std::size_t> longest_run_start(std::span<const HglPipe> pipes,
                                             std::string_view outfall) {
    std::unordered_map<std::string_view, std::size_t> starting_at;
    for (std::size_t i = 0; i < pipes.size(); ++i) starting_at.try_emplace(pipes[i].nodein_no, i);
    // The length from each pipe's upper end to the outfall, filled going down a run
    // and then back up it, so each pipe is measured once; < 0 while unknown, and for
    // a pipe that never reaches the outfall.
    constexpr double kUnknown = -1.0;
    constexpr double kNever = -2.0;
    std::vector<double> to_outfall(pipes.size(), kUnknown);
    std::vector<std::size_t> walk;
    for (std::size_t first = 0; first < pipes.size(); ++first) {
        walk.clear();
        std::optional<std::size_t> at = first;
        double below = kNever;
        while (at) {
            if (to_outfall[*at] != kUnknown) {
                below = to_outfall[*at];
                break;
            }
            to_outfall[*at] = kNever;  // a circle met again stays Never
            walk.push_back(*at);
            const std::string& end = pipes[*at].nodeout_no;
            if (end == outfall) {
                below = 0.0;
                break;
            }
            const auto next = end.empty() ? starting_at.end() : starting_at.find(end);
            at = next == starting_at.end() ? std::nullopt : std::optional(next->second);
        }
        for (std::size_t k = walk.size(); k-- > 0;) {
            if (below != kNever) {
                const auto length = text::parse_number(pipes[walk[k]].pipe_length);
                below += length.ok() ? length.value : 0.0;
            }
            to_outfall[walk[k]] = below;
        }
    }
    std::optional<std::size_t> longest;
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        if (to_outfall[i] >= 0.0 && (!longest || to_outfall[i] > to_outfall[*longest])) longest = i;
    }
    return longest;
}

std::vector<const HglRow*> run_rows(const HglResult& result, std::span<const HglPipe> pipes,
                                    const Run& run) {
    std::vector<const HglRow*> rows(run.pipes.size(), nullptr);
    if (result.rows.empty()) return rows;
    int downstream = result.rows.front().row;
    for (std::size_t k = run.pipes.size(); k-- > 0;) {
        const std::string& node = pipes[run.pipes[k]].nodein_no;
        const HglRow* found = nullptr;
        for (const HglRow& row : result.rows) {
            const auto* text = std::get_if<std::string>(&row.field(1));
            if (row.downstream_row == downstream && text != nullptr && *text == node) {
                found = &row;
                break;
            }
        }
        if (found == nullptr) break;
        rows[k] = found;
        downstream = found->row;
    }
    return rows;
}

double velocity_head(double velocity, const HglConstants& constants) {
    return velocity * velocity / (2.0 * constants.gravity);
}

}  // namespace pelvane::hgl
