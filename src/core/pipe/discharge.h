#pragma once
// Discharge of a pipe by the rational method: C·A and time of concentration
// accumulated over the upper structure and up to four previous pipes, and the design
// discharge as the largest of the candidates for the different storm durations.
//
// Everything works on the pipe window's field texts, in the order the window's
// steps read and write them: a text that is not a number ends the step that reads
// it, and what the step wrote before stays written. The window and the network
// recompute both call these, so every rule lives here once.
//
// Units: C·A in acres (English) or hectares (metric), times in minutes, flow times
// over a pipe in seconds, intensities in in/hr or mm/hr, discharges in cfs or cms.
// A metric discharge is intensity · C·A / 360.
//
// Rows of previous pipes are indexed from 0: index 0 is row 1 (`prenode1`,
// `preca1`, `preTc1`, `preflowtime1`) and index 3 is row 4.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pelvane::pipe {

inline constexpr int kPreviousPipeRows = 4;
// A legacy project keeps three previous pipes; its fourth row counts 0 everywhere
// and is neither read nor written.
inline constexpr int kLegacyPreviousPipeRows = 3;

// The flow values of one previous pipe as the window holds them.
struct PreviousPipeRow {
    std::string ca;         // `preca`k: the previous pipe's accumulated C·A
    std::string tc;         // `preTc`k: its accumulated time (min)
    std::string flow_time;  // `preflowtime`k: its flow time over its length (s)
};

// The pipe window's fields that the accumulation and the design discharge read
// and write.
struct FlowFields {
    std::string structure_ca;  // `structure_ca` (empty: 0.0)
    std::string structure_tc;  // `structure_Tc` (min; empty: 5.0)
    std::array<PreviousPipeRow, kPreviousPipeRows> previous;
    std::string accumulated_ca;  // `accumulated_ca`
    std::string accumulated_tc;  // `accumulated_Tc` (min)
    std::string pipe_cf;         // `pipe_cf`
    std::string pipe_i;          // `pipe_I`: intensity for the accumulated time
    std::string lateral_discharge;
    std::string pipe_discharge;
};

// Intensities the window keeps between its steps, as the intensity routine
// formatted them. An intensity not computed yet (empty) counts 0.
struct FlowIntensities {
    std::string structure;                                // I_0, for the structure Tc
    std::array<std::string, kPreviousPipeRows> previous;  // I_k, for arrival time t_k
};

// The saved values of a previous pipe that the window's pipe list carries
// (ACCUMULATED_CA, ACCUMULATED_TC, FLOW_TIME, PIPE_DISCHARGE).
struct PreviousPipeValues {
    std::string accumulated_ca;
    std::string accumulated_tc;
    std::string flow_time;
    std::string pipe_discharge;
};

// The saved PIPE_DISCHARGE of the pipe named in each row; empty for a row that
// names no pipe or a pipe that does not exist (both count 0).
using PreviousDischarges = std::array<std::string, kPreviousPipeRows>;

struct DischargeSettings {
    double unit_factor = 1.0;             // u: 1 (English) or 360 (metric)
    bool legacy = false;                  // legacy project: three previous pipes
    std::string number_format = "0.000";  // pattern of accumulated_Tc and pipe_discharge

    // The window's settings for a project: u from the units, "0.000" (English) or
    // "0.0000" (metric).
    static DischargeSettings for_project(std::string_view units, bool legacy);

    int previous_rows() const { return legacy ? kLegacyPreviousPipeRows : kPreviousPipeRows; }
};

// How a step ended. On a failure `field` names the text that ended it: a field
// name of the window (`preTc2`, `structure_ca`, `accumulated_Tc`, ...) or, for the
// values the window keeps outside its fields, "I_0" … "I_4" and "Q_1" … "Q_4".
struct StepOutcome {
    enum class Status {
        Done,
        NotANumber,  // a text that is not a number
        Arithmetic,  // a division by zero or an overflow
    };
    Status status = Status::Done;
    std::string field;

    bool ok() const { return status == Status::Done; }
};

