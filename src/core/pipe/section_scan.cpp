#include "core/pipe/section_scan.h"

#include <algorithm>
#include <cmath>

#include "core/pipe/section_math.h"

namespace pelvane::pipe {
namespace {

using Index = DepthSequence::Index;

// Passes examined one by one on each side of a turning point. The computed discharge
// can wobble by a rounding error where the curve is flat; a few steps away its change
// from pass to pass is many orders of magnitude larger.
constexpr Index kTurningWindow = 16;

class FastScanner final : public DepthScanner {
  public:
    double scan(SectionState& state, const ScanPlan& plan, ScanPass pass) const override {
        const DepthSequence& depths = *plan.depths;
        const Index end = depths.first_where(plan.ends_at);  // stall when there is no cap

        // Whether the scan would stop (or fail) at pass k, tried on a copy.
        const auto stops_at = [&](Index k) {
            SectionState scratch = state;
            try {
                return pass(scratch, depths.at(k)).has_value();
            } catch (const ArithmeticFailure&) {
                return true;
            }
        };

        Index found = end;
        // On a stretch where the discharge is monotone the stop test flips at most
        // once, in either direction; the first stopping pass is then its first pass,
        // the bisected flip, or none.
        const auto search_monotone = [&](Index lo, Index hi) {
            if (lo > hi) return false;
            if (stops_at(lo)) {
                found = lo;
                return true;
            }
            if (lo == hi || !stops_at(hi)) return false;
            Index a = lo + 1, b = hi;
            while (a < b) {
                const Index mid = a + (b - a) / 2;
                if (stops_at(mid)) {
                    b = mid;
                } else {
                    a = mid + 1;
                }
            }
            found = a;
            return true;
        };

        if (end > 1) {
            const Index last = end - 1;
            if (!std::isfinite(plan.turning_depth)) {
                search_monotone(1, last);
            } else {
                const double turn = plan.turning_depth;
                const Index turn_pass =
                    std::min(depths.first_where([turn](double y) { return y >= turn; }), end);
                const Index rise_end = turn_pass > kTurningWindow + 1
                                           ? std::min(turn_pass - kTurningWindow - 1, last)
                                           : 0;
                const Index window_end = std::min(turn_pass + kTurningWindow, last);
                if (!search_monotone(1, rise_end)) {
                    bool hit = false;
                    for (Index k = rise_end + 1; k <= window_end && !hit; ++k) {
                        if (stops_at(k)) {
                            found = k;
                            hit = true;
                        }
                    }
                    if (!hit) search_monotone(window_end + 1, last);
                }
            }
        }
        return replay(state, depths, found, pass);
    }

  private:
    // Runs the pass before the stopping one and the stopping one on the real working
    // values, which leaves them as the plain scan would. Should the stopping pass
    // not stop after all, the scan simply goes on from there.
    static double replay(SectionState& state, const DepthSequence& depths, Index found,
                         ScanPass pass) {
        const Index stall = depths.stall_index();
        if (found > 1) (void)pass(state, depths.at(found - 1));
        for (Index k = found;; ++k) {
            if (k >= stall) arithmetic_failure("the depth scan stopped progressing");
            if (const auto result = pass(state, depths.at(k))) return *result;
        }
    }
};

}  // namespace

const DepthScanner& fast_scanner() {
    static const FastScanner scanner;
    return scanner;
}

}  // namespace pelvane::pipe
