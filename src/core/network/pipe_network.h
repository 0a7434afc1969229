#pragma once
// The pipe network as its previous-pipe references make it: each pipe names up to
// four previous pipes whose flow it receives (three in a legacy project). Pipes
// are held in table order, the order in which the database returns them without
// sorting; "first" below always means first in that order, as a lookup in the
// table finds it.
//
// Pipe numbers compare exactly as stored (case and blanks count). An empty
// previous-pipe number names no pipe. A previous-pipe number that is no pipe of
// the network counts as no previous pipe: the pipe window's take-over finds no row
// for it either.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pelvane::network {

inline constexpr int kPreviousPipeRows = 4;

// One pipe's number (PIPE_NUMBER) and previous pipes (PRENODE1 … PRENODE4).
struct PipeLinks {
    std::string number;
    std::array<std::string, kPreviousPipeRows> previous;
};

// A previous-pipe number that names no pipe of the network.
struct MissingReference {
    std::size_t pipe = 0;  // index of the pipe whose row names it
    int row = 0;           // 0 for PRENODE1 … 3 for PRENODE4
    std::string number;
};

class PipeNetwork {
  public:
    // In a legacy project the fourth previous pipe is not part of the network.
    PipeNetwork(std::vector<PipeLinks> pipes, bool legacy);
    // Its lookups point into its own pipes: moving keeps them valid, copying would not.
    PipeNetwork(PipeNetwork&&) = default;
    PipeNetwork& operator=(PipeNetwork&&) = default;
    PipeNetwork(const PipeNetwork&) = delete;
    PipeNetwork& operator=(const PipeNetwork&) = delete;

    std::size_t size() const { return pipes_.size(); }
    const PipeLinks& pipe(std::size_t index) const { return pipes_[index]; }
    const std::vector<PipeLinks>& pipes() const { return pipes_; }
    int previous_rows() const { return legacy_ ? kPreviousPipeRows - 1 : kPreviousPipeRows; }

    // Index of the first pipe with this number.
    std::optional<std::size_t> find(std::string_view number) const;

    // The pipes that rows 1 … 4 of a pipe resolve to; nothing for a row that names
    // no pipe, names a missing one, or is the legacy fourth row.
    std::array<std::optional<std::size_t>, kPreviousPipeRows> previous_of(std::size_t index) const;

    // The first pipe that lists `number` as a previous pipe: the downstream pipe of
    // pipe `number`, and the pipe named when a delete, a renumber or a save is
    // checked against the pipes that depend on it.
    std::optional<std::size_t> first_listing(std::string_view number) const;
    // The pipe that pipe `index` drains into: the first that lists its number.
    std::optional<std::size_t> downstream_of(std::size_t index) const {
        return first_listing(pipes_[index].number);
    }
    // Every pipe that lists `number` as a previous pipe, each once, in table order.
    const std::vector<std::size_t>& pipes_listing(std::string_view number) const;

    // Previous-pipe numbers that name no pipe, in table and row order.
    std::vector<MissingReference> missing_references() const;

  private:
    std::vector<PipeLinks> pipes_;
    bool legacy_;
    std::unordered_map<std::string_view, std::size_t> by_number_;
    std::unordered_map<std::string_view, std::vector<std::size_t>> listing_;
};

}  // namespace pelvane::network
