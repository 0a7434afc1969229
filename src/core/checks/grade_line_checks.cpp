// The grade-line rules: the form's grade line against the rims, and the same grade
// line with Manning's full-section friction slope where the form finds it "O.K.".

#include <optional>
#include <string>
#include <variant>

#include "core/checks/review.h"
#include "core/hgl/grade_line.h"
#include "core/hgl/pipe_row.h"

namespace pelvane::checks::detail {
namespace {

using K = CriterionKey;

// The row's node (field 1), grade line (25), rim (26) and verdict (27).
constexpr int kNodeField = 1;
constexpr int kGradeLineField = 25;
constexpr int kRimField = 26;
constexpr int kVerdictField = 27;
constexpr std::string_view kFormSaysOk = "O.K.";

// A cell as a number; nothing for an empty cell or a text that is not a number.
std::optional<double> cell_value(const hgl::HglCell& cell) {
    if (hgl::is_empty(cell)) return std::nullopt;
    const hgl::Checked value = hgl::cell_number(cell);
    if (!value.ok()) return std::nullopt;
    return value.value();
}

}  // namespace

void grade_line_rules(Review& r) {
    const std::optional<GradeLineStart>& start = r.input.grade_line;
    const bool form_rule = r.on(K::HglFreeboard);
    const bool exact_rule = r.on(K::ExactHglRim);
    if (!start || (!form_rule && !exact_rule)) return;

    std::vector<hgl::HglPipe> pipes(r.input.pipes.size());
    for (std::size_t i = 0; i < pipes.size(); ++i) r.input.pipes[i].unpack_into(pipes[i]);
    const hgl::HglResult form =
        hgl::compute_grade_line(pipes, start->outfall, start->tailwater, r.input.units);
    hgl::HglResult exact;
    if (exact_rule) {
        exact = hgl::compute_grade_line(pipes, start->outfall, start->tailwater, r.input.units,
                                        hgl::FrictionRule::FullManning);
    }

    // Row 0 is the outfall's; both runs follow the same paths, row for row.
    for (std::size_t i = 1; i < form.rows.size(); ++i) {
        const hgl::HglRow& row = form.rows[i];
        const std::string* node = std::get_if<std::string>(&row.field(kNodeField));
        const std::size_t pipe = node ? r.links.starting(*node) : Links::kNone;
        const auto rim = cell_value(row.field(kRimField));
        if (pipe == Links::kNone || !rim) continue;
        const std::string_view pipe_number = pipes[pipe].pipe_number;
        if (const auto level = cell_value(row.field(kGradeLineField)); level && form_rule) {
            const double highest = *rim - r.limit(K::HglFreeboard);
            if (*level > highest) {
                r.add(K::HglFreeboard, pipe_number, *node, *level, highest,
                      *level > *rim ? Severity::Error : Severity::Warning);
            }
        }
        const std::string* verdict = std::get_if<std::string>(&row.field(kVerdictField));
        if (!exact_rule || i >= exact.rows.size() || !verdict || *verdict != kFormSaysOk) continue;
        if (const auto level = cell_value(exact.rows[i].field(kGradeLineField));
            level && *level >= *rim) {
            r.add(K::ExactHglRim, pipe_number, *node, *level, *rim, Severity::Error);
        }
    }
}

}  // namespace pelvane::checks::detail
