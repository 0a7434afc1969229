#include "forms/input_refusals.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/pipe/input_ranges.h"
#include "core/text/number_text.h"

namespace pelvane::forms {
namespace {

// What each ranged PIPE column holds, as the messages name it.
// clang-format off
constexpr auto kFieldNames = std::to_array<std::pair<std::string_view, std::string_view>>({
    {"PIPE_LENGTH", "pipe length"},
    {"NODEIN_OFFSET", "node-in offset"},
    {"NODEOUT_OFFSET", "node-out offset"},
    {"NODEIN_TOPELE", "node-in top elevation"},
    {"NODEOUT_TOPELE", "node-out top elevation"},
    {"PIPE_ELEIN", "pipe El. IN"},
    {"PIPE_ELEOUT", "pipe El. OUT"},
    {"PIPE_SLOPE", "pipe slope"},
    {"PIPE_DIA", "diameter"},
    {"SPAN", "span"},
    {"RISE", "rise"},
    {"NUMOFPIPES", "number of barrels"},
    {"PIPE_MANN", "Manning's n"},
    {"PIPE_SKEW", "deflection angle"},
    {"PIPE_CF", "frequency factor Cf"},
    {"PIPE_I", "intensity"},
    {"STRUCTURE_AREA", "drainage area"},
    {"PAREABUFSTR", "sub-area"},
    {"PCBUFSTR", "runoff coefficient C"},
    {"STRUCTURE_CA", "structure C*A"},
    {"PRECA1", "previous C*A 1"},
    {"PRECA2", "previous C*A 2"},
    {"PRECA3", "previous C*A 3"},
    {"PRECA4", "previous C*A 4"},
    {"ACCUMULATED_CA", "accumulated C*A"},
    {"STRUCTURE_TC", "structure Tc"},
    {"PRETC1", "previous Tc 1"},
    {"PRETC2", "previous Tc 2"},
    {"PRETC3", "previous Tc 3"},
    {"PRETC4", "previous Tc 4"},
    {"PREFLOWTIME1", "previous flow time 1"},
    {"PREFLOWTIME2", "previous flow time 2"},
    {"PREFLOWTIME3", "previous flow time 3"},
    {"PREFLOWTIME4", "previous flow time 4"},
    {"ACCUMULATED_TC", "accumulated Tc"},
    {"STRUCTURE_DISCHARGE", "structure discharge"},
    {"LATERAL_DISCHARGE", "lateral discharge"},
    {"PIPE_DISCHARGE", "design discharge"},
});
// clang-format on

std::string_view field_name(std::string_view column) {
    const auto it = std::find_if(kFieldNames.begin(), kFieldNames.end(),
                                 [&](const auto& n) { return n.first == column; });
    return it == kFieldNames.end() ? column : it->second;
}

std::string range_text(const pipe::InputRange& range, const pipe::Bounds& b) {
    const std::string unit = b.unit.empty() ? "" : " " + std::string(b.unit);
    return std::string(range.low_excluded ? "more than " : "at least ") +
           text::shortest_text(b.low) + " and at most " + text::shortest_text(b.high) + unit;
}

}  // namespace

std::optional<std::string> input_refusal_text(std::string_view column, std::string_view text,
                                              std::string_view units) {
    const auto refusal = pipe::input_refusal(column, text, units);
    if (!refusal) return std::nullopt;
    const std::string name(field_name(column));
    switch (refusal->kind) {
        case pipe::InputRefusal::Kind::NotNumber:
            return name + " \"" + refusal->item + "\" is not a number";
        case pipe::InputRefusal::Kind::OutOfRange:
            return name + " " + text::trim(refusal->item) + " is out of range: it must be " +
                   range_text(*refusal->range, refusal->bounds);
        case pipe::InputRefusal::Kind::NotWhole:
            return name + " " + text::trim(refusal->item) + " is not a whole number";
    }
    return std::nullopt;
}

}  // namespace pelvane::forms
