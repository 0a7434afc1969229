// The depth sequence the scans walk, and the depth searches on their own: caps, turning points and
// discharges beyond what the section can carry, where the scanner must still stop where the plain
// scan stops and leave the same working values (random pipes are compared through the whole solve);
// and the searches against an independent root of the Manning equation.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <tuple>

#include "core/pipe/section_depths.h"
#include "core/pipe/section_math.h"
#include "core/pipe/section_searches.h"
#include "section_literal_scan.h"

using namespace pelvane::pipe;
using pelvane::testing::literal_scanner;

namespace {

using Search = std::function<SearchOutcome(SectionState&, const DepthScanner&)>;

SectionState english(double q, double n = 0.013, double slope = 0.005) {
    SectionState s;
    s.K = 1.486;
    s.F = 0.453;
    s.g = 32.2;
    s.Q = q;
    s.n = n;
    s.S = slope;
    return s;
}

SectionState circle(double diameter, double q) {
    SectionState s = english(q);
    s.D = diameter;
    return s;
}

SectionState spanned(double span, double rise, double q) {
    SectionState s = english(q);
    s.g = 32.16;
    s.B = span;
    s.H = rise;
    return s;
}

// The relative-depth scans of the ellipse and the arch, with the full-section values
// their routines compute; a failure ends the routine and is seen here as an outcome.
SearchOutcome relative_normal(SectionState& s, const DepthScanner& scanner, bool arch) {
    const double hb = s.H * s.B;
    const double area = arch ? 0.781 * std::pow(hb, 1.003) : std::numbers::pi * hb / 4.0;
    const double radius =
        arch ? 0.241 * std::pow(hb, 0.4965) : area / (std::numbers::pi * (s.B + s.H) / 2.0);
    try {
        return {relative_normal_depth(s, arch ? arch_shape() : elliptical_shape(), area, radius,
                                      manning_discharge(s, area, radius), scanner),
                false,
                {}};
    } catch (const ArithmeticFailure& failure) {
        return {0.0, true, failure.what()};
    }
}
SearchOutcome ellipse_normal(SectionState& s, const DepthScanner& scanner) {
    return relative_normal(s, scanner, false);
}
SearchOutcome arch_normal(SectionState& s, const DepthScanner& scanner) {
    return relative_normal(s, scanner, true);
}

// Runs `search` with both scanners from the same state and demands the same
// outcome and the same working values afterwards.
SearchOutcome expect_same(const Search& search, const SectionState& start,
                          const std::string& what) {
    SectionState fast = start, plain = start;
    SearchOutcome a = search(fast, fast_scanner());  // returned, so not const
    const SearchOutcome b = search(plain, literal_scanner());
    EXPECT_EQ(std::tie(a.value, a.failed, a.reason), std::tie(b.value, b.failed, b.reason)) << what;
    const auto working = [](const SectionState& s) {
        return std::tuple{s.A, s.P, s.R, s.V, s.Qc, s.y};
    };
    EXPECT_EQ(working(fast), working(plain)) << what;
    return a;
}

// The largest discharge for which the plain scan still stops before its cap: the
// top of the discharge curve as the passes see it (bisection down to adjacent
// doubles).
double largest_reached(
    const Search& search, SectionState s, double hi,
    const std::function<bool(const SearchOutcome&, const SectionState&)>& reached) {
    double lo = 0.0;
    while (std::nextafter(lo, hi) < hi) {
        const double mid = lo + (hi - lo) / 2.0;
        if (mid == lo || mid == hi) break;
        SectionState t = s;
        t.Q = mid;
        const SearchOutcome o = search(t, literal_scanner());
        (reached(o, t) ? lo : hi) = mid;
    }
    return lo;
}

// Discharges straddling the top of the curve: the stopping pass moves from the
// rising stretch into the window around the turning point, then to the cap.
void expect_same_around_the_top(const Search& search, const SectionState& s, double top,
                                const std::string& what) {
    for (const double q : {top * (1 - 1e-5), top * (1 - 1e-7), top * (1 - 1e-9), top * (1 - 1e-12),
                           top, std::nextafter(top, 2 * top), top * (1 + 1e-9), top * 1.01}) {
        SectionState t = s;
        t.Q = q;
        expect_same(search, t, what + " Q=" + std::to_string(q));
    }
}

const Search kCircularNormal = circular_normal_depth;
const Search kBoxNormal = box_normal_depth;

const DepthSequence* const kSequences[] = {&DepthSequence::fine(), &DepthSequence::coarse()};

}  // namespace

