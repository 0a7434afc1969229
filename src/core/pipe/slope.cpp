#include "core/pipe/slope.h"

#include "core/text/number_text.h"

namespace pelvane::pipe {

PipeSlope pipe_slope(std::string_view length, std::string_view elevation_in,
                     std::string_view elevation_out) {
    using Status = PipeSlope::Status;
    const auto l = text::parse_number(length);
    const auto in = text::parse_number(elevation_in);
    const auto out = text::parse_number(elevation_out);
    if (l.empty() || in.empty() || out.empty()) return {Status::Incomplete, std::string(kNoSlope)};
    if (!l.ok() || !in.ok() || !out.ok()) return {Status::Unreadable, {}};
    if (in.value <= out.value) return {Status::NotFalling, std::string(kNoSlope)};
    if (l.value == 0.0) return {Status::NoLength, std::string(kNoSlope)};
    return {Status::Computed, text::format_number((in.value - out.value) / l.value, kSlopePattern)};
}

}  // namespace pelvane::pipe
