// Inputs a section cannot be solved with: each failure is reported with its reason,
// what was written before it stays, and no input makes a solve hang.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/pipe/section.h"
#include "core/text/number_text.h"
#include "section_test_inputs.h"

using namespace pelvane;
using pelvane::testing::circular_input;
using pelvane::testing::spanned_input;
using pipe::SectionInput;
using pipe::SectionResult;

namespace {

std::vector<std::string> columns(const SectionResult& r) {
    std::vector<std::string> out;
    for (const auto& [column, text] : r.written) out.push_back(column);
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
