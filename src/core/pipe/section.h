#pragma once
// Pipe section hydraulics: the uniform-flow state of one pipe run by Manning's
// equation for circular, elliptical, box and arch sections. A solve reads the pipe
// record's field texts and gives the texts it writes back, in the order it writes
// them, so the pipe form can apply them to its fields exactly as they come.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/pipe/section_scan.h"

namespace pelvane::pipe {

// The PIPE columns a solve writes, in the order of the results table.
inline constexpr std::string_view kCapacity = "CAPACITY";
inline constexpr std::string_view kFlowType = "FLOW_TYPE";
inline constexpr std::string_view kFlowDepth = "PIPE_FLOWDEPTH";
inline constexpr std::string_view kAreaFlow = "PIPE_AREAFLOW";
inline constexpr std::string_view kVelocity = "PIPE_VELOCITY";
inline constexpr std::string_view kHydRadius = "HYD_RADIUS";
inline constexpr std::string_view kWettedPerimeter = "PIPE_WP";
inline constexpr std::string_view kFroudeNo = "FROUDE_NO";
inline constexpr std::string_view kSummary = "PIPE_SUMMARY";
inline constexpr std::string_view kEnergy = "ENERGY";
inline constexpr std::string_view kFlowTime = "FLOW_TIME";
inline constexpr std::string_view kCriticalDepth = "CRITICAL_DEPTH";
inline constexpr std::string_view kFrictionSlope = "FRICTION_SLOPE";

inline constexpr std::array<std::string_view, 13> kSectionColumns = {
    kCapacity, kFlowType, kFlowDepth, kAreaFlow, kVelocity,      kHydRadius,    kWettedPerimeter,
    kFroudeNo, kSummary,  kEnergy,    kFlowTime, kCriticalDepth, kFrictionSlope};

inline constexpr std::string_view kPressureFlow = "PRESSURE FLOW";
inline constexpr std::string_view kPartialFlow = "PARTIAL FLOW";
inline constexpr std::string_view kSubcriticalFlow = "SUBCRITICAL FLOW";
inline constexpr std::string_view kCriticalFlow = "CRITICAL FLOW";
inline constexpr std::string_view kSupercriticalFlow = "SUPERCRITICAL FLOW";

// The inputs, as the pipe record's field texts.
struct SectionInput {
    std::string discharge;  // PIPE_DISCHARGE, total of all barrels (cfs / cms)
    std::string barrels;    // NUMOFPIPES, read as a whole number (halves to even)
    std::string slope;      // PIPE_SLOPE (ft/ft / m/m)
    std::string mann;       // PIPE_MANN, Manning's n
    std::string length;     // PIPE_LENGTH (ft / m)
    std::string dia;        // PIPE_DIA (in / mm), circular pipes only
    std::string span;       // SPAN (in / mm), other shapes
    std::string rise;       // RISE (in / mm), other shapes
    std::string shape;      // PIPE_SHAPE
    std::string units;      // the project's UNITS; anything but "ENGLISH" is metric
};

// Every failure is shown as the same message; the reason says what failed and where,
// for a log or a command line.
struct SectionFailure {
    std::string reason;
};

struct SectionResult {
    // (PIPE column, text) in the order written; the column is one of
    // kSectionColumns, which outlive every result. A failure ends the writing: the
    // columns not written keep what the record held.
    std::vector<std::pair<std::string_view, std::string>> written;
    // One entry per message to show; a solve can fail more than once, because a
    // failing depth search gives 0 and its routine goes on.
    std::vector<SectionFailure> failures;
    // The program-wide number format the solve leaves in place: "#0.000" for
    // ENGLISH, "#0.0000" otherwise.
    std::string number_format;

    std::optional<std::string> text(std::string_view column) const;
    bool failed() const { return !failures.empty(); }
};

enum class SectionKind { Circular, Elliptical, Box, Arch };

// "Circular", "Elliptical", "Box" and the old name "Rectangulr" choose their own
// routine; every other shape text (the arch shapes among them) is solved as an arch.
SectionKind section_kind(std::string_view shape);

// Solves the section of the shape named in `input`. Each routine sets its constants
// and the number format first, then reads its inputs (a text that is not a number,
// the empty text included, is a failure), then computes and writes.
SectionResult solve_pipe_section(const SectionInput& input,
                                 const DepthScanner& scanner = fast_scanner());

SectionResult circular_section(const SectionInput& input,
                               const DepthScanner& scanner = fast_scanner());
SectionResult elliptical_section(const SectionInput& input,
                                 const DepthScanner& scanner = fast_scanner());
SectionResult box_section(const SectionInput& input, const DepthScanner& scanner = fast_scanner());
SectionResult arch_section(const SectionInput& input, const DepthScanner& scanner = fast_scanner());

}  // namespace pelvane::pipe
