#pragma once
// The run of a profile: the pipes from a chosen pipe down to a structure, and the
// grade line row computed for each of them.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/hgl/grade_line.h"
#include "core/hgl/hgl_pipe.h"

namespace pelvane::hgl {

struct Run {
    enum class Problem {
        None,
        UnknownPipe,  // no pipe has the start number
        NoPath,       // the pipes from the start never end at the structure
    };
    // Indices into the pipes, from the start pipe down to the one ending at the
    // structure.
    std::vector<std::size_t> pipes;
    Problem problem = Problem::None;
};

// Follows pipe `start` (its PIPE_NUMBER, exactly) downstream. The pipe below a pipe
// is the first in table order that starts (NODEIN_NO) where it ends (NODEOUT_NO),
// the pipe the grade line computes for that structure. The run stops at the first
// pipe ending at `outfall`; an empty `outfall` stops at the first pipe below which
// there is none. A circle of structures is NoPath.
Run find_run(std::span<const HglPipe> pipes, std::string_view start, std::string_view outfall);

// The pipe whose run to `outfall` is the longest (by PIPE_LENGTH; a length that is
// not a number counts 0), the first in table order on a tie; nothing when no pipe
// drains to `outfall`.
std::optional<std::size_t> longest_run_start(std::span<const HglPipe> pipes,
                                             std::string_view outfall);

// The row of `result` for each pipe of `run`, in the run's order: the rows are
// matched from the outfall row up through their downstream rows, so a structure
// named twice in the network cannot be mistaken for another. nullptr for a pipe the
// grade line did not reach (a computation from another structure).
std::vector<const HglRow*> run_rows(const HglResult& result, std::span<const HglPipe> pipes,
                                    const Run& run);

// The velocity head v²/2g of a velocity in ft/sec or m/sec, with the grade line's
// own gravity for the units.
double velocity_head(double velocity, const HglConstants& constants);

}  // namespace pelvane::hgl
