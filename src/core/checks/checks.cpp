#include "core/checks/checks.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "core/checks/review.h"
#include "core/pipe/catalogue.h"
#include "core/pipe/full_section.h"
#include "core/pipe/section.h"
#include "core/pipe/section_math.h"
#include "core/text/number_text.h"

namespace pelvane::checks {
namespace {

using K = CriterionKey;

// A station as typed ("10+35.00", "1+035.000" or "1035"): the plus sign only
// groups the digits.
std::optional<double> station_number(std::string_view text) {
    std::string digits = text::trim(text);
    digits.erase(std::remove(digits.begin(), digits.end(), '+'), digits.end());
    return detail::number(digits);
}

// The full-flow velocity of one barrel: the solved capacity over the full area.
std::optional<double> full_flow_velocity(const CheckPipe& p, double unit_divisor) {
    const auto capacity = detail::number(p.capacity);
    const auto size =
        detail::number(p.hgl.pipe_shape == pipe::kCircular ? p.hgl.pipe_dia : p.hgl.span);
    const auto rise = detail::number(p.hgl.rise);
    if (!capacity || !size) return std::nullopt;
    try {
        const bool circular = p.hgl.pipe_shape == pipe::kCircular;
        if (!circular && !rise) return std::nullopt;
        const pipe::FullSection full = pipe::full_section(
            pipe::section_kind(p.hgl.pipe_shape), circular ? *size / unit_divisor : 0.0,
            circular ? 0.0 : *size / unit_divisor, circular ? 0.0 : *rise / unit_divisor);
        if (full.area <= 0.0) return std::nullopt;
        return *capacity / full.area;
    } catch (const pipe::ArithmeticFailure&) {
        return std::nullopt;
    }
}

void pipe_rules(detail::Review& r) {
    CheckPipe p;
    for (const PackedCheckPipe& packed : r.input.pipes) {
        packed.unpack_into(p);
        const hgl::HglPipe& h = p.hgl;
        if (const auto v = full_flow_velocity(p, r.unit_divisor);
            v && r.on(K::MinVelocity) && *v < r.limit(K::MinVelocity)) {
            r.add(K::MinVelocity, p.hgl.pipe_number, {}, *v, r.limit(K::MinVelocity));
        }
        if (const auto v = detail::number(h.pipe_velocity);
            v && r.on(K::MaxVelocity) && *v > r.limit(K::MaxVelocity)) {
            r.add(K::MaxVelocity, p.hgl.pipe_number, {}, *v, r.limit(K::MaxVelocity));
        }
        const auto size = barrel_size(h);
        if (size && r.on(K::MinSize) && *size < r.limit(K::MinSize)) {
            r.add(K::MinSize, p.hgl.pipe_number, {}, *size, r.limit(K::MinSize), Severity::Error);
        }
        const auto discharge = detail::number(h.pipe_discharge);
        const auto barrels = detail::number(h.numofpipes);
        const auto capacity = detail::number(p.capacity);
        if (r.on(K::PressureFlow) && p.flow_type == pipe::kPressureFlow && discharge && barrels &&
            *barrels > 0.0 && capacity) {
            r.add(K::PressureFlow, p.hgl.pipe_number, {}, *discharge / *barrels, *capacity);
        }
        if (const auto froude = detail::number(p.froude_no);
            froude && !h.nodeout_no.empty() && r.on(K::SupercriticalInflow) &&
            *froude > r.limit(K::SupercriticalInflow)) {
            r.add(K::SupercriticalInflow, p.hgl.pipe_number, h.nodeout_no, *froude,
                  r.limit(K::SupercriticalInflow));
        }
        const auto length = detail::number(h.pipe_length);
        if (size && length) {
            const K band = r.criteria.spacing_band(*size);
            if (r.on(band) && *length > r.limit(band))
                r.add(band, p.hgl.pipe_number, {}, *length, r.limit(band));
        }
    }
}

// Cover at both ends of every pipe: the rim of the structure minus the crown.
void cover_rule(detail::Review& r) {
    if (!r.on(K::MinCover)) return;
    CheckPipe p;
    for (const PackedCheckPipe& packed : r.input.pipes) {
        packed.unpack_into(p);
        const auto rise = detail::rise(p.hgl);
        if (!rise) continue;
        const auto check = [&](std::string_view node, std::string_view rim_text,
                               std::string_view invert_text) {
            const auto rim = detail::number(rim_text);
            const auto invert = detail::number(invert_text);
            if (!rim || !invert || node.empty()) return;
            const double cover = *rim - (*invert + *rise / r.unit_divisor);
            if (cover < r.limit(K::MinCover)) {
                r.add(K::MinCover, p.hgl.pipe_number, node, cover, r.limit(K::MinCover));
            }
        };
        check(p.hgl.nodein_no, p.hgl.nodein_topele, p.hgl.pipe_elein);
        check(p.hgl.nodeout_no, p.nodeout_topele, p.hgl.pipe_eleout);
    }
}

// Size and crown across each structure: the pipe starting there against the pipes
// ending there.
void junction_rules(detail::Review& r) {
    const detail::Links& links = r.links;
    CheckPipe down;
    CheckPipe up;
    for (std::size_t d = 0; d < r.input.pipes.size(); ++d) {
        const std::string_view node = r.input.pipes[d].nodein_no();
        if (node.empty() || links.starting(node) != d) continue;
        r.input.pipes[d].unpack_into(down);
        const auto down_size = barrel_size(down.hgl);
        const auto down_rise = detail::rise(down.hgl);
        const auto down_invert = detail::number(down.hgl.pipe_elein);
        std::optional<double> least_drop;
        for (const std::size_t u : links.ending(node)) {
            if (u == d) continue;
            r.input.pipes[u].unpack_into(up);
            const auto up_size = barrel_size(up.hgl);
            if (r.on(K::SizeDecrease) && down_size && up_size && *down_size < *up_size) {
                r.add(K::SizeDecrease, down.hgl.pipe_number, node, *down_size, *up_size,
                      Severity::Error);
            }
            const auto up_rise = detail::rise(up.hgl);
            const auto up_invert = detail::number(up.hgl.pipe_eleout);
            if (down_rise && down_invert && up_rise && up_invert) {
                const double drop = (*up_invert + *up_rise / r.unit_divisor) -
                                    (*down_invert + *down_rise / r.unit_divisor);
                least_drop = least_drop ? std::min(*least_drop, drop) : drop;
            }
        }
        if (least_drop && r.on(K::CrownDrop) && *least_drop < r.limit(K::CrownDrop)) {
            r.add(K::CrownDrop, down.hgl.pipe_number, node, *least_drop, r.limit(K::CrownDrop));
        }
    }
}

// Every pipe naming a structure must give it the rim and station the first one gave.
void mismatch_rule(detail::Review& r) {
    if (!r.on(K::StructureMismatch)) return;
    struct First {
        std::optional<double> rim;
        std::optional<double> station;
    };
    std::unordered_map<std::string_view, First> first;
    const double tolerance = r.limit(K::StructureMismatch);
    const auto compare = [&](const CheckPipe& p, std::string_view node, Mismatch what,
                             std::optional<double> First::*member, std::optional<double> value) {
        if (node.empty() || !value) return;
        std::optional<double>& seen = first[node].*member;
        if (!seen) {
            seen = value;
        } else if (const double difference = std::abs(*value - *seen); difference > tolerance) {
            r.add(K::StructureMismatch, p.hgl.pipe_number, node, difference, tolerance,
                  Severity::Error, what);
        }
    };
    CheckPipe p;
    for (const PackedCheckPipe& packed : r.input.pipes) {
        packed.unpack_into(p);
        const hgl::HglPipe& h = p.hgl;
        // The structures' names are taken from the packed pipe: they key the map of
        // first values, and the record is filled again with the next pipe.
        const std::string_view upper = packed.nodein_no();
        const std::string_view lower = packed.nodeout_no();
        compare(p, upper, Mismatch::Rim, &First::rim, detail::number(h.nodein_topele));
        compare(p, upper, Mismatch::Station, &First::station, station_number(h.nodein_station));
        compare(p, lower, Mismatch::Rim, &First::rim, detail::number(p.nodeout_topele));
        compare(p, lower, Mismatch::Station, &First::station, station_number(p.nodeout_station));
    }
}

}  // namespace

std::optional<double> barrel_size(const hgl::HglPipe& pipe) {
    if (pipe.pipe_shape == pipe::kCircular) return detail::number(pipe.pipe_dia);
    const auto span = detail::number(pipe.span);
    const auto rise = detail::number(pipe.rise);
    if (!span || !rise) return std::nullopt;
    return std::max(*span, *rise);
}

std::vector<Violation> run_checks(const CheckInput& input, const Criteria& criteria) {
    std::vector<Violation> found;
    detail::Review review(input, criteria, found);
    pipe_rules(review);
    junction_rules(review);
    cover_rule(review);
    mismatch_rule(review);
    detail::grade_line_rules(review);
    // One list in rule order; each rule keeps the order it found its cases in.
    std::stable_sort(found.begin(), found.end(), [](const Violation& a, const Violation& b) {
        return static_cast<int>(a.rule) < static_cast<int>(b.rule);
    });
    return found;
}

}  // namespace pelvane::checks