TEST(DepthSearches, PassingTheCapGivesTheSizeAndKeepsThatPassSection) {
    SectionState s = circle(2.0, 1000.0);
    const SearchOutcome o = expect_same(kCircularNormal, s, "2 ft");
    circular_normal_depth(s, fast_scanner());
    EXPECT_FALSE(o.failed);
    EXPECT_EQ(o.value, 2.0);
    EXPECT_EQ(s.y, 2.0);
    // The area is that of the pass just beyond 0.9999 · D, not the full area.
    EXPECT_LT(s.A, std::numbers::pi);
    EXPECT_GT(s.A, 0.9999 * std::numbers::pi);
    // A box's normal depth past 0.9999 · H is H; its critical depth is not (below).
    EXPECT_EQ(expect_same(kBoxNormal, spanned(3.0, 2.0, 1e4), "box").value, 2.0);
    SectionState dry = spanned(3.0, 2.0, 0.0);
    EXPECT_EQ(box_normal_depth(dry, fast_scanner()).value, 0.0);
    EXPECT_EQ(box_critical_depth(dry, fast_scanner()).value, 0.0);
}

TEST(DepthSearches, ACapPassBeyondTheDiameterFailsAndKeepsThePassBefore) {
    // In a pipe under 1 ft the first pass beyond 0.9999 · D can lie beyond D itself:
    // 0.5000 here, beyond 0.49996.
    SectionState s = circle(0.49996, 1000.0);
    const SearchOutcome o = expect_same(kCircularNormal, s, "0.49996 ft");
    EXPECT_TRUE(o.failed);
    EXPECT_EQ(o.reason, "arccos argument outside [-1, 1] in circular_normal_depth");
    EXPECT_EQ(o.value, 0.0);
    circular_normal_depth(s, fast_scanner());
    EXPECT_GT(s.A, 0.99 * std::numbers::pi * 0.49996 * 0.49996 / 4);  // the pass at 0.4999
}

TEST(DepthSearches, SameAsThePlainScanAroundTheLargestDischarge) {
    for (const double d : {0.5, 1.25, 3.0, 6.0}) {
        const SectionState s = circle(d, 0.0);
        const double top = largest_reached(
            kCircularNormal, s, 1e4,
            [d](const SearchOutcome& o, const SectionState&) { return !o.failed && o.value < d; });
        expect_same_around_the_top(kCircularNormal, s, top, "D=" + std::to_string(d));
    }
    const auto reached = [](const SearchOutcome& o, const SectionState&) { return !o.failed; };
    for (const auto& [span, rise] : {std::pair{1.9, 1.2}, std::pair{8.8, 5.6}}) {
        const SectionState s = spanned(span, rise, 0.0);
        const double top = largest_reached(ellipse_normal, s, 1e5, reached);
        expect_same_around_the_top(ellipse_normal, s, top, "ellipse " + std::to_string(rise));
        // Beyond the top every pass at relative depth 1 repeats itself: a failure,
        // never an endless scan.
        SectionState beyond = s;
        beyond.Q = top * 1.5;
        EXPECT_EQ(ellipse_normal(beyond, fast_scanner()).reason,
                  "the depth scan cannot reach the discharge");
        const SectionState arch = spanned(span, rise, 0.0);
        expect_same_around_the_top(arch_normal, arch,
                                   largest_reached(arch_normal, arch, 1e5, reached),
                                   "arch " + std::to_string(rise));
    }
}

