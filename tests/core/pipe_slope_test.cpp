#include "core/pipe/slope.h"

#include <gtest/gtest.h>

namespace pelvane::pipe {
namespace {

using Status = PipeSlope::Status;

TEST(PipeSlope, EachOutcomeAndItsText) {
    struct Case {
        const char* length;
        const char* in;
        const char* out;
        Status status;
        const char* text;
    };
    const Case cases[] = {
        {"250", "2081.2", "2079.95", Status::Computed, "0.00500"},
        {"100", "-1", "-1.5", Status::Computed, "0.00500"},
        {"", "2081.2", "2079.95", Status::Incomplete, "0.0"},
        // An empty text counts before one that is no number.
        {"x", "", "2079.95", Status::Incomplete, "0.0"},
        {"250", "2081.2", "2081.2", Status::NotFalling, "0.0"},
        {"0", "2081.2", "2079.95", Status::NoLength, "0.0"},
        {"250", "2081.2", "1,5", Status::Unreadable, ""},
    };
    for (const Case& c : cases) {
        const PipeSlope slope = pipe_slope(c.length, c.in, c.out);
        EXPECT_EQ(slope.status, c.status) << c.length << " " << c.in << " " << c.out;
        EXPECT_EQ(slope.text, c.text) << c.length << " " << c.in << " " << c.out;
    }
}

}  // namespace
}  // namespace pelvane::pipe
