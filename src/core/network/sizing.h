#pragma once
// Automatic sizing of pipe runs. Upstream first, each chosen pipe gets the smallest
// standard size of its shape whose full-flow capacity, taken at a share of itself,
// carries the design discharge, that meets the velocity limits and the minimum size,
// and that is not smaller than any pipe flowing into it. Inverts, lengths, slope, n
// and the number of barrels stay as they are; only the size changes.
//
// "Smallest" is the least full area (pipe::full_section, the area the section solves
// take), so the elliptical and arch tables, whose listed areas are rounded, are
// ordered by the area the program computes with. An elliptical pipe keeps its
// orientation: a horizontal ellipse (span at least the rise) is sized among the
// horizontal ones, an upright one among the upright ones. "Not smaller than a pipe
// flowing into it" compares the largest dimension (checks::barrel_size: the diameter,
// or the larger of span and rise), the size the design review's size_decrease rule
// compares, so that a sized network passes that rule.
//
// The velocity limits are measured as the design review measures them: the minimum
// on the full-flow velocity (capacity over full area), the maximum on the velocity of
// the solved section at the design discharge.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/pipe/section.h"

namespace pelvane::network {

// One standard size as its table writes it (in or mm): a diameter for a circular
// pipe, span and rise for the other shapes.
struct StandardSize {
    std::string dia;
    std::string span;
    std::string rise;

    bool operator==(const StandardSize&) const = default;
};

struct SizingPipe {
    // The pipe's texts as stored: its design discharge and the size it has.
    pipe::SectionInput section;
    // Positions in the list (earlier ones) of the pipes flowing into it.
    std::vector<std::size_t> upstream;
    bool chosen = false;
    // Its shape's standard sizes in the project's units; empty when the shape has no
    // table.
    std::vector<StandardSize> sizes;
};

// The enabled criteria in the project's units; nullopt for one that is off.
struct SizingLimits {
    double max_full_percent = 100.0;
    std::optional<double> min_full_velocity;  // ft/sec or m/sec
    std::optional<double> max_velocity;       // ft/sec or m/sec
    std::optional<double> min_size;           // in or mm
};

enum class SizingStatus {
    Sized,
    NoStandardSizes,  // the shape has no table of standard sizes
    InvalidInput,     // discharge, barrels, slope or n cannot be computed with
    NoneLargeEnough,  // no size is as large as `least_size`
    NoCapacity,       // no size carries the discharge within the share of full flow
    NoVelocity,       // the sizes that carry it all break a velocity limit
};

struct PipeSizing {
    SizingStatus status = SizingStatus::Sized;
    StandardSize size;        // Sized: the size chosen, which may be the one it has
    std::string detail;       // InvalidInput: what could not be computed, technically
    double discharge = 0.0;   // the design discharge of all barrels, cfs or cms
    double least_size = 0.0;  // the pipes above it or the minimum size (in or mm)
    // NoVelocity: the limits broken by the sizes that carry the discharge.
    bool below_min_velocity = false;
    bool above_max_velocity = false;

    // Whether the size chosen differs from the one `stored` has (compared as numbers,
    // so "18.0" is 18).
    bool changes(const pipe::SectionInput& stored) const;
};

// `pipes` in flow order; one entry per pipe, nullopt for a pipe not chosen. A pipe
// that cannot be sized keeps its size, and the pipes below it compare with that.
std::vector<std::optional<PipeSizing>> size_pipes(std::span<const SizingPipe> pipes,
                                                  const SizingLimits& limits);

}  // namespace pelvane::network
