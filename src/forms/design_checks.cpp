#include "forms/design_checks.h"

#include <algorithm>

#include "core/text/number_text.h"
#include "core/units.h"
#include "forms/hgl_form.h"
#include "forms/input_conventions.h"
#include "store/pipe_table.h"

namespace pelvane::forms {
namespace {

using checks::Quantity;
using checks::RuleId;

// The PIPE columns the review reads besides the grade line's.
struct CheckColumn {
    store::Column column;
    std::string checks::CheckPipe::*member;
};
constexpr CheckColumn kCheckColumns[] = {
    {"NODEOUT_STATION", &checks::CheckPipe::nodeout_station},
    {"NODEOUT_TOPELE", &checks::CheckPipe::nodeout_topele},
    {"CAPACITY", &checks::CheckPipe::capacity},
    {"FLOW_TYPE", &checks::CheckPipe::flow_type},
    {"FROUDE_NO", &checks::CheckPipe::froude_no},
};

}  // namespace

std::vector<checks::PackedCheckPipe> check_pipes(const store::ProjectContext& context) {
    std::vector<store::Column> names;
    for (const HglColumn& c : hgl_columns()) names.push_back(c.column);
    for (const CheckColumn& c : kCheckColumns) names.push_back(c.column);
    const std::size_t grade_line_columns = hgl_columns().size();
    const store::PipeTable table(context.project_connection);
    std::vector<checks::PackedCheckPipe> pipes;
    // Sized once: a vector that doubles holds up to half as much again for nothing.
    pipes.reserve(static_cast<std::size_t>(table.count()));
    checks::CheckPipe pipe;
    table.each_in_table_order(names, [&](const std::vector<std::string>& row) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i < grade_line_columns) {
                pipe.hgl.*hgl_columns()[i].member = row[i];
            } else {
                pipe.*kCheckColumns[i - grade_line_columns].member = row[i];
            }
        }
        pipes.emplace_back(pipe);
    });
    return pipes;
}

DesignReview review_design(const store::ProjectContext& context,
                           const store::CheckSettings& settings,
                           const std::optional<checks::GradeLineStart>& grade_line) {
    checks::CheckInput input{check_pipes(context), context.units, grade_line};
    if (!input.grade_line) input.grade_line = settings.grade_line;
    DesignReview review;
    if (!input.grade_line) {
        review.grade_line_skipped = kGradeLineSkipped;
    } else {
        // The grade line starts where a pipe ends.
        const std::string_view outfall = input.grade_line->outfall;
        const bool outfall_ends_a_pipe =
            !outfall.empty() && std::ranges::any_of(input.pipes, [&](const auto& pipe) {
                return pipe.nodeout_no() == outfall;
            });
        if (!outfall_ends_a_pipe) {
            review.grade_line_skipped = grade_line_outfall_gone(input.grade_line->outfall);
            input.grade_line.reset();
        } else {
            input.grade_line->tailwater =
                format_on_leave(input.grade_line->tailwater, kTailwaterPattern);
        }
    }
    review.violations = checks::run_checks(input, settings.criteria);
    return review;
}

std::string grade_line_outfall_gone(std::string_view node) {
    return "Grade-line checks (hgl_rim, exact_hgl_rim) were skipped: no pipe ends at "
           "structure \"" +
           std::string(node) + "\", where they start. Choose another in the Checks panel.";
}

std::string_view rule_title(RuleId rule) {
    switch (rule) {
        case RuleId::MinVelocity:
            return "Minimum velocity (full flow)";
        case RuleId::MaxVelocity:
            return "Maximum velocity (design discharge)";
        case RuleId::MinSize:
            return "Minimum pipe size";
        case RuleId::SizeDecrease:
            return "Pipe size decreasing downstream";
        case RuleId::CrownDrop:
            return "Downstream crown above an upstream crown";
        case RuleId::MinCover:
            return "Minimum cover (rim minus crown)";
        case RuleId::HglRim:
            return "Grade line above the rim or within the freeboard";
        case RuleId::PressureFlow:
            return "Pressure flow at the design discharge";
        case RuleId::SupercriticalInflow:
            return "Supercritical flow entering a structure";
        case RuleId::StructureMismatch:
            return "Rim or station differing between pipes";
        case RuleId::MaxSpacing:
            return "Maximum distance between structures";
        case RuleId::ExactHglRim:
            return "Exact grade line at the rim where LD-347 says O.K.";
    }
    return {};
}

