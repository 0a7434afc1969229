#pragma once
// Depth scans. Every depth search of the section solvers is a linear scan: start at
// 0, add the step, run one pass at the new depth, stop when the pass says so. The
// pass itself (the geometry, the stop tests, the caps) belongs to the search; how
// the passes are visited belongs to a DepthScanner. The scanner the program uses
// finds the pass a plain scan would stop at without running the passes before it.

#include <limits>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

#include "core/pipe/section_depths.h"
#include "core/pipe/section_state.h"

namespace pelvane::pipe {

// A non-owning reference to a callable; the callable must outlive it. A default
// FunctionRef refers to nothing and must not be called.
template <class Signature>
class FunctionRef;

template <class Result, class... Args>
class FunctionRef<Result(Args...)> {
  public:
    FunctionRef() = default;
    template <class Callable>
    requires(!std::is_same_v<std::remove_cvref_t<Callable>, FunctionRef>)
        FunctionRef(Callable&& callable)  // NOLINT: implicit on purpose, like std::function
        : object_(static_cast<const void*>(std::addressof(callable))),
          call_([](const void* object, Args... args) -> Result {
              return (*static_cast<std::remove_reference_t<Callable>*>(const_cast<void*>(object)))(
                  std::forward<Args>(args)...);
          }) {}

    Result operator()(Args... args) const { return call_(object_, std::forward<Args>(args)...); }
    explicit operator bool() const { return call_ != nullptr; }

  private:
    const void* object_ = nullptr;
    Result (*call_)(const void*, Args...) = nullptr;
};

// One pass at depth y: computes what the search computes at that depth into the
// working values and returns the search's result when the search stops there. A
// failing pass throws ArithmeticFailure. A pass must not read what an earlier pass
// wrote: the scanner may run passes out of order on copies of the working values.
using ScanPass = FunctionRef<std::optional<double>(SectionState&, double)>;

// What a scan knows about its discharge curve, so that a scanner may skip passes.
struct ScanPlan {
    const DepthSequence* depths = nullptr;
    // True for a depth at which the pass certainly stops or fails (the scan's cap);
    // false below some depth and true from it on.
    FunctionRef<bool(double)> ends_at;
    // The discharge rises up to this depth and falls beyond it; +infinity when it is
    // monotone over the whole scan. Rising and falling may be swapped (a negative
    // Manning's n): only the change of direction matters.
    double turning_depth = std::numeric_limits<double>::infinity();
    // Where the search expects the scan to stop, when it can tell cheaply; NaN when
    // it cannot. A scanner may look there first: the result never depends on it.
    double expected_depth = std::numeric_limits<double>::quiet_NaN();
    // Optional verdicts on the pass at a depth, from bounds on the rounding of its
    // arithmetic, without running it: true only when certain, false when unsure.
    // `goes_on`: the pass neither stops nor fails. A search gives it only when every
    // pass that does not fail writes the same working values, so that the next pass
    // leaves them as they would be had this one run. `stops_there`: the pass stops
    // with the depth itself as its result, without failing; only for a search that
    // reads nothing of the working values after its scan.
    FunctionRef<bool(const SectionState&, double)> goes_on{};
    FunctionRef<bool(const SectionState&, double)> stops_there{};
};

class DepthScanner {
  public:
    virtual ~DepthScanner() = default;
    // Runs the scan on `state` and returns the result of the pass it stops at. The
    // working values end as the plain scan leaves them: written by the passes up to
    // the stopping one (a failing pass writes what it wrote before failing). A scan
    // whose depth stops growing fails instead of repeating itself for ever.
    virtual double scan(SectionState& state, const ScanPlan& plan, ScanPass pass) const = 0;
};

// Runs only O(log n) passes: it locates the stopping pass by bisection over the pass
// index on each stretch where the discharge is monotone, examines a few passes
// around a turning point one by one, and then replays the stopping pass (and the one
// before it) on the real working values. With an expected depth it first tries the
// passes there, which usually settles the scan in two passes. Identical to the plain
// scan wherever the computed discharge follows the direction of the curve from pass
// to pass, which it does for every pipe of positive size.
const DepthScanner& fast_scanner();

}  // namespace pelvane::pipe
