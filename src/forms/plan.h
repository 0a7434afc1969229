#pragma once
// The schematic plan of a whole network (core/network/plan_layout) with its pipes
// coloured by a chosen result of the pipe window's solve, and a legend.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/hgl/hgl_pipe.h"
#include "core/network/plan_layout.h"
#include "forms/drawing.h"
#include "store/project_context.h"

namespace pelvane::forms {

// The results a plan is coloured by. Check is the O.K. / ADJUST of form LD-347 (the
// water surface in the upper structure against its top) with the grade line computed
// from each outfall with the grade line window's default tailwater, 0.0.
enum class PlanResult { Velocity, PercentFull, CapacityRatio, Check };

struct PlanResultName {
    PlanResult result;
    const char* item;  // in the window's list
    const char* word;  // after `pelvane plan --colour`
};
std::span<const PlanResultName> plan_result_names();

// The PIPE texts a plan reads, as stored.
struct PlanPipeTexts {
    std::string pipe_number;
    std::string nodein_no;
    std::string nodeout_no;
    std::string pipe_velocity;   // ft/sec or m/sec
    std::string pipe_flowdepth;  // ft or m
    std::string pipe_shape;
    std::string pipe_dia;  // in or mm
    std::string rise;      // in or mm
    std::string pipe_discharge;
    std::string capacity;
};

struct PlanPipe {
    std::string number;
    std::string upper_node;
    std::string lower_node;
    network::PlanPoint upper;
    network::PlanPoint lower;
    std::optional<double> value;  // of the chosen result; nothing when not computed
    std::string check;            // "O.K.", "ADJUST" or "" (Check only)
};

struct Plan {
    std::vector<PlanPipe> pipes;
    PlanResult result = PlanResult::Velocity;
    std::string unit;  // of the result ("ft/sec", "%", "")
    double columns = 0.0;
    double rows = 0.0;
};

// `units` the project's UNITS. The percent full is the depth of flow over the rise
// (the diameter of a circular pipe); the capacity ratio the discharge over the
// full-flow capacity.
Plan make_plan(std::span<const PlanPipeTexts> pipes, std::string_view units, PlanResult result);
Plan plan_of_project(const store::ProjectContext& context, PlanResult result);

// The LD-347 check of each pipe (field 27 of its row), the grade line computed from
// every structure where pipes end and none starts, with tailwater 0.0; "" for a pipe
// no such run reaches or whose row has no check.
std::vector<std::string> grade_line_checks(std::span<const hgl::HglPipe> pipes,
                                           std::string_view units);

// The drawing: each pipe a line in the colour of its result's class (five equal
// classes from the least to the largest value; grey without a value), its number at
// its middle, each structure a small box with its name, and the legend of classes.
drawing::Drawing plan_drawing(const Plan& plan);

// The pipe nearest to `at` within `reach` (drawing units across; heights count
// `y_scale` times more, as drawn), for a click; nothing when none is so near.
std::optional<std::size_t> pipe_near(const Plan& plan, drawing::Point at, double reach,
                                     double y_scale);

// The text of a pipe's value for the status line.
std::string plan_pipe_text(const Plan& plan, std::size_t pipe);

}  // namespace pelvane::forms
