#include "core/checks/review.h"

#include "core/pipe/catalogue.h"
#include "core/text/number_text.h"

namespace pelvane::checks::detail {

std::optional<double> number(std::string_view text) {
    const text::ParsedNumber parsed = text::parse_number(text);
    if (!parsed.ok()) return std::nullopt;
    return parsed.value;
}

std::optional<double> rise(const hgl::HglPipe& pipe) {
    return number(pipe.pipe_shape == pipe::kCircular ? pipe.pipe_dia : pipe.rise);
}

Links::Links(const std::vector<PackedCheckPipe>& pipes) {
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        if (const std::string_view node = pipes[i].nodein_no(); !node.empty()) {
            starting_.try_emplace(node, i);
        }
        if (const std::string_view node = pipes[i].nodeout_no(); !node.empty()) {
            ending_[node].push_back(i);
        }
    }
}

std::size_t Links::starting(std::string_view node) const {
    const auto found = starting_.find(node);
    return found == starting_.end() ? kNone : found->second;
}

const std::vector<std::size_t>& Links::ending(std::string_view node) const {
    static const std::vector<std::size_t> kNoPipes;
    const auto found = ending_.find(node);
    return found == ending_.end() ? kNoPipes : found->second;
}

Review::Review(const CheckInput& in, const Criteria& c, std::vector<Violation>& out)
    : input(in),
      criteria(c),
      found(out),
      unit_divisor(hgl::HglConstants::for_units(in.units).unit_divisor),
      links(in.pipes) {}

void Review::add(CriterionKey key, std::string_view pipe_number, std::string_view structure,
                 double value, double limit, Severity severity, Mismatch mismatch) {
    Violation v;
    v.rule = criteria[key].rule;
    v.criterion = key;
    v.pipe = std::string(pipe_number);
    if (!structure.empty()) v.structure = std::string(structure);
    switch (v.rule) {
        case RuleId::SizeDecrease:
            v.quantity = Quantity::Size;
            break;
        case RuleId::PressureFlow:
            v.quantity = Quantity::Discharge;
            break;
        case RuleId::ExactHglRim:
            v.quantity = Quantity::Length;
            break;
        default:
            v.quantity = criteria[key].quantity;
            break;
    }
    v.value = value;
    v.limit = limit;
    v.severity = severity;
    v.mismatch = mismatch;
    found.push_back(std::move(v));
}

}  // namespace pelvane::checks::detail
