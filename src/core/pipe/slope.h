#pragma once
// The slope of a pipe run from its length and its invert elevations, as the pipe
// window shows it whenever one of the three is left.

#include <string>
#include <string_view>

namespace pelvane::pipe {

inline constexpr std::string_view kSlopePattern = "0.00000";
// The slope shown while the pipe has none.
inline constexpr std::string_view kNoSlope = "0.0";

struct PipeSlope {
    enum class Status {
        Computed,    // (El. IN - El. OUT) / length
        Incomplete,  // the length or an elevation is empty: no slope, nothing to say
        NotFalling,  // El. IN is not above El. OUT: no slope, and the person is told
        NoLength,    // a length of 0 gives no slope rather than a division by zero
        Unreadable,  // a text is not a number: the slope shown stays as it was
    };
    Status status = Status::Incomplete;
    // The slope text ("0.00000", or kNoSlope); empty when Unreadable.
    std::string text;
};

// Length and elevations as texts in ft or m (one unit for all three); the slope in
// ft/ft or m/m. An empty text is checked before a text that is not a number.
PipeSlope pipe_slope(std::string_view length, std::string_view elevation_in,
                     std::string_view elevation_out);

}  // namespace pelvane::pipe
