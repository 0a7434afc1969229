#include "core/pipe/discharge.h"

#include <cmath>

#include "core/hydrology/time_of_concentration.h"
#include "core/text/number_text.h"
#include "core/units.h"

namespace pelvane::pipe {

namespace {

using text::format_number;
using text::parse_number;
using text::shortest_text;

// An empty structure Tc means the shortest inlet time; so does an accumulated time
// not computed yet, the accumulation being at least the structure's.
constexpr double kEmptyTc = hydrology::kMinimumTcMinutes;
constexpr double kSecondsPerMinute = 60.0;

std::string row_field(std::string_view stem, int index) {
    return std::string(stem) + std::to_string(index + 1);
}

StepOutcome failure(StepOutcome::Status status, std::string field) {
    return StepOutcome{status, std::move(field)};
}

// Reads a field text; the empty text counts `when_empty`. On a text that is not a
// number, records which field ended the step.
bool read(std::string_view text, double when_empty, std::string_view field, double& value,
          StepOutcome& outcome) {
    const auto parsed = parse_number(text);
    if (parsed.empty()) {
        value = when_empty;
        return true;
    }
    if (!parsed.ok()) {
        outcome = failure(StepOutcome::Status::NotANumber, std::string(field));
        return false;
    }
    value = parsed.value;
    return true;
}

// Arrival time t_k of a row: its accumulated time plus its flow time in minutes.
bool read_arrival(const FlowFields& fields, int index, double& arrival, StepOutcome& outcome) {
    const PreviousPipeRow& row = fields.previous[index];
    double time = 0.0;
    double flow_time = 0.0;
    if (!read(row.tc, 0.0, row_field("preTc", index), time, outcome)) return false;
    if (!read(row.flow_time, 0.0, row_field("preflowtime", index), flow_time, outcome)) {
        return false;
    }
    arrival = time + flow_time / kSecondsPerMinute;
    return true;
}

bool read_arrivals(const FlowFields& fields, int rows,
                   std::array<double, kPreviousPipeRows>& arrivals, StepOutcome& outcome) {
    arrivals.fill(0.0);
    for (int k = 0; k < rows; ++k) {
        if (!read_arrival(fields, k, arrivals[k], outcome)) return false;
    }
    return true;
}

bool read_previous_cas(const FlowFields& fields, int rows,
                       std::array<double, kPreviousPipeRows>& cas, StepOutcome& outcome) {
    cas.fill(0.0);
    for (int k = 0; k < rows; ++k) {
        if (!read(fields.previous[k].ca, 0.0, row_field("preca", k), cas[k], outcome)) return false;
    }
    return true;
}

void default_if_empty(std::string& text, std::string_view value) {
    if (text.empty()) text = value;
}

// Runs the intensity routine for a duration text; a failed run leaves `target`.
void look_up(const IntensityLookup& intensity, std::string& tc_text, std::string& target) {
    if (!intensity) return;
    if (auto result = intensity(tc_text)) target = std::move(*result);
}

bool finite(double value, std::string_view field, StepOutcome& outcome) {
    if (std::isfinite(value)) return true;
    outcome = failure(StepOutcome::Status::Arithmetic, std::string(field));
    return false;
}

// A duration ratio Cf · t / T_acc, rounded to 3 decimals with halves to even.
bool duration_ratio(double cf, double duration, double accumulated_tc, double& ratio,
                    StepOutcome& outcome) {
    const double raw = cf * duration / accumulated_tc;
    if (!finite(raw, "accumulated_Tc", outcome)) return false;
    ratio = text::round_half_even(raw, 3);
    return true;
}

}  // namespace

DischargeSettings DischargeSettings::for_project(std::string_view units, bool legacy) {
    DischargeSettings settings;
    settings.unit_factor = UnitConstants::for_units(units).discharge_ku;
    settings.legacy = legacy;
    settings.number_format = std::string(number_format_for(units));
    return settings;
}

void take_over_previous_pipe(FlowFields& fields, int index, const PreviousPipeValues& pipe) {
    PreviousPipeRow& row = fields.previous[index];
    row.ca = pipe.accumulated_ca.empty() ? "0.0" : pipe.accumulated_ca;
    row.tc = pipe.accumulated_tc.empty() ? "0.0" : pipe.accumulated_tc;
    row.flow_time = pipe.flow_time.empty() ? "0.0" : pipe.flow_time;
}

void clear_previous_pipe(FlowFields& fields, int index) {
    fields.previous[index] = PreviousPipeRow{"0.0", "0.0", "0.0"};
}

int latest_arrival(const std::array<double, kPreviousPipeRows>& t) {
    if (t[0] > t[1] && t[0] > t[2] && t[0] > t[3]) return 0;
    if (t[1] > t[2] && t[1] > t[3]) return 1;
    if (t[2] > t[3]) return 2;
    return 3;
}

std::optional<std::string> arrival_time_text(const FlowFields& fields, int index) {
    double arrival = 0.0;
    StepOutcome outcome;
    if (!read_arrival(fields, index, arrival, outcome)) return std::nullopt;
    return shortest_text(arrival);
}

StepOutcome accumulate(FlowFields& fields, FlowIntensities& intensities,
                       const DischargeSettings& settings, const IntensityLookup& intensity) {
    const int rows = settings.previous_rows();
    for (int k = 0; k < rows; ++k) {
        PreviousPipeRow& row = fields.previous[k];
        default_if_empty(row.ca, "0.0");
        default_if_empty(row.tc, "0.0");
        default_if_empty(row.flow_time, "0.0");
    }
    default_if_empty(fields.structure_tc, "5.0");
    default_if_empty(fields.structure_ca, "0.0");

    StepOutcome outcome;
    std::array<double, kPreviousPipeRows> arrivals{};
    if (!read_arrivals(fields, rows, arrivals, outcome)) return outcome;
    const double latest = arrivals[latest_arrival(arrivals)];

    double structure_tc = 0.0;
    if (!read(fields.structure_tc, kEmptyTc, "structure_Tc", structure_tc, outcome)) {
        return outcome;
    }
    const double accumulated_tc = structure_tc < latest ? latest : structure_tc;
    fields.accumulated_tc = format_number(accumulated_tc, settings.number_format);

    look_up(intensity, fields.structure_tc, intensities.structure);

    double sum = 0.0;
    if (!read(fields.structure_ca, 0.0, "structure_ca", sum, outcome)) return outcome;
    std::array<double, kPreviousPipeRows> cas{};
    if (!read_previous_cas(fields, rows, cas, outcome)) return outcome;
    for (int k = 0; k < rows; ++k) sum += cas[k];
    fields.accumulated_ca = shortest_text(sum);
    return outcome;
}

StepOutcome previous_pipe_intensity(const FlowFields& fields, FlowIntensities& intensities,
                                    int index, const IntensityLookup& intensity) {
    StepOutcome outcome;
    double arrival = 0.0;
    if (!read_arrival(fields, index, arrival, outcome)) return outcome;
    std::string duration = shortest_text(arrival);
    look_up(intensity, duration, intensities.previous[index]);
    return outcome;
}

StepOutcome compute_intensities(FlowFields& fields, FlowIntensities& intensities,
                                const DischargeSettings& settings,
                                const IntensityLookup& intensity) {
    look_up(intensity, fields.structure_tc, intensities.structure);
    for (int k = 0; k < settings.previous_rows(); ++k) {
        const StepOutcome outcome = previous_pipe_intensity(fields, intensities, k, intensity);
        if (!outcome.ok()) return outcome;
    }
    look_up(intensity, fields.accumulated_tc, fields.pipe_i);
    return StepOutcome{};
}

StepOutcome design_discharge(FlowFields& fields, const FlowIntensities& intensities,
                             const PreviousDischarges& previous_discharges,
                             const DischargeSettings& settings) {
    default_if_empty(fields.accumulated_ca, "0.00");
    default_if_empty(fields.pipe_i, "0.00");
    default_if_empty(fields.pipe_cf, "1.00");
    default_if_empty(fields.lateral_discharge, "0.00");

    const int rows = settings.previous_rows();
    const double u = settings.unit_factor;
    StepOutcome outcome;

    // The whole accumulated area at the intensity of the accumulated time.
    double cf = 0.0;
    double intensity_acc = 0.0;
    double ca_acc = 0.0;
    double lateral = 0.0;
    if (!read(fields.pipe_cf, 1.0, "pipe_cf", cf, outcome)) return outcome;
    if (!read(fields.pipe_i, 0.0, "pipe_I", intensity_acc, outcome)) return outcome;
    if (!read(fields.accumulated_ca, 0.0, "accumulated_ca", ca_acc, outcome)) return outcome;
    if (!read(fields.lateral_discharge, 0.0, "lateral_discharge", lateral, outcome)) {
        return outcome;
    }
    double largest = cf * intensity_acc * ca_acc / u + lateral;
    if (!finite(largest, "pipe_discharge", outcome)) return outcome;

    std::array<double, kPreviousPipeRows> q{};
    for (int k = 0; k < rows; ++k) {
        if (!read(previous_discharges[k], 0.0, row_field("Q_", k), q[k], outcome)) return outcome;
    }

    // The upper structure alone, or one previous pipe alone.
    double intensity_0 = 0.0;
    double ca_s = 0.0;
    if (!read(intensities.structure, 0.0, "I_0", intensity_0, outcome)) return outcome;
    if (!read(fields.structure_ca, 0.0, "structure_ca", ca_s, outcome)) return outcome;
    double candidate = cf * intensity_0 * ca_s / u + lateral;
    for (int k = 0; k < kPreviousPipeRows; ++k) {
        if (q[k] + lateral > candidate) candidate = q[k] + lateral;
    }
    if (!finite(candidate, "pipe_discharge", outcome)) return outcome;
    if (candidate > largest) largest = candidate;

    // Partial areas: each duration's own area at full intensity, the rest of the
    // area in the share of it that has arrived by then.
    double structure_tc = 0.0;
    double accumulated_tc = 0.0;
    if (!read(fields.structure_tc, kEmptyTc, "structure_Tc", structure_tc, outcome)) {
        return outcome;
    }
    if (!read(fields.accumulated_tc, kEmptyTc, "accumulated_Tc", accumulated_tc, outcome)) {
        return outcome;
    }
    if (accumulated_tc == 0.0) return failure(StepOutcome::Status::Arithmetic, "accumulated_Tc");
    std::array<double, kPreviousPipeRows> arrivals{};
    if (!read_arrivals(fields, rows, arrivals, outcome)) return outcome;
    double ratio_0 = 0.0;
    if (!duration_ratio(cf, structure_tc, accumulated_tc, ratio_0, outcome)) return outcome;
    std::array<double, kPreviousPipeRows> ratios{};
    for (int k = 0; k < rows; ++k) {
        if (!duration_ratio(cf, arrivals[k], accumulated_tc, ratios[k], outcome)) return outcome;
    }
    std::array<double, kPreviousPipeRows> cas{};
    if (!read_previous_cas(fields, rows, cas, outcome)) return outcome;
    std::array<double, kPreviousPipeRows> intensity_k{};
    for (int k = 0; k < rows; ++k) {
        if (!read(intensities.previous[k], 0.0, row_field("I_", k), intensity_k[k], outcome)) {
            return outcome;
        }
    }

    candidate = lateral + cf * intensity_0 * ca_s / u +
                ratio_0 * intensity_0 * (cas[0] + cas[1] + cas[2] + cas[3]) / u;
    for (int j = 0; j < kPreviousPipeRows; ++j) {
        double others = ca_s;
        for (int k = 0; k < kPreviousPipeRows; ++k) {
            if (k != j) others += cas[k];
        }
        const double at_arrival = lateral + q[j] + ratios[j] * intensity_k[j] * others / u;
        if (at_arrival > candidate) candidate = at_arrival;
    }
    if (!finite(candidate, "pipe_discharge", outcome)) return outcome;
    if (candidate > largest) largest = candidate;

    fields.pipe_discharge = format_number(largest, settings.number_format);
    return outcome;
}

StepOutcome recompute_flow(FlowFields& fields, FlowIntensities& intensities,
                           const std::array<PreviousPipeLink, kPreviousPipeRows>& links,
                           const DischargeSettings& settings, const IntensityLookup& intensity) {
    PreviousDischarges discharges;
    for (int k = 0; k < settings.previous_rows(); ++k) {
        if (links[k].state == PreviousPipeLink::State::Found) {
            discharges[k] = links[k].pipe.pipe_discharge;
        }
    }

    StepOutcome first;
    const auto keep_first = [&first](const StepOutcome& outcome) {
        if (first.ok() && !outcome.ok()) first = outcome;
    };
    for (int k = 0; k < settings.previous_rows(); ++k) {
        switch (links[k].state) {
            case PreviousPipeLink::State::None:
                continue;
            case PreviousPipeLink::State::Found:
                take_over_previous_pipe(fields, k, links[k].pipe);
                keep_first(previous_pipe_intensity(fields, intensities, k, intensity));
                break;
            case PreviousPipeLink::State::Missing:
                clear_previous_pipe(fields, k);
                break;
        }
        keep_first(accumulate(fields, intensities, settings, intensity));
        keep_first(design_discharge(fields, intensities, discharges, settings));
    }
    keep_first(compute_intensities(fields, intensities, settings, intensity));
    keep_first(design_discharge(fields, intensities, discharges, settings));
    return first;
}

}  // namespace pelvane::pipe
