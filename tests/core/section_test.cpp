// The shape routines: complete results of typical pipes (worked out separately,
// pass by pass), the order of writing, and the boundaries of the flow type and
// regime.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "core/pipe/section.h"
#include "core/text/number_text.h"
#include "section_test_inputs.h"

using namespace pelvane;
using pelvane::testing::circular_input;
using pelvane::testing::exact_text;
using pelvane::testing::spanned_input;
using pipe::SectionInput;
using pipe::SectionResult;

namespace {

using Written = std::vector<std::pair<std::string, std::string>>;

SectionInput with_length(SectionInput in, std::string length) {
    in.length = std::move(length);
    return in;
}

}  // namespace

TEST(SectionRoutines, TypicalPipesOfEveryShapeGiveTheirWorkedOutResults) {
    struct Case {
        const char* what;
        SectionInput input;
        Written expected;
    };
    const Case cases[] = {
        {"18 in circular, partly full",
         circular_input("18", "5"),
         {{"CAPACITY", "10.504"},
          {"FLOW_TYPE", "PARTIAL FLOW"},
          {"PIPE_FLOWDEPTH", "0.729"},
          {"PIPE_AREAFLOW", "0.852"},
          {"PIPE_VELOCITY", "5.871"},
          {"HYD_RADIUS", "0.368"},
          {"PIPE_WP", "2.314"},
          {"FROUDE_NO", "1.212"},
          {"PIPE_SUMMARY", "SUPERCRITICAL FLOW"},
          {"ENERGY", "1.264"},
          {"FLOW_TIME", "17.033"},
          {"CRITICAL_DEPTH", "0.860"},
          {"FRICTION_SLOPE", "0.0024"}}},
        {"18 in circular, under pressure: depth D and the full area",
         circular_input("18", "15"),
         {{"CAPACITY", "10.504"},
          {"FLOW_TYPE", "PRESSURE FLOW"},
          {"PIPE_FLOWDEPTH", "1.500"},
          {"PIPE_AREAFLOW", "1.767"},
          {"PIPE_VELOCITY", "8.488"},
          {"HYD_RADIUS", "0.375"},
          {"PIPE_WP", "4.712"},
          {"FROUDE_NO", "1.221"},
          {"PIPE_SUMMARY", "SUPERCRITICAL FLOW"},
          {"ENERGY", "2.619"},
          {"FLOW_TIME", "11.781"},
          {"CRITICAL_DEPTH", "1.405"},
          {"FRICTION_SLOPE", "0.0213"}}},
        {"600 mm circular, metric",
         with_length(circular_input("600", "0.3", "0.005", "0.013", "METRIC"), "50"),
         {{"CAPACITY", "0.434"},
          {"FLOW_TYPE", "PARTIAL FLOW"},
          {"PIPE_FLOWDEPTH", "0.366"},
          {"PIPE_AREAFLOW", "0.181"},
          {"PIPE_VELOCITY", "1.661"},
          {"HYD_RADIUS", "0.168"},
          {"PIPE_WP", "1.076"},
          {"FROUDE_NO", "0.877"},
          {"PIPE_SUMMARY", "SUBCRITICAL FLOW"},
          {"ENERGY", "0.507"},
          {"FLOW_TIME", "30.108"},
          {"CRITICAL_DEPTH", "0.357"},
          {"FRICTION_SLOPE", "0.0024"}}},
        {"48 x 36 in box, partly full: flow type before capacity",
         with_length(spanned_input("Box", "48", "36", "60", "0.004"), "200"),
         {{"FLOW_TYPE", "PARTIAL FLOW"},
          {"CAPACITY", "78.281"},
          {"PIPE_FLOWDEPTH", "2.056"},
          {"PIPE_AREAFLOW", "8.224"},
          {"PIPE_VELOCITY", "7.296"},
          {"HYD_RADIUS", "1.014"},
          {"PIPE_WP", "8.112"},
          {"FROUDE_NO", "0.897"},
          {"PIPE_SUMMARY", "SUBCRITICAL FLOW"},
          {"ENERGY", "2.883"},
          {"FLOW_TIME", "27.413"},
          {"CRITICAL_DEPTH", "1.912"},
          {"FRICTION_SLOPE", "0.0024"}}},
        {"48 x 36 in box under pressure: critical depth stops short of H",
         with_length(spanned_input("Box", "48", "36", "300", "0.004"), "200"),
         {{"FLOW_TYPE", "PRESSURE FLOW"},
          {"CAPACITY", "78.281"},
          {"PIPE_FLOWDEPTH", "3.000"},
          {"PIPE_AREAFLOW", "12.000"},
          {"PIPE_VELOCITY", "25.000"},
          {"HYD_RADIUS", "0.857"},
          {"PIPE_WP", "14.000"},
          {"FROUDE_NO", "2.544"},
          {"PIPE_SUMMARY", "SUPERCRITICAL FLOW"},
          {"ENERGY", "12.705"},
          {"FLOW_TIME", "8.000"},
          {"CRITICAL_DEPTH", "2.997"},
          {"FRICTION_SLOPE", "0.0588"}}},
        {"38 x 24 in ellipse",
         with_length(spanned_input("Elliptical", "38", "24", "20", "0.006"), "150"),
         {{"FLOW_TYPE", "PARTIAL FLOW"},
          {"CAPACITY", "31.779"},
          {"PIPE_FLOWDEPTH", "1.150"},
          {"PIPE_AREAFLOW", "2.966"},
          {"PIPE_VELOCITY", "6.753"},
          {"HYD_RADIUS", "0.666"},
          {"PIPE_WP", "4.454"},
          {"FROUDE_NO", "1.110"},
          {"PIPE_SUMMARY", "SUPERCRITICAL FLOW"},
          {"ENERGY", "1.859"},
          {"FLOW_TIME", "22.213"},
          {"CRITICAL_DEPTH", "1.230"},
          {"FRICTION_SLOPE", "0.0024"}}},
        {"57 x 38 in corrugated arch",
         with_length(spanned_input("Arch-M-Cor", "57", "38", "40", "0.006", "0.024"), "150"),
         {{"FLOW_TYPE", "PARTIAL FLOW"},
          {"CAPACITY", "53.958"},
          {"PIPE_FLOWDEPTH", "1.880"},
          {"PIPE_AREAFLOW", "8.118"},
          {"PIPE_VELOCITY", "4.952"},
          {"HYD_RADIUS", "1.049"},
          {"PIPE_WP", "7.738"},
          {"FROUDE_NO", "0.637"},
          {"PIPE_SUMMARY", "SUBCRITICAL FLOW"},
          {"ENERGY", "2.261"},
          {"FLOW_TIME", "30.291"},
          {"CRITICAL_DEPTH", "1.440"},
          {"FRICTION_SLOPE", "0.0033"}}},
        {"1450 x 970 mm arch, metric",
         with_length(spanned_input("Arch-Conc", "1450", "970", "1.2", "0.006", "0.024", "METRIC"),
                     "40"),
         {{"FLOW_TYPE", "PARTIAL FLOW"},
          {"CAPACITY", "1.539"},
          {"PIPE_FLOWDEPTH", "0.600"},
          {"PIPE_AREAFLOW", "0.787"},
          {"PIPE_VELOCITY", "1.542"},
          {"HYD_RADIUS", "0.330"},
          {"PIPE_WP", "2.382"},
          {"FROUDE_NO", "0.636"},
          {"PIPE_SUMMARY", "SUBCRITICAL FLOW"},
          {"ENERGY", "0.721"},
          {"FLOW_TIME", "25.937"},
          {"CRITICAL_DEPTH", "0.460"},
          {"FRICTION_SLOPE", "0.0011"}}},
    };
    for (const Case& c : cases) {
        const SectionResult result = pipe::solve_pipe_section(c.input);
        EXPECT_EQ(result.written, c.expected) << c.what;
        EXPECT_FALSE(result.failed()) << c.what;
        EXPECT_EQ(result.number_format, c.input.units == "ENGLISH" ? "#0.000" : "#0.0000")
            << c.what;
    }
}

