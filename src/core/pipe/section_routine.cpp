#include "core/pipe/section_routine.h"

#include <string>
#include <tuple>
#include <utility>

#include "core/gravity.h"
#include "core/pipe/section_math.h"
#include "core/text/number_text.h"
#include "core/units.h"

namespace pelvane::pipe {

SectionConstants SectionConstants::for_units(std::string_view units, GravityKind kind) {
    const bool circular_or_box = kind == GravityKind::CircularBox;
    if (is_english(units)) {
        return {12.0, 1.486, 0.453,
                circular_or_box ? gravity::kEnglish : gravity::kEnglishEllipticalArch, "#0.000"};
    }
    return {1000.0, 1.0, 0.312, circular_or_box ? gravity::kMetric : gravity::kMetricEllipticalArch,
            "#0.0000"};
}

namespace detail {
namespace {

// Out of line, so that the read of every field needs no frame for the message.
[[noreturn, gnu::noinline, gnu::cold]] void not_a_number(std::string_view text,
                                                         std::string_view column) {
    arithmetic_failure(std::string(column) + " is not a number: \"" + std::string(text) + "\"");
}

// A field text as a number; the empty text fails as well, as the record's fields
// have no default here.
double read_field(std::string_view text, std::string_view column) {
    const text::ParsedNumber parsed = text::parse_number(text);
    if (!parsed.ok()) not_a_number(text, column);
    return parsed.value;
}

void read_inputs(SectionState& s, const SectionInput& input, const SectionConstants& c,
                 SizeFields sizes) {
    const double total = read_field(input.discharge, "PIPE_DISCHARGE");
    const double barrels = text::round_half_even(read_field(input.barrels, "NUMOFPIPES"), 0);
    s.S = read_field(input.slope, "PIPE_SLOPE");
    s.n = read_field(input.mann, "PIPE_MANN");
    s.L = read_field(input.length, "PIPE_LENGTH");
    if (sizes == SizeFields::Diameter) {
        const double dia = read_field(input.dia, "PIPE_DIA");
        s.D = divide(dia, c.unit_divisor);
    } else {
        const double span = read_field(input.span, "SPAN");
        const double rise = read_field(input.rise, "RISE");
        s.B = divide(span, c.unit_divisor);
        s.H = divide(rise, c.unit_divisor);
    }
    s.Q = divide(total, barrels);
}

// The display pattern of `decimals` decimals (0 to 9): "0.000" for 3.
std::string_view pattern_of(int decimals) {
    constexpr std::string_view kLongest = "0.000000000";
    return kLongest.substr(0, decimals == 0 ? 1 : static_cast<std::size_t>(decimals) + 2);
}

// The entry of a number that format_number_into leaves to the full formatter; out
// of line, so that the usual case needs no frame for its string.
[[gnu::noinline]] void write_formatted(SectionResult& out, std::string_view column, double value,
                                       int decimals) {
    out.written.emplace_back(
        std::piecewise_construct, std::forward_as_tuple(column),
        std::forward_as_tuple(text::format_number(value, pattern_of(decimals))));
}

}  // namespace

void SectionWriter::number(std::string_view column, double value, int decimals) {
    // The text is built in the entry itself: no temporary string to move.
    text::NumberBuffer buffer;
    if (const std::string_view fixed = text::format_number_into(buffer, value, decimals);
        !fixed.empty()) {
        out_.written.emplace_back(std::piecewise_construct, std::forward_as_tuple(column),
                                  std::forward_as_tuple(fixed));
    } else {
        write_formatted(out_, column, value, decimals);
    }
}

void SectionWriter::text(std::string_view column, std::string_view text) {
    out_.written.emplace_back(std::piecewise_construct, std::forward_as_tuple(column),
                              std::forward_as_tuple(text));
}

void SectionWriter::note(const SearchOutcome& outcome) {
    if (outcome.failed) {
        out_.failures.push_back({outcome.reason});
    }
}

SectionResult run_routine(const char* name, const SectionInput& input, GravityKind gravity,
                          SizeFields sizes, FunctionRef<void(SectionState&, SectionWriter&)> body) {
    SectionResult out;
    out.written.reserve(kSectionColumns.size());
    const SectionConstants c = SectionConstants::for_units(input.units, gravity);
    out.number_format = std::string(c.number_format);
    SectionState s;
    s.K = c.manning_k;
    s.F = c.friction_f;
    s.g = c.gravity;
    SectionWriter writer(out);
    try {
        read_inputs(s, input, c, sizes);
        body(s, writer);
    } catch (const ArithmeticFailure& failure) {
        out.failures.push_back({std::string(failure.what()) + " in " + name});
    }
    return out;
}

void write_section(const SectionState& s, double capacity, SectionWriter& writer) {
    writer.number(kCapacity, capacity);
    writer.number(kFlowDepth, s.y);
    writer.number(kAreaFlow, s.A);
    writer.number(kVelocity, s.V);
    writer.number(kHydRadius, s.R);
    writer.number(kWettedPerimeter, s.P);
}

void write_flow_state(const SectionState& s, SectionWriter& writer) {
    const double froude = divide(s.V, root(finite(s.g * s.y)));
    writer.number(kFroudeNo, froude);
    writer.text(kSummary, froude < 1.0    ? kSubcriticalFlow
                          : froude == 1.0 ? kCriticalFlow
                                          : kSupercriticalFlow);
    const double energy = finite(s.y + divide(square(s.V), finite(2.0 * s.g)));
    writer.number(kEnergy, energy);
    writer.number(kFlowTime, divide(s.L, s.V));
}

double full_section_friction_slope(const SectionState& s, double full_area, double full_radius) {
    const double numerator = finite(finite(s.F * square(s.n)) * square(s.Q));
    const double denominator = finite(square(full_area) * power(full_radius, 4.0 / 3.0));
    return divide(numerator, denominator);
}

}  // namespace detail
}  // namespace pelvane::pipe
