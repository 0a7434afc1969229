#include "forms/plan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <variant>

#include "core/hgl/grade_line.h"
#include "core/pipe/catalogue.h"
#include "core/text/number_text.h"
#include "core/units.h"
#include "forms/hgl_form.h"
#include "forms/plan_texts.h"
#include "store/pipe_table.h"

namespace pelvane::forms {
namespace {

using drawing::Pen;
using drawing::Rgb;

constexpr PlanResultName kResultNames[] = {
    {PlanResult::Velocity, plan_texts::kVelocity, "velocity"},
    {PlanResult::PercentFull, plan_texts::kPercentFull, "full"},
    {PlanResult::CapacityRatio, plan_texts::kCapacityRatio, "capacity"},
    {PlanResult::Check, plan_texts::kCheck, "check"},
};

// From the lowest class to the highest: blue, green, yellow, orange, red.
constexpr std::array<Rgb, 5> kClassColours = {Rgb{0x2c, 0x7b, 0xb6}, Rgb{0x1a, 0x96, 0x41},
                                              Rgb{0xe6, 0xc2, 0x00}, Rgb{0xf4, 0x6d, 0x43},
                                              Rgb{0xd7, 0x19, 0x1c}};
constexpr Rgb kNoValue{0xa0, 0xa0, 0xa0};
constexpr Rgb kCheckOk = kClassColours[1];
constexpr Rgb kCheckAdjust = kClassColours[4];
// The checks as the grade line writes them.
constexpr std::string_view kOk = "O.K.";
constexpr std::string_view kAdjust = "ADJUST";
constexpr Rgb kText{0x20, 0x20, 0x20};
constexpr double kPipeWidth = 3.0;
constexpr double kStructureHalf = 0.02;
// The plane is drawn about twice as wide as high.
constexpr double kSheetAspect = 0.55;
constexpr std::string_view kValuePattern = "0.00";

std::optional<double> number_of(std::string_view text) {
    const auto parsed = text::parse_number(text);
    if (!parsed.ok()) return std::nullopt;
    return parsed.value;
}

std::optional<double> ratio(std::optional<double> over, std::optional<double> under,
                            double factor) {
    if (!over || !under || *under == 0.0) return std::nullopt;
    return *over / *under * factor;
}

std::optional<double> value_of(const PlanPipeTexts& p, PlanResult result, double divisor) {
    switch (result) {
        case PlanResult::Velocity:
            return number_of(p.pipe_velocity);
        case PlanResult::PercentFull: {
            const bool circular = p.pipe_shape == pipe::kCircular;
            const auto rise = number_of(circular ? p.pipe_dia : p.rise);
            if (!rise) return std::nullopt;
            return ratio(number_of(p.pipe_flowdepth), *rise / divisor, 100.0);
        }
        case PlanResult::CapacityRatio:
            return ratio(number_of(p.pipe_discharge), number_of(p.capacity), 1.0);
        case PlanResult::Check:
            break;
    }
    return std::nullopt;
}

std::string value_text(double value) {
    return text::format_number(value, kValuePattern);
}

// Class bounds: five equal steps from the least value to the largest.
struct Classes {
    double low = 0.0;
    double step = 0.0;
    bool any = false;

    explicit Classes(const Plan& plan) {
        double high = 0.0;
        for (const PlanPipe& p : plan.pipes) {
            if (!p.value) continue;
            low = any ? std::min(low, *p.value) : *p.value;
            high = any ? std::max(high, *p.value) : *p.value;
            any = true;
        }
        step = (high - low) / kClassColours.size();
    }
    std::size_t of(double value) const {
        if (step <= 0.0) return 0;
        const auto k = static_cast<std::size_t>(std::floor((value - low) / step));
        return std::min(k, kClassColours.size() - 1);
    }
};

}  // namespace

std::span<const PlanResultName> plan_result_names() {
    return kResultNames;
}

Plan make_plan(std::span<const PlanPipeTexts> pipes, std::string_view units, PlanResult result) {
    std::vector<network::PlanPipe> links;
    links.reserve(pipes.size());
    for (const PlanPipeTexts& p : pipes) links.push_back({p.nodein_no, p.nodeout_no});
    const network::PlanLayout layout = network::plan_layout(links);
    const double divisor = UnitConstants::for_units(units).unit_divisor;

    Plan plan;
    plan.result = result;
    plan.unit = plan_texts::unit_of(result, UnitNames::for_units(units).velocity);
    plan.columns = layout.columns;
    plan.rows = layout.rows;
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        plan.pipes.push_back({pipes[i].pipe_number, pipes[i].nodein_no, pipes[i].nodeout_no,
                              layout.upper[i], layout.lower[i], value_of(pipes[i], result, divisor),
                              ""});
    }
    return plan;
}

Plan plan_of_project(const store::ProjectContext& context, PlanResult result) {
    const auto rows = store::PipeTable(context.project_connection)
                          .texts_in_table_order({"PIPE_NUMBER", "NODEIN_NO", "NODEOUT_NO",
                                                 "PIPE_VELOCITY", "PIPE_FLOWDEPTH", "PIPE_SHAPE",
                                                 "PIPE_DIA", "RISE", "PIPE_DISCHARGE", "CAPACITY"});
    std::vector<PlanPipeTexts> pipes;
    pipes.reserve(rows.size());
    for (const auto& r : rows) {
        pipes.push_back({r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], r[8], r[9]});
    }
    Plan plan = make_plan(pipes, context.units, result);
    if (result == PlanResult::Check) {
        const std::vector<std::string> checks =
            grade_line_checks(hgl_pipes(context), context.units);
        for (std::size_t i = 0; i < plan.pipes.size() && i < checks.size(); ++i) {
            plan.pipes[i].check = checks[i];
        }
    }
    return plan;
}