TEST(SectionRoutines, CircularCapacityIsTheClosedFormManningDischarge) {
    for (const double dia : {12.0, 15.0, 18.0, 24.0, 30.0, 36.0, 48.0, 60.0, 72.0, 96.0, 144.0}) {
        for (const double slope : {0.0005, 0.004, 0.02}) {
            const double d = dia / 12.0;
            const double area = std::numbers::pi * d * d / 4.0;
            const double expected =
                1.486 / 0.013 * area * std::cbrt(d * d / 16.0) * std::sqrt(slope);
            const SectionResult r = pipe::solve_pipe_section(
                circular_input(text::shortest_text(dia), "1", text::shortest_text(slope)));
            EXPECT_EQ(r.text(pipe::kCapacity), text::format_number(expected, "0.000")) << dia;
        }
    }
}

TEST(SectionRoutines, OnlyADischargeAboveCapacityIsPressureFlow) {
    // 48 in with K / n = 1 and S = 1: the capacity is exactly 4π; for the 48 in box
    // R = 1 and the capacity is exactly 16.
    const double four_pi = 4.0 * std::numbers::pi;
    const SectionResult at =
        pipe::solve_pipe_section(circular_input("48", exact_text(four_pi), "1", "1.486"));
    EXPECT_EQ(at.text(pipe::kFlowType), pipe::kPartialFlow);
    EXPECT_NE(at.text(pipe::kFlowDepth), "4.000");
    const SectionResult above = pipe::solve_pipe_section(
        circular_input("48", exact_text(std::nextafter(four_pi, 100.0)), "1", "1.486"));
    EXPECT_EQ(above.text(pipe::kFlowType), pipe::kPressureFlow);
    EXPECT_EQ(above.text(pipe::kFlowDepth), "4.000");
    EXPECT_EQ(above.text(pipe::kAreaFlow), "12.566");
    EXPECT_EQ(above.text(pipe::kVelocity), "1.000");

    const SectionResult box_at =
        pipe::solve_pipe_section(spanned_input("Box", "48", "48", "16", "1", "1.486"));
    EXPECT_EQ(box_at.text(pipe::kFlowType), pipe::kPartialFlow);
    const SectionResult box_above = pipe::solve_pipe_section(
        spanned_input("Box", "48", "48", exact_text(std::nextafter(16.0, 17.0)), "1", "1.486"));
    EXPECT_EQ(box_above.text(pipe::kFlowType), pipe::kPressureFlow);
    EXPECT_EQ(box_above.text(pipe::kFlowDepth), "4.000");
    EXPECT_EQ(box_above.text(pipe::kAreaFlow), "16.000");
    EXPECT_EQ(box_above.text(pipe::kVelocity), "1.000");
}

