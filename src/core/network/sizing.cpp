#include "core/network/sizing.h"

#include <algorithm>

#include "core/checks/checks.h"
#include "core/pipe/catalogue.h"
#include "core/pipe/full_section.h"
#include "core/pipe/section_math.h"
#include "core/pipe/section_searches.h"
#include "core/pipe/section_state.h"
#include "core/text/number_text.h"

namespace pelvane::network {
namespace {

using pipe::SectionInput;

// The size fields of a pipe as the design review reads them.
hgl::HglPipe size_of(std::string_view shape, const StandardSize& size) {
    hgl::HglPipe h;
    h.pipe_shape = std::string(shape);
    h.pipe_dia = size.dia;
    h.span = size.span;
    h.rise = size.rise;
    return h;
}

StandardSize stored_size(const SectionInput& s) {
    return {s.dia, s.span, s.rise};
}

double input_number(std::string_view text, std::string_view column) {
    const text::ParsedNumber parsed = text::parse_number(text);
    if (!parsed.ok()) {
        pipe::arithmetic_failure(std::string(column) + " is not a number: \"" + std::string(text) +
                                 "\"");
    }
    return parsed.value;
}

bool same_number(std::string_view a, std::string_view b) {
    const text::ParsedNumber x = text::parse_number(a);
    const text::ParsedNumber y = text::parse_number(b);
    return x.ok() && y.ok() ? x.value == y.value : a == b;
}

// The discharge of one barrel and Manning's terms of the pipe, read as the section
// solve reads them.
struct Flow {
    pipe::SectionState state;
    double total = 0.0;
    double unit_divisor = 12.0;
};

Flow flow_of(const SectionInput& s) {
    // Manning's constant and the unit divisor are the same for every routine; only
    // the gravity, which full flow does not use, differs.
    const auto constants =
        pipe::SectionConstants::for_units(s.units, pipe::GravityKind::CircularBox);
    Flow f;
    f.unit_divisor = constants.unit_divisor;
    f.state.K = constants.manning_k;
    f.total = input_number(s.discharge, "PIPE_DISCHARGE");
    const double barrels = text::round_half_even(input_number(s.barrels, "NUMOFPIPES"), 0);
    f.state.Q = pipe::divide(f.total, barrels);
    f.state.S = input_number(s.slope, "PIPE_SLOPE");
    f.state.n = input_number(s.mann, "PIPE_MANN");
    return f;
}

struct Candidate {
    const StandardSize* size = nullptr;
    pipe::FullSection full;
    double largest = 0.0;
};

// The sizes a pipe may take, least full area first. An ellipse keeps its orientation.
std::vector<Candidate> candidates(const SizingPipe& p, const Flow& flow) {
    const pipe::SectionKind kind = pipe::section_kind(p.section.shape);
    const text::ParsedNumber span = text::parse_number(p.section.span);
    const text::ParsedNumber rise = text::parse_number(p.section.rise);
    const bool upright = span.ok() && rise.ok() && rise.value > span.value;
    std::vector<Candidate> out;
    for (const StandardSize& size : p.sizes) {
        const double d = text::parse_number(size.dia).value / flow.unit_divisor;
        const double b = text::parse_number(size.span).value / flow.unit_divisor;
        const double h = text::parse_number(size.rise).value / flow.unit_divisor;
        if (kind == pipe::SectionKind::Elliptical && (h > b) != upright) continue;
        const auto largest = checks::barrel_size(size_of(p.section.shape, size));
        out.push_back({&size, pipe::full_section(kind, d, b, h), largest.value_or(0.0)});
    }
    std::stable_sort(out.begin(), out.end(), [](const Candidate& a, const Candidate& b) {
        return a.full.area < b.full.area;
    });
    return out;
}

// The velocity of the solved section at the design discharge; nullopt when the solve
// fails. An empty pipe has none written and flows at 0.
std::optional<double> design_velocity(SectionInput section, const StandardSize& size) {
    section.dia = size.dia;
    section.span = size.span;
    section.rise = size.rise;
    const pipe::SectionResult solved = pipe::solve_pipe_section(section);
    if (solved.failed()) return std::nullopt;
    const auto velocity = solved.text(pipe::kVelocity);
    return velocity ? text::parse_number(*velocity).value : 0.0;
}

PipeSizing size_one(const SizingPipe& p, double least_size, const SizingLimits& limits) {
    PipeSizing out;
    if (p.sizes.empty()) {
        out.status = SizingStatus::NoStandardSizes;
        return out;
    }
    try {
        Flow flow = flow_of(p.section);
        out.discharge = flow.total;
        out.least_size = least_size;
        bool large_enough = false;
        bool carried = false;
        for (const Candidate& c : candidates(p, flow)) {
            if (c.largest < least_size) continue;
            large_enough = true;
            const double capacity = pipe::manning_discharge(flow.state, c.full.area, c.full.radius);
            if (flow.state.Q > capacity * limits.max_full_percent / 100.0) continue;
            carried = true;
            if (limits.min_full_velocity &&
                pipe::divide(capacity, c.full.area) < *limits.min_full_velocity) {
                out.below_min_velocity = true;
                continue;
            }
            if (limits.max_velocity) {
                const auto velocity = design_velocity(p.section, *c.size);
                if (!velocity || *velocity > *limits.max_velocity) {
                    out.above_max_velocity = true;
                    continue;
                }
            }
            out.status = SizingStatus::Sized;
            out.size = *c.size;
            return out;
        }
        out.status = !large_enough ? SizingStatus::NoneLargeEnough
                     : !carried    ? SizingStatus::NoCapacity
                                   : SizingStatus::NoVelocity;
    } catch (const pipe::ArithmeticFailure& failure) {
        out.status = SizingStatus::InvalidInput;
        out.detail = failure.what();
    }
    return out;
}

}  // namespace

bool PipeSizing::changes(const pipe::SectionInput& stored) const {
    if (status != SizingStatus::Sized) return false;
    if (pipe::sized_by_diameter(stored.shape)) return !same_number(size.dia, stored.dia);
    return !same_number(size.span, stored.span) || !same_number(size.rise, stored.rise);
}

std::vector<std::optional<PipeSizing>> size_pipes(std::span<const SizingPipe> pipes,
                                                  const SizingLimits& limits) {
    // The size of each pipe as the pipes below it see it: the new one once sized.
    std::vector<StandardSize> current;
    current.reserve(pipes.size());
    for (const SizingPipe& p : pipes) current.push_back(stored_size(p.section));

    std::vector<std::optional<PipeSizing>> out(pipes.size());
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        const SizingPipe& p = pipes[i];
        if (!p.chosen) continue;
        double least = limits.min_size.value_or(0.0);
        for (const std::size_t u : p.upstream) {
            const auto size = checks::barrel_size(size_of(pipes[u].section.shape, current[u]));
            least = std::max(least, size.value_or(0.0));
        }
        PipeSizing sizing = size_one(p, least, limits);
        if (sizing.status == SizingStatus::Sized) {
            StandardSize& now = current[i];
            if (pipe::sized_by_diameter(p.section.shape)) {
                now.dia = sizing.size.dia;
            } else {
                now.span = sizing.size.span;
                now.rise = sizing.size.rise;
            }
        }
        out[i] = std::move(sizing);
    }
    return out;
}

}  // namespace pelvane::network
