// The network plan: the value each pipe is coloured by, the classes of the legend,
// and picking a pipe near a point.

#include "forms/plan.h"

#include <gtest/gtest.h>

#include "core/hgl/hgl_test_pipes.h"

namespace pelvane::forms {
namespace {

// number, in, out, velocity, depth, shape, diameter, rise, discharge, capacity
const std::vector<PlanPipeTexts> kPipes = {
    {"1", "B", "OUT", "4.0", "0.75", "Circular", "18", "", "10", "20"},
    {"2", "C", "B", "6.0", "0.5", "Elliptical", "", "12", "3", "2"},
    {"3", "D", "B", "", "", "Circular", "15", "", "", "0"},
};

TEST(Plan, ColoursEachPipeByTheChosenResult) {
    struct Case {
        PlanResult result;
        std::optional<double> one, two, three;
        std::string unit;
    } const cases[] = {
        {PlanResult::Velocity, 4.0, 6.0, std::nullopt, "ft/sec"},
        {PlanResult::PercentFull, 50.0, 50.0, std::nullopt, "%"},
        {PlanResult::CapacityRatio, 0.5, 1.5, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        const Plan plan = make_plan(kPipes, "ENGLISH", c.result);
        EXPECT_EQ(plan.pipes[0].value, c.one);
        EXPECT_EQ(plan.pipes[1].value, c.two);
        EXPECT_EQ(plan.pipes[2].value, c.three);
        EXPECT_EQ(plan.unit, c.unit);
    }
    const Plan plan = make_plan(kPipes, "ENGLISH", PlanResult::Velocity);
    const drawing::Drawing d = plan_drawing(plan);
    ASSERT_EQ(d.legend.size(), 6u);
    EXPECT_EQ(d.legend.front().text, "4.00 to 4.40 ft/sec");
    EXPECT_EQ(d.legend.back().text, "no value");
    // The lowest and the highest value take the first and the last class.
    EXPECT_EQ(d.lines[0].pen.colour, d.legend[0].pen.colour);
    EXPECT_EQ(d.lines[1].pen.colour, d.legend[4].pen.colour);
    EXPECT_EQ(d.lines[2].pen.colour, d.legend[5].pen.colour);

    // Pipe 2 runs from B (column 1) to C (column 2): a point near its middle picks it.
    const double y = plan.rows - (plan.pipes[1].upper.y + plan.pipes[1].lower.y) / 2;
    EXPECT_EQ(pipe_near(plan, {1.5, y}, 0.1, 1.0), 1u);
    EXPECT_EQ(pipe_near(plan, {0.5, plan.rows + 3}, 0.1, 1.0), std::nullopt);
}

TEST(Plan, ChecksEachPipeOnTheGradeLineFromItsOutfall) {
    // Pipes 3 and 4 run in a circle: no outfall, no grade line, no check.
    std::vector<hgl::HglPipe> pipes = {
        hgl::testing::make_pipe("1", "B", "OUT"), hgl::testing::make_pipe("2", "C", "B"),
        hgl::testing::make_pipe("3", "Y", "Z"), hgl::testing::make_pipe("4", "Z", "Y")};
    pipes[1].nodein_topele = "90.00";  // below the water surface in C
    EXPECT_EQ(grade_line_checks(pipes, "ENGLISH"),
              (std::vector<std::string>{"O.K.", "ADJUST", "", ""}));
}

}  // namespace
}  // namespace pelvane::forms
