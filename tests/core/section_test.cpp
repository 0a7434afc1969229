// The shape routines: complete results of typical pipes (worked out separately,
// pass by pass), the order of writing, and the boundaries of the flow type and
// regime; the program's scanner against the plain scan over thousands of random
// pipes of every shape (the texts written, their order and the failures must be
// identical); and inputs a section cannot be solved with: each failure is reported
// with its reason, what was written before it stays, and no input makes a solve hang.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "core/pipe/section.h"
#include "core/text/number_text.h"
#include "random_sections.h"
#include "section_literal_scan.h"

using namespace pelvane;
using pelvane::testing::literal_scanner;
using pipe::SectionInput;
using pipe::SectionResult;

namespace {

// Text that reads back as exactly `value` (17 significant digits).
std::string exact_text(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

pipe::SectionInput circular_input(std::string dia, std::string discharge,
                                  std::string slope = "0.01", std::string mann = "0.013",
                                  std::string units = "ENGLISH") {
    pipe::SectionInput in;
    in.shape = "Circular";
    in.dia = std::move(dia);
    in.discharge = std::move(discharge);
    in.slope = std::move(slope);
    in.mann = std::move(mann);
    in.length = "100";
    in.barrels = "1";
    in.units = std::move(units);
    return in;
}

pipe::SectionInput spanned_input(std::string shape, std::string span, std::string rise,
                                 std::string discharge, std::string slope = "0.01",
                                 std::string mann = "0.013", std::string units = "ENGLISH") {
    pipe::SectionInput in = circular_input("", std::move(discharge), std::move(slope),
                                           std::move(mann), std::move(units));
    in.shape = std::move(shape);
    in.span = std::move(span);
    in.rise = std::move(rise);
    return in;
}

SectionInput with_length(SectionInput in, std::string length) {
    in.length = std::move(length);
    return in;
}

// Splits "a|b|c".
std::vector<std::string> fields(const std::string& joined) {
    std::vector<std::string> out(1);
    for (const char c : joined) {
        if (c == '|') {
            out.emplace_back();
        } else {
            out.back().push_back(c);
        }
    }
    return out;
}

std::string describe(const pipe::SectionInput& in) {
    return in.shape + " dia=" + in.dia + " span=" + in.span + " rise=" + in.rise +
           " Q=" + in.discharge + " N=" + in.barrels + " S=" + in.slope + " n=" + in.mann +
           " L=" + in.length + " " + in.units;
}

void expect_same_solve(const pipe::SectionInput& in) {
    const pipe::SectionResult fast = pipe::solve_pipe_section(in);
    const pipe::SectionResult plain = pipe::solve_pipe_section(in, literal_scanner());
    ASSERT_EQ(fast.written, plain.written) << describe(in);
    ASSERT_EQ(fast.failures.size(), plain.failures.size()) << describe(in);
    for (std::size_t i = 0; i < fast.failures.size(); ++i) {
        EXPECT_EQ(fast.failures[i].reason, plain.failures[i].reason) << describe(in);
    }
    EXPECT_EQ(fast.number_format, plain.number_format);
}

struct ShapeCount {
    const char* shape;
    int count;
};

std::vector<std::string> columns(const SectionResult& r) {
    std::vector<std::string> out;
    for (const auto& [column, text] : r.written) out.emplace_back(column);
    return out;
}

std::vector<std::string> all_columns() {
    return {pipe::kSectionColumns.begin(), pipe::kSectionColumns.end()};
}

// Elliptical, box and arch routines write the flow type first.
std::vector<std::string> flow_type_first() {
    std::vector<std::string> out = all_columns();
    std::swap(out[0], out[1]);
    return out;
}

void expect_one_failure_nothing_written(const SectionInput& in, const std::string& reason) {
    const SectionResult r = pipe::solve_pipe_section(in);
    ASSERT_EQ(r.failures.size(), 1u) << reason;
    EXPECT_EQ(r.failures[0].reason, reason);
    EXPECT_TRUE(r.written.empty()) << reason;
    // The number format is set before anything is read.
    EXPECT_EQ(r.number_format, "#0.000");
}

}  // namespace

TEST(SectionRoutines, TypicalPipesOfEveryShapeGiveTheirWorkedOutResults) {
    struct Case {
        const char* what;
        SectionInput input;
        const char* texts;  // the thirteen results in table order
    };
    const Case cases[] = {
        {"18 in circular, partly full", circular_input("18", "5"),
         "10.504|PARTIAL FLOW|0.729|0.852|5.871|0.368|2.314|1.212|SUPERCRITICAL FLOW|1.264|17.033|"
         "0.860|0.0024"},
        {"18 in circular under pressure: depth D, full area", circular_input("18", "15"),
         "10.504|PRESSURE FLOW|1.500|1.767|8.488|0.375|4.712|1.221|SUPERCRITICAL FLOW|2.619|"
         "11.781|1.405|0.0213"},
        {"600 mm circular",
         with_length(circular_input("600", "0.3", "0.005", "0.013", "METRIC"), "50"),
         "0.434|PARTIAL FLOW|0.366|0.181|1.661|0.168|1.076|0.877|SUBCRITICAL FLOW|0.507|30.108|"
         "0.357|0.0024"},
        {"48 x 36 in box, partly full",
         with_length(spanned_input("Box", "48", "36", "60", "0.004"), "200"),
         "78.281|PARTIAL FLOW|2.056|8.224|7.296|1.014|8.112|0.897|SUBCRITICAL FLOW|2.883|27.413|"
         "1.912|0.0024"},
        {"48 x 36 in box under pressure: critical depth stops short of H",
         with_length(spanned_input("Box", "48", "36", "300", "0.004"), "200"),
         "78.281|PRESSURE FLOW|3.000|12.000|25.000|0.857|14.000|2.544|SUPERCRITICAL FLOW|12.705|"
         "8.000|2.997|0.0588"},
        {"38 x 24 in ellipse",
         with_length(spanned_input("Elliptical", "38", "24", "20", "0.006"), "150"),
         "31.779|PARTIAL FLOW|1.150|2.966|6.753|0.666|4.454|1.110|SUPERCRITICAL FLOW|1.859|22.213|"
         "1.230|0.0024"},
        {"57 x 38 in corrugated arch",
         with_length(spanned_input("Arch-M-Cor", "57", "38", "40", "0.006", "0.024"), "150"),
         "53.958|PARTIAL FLOW|1.880|8.118|4.952|1.049|7.738|0.637|SUBCRITICAL FLOW|2.261|30.291|"
         "1.440|0.0033"},
        {"1450 x 970 mm arch",
         with_length(spanned_input("Arch-Conc", "1450", "970", "1.2", "0.006", "0.024", "METRIC"),
                     "40"),
         "1.539|PARTIAL FLOW|0.600|0.787|1.542|0.330|2.382|0.636|SUBCRITICAL FLOW|0.721|25.937|"
         "0.460|0.0011"},
    };
    for (const Case& c : cases) {
        const SectionResult result = pipe::solve_pipe_section(c.input);
        EXPECT_FALSE(result.failed()) << c.what;
        const std::vector<std::string> expected = fields(c.texts);
        ASSERT_EQ(result.written.size(), expected.size()) << c.what;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(result.text(pipe::kSectionColumns[i]), expected[i]) << c.what;
        }
        // Only the circular routine writes the capacity before the flow type.
        EXPECT_EQ(result.written[0].first,
                  c.input.shape == "Circular" ? pipe::kCapacity : pipe::kFlowType)
            << c.what;
        EXPECT_EQ(result.number_format, c.input.units == "ENGLISH" ? "#0.000" : "#0.0000");
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

TEST(SectionFastScan, SameTextsAsThePlainScanForRandomPipesOfEveryShape) {
    pelvane::testing::RandomSections random(20240611);
    const ShapeCount shapes[] = {
        {"Circular", 900},    {"Box", 600},         {"Rectangulr", 100},
        {"Elliptical", 5000}, {"Arch-Conc", 1500},  {"Arch-S-Cor", 1000},
        {"Arch-M-Cor", 1000}, {"Arch-L-Cor", 1000}, {"Horseshoe", 200},
    };
    int pressure = 0, partial = 0, failed = 0;
    for (const auto& [shape, count] : shapes) {
        for (int i = 0; i < count; ++i) {
            const pipe::SectionInput in = random.next(shape);
            ASSERT_NO_FATAL_FAILURE(expect_same_solve(in));
            const pipe::SectionResult result = pipe::solve_pipe_section(in);
            const auto type = result.text(pipe::kFlowType);
            if (type == pipe::kPressureFlow) ++pressure;
            if (type == pipe::kPartialFlow) ++partial;
            if (result.failed()) ++failed;
        }
    }
    // The draw must cover both flow types, or the comparison proves little.
    EXPECT_GT(pressure, 300);
    EXPECT_GT(partial, 1000);
    RecordProperty("failed_solves", failed);
}

TEST(SectionFailures, FieldsThatAreNotNumbersStopBeforeAnythingIsWritten) {
    for (const auto& [bad, reason] : {std::pair{"abc", "\"abc\""}, std::pair{"", "\"\""},
                                      std::pair{"  ", "\"  \""}, std::pair{"1,5", "\"1,5\""}}) {
        SectionInput in = circular_input("18", "5");
        in.discharge = bad;
        expect_one_failure_nothing_written(
            in, std::string("PIPE_DISCHARGE is not a number: ") + reason + " in circular_section");
        in = circular_input("18", "5");
        in.mann = bad;
        expect_one_failure_nothing_written(
            in, std::string("PIPE_MANN is not a number: ") + reason + " in circular_section");
        in = spanned_input("Box", "48", "36", "60");
        in.rise = bad;
        expect_one_failure_nothing_written(
            in, std::string("RISE is not a number: ") + reason + " in box_section");
    }
    // Each routine reads only its own size fields.
    SectionInput circular = circular_input("18", "5");
    circular.span = "junk";
    EXPECT_FALSE(pipe::solve_pipe_section(circular).failed());
    SectionInput arch = spanned_input("Arch-Conc", "57", "38", "40");
    arch.dia = "junk";
    EXPECT_FALSE(pipe::solve_pipe_section(arch).failed());
}

TEST(SectionFailures, AbsurdSizesEndWithoutScanningForEver) {
    // A diameter of 10^14 ft: the depth scan would have to pass 2^40 ft, where adding
    // 0.0001 changes nothing any more.
    const SectionResult huge = pipe::solve_pipe_section(circular_input("1.2e15", "1e30"));
    EXPECT_TRUE(huge.failed());
    // A rise of 10^8 ft, partly full at a depth of some 10^7 ft: found without
    // walking 10^11 passes.
    const SectionResult box = pipe::solve_pipe_section(spanned_input("Box", "12", "1.2e9", "5e8"));
    EXPECT_FALSE(box.failed());
    EXPECT_EQ(columns(box), flow_type_first());
    EXPECT_EQ(box.text(pipe::kFlowType), pipe::kPartialFlow);
    EXPECT_GT(text::parse_number(*box.text(pipe::kFlowDepth)).value, 1e7);
    const SectionResult arch =
        pipe::solve_pipe_section(spanned_input("Arch-Conc", "1.2e9", "1.2e9", "1e12"));
    EXPECT_EQ(columns(arch), flow_type_first());
    // Negative sizes: the ellipse's full section has a negative hydraulic radius.
    EXPECT_TRUE(pipe::solve_pipe_section(spanned_input("Elliptical", "-38", "-24", "20")).failed());
}
