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
        if (std::isfinite(plan.expected_depth)) {
            if (const auto result = settle_near_expected(state, plan, pass)) return *result;
        }
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
                const Index turn_pass = std::min(depths.first_at_or_above(turn), end);
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
    // Tries the expected pass and, should it miss, a neighbour on each side. The
    // first stretch of the scan, up to the turning window and the cap, is monotone:
    // its stop test flips at most once. A pass there that does not stop followed by
    // one that does is that flip, so no pass before them stops; just past the
    // stretch the same holds once its first pass does not stop either. The two
    // passes run one after the other on a copy of the working values, which leaves
    // the copy as the replay would leave the real ones; where the plan's verdicts
    // are certain they stand in for the passes. Gives nullopt, having changed
    // nothing, when that does not settle it (or a pass fails): the bisection then
    // decides.
    static std::optional<double> settle_near_expected(SectionState& state, const ScanPlan& plan,
                                                      ScanPass pass) {
        const DepthSequence& depths = *plan.depths;
        Index stretch_end = depths.stall_index() - 1;
        if (std::isfinite(plan.turning_depth)) {
            const Index turn_pass = depths.first_at_or_above(plan.turning_depth);
            if (turn_pass <= kTurningWindow + 1) return std::nullopt;
            stretch_end = turn_pass - kTurningWindow - 1;
        }
        // Pass k at depth y.
        const auto in_stretch = [&](Index k, double y) {
            return k <= stretch_end && !plan.ends_at(y);
        };
        try {
            Index k = std::max<Index>(depths.first_at_or_above(plan.expected_depth), 1);
            for (int tries = 0; tries < 3; ++tries) {
                if (k == 1) {
                    SectionState scratch = state;
                    if (const auto result = pass(scratch, depths.tabled_at(1))) {
                        state = scratch;
                        return result;
                    }
                    k = 2;
                    continue;
                }
                const double before = depths.tabled_at(k - 1);
                if (!in_stretch(k - 1, before)) return std::nullopt;
                const bool goes_on = plan.goes_on && plan.goes_on(state, before);
                const double y = depths.tabled_at(k);
                const bool y_in_stretch = in_stretch(k, y);
                // With the pass before certain to go on and y in the stretch, nothing
                // below comes before the stop verdict: it may settle y before the copy.
                const bool verdict_first = goes_on && y_in_stretch;
                if (verdict_first && plan.stops_there && plan.stops_there(state, y)) return y;
                SectionState scratch = state;
                if (!goes_on && pass(scratch, before).has_value()) {
                    --k;
                    continue;
                }
                if (!y_in_stretch) {
                    SectionState first = state;
                    if (pass(first, depths.tabled_at(1)).has_value()) return std::nullopt;
                }
                if (!verdict_first && plan.stops_there && plan.stops_there(state, y)) return y;
                if (const auto result = pass(scratch, y)) {
                    state = scratch;
                    return result;
                }
                ++k;
            }
        } catch (const ArithmeticFailure&) {
            return std::nullopt;
        }
        return std::nullopt;
    }

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