// Intensity for a duration: given the duration text (minutes), returns the
// intensity text as the intensity routine formats it, or nothing when the routine
// failed (the value it would have set then keeps its text). The routine may
// rewrite the duration text (an empty duration becomes "5.0"); the window's own
// fields are handed over, so such a rewrite shows in them.
using IntensityLookup = std::function<std::optional<std::string>(std::string& tc_text)>;

// A previous pipe taken over into row `index`: its saved C·A, time and flow time
// (empty values become "0.0").
void take_over_previous_pipe(FlowFields& fields, int index, const PreviousPipeValues& pipe);
// Row `index` emptied: its C·A, time and flow time become "0.0".
void clear_previous_pipe(FlowFields& fields, int index);

// The row whose arrival time governs: the largest by strict comparisons in row
// order, so that of equal largest times the later row wins.
int latest_arrival(const std::array<double, kPreviousPipeRows>& arrival_times);

// Arrival time t_k = T_k + F_k / 60 of row `index` as the shortest text, the form
// in which a duration is handed to the intensity routine. Empty values count 0;
// nothing when one of them is not a number.
std::optional<std::string> arrival_time_text(const FlowFields& fields, int index);

// The accumulation: empty previous-pipe values become "0.0", an empty structure Tc
// "5.0" and an empty structure C·A "0.0"; accumulated_Tc becomes the latest arrival
// time when the structure Tc is shorter, else the structure Tc; I_0 is computed
// for the structure Tc; accumulated_ca becomes the shortest text of the sum of the
// structure's and the previous pipes' C·A.
StepOutcome accumulate(FlowFields& fields, FlowIntensities& intensities,
                       const DischargeSettings& settings, const IntensityLookup& intensity);

// Intensity I_k of row `index` for its arrival time, as after a take-over.
StepOutcome previous_pipe_intensity(const FlowFields& fields, FlowIntensities& intensities,
                                    int index, const IntensityLookup& intensity);

// The intensities of "Compute Intensity": I_0 for the structure Tc, I_k for each
// arrival time t_k, and `pipe_I` for the accumulated time. Loading the storm
// frequency's coefficients is the lookup's business; the design discharge that
// follows is the caller's next step.
StepOutcome compute_intensities(FlowFields& fields, FlowIntensities& intensities,
                                const DischargeSettings& settings,
                                const IntensityLookup& intensity);

// The design discharge of a computed ("CRM") source, written into pipe_discharge
// with the settings' number format. Empty accumulated C·A, intensity and lateral
// discharge first become "0.00" and an empty Cf "1.00". The largest of: the whole
// accumulated area at its intensity; the upper structure alone or any one previous
// pipe alone (each plus the lateral discharge); and the partial-area candidates
// for the structure Tc and for each arrival time, whose duration ratios are
// rounded to 3 decimals (halves to even). Read as empty, the structure and the
// accumulated times count 5.0 minutes and every other value 0.
StepOutcome design_discharge(FlowFields& fields, const FlowIntensities& intensities,
                             const PreviousDischarges& previous_discharges,
                             const DischargeSettings& settings);

// What a previous-pipe row points at when the network is recomputed.
struct PreviousPipeLink {
    enum class State {
        None,     // the row names no pipe: left as it is
        Found,    // the row names a pipe: its saved values are taken over again
        Missing,  // the row names a pipe that does not exist: counts as no previous
                  // pipe, its values become "0.0"
    };
    State state = State::None;
    PreviousPipeValues pipe;  // when Found
};

// What the engineer does by hand in the flow tab of a computed pipe after the
// pipes upstream changed: take over each previous pipe again in row order (each
// take-over computes its intensity, the accumulation and the design discharge,
// as the window does), then "Compute Intensity" and the design discharge. A step
// that fails ends only itself, as in the window; the first failure is returned.
StepOutcome recompute_flow(FlowFields& fields, FlowIntensities& intensities,
                           const std::array<PreviousPipeLink, kPreviousPipeRows>& links,
                           const DischargeSettings& settings, const IntensityLookup& intensity);

}  // namespace pelvane::pipe
