#pragma once
// The design criteria a network is reviewed against: one entry per limit, each with
// where its value comes from. Limits are held in the project's units; the published
// values are in US customary units and are converted with the factors below.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace pelvane::checks {

// The rules, in the order a review lists them.
enum class RuleId {
    MinVelocity,
    MaxVelocity,
    MinSize,
    SizeDecrease,
    CrownDrop,
    MinCover,
    HglRim,
    PressureFlow,
    SupercriticalInflow,
    StructureMismatch,
    MaxSpacing,
    ExactHglRim,
};

// The rule's id as `pelvane check --json` prints it ("min_velocity", ...).
std::string_view rule_id(RuleId rule);

// One criterion per limit. Access spacing has one for each size band of its table.
enum class CriterionKey {
    MinVelocity,
    MaxVelocity,
    MinSize,
    SizeDecrease,
    CrownDrop,
    MinCover,
    HglFreeboard,
    PressureFlow,
    SupercriticalInflow,
    StructureMismatch,
    Spacing24,
    Spacing36,
    Spacing54,
    SpacingLarger,
    ExactHglRim,
};
inline constexpr std::size_t kCriterionCount = 15;

// What a limit measures, so that it is shown with its unit.
enum class Quantity {
    None,       // the rule has no limit of its own
    Velocity,   // ft/sec or m/sec
    Size,       // in or mm
    Length,     // ft or m: elevations, depths, distances, stations
    Froude,     // no unit
    Discharge,  // cfs or cms
};

struct Criterion {
    CriterionKey key{};
    RuleId rule{};
    std::string_view name;  // the name it is kept under in the project file
    Quantity quantity = Quantity::None;
    double limit = 0.0;  // in the project's units; unused when quantity is None
    bool enabled = true;
    // The value is commonly attributed to its source but was not checked against
    // the source's text.
    bool unverified = false;
    // No source publishes a value: the limit is the engineer's and the check is off
    // until it is turned on.
    bool unpublished = false;
    std::string_view source;
};

// Conversion of the published US customary limits to metric projects.
inline constexpr double kMetresPerFoot = 0.3048;     // international foot, exact
inline constexpr double kMillimetresPerInch = 25.4;  // international inch, exact

// Where the 27-36, 42-54 and 60-and-up bands of the access-spacing table begin
// (inches). A size between two bands (25 in, say) takes the band below it, whose
// spacing is the shorter one.
inline constexpr std::array<double, 3> kSpacingBandStarts = {27.0, 42.0, 60.0};

class Criteria {
  public:
    // The defaults of a project in `units` (anything but "ENGLISH" is metric).
    static Criteria defaults(std::string_view units);

    const Criterion& operator[](CriterionKey key) const {
        return items_[static_cast<std::size_t>(key)];
    }
    Criterion& operator[](CriterionKey key) { return items_[static_cast<std::size_t>(key)]; }
    const std::array<Criterion, kCriterionCount>& all() const { return items_; }
    std::array<Criterion, kCriterionCount>& all() { return items_; }

    // The criterion kept under `name`; nullopt for a name no criterion has.
    std::optional<CriterionKey> find(std::string_view name) const;

    // The spacing criterion of a barrel whose largest dimension is `size` (in or mm).
    CriterionKey spacing_band(double size) const;

    bool english() const { return english_; }

  private:
    std::array<Criterion, kCriterionCount> items_{};
    bool english_ = true;
};

}  // namespace pelvane::checks