TEST(SectionRoutines, EllipseAtCapacityCanReportPressureFlowAtAPartialDepth) {
    // K / n = 1, S = 1, 48 x 48 in: Af = Pf = 4π, Rf = 1, capacity 4π. The coarse
    // scan overshoots Q, so the discharge of the found depth exceeds the capacity.
    const double four_pi = 4.0 * std::numbers::pi;
    const SectionResult r = pipe::solve_pipe_section(
        spanned_input("Elliptical", "48", "48", exact_text(four_pi), "1", "1.486"));
    EXPECT_EQ(r.text(pipe::kFlowType), pipe::kPressureFlow);
    const double depth = text::parse_number(*r.text(pipe::kFlowDepth)).value;
    EXPECT_LT(depth, 4.0);
    EXPECT_EQ(std::fmod(std::round(depth * 1000), 10.0), 0.0) << "a multiple of 0.01";
    // The velocity is the Manning velocity at that depth, not Q over the full area.
    EXPECT_NE(r.text(pipe::kVelocity), "1.000");
}

TEST(SectionRoutines, FroudeNumberOfExactlyOneIsCriticalFlow) {
    // A 24 x 24 in box under pressure: y = 2, A = 4, V = Q / 4 exactly. With
    // V = √(g · y) the Froude number is exactly 1.
    const double v = std::sqrt(32.2 * 2.0);
    const auto regime = [](double q) {
        return pipe::solve_pipe_section(
                   spanned_input("Box", "24", "24", exact_text(q), "0.0001", "0.05"))
            .text(pipe::kSummary);
    };
    EXPECT_EQ(regime(4.0 * v), pipe::kCriticalFlow);
    EXPECT_EQ(regime(4.0 * std::nextafter(v, 0.0)), pipe::kSubcriticalFlow);
    EXPECT_EQ(regime(4.0 * std::nextafter(v, 100.0)), pipe::kSupercriticalFlow);
}

TEST(SectionRoutines, BarrelsShareTheDischargeAndRoundHalfToEven) {
    const SectionResult one = pipe::solve_pipe_section(circular_input("24", "6"));
    for (const char* barrels : {"2", "2.5", "1.5"}) {
        SectionInput in = circular_input("24", "12");
        in.barrels = barrels;
        EXPECT_EQ(pipe::solve_pipe_section(in).written, one.written) << barrels;
    }
    SectionInput four = circular_input("24", "24");
    four.barrels = "3.5";
    EXPECT_EQ(pipe::solve_pipe_section(four).written, one.written);
    // The capacity stays that of one barrel.
    SectionInput two = circular_input("24", "6");
    two.barrels = "2";
    EXPECT_EQ(pipe::solve_pipe_section(two).text(pipe::kCapacity), one.text(pipe::kCapacity));
    EXPECT_NE(pipe::solve_pipe_section(two).text(pipe::kFlowDepth), one.text(pipe::kFlowDepth));
}