std::vector<std::string> grade_line_checks(std::span<const hgl::HglPipe> pipes,
                                           std::string_view units) {
    std::unordered_set<std::string_view> starting;
    std::unordered_map<std::string_view, std::size_t> first_starting_at;
    for (std::size_t i = 0; i < pipes.size(); ++i) {
        starting.insert(pipes[i].nodein_no);
        first_starting_at.try_emplace(pipes[i].nodein_no, i);
    }
    // A row is the grade line of the first pipe starting at its structure (field 1).
    std::vector<std::string> checks(pipes.size());
    for (const std::string& outfall : hgl::outfall_nodes(pipes)) {
        if (starting.contains(outfall)) continue;
        const hgl::HglResult result = hgl::compute_grade_line(pipes, outfall, "", units);
        for (std::size_t r = 1; r < result.rows.size(); ++r) {
            const auto* node = std::get_if<std::string>(&result.rows[r].field(1));
            const auto* check = std::get_if<std::string>(&result.rows[r].field(27));
            if (node == nullptr || check == nullptr) continue;
            if (const auto pipe = first_starting_at.find(*node); pipe != first_starting_at.end()) {
                checks[pipe->second] = *check;
            }
        }
    }
    return checks;
}

drawing::Drawing plan_drawing(const Plan& plan) {
    drawing::Drawing d;
    d.title = plan_texts::title(plan.result);
    d.subtitle = plan_texts::kSubtitle;
    // Rows run down the sheet: the first outfall's tree at the top.
    const auto at = [&plan](network::PlanPoint p) { return drawing::Point{p.x, plan.rows - p.y}; };
    d.low = {-0.5, -0.5};
    d.high = {plan.columns + 0.5, plan.rows + 0.5};
    d.y_scale = kSheetAspect * (plan.columns + 1.0) / (plan.rows + 1.0);

    const Classes classes(plan);
    const bool check = plan.result == PlanResult::Check;
    // One box per place: a structure where several pipes meet is drawn once. A set,
    // as a network has thousands of structures.
    std::set<std::pair<double, double>> structures;
    const auto structure = [&](const std::string& name, drawing::Point p) {
        if (!structures.insert({p.x, p.y}).second) return;
        d.boxes.push_back({Pen{kText, 0.8},
                           Rgb{0xff, 0xff, 0xff},
                           {p.x - kStructureHalf, p.y - kStructureHalf / d.y_scale},
                           {p.x + kStructureHalf, p.y + kStructureHalf / d.y_scale}});
        d.labels.push_back({name, p, drawing::HAlign::Left, drawing::VAlign::Below, false, kText});
    };
    for (const PlanPipe& p : plan.pipes) {
        Rgb colour = p.value ? kClassColours[classes.of(*p.value)] : kNoValue;
        if (check)
            colour = p.check == kOk ? kCheckOk : p.check == kAdjust ? kCheckAdjust : kNoValue;
        const drawing::Point upper = at(p.upper);
        const drawing::Point lower = at(p.lower);
        d.lines.push_back({Pen{colour, kPipeWidth}, {lower, upper}});
        d.labels.push_back({p.number,
                            {(upper.x + lower.x) / 2, (upper.y + lower.y) / 2},
                            drawing::HAlign::Centre,
                            drawing::VAlign::Above,
                            false,
                            kText});
    }
    for (const PlanPipe& p : plan.pipes) {
        structure(p.lower_node, at(p.lower));
        structure(p.upper_node, at(p.upper));
    }
    if (check) {
        d.legend.push_back({std::string(kOk), Pen{kCheckOk, kPipeWidth}});
        d.legend.push_back({std::string(kAdjust), Pen{kCheckAdjust, kPipeWidth}});
    } else if (classes.any) {
        for (std::size_t k = 0; k < kClassColours.size(); ++k) {
            const double from = classes.low + classes.step * static_cast<double>(k);
            d.legend.push_back(
                {plan_texts::range(value_text(from), value_text(from + classes.step), plan.unit),
                 Pen{kClassColours[k], kPipeWidth}});
            if (classes.step <= 0.0) break;
        }
    }
    d.legend.push_back({plan_texts::kNoValue, Pen{kNoValue, kPipeWidth}});
    return d;
}

std::optional<std::size_t> pipe_near(const Plan& plan, drawing::Point at, double reach,
                                     double y_scale) {
    std::optional<std::size_t> nearest;
    double best = reach;
    const double py = at.y * y_scale;
    for (std::size_t i = 0; i < plan.pipes.size(); ++i) {
        const PlanPipe& p = plan.pipes[i];
        // In the drawn proportions, rows counted from the top as plan_drawing does.
        const double ax = p.lower.x, ay = (plan.rows - p.lower.y) * y_scale;
        const double bx = p.upper.x, by = (plan.rows - p.upper.y) * y_scale;
        const double dx = bx - ax, dy = by - ay;
        const double length2 = dx * dx + dy * dy;
        const double t = length2 > 0.0
                             ? std::clamp(((at.x - ax) * dx + (py - ay) * dy) / length2, 0.0, 1.0)
                             : 0.0;
        const double distance = std::hypot(at.x - (ax + t * dx), py - (ay + t * dy));
        if (distance <= best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

std::string plan_pipe_text(const Plan& plan, std::size_t pipe) {
    const PlanPipe& p = plan.pipes[pipe];
    std::string value = p.value ? value_text(*p.value) + " " + plan.unit : p.check;
    if (value.empty()) value = plan_texts::kNoValue;
    return plan_texts::pipe_line(p.number, p.upper_node, p.lower_node, plan.result, value);
}

}  // namespace pelvane::forms
