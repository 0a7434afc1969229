#pragma once
// The depth scan exactly as the solvers describe it: start at 0, add the step,
// run the pass, until a pass stops. Reference for the fast scanner in the tests and
// the benchmark; too slow for the program (up to 10,000 passes per foot).

#include "core/pipe/section_math.h"
#include "core/pipe/section_scan.h"

namespace pelvane::testing {

class LiteralScanner final : public pipe::DepthScanner {
  public:
    double scan(pipe::SectionState& state, const pipe::ScanPlan& plan,
                pipe::ScanPass pass) const override {
        const double step = plan.depths->step();
        double y = 0.0;
        for (;;) {
            const double next = y + step;
            if (next == y) pipe::arithmetic_failure("the depth scan stopped progressing");
            y = next;
            if (const auto result = pass(state, y)) return *result;
        }
    }
};

inline const LiteralScanner& literal_scanner() {
    static const LiteralScanner scanner;
    return scanner;
}

}  // namespace pelvane::testing