TEST(NormalDepths, WithinOneStepAboveTheRootOfTheManningEquation) {
    // Independent geometry. The stop test Q − Qc ≤ 0.001 first holds at the first pass
    // at or above the depth where the discharge reaches Q − 0.001 (rising branch).
    std::mt19937_64 rng(5);
    const auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    for (int i = 0; i < 400; ++i) {
        const bool circular = i % 2 == 0;
        SectionState s = english(0.0, uniform(0.01, 0.025), uniform(0.001, 0.05));
        s.D = uniform(1.0, 12.0);
        s.B = uniform(1.0, 12.0);
        s.H = uniform(1.0, 12.0);
        const auto discharge = [&](double y) {
            double area = s.B * y, perimeter = 2 * y + s.B;
            if (circular) {
                const double theta = std::acos(1 - 2 * y / s.D);
                area = s.D * s.D / 8 * (2 * theta - std::sin(2 * theta));
                perimeter = theta * s.D;
            }
            return 1.486 / s.n * area * std::cbrt(std::pow(area / perimeter, 2)) * std::sqrt(s.S);
        };
        const double top = circular ? 0.9 * s.D : s.H;  // 0.9 D: below the circle's largest
        s.Q = uniform(0.01, 1.0) * discharge(top);
        const SearchOutcome o = circular ? circular_normal_depth(s, fast_scanner())
                                         : box_normal_depth(s, fast_scanner());
        ASSERT_FALSE(o.failed);
        double lo = 0, hi = top;
        for (int k = 0; k < 100; ++k) {
            const double mid = (lo + hi) / 2;
            (discharge(mid) < s.Q - 0.001 ? lo : hi) = mid;
        }
        EXPECT_GE(o.value, lo - 1e-9) << i;
        EXPECT_LT(o.value, lo + 0.0001 + 1e-9) << i;
    }
}

TEST(DepthSequence, EqualsTheRunningSumPassByPass) {
    for (const DepthSequence* depths : kSequences) {
        double y = 0.0;
        EXPECT_EQ(depths->at(0), 0.0);
        for (DepthSequence::Index k = 1; k <= 2'000'000; ++k) {
            y = y + depths->step();
            ASSERT_EQ(depths->at(k), y) << "step " << depths->step() << " pass " << k;
            ASSERT_EQ(depths->tabled_at(k), y) << "step " << depths->step() << " pass " << k;
        }
    }
}

TEST(DepthSequence, FirstWhereFindsTheSamePassAsCounting) {
    for (const double cap : {0.0, 0.00005, 0.9999 * 1.5, 0.999 * 7.25, 12.0}) {
        const DepthSequence& depths = DepthSequence::fine();
        DepthSequence::Index k = 1;
        double y = depths.step();
        while (!(y > cap)) {
            y += depths.step();
            ++k;
        }
        EXPECT_EQ(depths.first_where([cap](double d) { return d > cap; }), k) << cap;
    }
    // A test no depth satisfies ends at the stall.
    const DepthSequence& coarse = DepthSequence::coarse();
    EXPECT_EQ(coarse.first_where([](double) { return false; }), coarse.stall_index());
}

namespace {

// The plain scan holding the plan's verdicts against every pass it runs: a pass
// said to go on must neither stop nor fail, one said to stop there must stop with
// its own depth.
class VerdictCheckingScanner final : public DepthScanner {
  public:
    double scan(SectionState& state, const ScanPlan& plan, ScanPass pass) const override {
        const DepthSequence& depths = *plan.depths;
        for (DepthSequence::Index k = 1; k < depths.stall_index(); ++k) {
            const double y = depths.at(k);
            const bool goes_on = plan.goes_on && plan.goes_on(state, y);
            const bool stops_there = plan.stops_there && plan.stops_there(state, y);
            ++passes;
            certain += goes_on || stops_there;
            std::optional<double> result;
            try {
                result = pass(state, y);
            } catch (const ArithmeticFailure&) {
                EXPECT_FALSE(goes_on || stops_there) << "failed at " << y << " Q " << state.Q;
                throw;
            }
            if (goes_on) {
                EXPECT_FALSE(result.has_value()) << "stopped at " << y << " Q " << state.Q;
            }
            if (stops_there) {
                EXPECT_EQ(result, y) << "went on at " << y << " Q " << state.Q;
            }
            if (result) return *result;
        }
        arithmetic_failure("the depth scan stopped progressing");
    }
    mutable long passes = 0, certain = 0;
};

}  // namespace