std::string criterion_title(const checks::Criterion& criterion, bool english) {
    using checks::CriterionKey;
    const auto band = [english](const char* us, const char* si) {
        return std::string(" (") + (english ? us : si) + ")";
    };
    switch (criterion.key) {
        case CriterionKey::Spacing24:
            return std::string(rule_title(criterion.rule)) + band("up to 24 in", "up to 610 mm");
        case CriterionKey::Spacing36:
            return std::string(rule_title(criterion.rule)) + band("27 to 36 in", "686 to 914 mm");
        case CriterionKey::Spacing54:
            return std::string(rule_title(criterion.rule)) + band("42 to 54 in", "1067 to 1372 mm");
        case CriterionKey::SpacingLarger:
            return std::string(rule_title(criterion.rule)) +
                   band("60 in and larger", "1524 mm and larger");
        default:
            return std::string(rule_title(criterion.rule));
    }
}

std::string_view quantity_unit(Quantity quantity, std::string_view units) {
    const UnitNames names = UnitNames::for_units(units);
    switch (quantity) {
        case Quantity::Velocity:
            return names.velocity;
        case Quantity::Size:
            return names.size;
        case Quantity::Length:
            return names.length;
        case Quantity::Discharge:
            return names.discharge;
        case Quantity::None:
        case Quantity::Froude:
            return {};
    }
    return {};
}

std::string quantity_text(Quantity quantity, double value, std::string_view units) {
    std::string_view pattern = "0.00";
    if (quantity == Quantity::Size) pattern = "0";
    if (quantity == Quantity::Length && !is_english(units)) pattern = "0.000";
    if (quantity == Quantity::Discharge) pattern = number_format_for(units);
    std::string shown = text::format_number(value, pattern);
    const std::string_view unit = quantity_unit(quantity, units);
    if (!unit.empty()) shown += " " + std::string(unit);
    return shown;
}

std::string_view value_name(const checks::Violation& v) {
    switch (v.rule) {
        case RuleId::MinVelocity:
            return "full-flow velocity";
        case RuleId::MaxVelocity:
            return "velocity";
        case RuleId::MinSize:
        case RuleId::SizeDecrease:
            return "size";
        case RuleId::CrownDrop:
            return "crown drop";
        case RuleId::MinCover:
            return "cover";
        case RuleId::HglRim:
            return "grade line";
        case RuleId::PressureFlow:
            return "discharge per barrel";
        case RuleId::SupercriticalInflow:
            return "Froude number";
        case RuleId::StructureMismatch:
            return v.mismatch == checks::Mismatch::Station ? "station differs by"
                                                           : "rim differs by";
        case RuleId::MaxSpacing:
            return "length";
        case RuleId::ExactHglRim:
            return "exact grade line";
    }
    return {};
}

ViolationTexts violation_texts(const checks::Violation& v, const checks::Criteria& criteria,
                               std::string_view units) {
    ViolationTexts texts;
    texts.rule = checks::rule_id(v.rule);
    if (v.pipe) texts.pipe = *v.pipe;
    if (v.structure) texts.structure = *v.structure;
    texts.value = std::string(value_name(v)) + " " + quantity_text(v.quantity, v.value, units);
    texts.limit = quantity_text(v.quantity, v.limit, units);
    texts.source = source_text(criteria[v.criterion]);
    return texts;
}

std::string violation_line(const checks::Violation& v, const checks::Criteria& criteria,
                           std::string_view units) {
    const ViolationTexts texts = violation_texts(v, criteria, units);
    std::string line = texts.rule;
    if (v.pipe) line += " pipe " + texts.pipe;
    if (v.structure) line += " structure " + texts.structure;
    line += ": " + texts.value + ", limit " + texts.limit + " (" + texts.source + ")";
    return line;
}

std::string source_text(const checks::Criterion& criterion) {
    std::string text(criterion.source);
    if (criterion.unverified) text += std::string(" ") + kUnverifiedMark;
    return text;
}

}  // namespace pelvane::forms
