#pragma once
// The depths a section scan passes through. A scan starts at 0 and adds its step in
// double arithmetic (y = y + 0.0001), so the k-th depth is not k * 0.0001: each
// addition rounds, and the rounding differs from one power of two to the next. The
// sequence is held as runs on which the increment is constant, which gives any depth
// of the scan exactly, in a few operations, without walking to it.

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelvane::pipe {

class DepthSequence {
  public:
    using Index = std::uint64_t;

    // Step 0.0001 (ft or m): circular and box depths. Built once, on first use.
    static const DepthSequence& fine();
    // Step 0.01 (ft or m): elliptical and arch depths.
    static const DepthSequence& coarse();

    // The depths of the first `tabled` passes are kept in a table (fewer when the
    // sequence stalls before).
    DepthSequence(double step, Index tabled);

    double step() const { return step_; }

    // The depth after k additions of the step (at(0) is 0). Exactly the value the
    // scan holds at its k-th pass. Requires k < stall_index().
    double at(Index k) const {
        const Run& run = runs_[run_of(k)];
        return run.y0 + static_cast<double>(k - run.first) * run.increment;
    }

    // at(k), from the table of the first passes when it holds k: for the few depths
    // a search asks for near its expected one. (The scans that walk or bisect keep
    // at(), which the extra test would slow.)
    double tabled_at(Index k) const {
        return k < first_depths_.size() ? first_depths_[k] : at(k);
    }

    // The first pass at which adding the step no longer changes the depth: from
    // there on a scan would repeat the same depth for ever.
    Index stall_index() const { return stall_; }

    // The first pass k >= 1 whose depth satisfies `holds`, for a test that is false
    // below some depth and true from it on; stall_index() when no depth before the
    // stall satisfies it.
    template <class Test>
    Index first_where(Test holds) const {
        Index lo = 1, hi = stall_;
        while (lo < hi) {
            const Index mid = lo + (hi - lo) / 2;
            if (holds(at(mid))) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        return lo;
    }

    // The first pass k >= 1 whose depth is `y` or more, stall_index() when none:
    // first_where for the test depth >= y, found in a few operations.
    // Inlined: a call costs about as much as the usual case itself.
    [[gnu::always_inline]] Index first_at_or_above(double y) const {
        // Nearly always pass y / step rounded up: below a few thousand feet the
        // rounding of the additions carries the depths far less than a step away
        // from k · step. The two depths around it confirm it.
        const double guess = std::ceil(y / step_);
        if (guess >= 1.0 && guess < static_cast<double>(stall_)) {
            const auto k = static_cast<Index>(guess);
            if (tabled_at(k) >= y && (k == 1 || tabled_at(k - 1) < y)) return k;
        }
        return first_at_or_above_by_runs(y);
    }

  private:
    // Passes first .. first + count - 1 have depths y0 + (k - first) * increment.
    struct Run {
        Index first;
        double y0;
        double increment;
        Index count;
    };

    // first_at_or_above from the runs, for any depth.
    Index first_at_or_above_by_runs(double y) const;

    // The run holding pass k (k < stall_index()).
    std::size_t run_of(Index k) const {
        std::size_t run = run_by_width_[std::bit_width(k)];
        while (run + 1 < runs_.size() && runs_[run + 1].first <= k) ++run;
        return run;
    }

    double step_;
    Index stall_ = 0;
    std::vector<Run> runs_;
    // For each bit width w of a pass index, the run holding pass 2^(w - 1): runs
    // about double in length, so the run of any pass of that width is this one or
    // one of the next few. Saves a binary search over the runs at every depth a
    // search asks for.
    std::array<std::size_t, 65> run_by_width_{};
    // The depths of the first passes, read without finding their run: a search that
    // settles near its expected depth asks for a few, and the run's look-up was most
    // of each.
    std::vector<double> first_depths_;
};

}  // namespace pelvane::pipe
