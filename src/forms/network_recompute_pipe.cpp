#include "forms/network_recompute_pipe.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/pipe/section.h"
#include "core/pipe/storm_frequency.h"
#include "core/text/number_text.h"
#include "forms/intensity.h"
#include "forms/pipe_form.h"
#include "forms/solve_messages.h"
#include "store/rainfall_lookup.h"

namespace pelvane::forms::recompute {
namespace {

constexpr int kRows = pipe::kPreviousPipeRows;

std::array<std::string_view, kColumnCount> make_column_names() {
    std::array<std::string_view, kColumnCount> names{};
    names[kPipeNumber] = store::Column("PIPE_NUMBER").name();
    names[kDischargeVal] = store::Column("DISCHARGEVAL").name();
    names[kStructureInput] = store::Column("STRUCTURE_INPUT").name();
    for (int k = 0; k < kRows; ++k) {
        names[kPrenode1 + k] = store::previous_pipe_column(k + 1).name();
        names[kPreca1 + k] = store::previous_ca_column(k + 1).name();
        names[kPretc1 + k] = store::previous_tc_column(k + 1).name();
        names[kPreflowtime1 + k] = store::previous_flow_time_column(k + 1).name();
    }
    names[kStormFreq] = store::Column("PIPE_STORM_FREQ").name();
    names[kBarrels] = store::Column("NUMOFPIPES").name();
    names[kSlope] = store::Column("PIPE_SLOPE").name();
    names[kMann] = store::Column("PIPE_MANN").name();
    names[kLength] = store::Column("PIPE_LENGTH").name();
    names[kDia] = store::Column("PIPE_DIA").name();
    names[kSpan] = store::Column("SPAN").name();
    names[kRise] = store::Column("RISE").name();
    names[kShape] = store::Column("PIPE_SHAPE").name();
    names[kStructureDischarge] = store::Column("STRUCTURE_DISCHARGE").name();
    names[kStructureCa] = store::Column("STRUCTURE_CA").name();
    names[kStructureTc] = store::Column("STRUCTURE_TC").name();
    names[kAccumulatedCa] = store::Column("ACCUMULATED_CA").name();
    names[kAccumulatedTc] = store::Column("ACCUMULATED_TC").name();
    names[kPipeCf] = store::Column("PIPE_CF").name();
    names[kPipeI] = store::Column("PIPE_I").name();
    names[kLateralDischarge] = store::Column("LATERAL_DISCHARGE").name();
    names[kPipeDischarge] = store::Column("PIPE_DISCHARGE").name();
    static_assert(kColumnCount - kFirstResult == pipe::kSectionColumns.size());
    static_assert(std::ranges::all_of(pipe::kSectionColumns, [](std::string_view name) {
        return !store::column_names::listed(name).empty();
    }));
    for (std::size_t i = 0; i < pipe::kSectionColumns.size(); ++i) {
        names[kFirstResult + i] = pipe::kSectionColumns[i];
    }
    return names;
}

std::size_t result_position(std::string_view column) {
    for (std::size_t i = 0; i < pipe::kSectionColumns.size(); ++i) {
        if (pipe::kSectionColumns[i] == column) return kFirstResult + i;
    }
    return kColumnCount;
}

pipe::FlowFields flow_fields(const PipeRow& row) {
    pipe::FlowFields f;
    f.structure_ca = row[kStructureCa];
    f.structure_tc = row[kStructureTc];
    for (int k = 0; k < kRows; ++k) {
        f.previous[k] = {row[kPreca1 + k], row[kPretc1 + k], row[kPreflowtime1 + k]};
    }
    f.accumulated_ca = row[kAccumulatedCa];
    f.accumulated_tc = row[kAccumulatedTc];
    f.pipe_cf = row[kPipeCf];
    f.pipe_i = row[kPipeI];
    f.lateral_discharge = row[kLateralDischarge];
    f.pipe_discharge = row[kPipeDischarge];
    return f;
}

void write_flow_fields(const pipe::FlowFields& f, int rows, PipeRow& row) {
    row[kStructureCa] = f.structure_ca;
    row[kStructureTc] = f.structure_tc;
    // A legacy file has no fourth row to write.
    for (int k = 0; k < rows; ++k) {
        row[kPreca1 + k] = f.previous[k].ca;
        row[kPretc1 + k] = f.previous[k].tc;
        row[kPreflowtime1 + k] = f.previous[k].flow_time;
    }
    row[kAccumulatedCa] = f.accumulated_ca;
    row[kAccumulatedTc] = f.accumulated_tc;
    row[kPipeCf] = f.pipe_cf;
    row[kPipeI] = f.pipe_i;
    row[kLateralDischarge] = f.lateral_discharge;
    row[kPipeDischarge] = f.pipe_discharge;
}

std::string step_failure(const pipe::StepOutcome& outcome) {
    if (outcome.status == pipe::StepOutcome::Status::NotANumber) {
        return "The discharge could not be computed: " + outcome.field + " is not a number.";
    }
    return "The discharge could not be computed: " + outcome.field +
           " divides by zero or overflows.";
}

}  // namespace

const std::array<std::string_view, kColumnCount>& column_names() {
    static const auto names = make_column_names();
    return names;
}

pipe::PreviousPipeValues handed_on(const text::PackedTexts& previous) {
    return {std::string(previous[kAccumulatedCa]), std::string(previous[kAccumulatedTc]),
            std::string(previous[result_position(pipe::kFlowTime)]),
            std::string(previous[kPipeDischarge])};
}

bool computed_discharge(const PipeRow& row, bool legacy) {
    const std::string_view source =
        legacy ? legacy_discharge_source(row[kStructureInput]) : row[kDischargeVal];
    return source == pipe_form_texts::kComputeSource;
}

PipeRecompute::PipeRecompute(store::ProjectContext& context)
    : context_(context),
      settings_(pipe::DischargeSettings::for_project(context.units, context.legacy_database_mode)) {
}

store::StormCoefficients PipeRecompute::coefficients_of(const std::string& storm_frequency) {
    const auto years = pipe::storm_years(storm_frequency);
    if (!years) {
        return {{}, "The storm frequency \"" + storm_frequency + "\" is no number of years."};
    }
    auto it = coefficients_.find(*years);
    if (it == coefficients_.end()) {
        it = coefficients_.emplace(*years, store::load_coefficients(context_, *years)).first;
    }
    return it->second;
}

std::vector<int> PipeRecompute::storms_used() const {
    std::vector<int> storms;
    for (const auto& [years, loaded] : coefficients_) {
        if (loaded.error.empty()) storms.push_back(years);
    }
    return storms;
}

std::optional<std::string> PipeRecompute::compute_discharge(
    PipeRow& row, const std::array<pipe::PreviousPipeLink, kRows>& links) {
    const store::StormCoefficients coefficients = coefficients_of(row[kStormFreq]);
    if (!coefficients.ok()) return coefficients.error;
    // What the intensity routine would show in a message box is reported with the
    // pipe instead of interrupting the work.
    UnattendedUi held;
    // The intensities are written as the pipe window shows them.
    const pipe::IntensityLookup intensity =
        intensity_lookup(context_, settings_.number_format, coefficients.set, held);
    pipe::FlowFields flow = flow_fields(row);
    pipe::FlowIntensities intensities;
    // The structure's own values are accumulated first: a pipe without previous pipes
    // takes none over, and its area may have been saved without the accumulation.
    pipe::StepOutcome outcome = pipe::accumulate(flow, intensities, settings_, intensity);
    if (!outcome.ok()) return step_failure(outcome);
    outcome = pipe::recompute_flow(flow, intensities, links, settings_, intensity);
    if (!outcome.ok()) return step_failure(outcome);
    if (!held.messages.empty()) {
        return "The intensity could not be computed: " + held.messages.front();
    }
    write_flow_fields(flow, settings_.previous_rows(), row);
    return std::nullopt;
}

std::optional<std::string> PipeRecompute::run(
    PipeRow& row, const std::array<pipe::PreviousPipeLink, kRows>& links) {
    PipeRow work = row;
    if (computed_discharge(work, context_.legacy_database_mode)) {
        if (auto failed = compute_discharge(work, links)) return failed;
    } else {
        const std::string& typed = work[kStructureDischarge];
        work[kPipeDischarge] = typed.empty() ? "0.0" : typed;
    }

    const auto refusal = pipe::solve_refusal(work[kPipeDischarge], work[kSlope]);
    if (refusal != pipe::SolveRefusal::None) {
        return std::string(solve_refusal_text(refusal));
    }
    for (std::size_t i = kFirstResult; i < kColumnCount; ++i) work[i].clear();
    const pipe::SectionResult result = pipe::solve_pipe_section(
        {work[kPipeDischarge], work[kBarrels], work[kSlope], work[kMann], work[kLength], work[kDia],
         work[kSpan], work[kRise], work[kShape], context_.units});
    if (result.failed()) return section_failure_text(result);
    for (const auto& [column, shown] : result.written) {
        const std::size_t at = result_position(column);
        if (at < kColumnCount) work[at] = shown;
    }
    row = std::move(work);
    return std::nullopt;
}

}  // namespace pelvane::forms::recompute
