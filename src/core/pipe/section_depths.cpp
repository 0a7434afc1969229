#include "core/pipe/section_depths.h"

#include <algorithm>
#include <cmath>

namespace pelvane::pipe {
namespace {

using Index = DepthSequence::Index;

// From depth y (a double in [top / 2, top)) a step adds exactly `increment` as long
// as the exact sum y + step stays below `top`: the sum is then rounded to the ulp of
// y's binade, and y is a multiple of that ulp. Returns how many steps in a row, from
// y on, are such steps (0 when not even the first one is). Rounding ties, where the
// increment would alternate with the parity of y, happen only in the binade right
// above the step's own, which holds at most two depths: a run there has at most one
// steady step, whose increment was taken from that very step.
Index steady_steps(double y, double increment, double step, double top) {
    // top - w is exact for w in [top / 2, top]; a w beyond top gives a negative
    // difference whatever the rounding, which fails the test as it should.
    const auto steady_from = [&](Index j) {
        return step < top - (y + static_cast<double>(j) * increment);
    };
    if (!steady_from(0)) return 0;
    Index j = static_cast<Index>(std::max(0.0, std::floor((top - y - step) / increment)));
    while (j > 0 && !steady_from(j)) --j;
    while (steady_from(j + 1)) ++j;
    return j + 1;
}

}  // namespace

DepthSequence::DepthSequence(double step, Index tabled) : step_(step) {
    runs_.push_back({0, 0.0, 0.0, 1});
    Index k = 1;
    double y = 0.0 + step_;
    for (;;) {
        const double next = y + step_;
        if (next == y) {
            runs_.push_back({k, y, 0.0, 1});
            stall_ = k + 1;
            break;
        }
        int exponent = 0;
        std::frexp(y, &exponent);
        const double top = std::ldexp(1.0, exponent);
        const double increment = next - y;  // exact: both lie within a factor two
        const Index steady = steady_steps(y, increment, step_, top);
        runs_.push_back({k, y, increment, steady + 1});
        const double last = y + static_cast<double>(steady) * increment;
        k += steady + 1;
        const double following = last + step_;  // the step out of the run, as the scan takes it
        if (following == last) {
            stall_ = k;
            break;
        }
        y = following;
    }
    std::size_t run = 0;
    for (int width = 1; width < 65; ++width) {
        const Index first = Index{1} << (width - 1);
        while (run + 1 < runs_.size() && runs_[run + 1].first <= first) ++run;
        run_by_width_[width] = run;
    }
    const Index count = std::min(stall_, tabled);
    first_depths_.reserve(count);
    for (Index k = 0; k < count; ++k) first_depths_.push_back(at(k));
}

DepthSequence::Index DepthSequence::first_at_or_above_by_runs(double y) const {
    // The run holding the last depth below y, or the first run when there is none:
    // from the run of pass y / step, which the rounding of the steps has carried at
    // most a run or two away from it.
    const double passes = y / step_;
    std::size_t r = run_of(
        passes > 0.0 ? static_cast<Index>(std::min(passes, static_cast<double>(stall_ - 1))) : 0);
    while (r > 0 && runs_[r].y0 >= y) --r;
    while (r + 1 < runs_.size() && runs_[r + 1].y0 < y) ++r;
    const Run& run = runs_[r];
    Index k = run.first;
    if (run.increment > 0.0 && y > run.y0) {
        const double steps = std::ceil((y - run.y0) / run.increment);
        k += static_cast<Index>(std::min(steps, static_cast<double>(run.count)));
    }
    // The quotient may round either way; the depths themselves decide.
    k = std::max<Index>(k, 1);
    while (k > 1 && at(k - 1) >= y) --k;
    while (k < stall_ && at(k) < y) ++k;
    return k;
}

const DepthSequence& DepthSequence::fine() {
    // Circular and box searches bisect over the whole scan, whose depths no table
    // of a useful size would hold.
    static const DepthSequence sequence(0.0001, 0);
    return sequence;
}

const DepthSequence& DepthSequence::coarse() {
    // 8,192 passes reach 81.92 ft (m), in 64 KB; deeper passes come from the runs.
    static const DepthSequence sequence(0.01, 8192);
    return sequence;
}

}  // namespace pelvane::pipe
