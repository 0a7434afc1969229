// The flow tab: the discharge source, the upper structure's drainage data and the
// windows that compute them, the storm frequency and intensity, and the design
// discharge made again whenever one of its inputs changes.

#include "core/pipe/storm_frequency.h"
#include "core/text/number_text.h"
#include "forms/drainage_area_form.h"

#include <initializer_list>
#include "forms/input_conventions.h"
#include "forms/pipe_form.h"
#include "forms/time_of_concentration_form.h"

namespace pelvane::forms {
namespace {

namespace texts = pipe_form_texts;

constexpr FieldName kSourceField = "dischargeval";
constexpr const char* kMinimumTc = "5.0";
constexpr double kMinimumTcMinutes = 5.0;

constexpr std::array<FieldName, 3> kComputedFrames{texts::kRainfallFrame, texts::kPreviousFrame,
                                                   texts::kAccumulationFrame};
constexpr std::array<FieldName, 4> kComputedFields{"cmdstr_area", "cmdstr_Tc", "cmd_accIntensity",
                                                   texts::kStructureFrame};

bool tc_computed(std::string_view options) {
    return !options.empty() && options != texts::kNoTcOptions;
}

}  // namespace

bool PipeForm::computed_source() const {
    return fields.text(kSourceField) == texts::kComputeSource;
}

pipe::DischargeSettings PipeForm::discharge_settings() const {
    return pipe::DischargeSettings::for_project(context_.units, legacy());
}

pipe::FlowFields PipeForm::flow_fields() const {
    pipe::FlowFields flow;
    flow.structure_ca = fields.text("structure_ca");
    flow.structure_tc = fields.text("structure_Tc");
    for (int k = 1; k <= 4; ++k) {
        auto& row = flow.previous[static_cast<std::size_t>(k - 1)];
        row.ca = fields.text(preca(k));
        row.tc = fields.text(pretc(k));
        row.flow_time = fields.text(preflowtime(k));
    }
    flow.accumulated_ca = fields.text("accumulated_ca");
    flow.accumulated_tc = fields.text("accumulated_Tc");
    flow.pipe_cf = fields.text("pipe_cf");
    flow.pipe_i = fields.text("pipe_I");
    flow.lateral_discharge = fields.text("lateral_discharge");
    flow.pipe_discharge = fields.text("pipe_discharge");
    return flow;
}

void PipeForm::show_flow_fields(const pipe::FlowFields& flow) {
    fields.set_text("structure_ca", flow.structure_ca);
    fields.set_text("structure_Tc", flow.structure_tc);
    for (int k = 1; k <= previous_rows(); ++k) {
        const auto& row = flow.previous[static_cast<std::size_t>(k - 1)];
        fields.set_text(preca(k), row.ca);
        fields.set_text(pretc(k), row.tc);
        fields.set_text(preflowtime(k), row.flow_time);
    }
    fields.set_text("accumulated_ca", flow.accumulated_ca);
    fields.set_text("accumulated_Tc", flow.accumulated_tc);
    fields.set_text("pipe_cf", flow.pipe_cf);
    fields.set_text("pipe_I", flow.pipe_i);
    fields.set_text("lateral_discharge", flow.lateral_discharge);
    fields.set_text("pipe_discharge", flow.pipe_discharge);
}

// The saved discharge of the pipe named in each previous-pipe row.
pipe::PreviousDischarges PipeForm::previous_discharges() const {
    pipe::PreviousDischarges discharges;
    for (int k = 1; k <= previous_rows(); ++k) {
        if (const auto row = listed_pipe(fields.text(prenode(k)))) {
            discharges[static_cast<std::size_t>(k - 1)] = row->get("PIPE_DISCHARGE");
        }
    }
    return discharges;
}

// The accumulation and the design discharge of a computed source, after one of
// their inputs changed. A step that meets a text that is not a number ends there;
// what it wrote before stays. Without coefficients for the record's storm the
// accumulation is still made, but no design discharge.
void PipeForm::reaccumulate() {
    if (!computed_source()) return;
    const auto settings = discharge_settings();
    const auto intensity = storm_intensity(MissingStorm::Drop);
    auto flow = flow_fields();
    pipe::accumulate(flow, intensities_, settings, intensity.value_or(nullptr));
    if (intensity) {
        // Once an intensity is shown it follows the accumulated Tc at once, as after
        // Compute Intensity: one left from the earlier Tc would be solved and saved
        // with nothing to show it no longer belongs to the pipe.
        if (!flow.pipe_i.empty()) {
            pipe::compute_intensities(flow, intensities_, settings, *intensity);
        }
        pipe::design_discharge(flow, intensities_, previous_discharges(), settings);
    }
    show_flow_fields(flow);
}

void PipeForm::redo_design_discharge() {
    if (!computed_source() || !storm_intensity(MissingStorm::Drop)) return;
    show_design_discharge();
}

// The design discharge from the intensities as they stand.
void PipeForm::show_design_discharge() {
    if (!computed_source()) return;
    auto flow = flow_fields();
    pipe::design_discharge(flow, intensities_, previous_discharges(), discharge_settings());
    show_flow_fields(flow);
}

// The intensities the candidates of the design discharge use belong to the record
// being edited: they are computed for its storm frequency when editing begins, so
// a pipe never works with those of the pipe shown before it. A storm without
// coefficients leaves the saved results on show until a step needs them.
void PipeForm::refresh_intensities() {
    intensities_ = {};
    if (!computed_source()) return;
    const auto intensity = storm_intensity(MissingStorm::Keep);
    if (!intensity) return;
    auto flow = flow_fields();
    pipe::compute_intensities(flow, intensities_, discharge_settings(), *intensity);
}

void PipeForm::set_discharge_source(std::string_view source) {
    fields.set_text(kSourceField, std::string(source));
    applied_source_ = source;
    apply_flow_states();
}

// The frames and commands that only serve a computed discharge are open with a
// computed source; the typed discharge only with a typed one. In "VIEW" nothing is.
void PipeForm::apply_flow_states() {
    applied_source_ = fields.text(kSourceField);
    const bool active = mode_ != ScreenMode::View;
    const bool computed = computed_source();
    fields.set_enabled(texts::kSourceFrame, active);
    for (const FieldName name : kComputedFrames) fields.set_enabled(name, active && computed);
    for (const FieldName name : kComputedFields) fields.set_enabled(name, active && computed);
    fields.set_enabled(texts::kLateralFrame, active && computed);
    fields.set_enabled("structure_discharge", !computed);
    fields.set_text("Check_ComputeTc",
                    computed && tc_computed(fields.text("PTcoptionstr")) ? "1" : "0");
}

void PipeForm::reset_previous_pipes() {
    for (int k = 1; k <= 4; ++k) {
        fields.set_text(prenode(k), "");
        fields.set_text(preca(k), "0.0");
        fields.set_text(pretc(k), "0.0");
        fields.set_text(preflowtime(k), "0.0");
    }
    previous_handled_ = {};
}

void PipeForm::clear_area_and_tc_buffers() {
    for (const FieldName name : std::initializer_list<FieldName>{
             "PTcoptionstr", "PTcStr", "pTcStr2", "pcbufstr", "pareabufstr"}) {
        fields.set_text(name, "");
    }
    fields.set_text("Check_ComputeTc", "0");
}

// The discharge source option chosen, by the person or for a new type of the upper
// structure.
void PipeForm::choose_discharge_source(std::string_view source) {
    fields.set_text(kSourceField, std::string(source));
    if (computed_source()) {
        structure_compute_chosen();
    } else {
        structure_input_chosen();
    }
}

// "Compute Discharge": the discharge is computed afresh. An inlet with no C·A taken
// over starts from no area and the shortest time.
void PipeForm::structure_compute_chosen() {
    if (applied_source_ == texts::kComputeSource) return;
    set_discharge_source(texts::kComputeSource);
    if (fields.text("nodein_type") == texts::kInlet && fields.text("structure_ca") == "0.0") {
        fields.set_text("structure_ca", "0.0");
        fields.set_text("accumulated_ca", "0.0");
        fields.set_text("structure_Tc", kMinimumTc);
        fields.set_text("accumulated_Tc", kMinimumTc);
    }
    fields.set_text("pipe_I", "0.0");
    fields.set_text("pipe_cf", "1.0");
    fields.set_text("pipe_storm_freq", "2");
    fields.set_text("structure_discharge", "0.0");
    fields.set_text("pipe_discharge", "0.0");
    clear_area_and_tc_buffers();
    reset_previous_pipes();
    intensities_ = {};
}

// "Input Discharge" after a computed one drops what was computed, when the person
// agrees.
void PipeForm::structure_input_chosen() {
    if (applied_source_ != texts::kComputeSource) {
        set_discharge_source(texts::kInputSource);
        return;
    }
    if (ui_.ask(texts::kClearComputedValues, Buttons::YesNo, Icon::None, kAppTitle) !=
        Answer::Yes) {
        fields.set_text(kSourceField, std::string(texts::kComputeSource));
        return;
    }
    set_discharge_source(texts::kInputSource);
    for (const FieldName name :
         std::initializer_list<FieldName>{"structure_area", "structure_ca", "accumulated_ca"}) {
        fields.set_text(name, "0.0");
    }
    fields.set_text("accumulated_Tc", kMinimumTc);
    fields.set_text("structure_Tc", kMinimumTc);
    fields.set_text("pipe_I", "0.0");
    fields.set_text("pipe_cf", "1.0");
    fields.set_text("lateral_discharge", "0.0");
    clear_area_and_tc_buffers();
    reset_previous_pipes();
    intensities_ = {};
}

namespace {

// Empty becomes "0.0", then the number format.
std::string discharge_text(const std::string& typed, const std::string& number_format) {
    return format_on_leave(typed.empty() ? "0.0" : typed, number_format);
}

}  // namespace

void PipeForm::structure_discharge_left() {
    const std::string shown =
        discharge_text(fields.text("structure_discharge"), session_.number_format);
    fields.set_text("structure_discharge", shown);
    fields.set_text("pipe_discharge", shown);
}

void PipeForm::lateral_discharge_left() {
    fields.set_text("lateral_discharge",
                    discharge_text(fields.text("lateral_discharge"), session_.number_format));
    redo_design_discharge();
}

void PipeForm::structure_tc_entered() {
    structure_tc_at_focus_ = fields.text("structure_Tc");
}

// A Tc typed over one computed in the Tc window either replaces it (the window's
// inputs are dropped) or is taken back. 5 minutes is the shortest Tc.
void PipeForm::structure_tc_left() {
    if (fields.text("structure_Tc") != structure_tc_at_focus_ &&
        fields.text("Check_ComputeTc") == "1") {
        if (ui_.ask(texts::kClearComputedTc, Buttons::YesNo, Icon::None, kAppTitle) ==
            Answer::Yes) {
            fields.set_text("Check_ComputeTc", "0");
            for (const FieldName name :
                 std::initializer_list<FieldName>{"PTcStr", "pTcStr2", "PTcoptionstr"})
                fields.set_text(name, "");
        } else {
            fields.set_text("structure_Tc", structure_tc_at_focus_);
        }
    }
    const auto tc = text::parse_number(fields.text("structure_Tc"));
    if (!tc.ok() && !tc.empty()) return;
    if (tc.empty() || tc.value < kMinimumTcMinutes) fields.set_text("structure_Tc", kMinimumTc);
    fields.set_text("structure_Tc",
                    format_on_leave(fields.text("structure_Tc"), session_.number_format));
    structure_tc_at_focus_ = fields.text("structure_Tc");
    reaccumulate();
}

// A storm frequency sets Cf, and every intensity and the design discharge follow
// it at once, as after "Compute Intensity".
void PipeForm::storm_frequency_chosen() {
    if (const auto cf = pipe::frequency_factor(fields.text("pipe_storm_freq"))) {
        fields.set_text("pipe_cf", std::string(*cf));
    }
    cmd_accIntensity();
}

void PipeForm::cmd_accIntensity() {
    const auto intensity = storm_intensity(MissingStorm::Announce);
    if (!intensity) return;
    auto flow = flow_fields();
    pipe::compute_intensities(flow, intensities_, discharge_settings(), *intensity);
    show_flow_fields(flow);
    show_design_discharge();
}

void PipeForm::cmdstr_area() {
    DrainageAreaForm area(context_, session_);
    area.open({fields.text("pareabufstr"), fields.text("pcbufstr"), fields.text("structure_area"),
               fields.text("structure_ca")});
    windows_.show_drainage_area(area);
    if (!area.saved()) return;
    fields.set_text("pareabufstr", area.saved()->pareabufstr);
    fields.set_text("pcbufstr", area.saved()->pcbufstr);
    fields.set_text("structure_area", area.saved()->structure_area);
    fields.set_text("structure_ca", area.saved()->structure_ca);
    reaccumulate();
}

void PipeForm::cmdstr_Tc() {
    TimeOfConcentrationForm tc(context_, session_, ui_);
    tc.open({fields.text("PTcStr"), fields.text("pTcStr2"), fields.text("PTcoptionstr"),
             fields.text("structure_Tc"), fields.text("Check_ComputeTc")});
    windows_.show_time_of_concentration(tc);
    if (!tc.saved()) return;
    fields.set_text("PTcStr", tc.saved()->PTcStr);
    fields.set_text("pTcStr2", tc.saved()->pTcStr2);
    fields.set_text("PTcoptionstr", tc.saved()->PTcoptionstr);
    fields.set_text("structure_Tc", tc.saved()->structure_Tc);
    fields.set_text("Check_ComputeTc", tc.saved()->Check_ComputeTc);
    reaccumulate();
}

void PipeForm::clear_results() {
    for (const FieldName name : kResultFields) fields.set_text(name, "");
}

}  // namespace pelvane::forms