TEST(SectionRoutines, ShapeTextsChooseTheRoutine) {
    const auto solve = [](const char* shape) {
        return pipe::solve_pipe_section(spanned_input(shape, "57", "38", "40", "0.006", "0.024"))
            .written;
    };
    EXPECT_EQ(solve("Rectangulr"), solve("Box"));
    EXPECT_EQ(solve("Horseshoe"), solve("Arch-Conc"));
    EXPECT_EQ(solve(""), solve("Arch-L-Cor"));
    EXPECT_NE(solve("Box"), solve("Arch-Conc"));
    EXPECT_NE(solve("Elliptical"), solve("Arch-Conc"));
    EXPECT_NE(solve("box"), solve("Box")) << "shape names compare exactly";
    EXPECT_EQ(pipe::section_kind("Circular"), pipe::SectionKind::Circular);
    EXPECT_EQ(pipe::section_kind("circular"), pipe::SectionKind::Arch);
}

TEST(SectionRoutines, AnyUnitsButEnglishAreMetric) {
    const SectionInput metric = circular_input("600", "0.3", "0.005", "0.013", "METRIC");
    for (const char* units : {"SI", "english", ""}) {
        SectionInput in = metric;
        in.units = units;
        const SectionResult r = pipe::solve_pipe_section(in);
        EXPECT_EQ(r.written, pipe::solve_pipe_section(metric).written) << units;
        EXPECT_EQ(r.number_format, "#0.0000") << units;
    }
    // Metric gravity is 9.8 for boxes and 9.81 for ellipses (pressure flow: y = H).
    const double v = 2.0 / (1.2 * 0.8);
    const SectionResult box =
        pipe::solve_pipe_section(spanned_input("Box", "1200", "800", "2", "0.0001", "0.05", "M"));
    EXPECT_EQ(box.text(pipe::kFroudeNo), text::format_number(v / std::sqrt(9.8 * 0.8), "0.000"));
    const double af = std::numbers::pi * 1.2 * 0.8 / 4;
    const SectionResult ellipse = pipe::solve_pipe_section(
        spanned_input("Elliptical", "1200", "800", "2", "0.0001", "0.05", "M"));
    EXPECT_EQ(ellipse.text(pipe::kFroudeNo),
              text::format_number(2.0 / af / std::sqrt(9.81 * 0.8), "0.000"));
}

TEST(SectionRoutines, CoarseScanDepthsAreWholeHundredthsAndTheCriticalDepthStopsAtTheRise) {
    pelvane::testing::RandomSections random(17);
    int scanned = 0;
    for (int i = 0; i < 200; ++i) {
        const SectionInput in = random.next(i % 2 ? "Elliptical" : "Arch-Conc");
        const SectionResult r = pipe::solve_pipe_section(in);
        const auto depth = r.text(pipe::kFlowDepth);
        const double rise = text::parse_number(in.rise).value / (in.units == "ENGLISH" ? 12 : 1000);
        if (!depth || *depth == text::format_number(rise, "0.000")) continue;  // pressure: H
        ++scanned;
        EXPECT_EQ(depth->back(), '0') << *depth;
        EXPECT_NE(*depth, "0.000");
    }
    EXPECT_GT(scanned, 100);
    // A rise of 12.06 in is 1.005 ft; the scan's pass beyond it (1.01) reports 1.005.
    const SectionResult ellipse =
        pipe::solve_pipe_section(spanned_input("Elliptical", "24", "12.06", "500"));
    EXPECT_EQ(ellipse.text(pipe::kCriticalDepth), "1.005");
    const SectionResult arch =
        pipe::solve_pipe_section(spanned_input("Arch-Conc", "24", "12.06", "500"));
    EXPECT_EQ(arch.text(pipe::kCriticalDepth), "1.005");
    // The box keeps the first pass beyond 0.999 · H instead.
    const SectionResult box = pipe::solve_pipe_section(spanned_input("Box", "24", "12", "500"));
    EXPECT_EQ(box.text(pipe::kCriticalDepth), "0.999");
}
