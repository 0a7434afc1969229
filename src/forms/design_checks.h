#pragma once
// The design review of an open project, and how its findings read. The Checks
// panel, the grid's marks and `pelvane check` all run it and word it here.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/checks/checks.h"
#include "core/checks/criteria.h"
#include "store/check_settings.h"
#include "store/project_context.h"

namespace pelvane::forms {

// Every pipe of the open project in table order, read in one pass of the columns the
// review needs.
std::vector<checks::PackedCheckPipe> check_pipes(const store::ProjectContext& context);

struct DesignReview {
    std::vector<checks::Violation> violations;
    // Why the grade-line rules were not run; "" when they were.
    std::string grade_line_skipped;
};

// Reviews the saved pipes against `settings`; the grade-line rules run when
// `grade_line` (or else the settings) says where the grade line starts. A
// tailwater is taken as the grade line window takes it once the field is left.
DesignReview review_design(const store::ProjectContext& context,
                           const store::CheckSettings& settings,
                           const std::optional<checks::GradeLineStart>& grade_line = {});

// What the person reads.
inline constexpr const char* kGradeLineSkipped =
    "Grade-line checks (hgl_rim, exact_hgl_rim) were skipped: no outfall and tailwater "
    "are known. Give them in the Checks panel or with --outfall NODE --tailwater ELEV.";
// The kept structure no longer ends a pipe (deleted or renumbered since).
std::string grade_line_outfall_gone(std::string_view node);
inline constexpr const char* kNoViolations = "No violation of the design criteria.";
inline constexpr const char* kUnverifiedMark = "(unverified)";

// "Minimum velocity (full flow)", ... for the panel and the help.
std::string_view rule_title(checks::RuleId rule);
// The criterion's own title: its rule's, with the size band of a spacing.
std::string criterion_title(const checks::Criterion& criterion, bool english);
// The unit of a quantity in the project's units ("" when it has none).
std::string_view quantity_unit(checks::Quantity quantity, std::string_view units);
// A value of a quantity as shown: two decimals (three for metric lengths), sizes
// whole, with its unit.
std::string quantity_text(checks::Quantity quantity, double value, std::string_view units);

// The criterion's source, marked when its value is unverified.
std::string source_text(const checks::Criterion& criterion);

// The parts of a violation as the line below words them: the rule id, the pipe and
// structure ("" for none), "cover 2.45 ft", "3.00 ft" and the source.
struct ViolationTexts {
    std::string rule, pipe, structure, value, limit, source;
};
ViolationTexts violation_texts(const checks::Violation& v, const checks::Criteria& criteria,
                               std::string_view units);

// One line naming the rule, the pipe and structure, value, limit and source:
// "min_cover  pipe 3 at 4: cover 2.45 ft, limit 3.00 ft — FHWA HEC-22 §9.2.4 ...".
std::string violation_line(const checks::Violation& v, const checks::Criteria& criteria,
                           std::string_view units);
// What the numbers of a violation are ("cover", "grade line", "rim differs by", ...).
std::string_view value_name(const checks::Violation& v);

}  // namespace pelvane::forms
