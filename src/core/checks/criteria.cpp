#include "core/checks/criteria.h"

#include "core/units.h"

namespace pelvane::checks {
namespace {

// The sources, as the criteria's reference list cites them.
constexpr std::string_view kHec22Velocity =
    "FHWA HEC-22 (4th ed., 2024) §9.2.3: full-flow velocity of 3 ft/s or more";
constexpr std::string_view kMaxVelocityNone =
    "no VDOT or HEC-22 value; 15 ft/s is a local code's example (set your own)";
constexpr std::string_view kVdotMinSize = "VDOT Drainage Manual ch. 9 §9.3.5: 15 in (375 mm)";
constexpr std::string_view kHec22SizeDecrease =
    "FHWA HEC-22 §9.1.6.4: the largest dimension does not decrease downstream";
constexpr std::string_view kCrownMatch =
    "TxDOT Hydraulic Design Manual ch. 10 §7: crowns matched at size changes; HEC-22 Eq. 9.10";
constexpr std::string_view kHec22Cover = "FHWA HEC-22 §9.2.4: minimum cover 3.0 ft";
constexpr std::string_view kHglRim =
    "FHWA HEC-22 §9.1.4: grade line below the rim; VDOT Drainage Manual ch. 9 §9.3.7: "
    "1.0 ft freeboard";
constexpr std::string_view kHec22Pressure =
    "FHWA HEC-22 §9.1.2: sized for open-channel flow at or below full";
constexpr std::string_view kHec22Supercritical =
    "FHWA HEC-22 §9.4 step 8: avoid supercritical runs and hydraulic jumps";
constexpr std::string_view kConsistency =
    "consistency of the records: every pipe gives a structure the same rim and station";
constexpr std::string_view kHec22Spacing = "FHWA HEC-22 Table 8.1 (AASHTO 2000) access spacing";
constexpr std::string_view kExactHgl =
    "FHWA HEC-22 §9.1.4, grade line with Manning's full-section friction slope";

// US customary defaults: ft/s, in, ft.
constexpr double kMinVelocityFps = 3.0;
constexpr double kMaxVelocityFps = 15.0;
constexpr double kMinSizeIn = 15.0;
// The metric size the manual gives beside 15 in; 15 × 25.4 = 381 mm would refuse
// the 375 mm standard size.
constexpr double kMinSizeMm = 375.0;
constexpr double kMinCoverFt = 3.0;
constexpr double kFreeboardFt = 1.0;
constexpr double kCriticalFroude = 1.0;  // flow is supercritical above it
constexpr std::array<double, 4> kSpacingFt = {300.0, 400.0, 500.0, 1000.0};

}  // namespace

std::string_view rule_id(RuleId rule) {
    switch (rule) {
        case RuleId::MinVelocity:
            return "min_velocity";
        case RuleId::MaxVelocity:
            return "max_velocity";
        case RuleId::MinSize:
            return "min_size";
        case RuleId::SizeDecrease:
            return "size_decrease";
        case RuleId::CrownDrop:
            return "crown_drop";
        case RuleId::MinCover:
            return "min_cover";
        case RuleId::HglRim:
            return "hgl_rim";
        case RuleId::PressureFlow:
            return "pressure_flow";
        case RuleId::SupercriticalInflow:
            return "supercritical_inflow";
        case RuleId::StructureMismatch:
            return "structure_mismatch";
        case RuleId::MaxSpacing:
            return "max_spacing";
        case RuleId::ExactHglRim:
            return "exact_hgl_rim";
    }
    return {};
}

Criteria Criteria::defaults(std::string_view units) {
    Criteria c;
    c.english_ = is_english(units);
    const double ft = c.english_ ? 1.0 : kMetresPerFoot;
    using K = CriterionKey;
    using R = RuleId;
    using Q = Quantity;
    const auto set = [&c](K key, R rule, std::string_view name, Q quantity, double limit,
                          std::string_view source) -> Criterion& {
        Criterion& item = c[key];
        item = Criterion{key, rule, name, quantity, limit, true, false, false, source};
        return item;
    };
    set(K::MinVelocity, R::MinVelocity, "min_velocity", Q::Velocity, kMinVelocityFps * ft,
        kHec22Velocity);
    Criterion& max_velocity = set(K::MaxVelocity, R::MaxVelocity, "max_velocity", Q::Velocity,
                                  kMaxVelocityFps * ft, kMaxVelocityNone);
    max_velocity.unpublished = true;
    max_velocity.enabled = false;
    set(K::MinSize, R::MinSize, "min_size", Q::Size, c.english_ ? kMinSizeIn : kMinSizeMm,
        kVdotMinSize)
        .unverified = true;
    set(K::SizeDecrease, R::SizeDecrease, "size_decrease", Q::None, 0.0, kHec22SizeDecrease);
    // The least drop of the crown across a structure: none, the crowns may match.
    set(K::CrownDrop, R::CrownDrop, "crown_drop", Q::Length, 0.0, kCrownMatch);
    set(K::MinCover, R::MinCover, "min_cover", Q::Length, kMinCoverFt * ft, kHec22Cover);
    set(K::HglFreeboard, R::HglRim, "hgl_rim", Q::Length, kFreeboardFt * ft, kHglRim).unverified =
        true;
    set(K::PressureFlow, R::PressureFlow, "pressure_flow", Q::None, 0.0, kHec22Pressure);
    set(K::SupercriticalInflow, R::SupercriticalInflow, "supercritical_inflow", Q::Froude,
        kCriticalFroude, kHec22Supercritical);
    // Equal as numbers: "2081.9" and "2081.900" agree.
    set(K::StructureMismatch, R::StructureMismatch, "structure_mismatch", Q::Length, 0.0,
        kConsistency);
    set(K::Spacing24, R::MaxSpacing, "max_spacing_24", Q::Length, kSpacingFt[0] * ft,
        kHec22Spacing);
    set(K::Spacing36, R::MaxSpacing, "max_spacing_36", Q::Length, kSpacingFt[1] * ft,
        kHec22Spacing);
    set(K::Spacing54, R::MaxSpacing, "max_spacing_54", Q::Length, kSpacingFt[2] * ft,
        kHec22Spacing);
    set(K::SpacingLarger, R::MaxSpacing, "max_spacing_60", Q::Length, kSpacingFt[3] * ft,
        kHec22Spacing);
    set(K::ExactHglRim, R::ExactHglRim, "exact_hgl_rim", Q::None, 0.0, kExactHgl);
    return c;
}

std::optional<CriterionKey> Criteria::find(std::string_view name) const {
    for (const Criterion& item : items_) {
        if (item.name == name) return item.key;
    }
    return std::nullopt;
}

CriterionKey Criteria::spacing_band(double size) const {
    const double inches = english_ ? size : size / kMillimetresPerInch;
    if (inches < kSpacingBandStarts[0]) return CriterionKey::Spacing24;
    if (inches < kSpacingBandStarts[1]) return CriterionKey::Spacing36;
    if (inches < kSpacingBandStarts[2]) return CriterionKey::Spacing54;
    return CriterionKey::SpacingLarger;
}

}  // namespace pelvane::checks