TEST(RelativeVerdicts, NeverContradictThePassTheyStandFor) {
    const VerdictCheckingScanner checking;
    std::mt19937_64 random(20261206);
    const auto uniform = [&random](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    for (int i = 0; i < 4000; ++i) {
        const bool arch = i % 2 == 1;
        SectionState s = spanned(uniform(1.0, 12.0), uniform(1.0, 8.0), 0.0);
        s.n = uniform(0.009, 0.03);
        s.S = std::exp(uniform(std::log(1e-4), std::log(0.1)));
        const double hb = s.H * s.B;
        const double area = arch ? 0.781 * std::pow(hb, 1.003) : std::numbers::pi * hb / 4.0;
        const double radius =
            arch ? 0.241 * std::pow(hb, 0.4965) : area / (std::numbers::pi * (s.B + s.H) / 2.0);
        // From a trickle to beyond the capacity, and discharges right at a pass's.
        s.Q = manning_discharge(s, area, radius) * std::exp(uniform(std::log(1e-5), std::log(1.2)));
        const std::string what = (arch ? "arch " : "ellipse ") + std::to_string(i);
        SCOPED_TRACE(what);
        SectionState normal = s;
        const SearchOutcome o = relative_normal(normal, checking, arch);
        if (!o.failed && i % 3 == 0) {
            const double reached = normal.Qc;  // the stopping pass's own discharge
            normal = s;
            normal.Q = reached;
            (void)relative_normal(normal, checking, arch);
        }
        try {
            (void)relative_critical_depth(s, arch ? arch_shape() : elliptical_shape(), area,
                                          checking);
        } catch (const ArithmeticFailure&) {
            ADD_FAILURE() << what << ": a critical depth scan of a real pipe failed";
        }
    }
    // Nearly every pass gets a verdict, or the comparison proves little.
    EXPECT_GT(checking.certain, 0.95 * static_cast<double>(checking.passes));
    EXPECT_GT(checking.passes, 400'000);
    RecordProperty("passes", std::to_string(checking.passes));
    RecordProperty("with_a_verdict", std::to_string(checking.certain));
}

TEST(DepthSequence, FirstAtOrAboveFindsTheSamePassAsFirstWhere) {
    std::mt19937_64 random(7);
    for (const DepthSequence* depths : kSequences) {
        const double top = depths->at(depths->stall_index() - 1);
        for (int i = 0; i < 20000; ++i) {
            // Depths of every scale up to the stall, and the depths of passes and
            // their neighbours, where the quotient y / step rounds either way.
            const double u = std::uniform_real_distribution<double>(0, 1)(random);
            double y = i % 2 == 0 ? top * std::pow(u, 8.0)
                                  : depths->at(static_cast<DepthSequence::Index>(u * 1e6) + 1);
            if (i % 4 == 1) y = std::nextafter(y, 0.0);
            if (i % 4 == 3) y = std::nextafter(y, 1e300);
            ASSERT_EQ(depths->first_at_or_above(y), depths->first_where([y](double d) {
                return d >= y;
            })) << "step "
                << depths->step() << " depth " << y;
        }
    }
}

TEST(RisingTables, FindTheEntryASearchOfTheWholeTableFinds) {
    for (const RelativeShape* shape : {&elliptical_shape(), &arch_shape()}) {
        for (const auto* table : {&shape->normal_share, &shape->critical_share}) {
            const auto& v = table->values;
            std::mt19937_64 random(11);
            for (int i = 0; i < 20000; ++i) {
                const std::size_t at = random() % v.size();
                const double value =
                    i % 3 == 0 ? v[at]
                               : std::uniform_real_distribution<double>(0, v.back())(random);
                const auto entry = std::lower_bound(v.begin(), v.end(), value) - v.begin();
                const double expected =
                    entry == 0 ? 0.0
                               : table->top *
                                     (static_cast<double>(entry - 1) +
                                      (value - v[entry - 1]) / (v[entry] - v[entry - 1])) /
                                     RelativeShape::kTableSteps;
                ASSERT_EQ(table->ratio_at(value), value <= 0.0 ? 0.0 : expected) << value;
            }
        }
    }
}
