#include "forms/network_recompute_pipe.h"

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
    names[kPipeNumber] = "PIPE_NUMBER";
    names[kDischargeVal] = "DISCHARGEVAL";
    names[kStructureInput] = "STRUCTURE_INPUT";
    static constexpr std::array<std::string_view, kRows> prenode{"PRENODE1", "PRENODE2", "PRENODE3",
                                                                 "PRENODE4"};
    static constexpr std::array<std::string_view, kRows> preca{"PRECA1", "PRECA2", "PRECA3",
                                                               "PRECA4"};
    static constexpr std::array<std::string_view, kRows> pretc{"PRETC1", "PRETC2", "PRETC3",
                                                               "PRETC4"};
    static constexpr std::array<std::string_view, kRows> preflowtime{
        "PREFLOWTIME1", "PREFLOWTIME2", "PREFLOWTIME3", "PREFLOWTIME4"};
    for (int k = 0; k < kRows; ++k) {
        names[kPrenode1 + k] = prenode[k];
        names[kPreca1 + k] = preca[k];
        names[kPretc1 + k] = pretc[k];
        names[kPreflowtime1 + k] = preflowtime[k];
    }
    names[kStormFreq] = "PIPE_STORM_FREQ";
    names[kBarrels] = "NUMOFPIPES";
    names[kSlope] = "PIPE_SLOPE";
    names[kMann] = "PIPE_MANN";
    names[kLength] = "PIPE_LENGTH";
    names[kDia] = "PIPE_DIA";
    names[kSpan] = "SPAN";
    names[kRise] = "RISE";
    names[kShape] = "PIPE_SHAPE";
    names[kStructureDischarge] = "STRUCTURE_DISCHARGE";
    names[kStructureCa] = "STRUCTURE_CA";
    names[kStructureTc] = "STRUCTURE_TC";
    names[kAccumulatedCa] = "ACCUMULATED_CA";
    names[kAccumulatedTc] = "ACCUMULATED_TC";
    names[kPipeCf] = "PIPE_CF";
    names[kPipeI] = "PIPE_I";
    names[kLateralDischarge] = "LATERAL_DISCHARGE";
    names[kPipeDischarge] = "PIPE_DISCHARGE";
    static_assert(kColumnCount - kFirstResult == pipe::kSectionColumns.size());
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

pipe::PreviousPipeValues handed_on(const PipeRow& previous) {
    return {previous[kAccumulatedCa], previous[kAccumulatedTc],
            previous[result_position(pipe::kFlowTime)], previous[kPipeDischarge]};
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
