#include "forms/profile.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "core/hgl/grade_line.h"
#include "core/hgl/run.h"
#include "core/text/number_text.h"
#include "core/units.h"
#include "forms/hgl_form.h"
#include "forms/profile_texts.h"

namespace pelvane::forms {
namespace {

using drawing::Point;

std::optional<double> text_number(std::string_view text) {
    const auto parsed = text::parse_number(text);
    if (!parsed.ok()) return std::nullopt;
    return parsed.value;
}

// A cell as drawn: an empty cell (a step of the row that could not be computed) is
// no value, not 0.
std::optional<double> cell_value(const hgl::HglCell& cell) {
    if (const double* value = std::get_if<double>(&cell)) return *value;
    if (const std::string* text = std::get_if<std::string>(&cell)) return text_number(*text);
    return std::nullopt;
}

std::string text_of(const hgl::HglCell& cell) {
    if (const std::string* text = std::get_if<std::string>(&cell)) return *text;
    return {};
}

std::optional<double> plus(std::optional<double> a, std::optional<double> b) {
    if (!a || !b) return std::nullopt;
    return *a + *b;
}

}  // namespace

std::optional<double> ProfilePipe::egl_down() const {
    return plus(hgl_down, velocity_head);
}
std::optional<double> ProfilePipe::egl_up() const {
    return plus(hgl_up, velocity_head);
}

ProfileOutcome make_profile(std::span<const hgl::HglPipe> pipes,
                            std::span<const ProfileTexts> texts, std::string_view units,
                            std::string_view start, std::string_view outfall,
                            std::string_view tailwater) {
    ProfileOutcome outcome;
    const hgl::Run found = hgl::find_run(pipes, start, outfall);
    if (found.problem == hgl::Run::Problem::UnknownPipe) {
        outcome.problem = profile_texts::unknown_pipe(start);
        outcome.choice = ProfileOutcome::Choice::Start;
        return outcome;
    }
    if (found.problem == hgl::Run::Problem::NoPath) {
        outcome.problem = profile_texts::no_path(start, outfall);
        outcome.choice = ProfileOutcome::Choice::Outfall;
        return outcome;
    }
    const std::string end = pipes[found.pipes.back()].nodeout_no;
    const hgl::HglResult grade_line = hgl::compute_grade_line(pipes, end, tailwater, units);
    const std::vector<const hgl::HglRow*> rows = hgl::run_rows(grade_line, pipes, found);
    const hgl::HglConstants constants = hgl::HglConstants::for_units(units);
    const UnitNames names = UnitNames::for_units(units);

    ProfileRun run;
    run.start = std::string(start);
    run.outfall = end;
    run.outfall_rim = text_number(texts[found.pipes.back()].nodeout_topele);
    if (!grade_line.rows.empty()) run.tailwater = cell_value(grade_line.rows.front().field(25));
    run.length_unit = std::string(names.length);
    run.size_unit = std::string(names.size);

    double station = 0.0;
    for (std::size_t k = found.pipes.size(); k-- > 0;) {
        const hgl::HglPipe& pipe = pipes[found.pipes[k]];
        const hgl::HglRow* row = rows[k];
        if (row == nullptr) {
            outcome.problem = profile_texts::not_reached(pipe.pipe_number, end);
            return outcome;
        }
        const auto length = text_number(pipe.pipe_length);
        const auto invert_down = cell_value(row->field(3));
        const auto invert_up = text_number(pipe.pipe_elein);
        const auto rise = cell_value(row->field(4));
        const char* missing = !length        ? profile_texts::kLength
                              : !invert_down ? profile_texts::kInvertOut
                              : !invert_up   ? profile_texts::kInvertIn
                              : !rise        ? profile_texts::kRise
                                             : nullptr;
        if (missing != nullptr) {
            outcome.problem = profile_texts::not_a_number(pipe.pipe_number, missing);
            return outcome;
        }
        ProfilePipe drawn;
        drawn.number = pipe.pipe_number;
        drawn.upper_node = pipe.nodein_no;
        drawn.size = text_of(row->field(6));
        drawn.slope = texts[found.pipes[k]].pipe_slope;
        drawn.station_down = station;
        station += *length;
        drawn.station_up = station;
        drawn.invert_down = *invert_down;
        drawn.invert_up = *invert_up;
        drawn.rise = *rise;
        drawn.hgl_down = cell_value(row->field(5));
        drawn.hgl_up = cell_value(row->field(25));
        if (const auto velocity = cell_value(row->field(11))) {
            drawn.velocity_head = hgl::velocity_head(*velocity, constants);
        }
        drawn.rim_up = cell_value(row->field(26));
        run.pipes.push_back(std::move(drawn));
    }
    outcome.run = std::move(run);
    return outcome;
}

ProfileOutcome profile_of_project(const store::ProjectContext& context, std::string_view start,
                                  std::string_view outfall, std::string_view tailwater) {
    const std::vector<hgl::HglPipe> pipes = hgl_pipes(context);
    const auto rows = store::PipeTable(context.project_connection)
                          .texts_in_table_order({"PIPE_SLOPE", "NODEOUT_TOPELE"});
    std::vector<ProfileTexts> texts;
    texts.reserve(rows.size());
    for (const auto& row : rows) texts.push_back({row[0], row[1]});
    return make_profile(pipes, texts, context.units, start, outfall, tailwater);
}

}  // namespace pelvane::forms
