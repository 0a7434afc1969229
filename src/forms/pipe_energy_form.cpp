// The outlet protection window: opening, the end node, the need decision, the
// record and closing. The design pipe and the 2-year flow are in
// pipe_energy_pipe.cpp, the channel bed and the scour hole in pipe_energy_bed.cpp.

#include "forms/pipe_energy_form.h"

#include <initializer_list>

#include "core/outlet/bed_material.h"
#include "core/outlet/need_decision.h"
#include "core/outlet/vdot_apron.h"
#include "forms/energy_dissipation_form.h"
#include "forms/input_conventions.h"
#include "forms/pipe_energy_support.h"
#include "forms/pipe_energy_texts.h"
#include "forms/project_history.h"
#include "store/energy_table.h"
#include "store/pipe_table.h"

namespace pelvane::forms {
namespace {

namespace t = pipe_energy_texts;

// Every field of the window, the carriers of the dissipator window among them.
constexpr std::array<FieldName, 30> kWindowFields{
    "enodeout",     "eDiaRise",    "E_Discharge",
    "vhstorm_freq", "dn_C",        "E_Area",
    "E_Peri",       "E_HydRad",    "V_C",
    "FR_C",         "W_culvert",   "dn_TW",
    "C_Discharge",  "velocity2",   "Bed_Matl",
    "D50bed",       "Velocity_NS", "outlet_protection",
    "D16",          "D84",         "plindex",
    "txt_L",        "txt_W",       "txt_D",
    "txtLocation",  "status",      "usdastorm_freq",
    "VDOT_Riprap",  "L2byh2",      "txth3"};

// What clearing the window empties.
constexpr std::array<FieldName, 14> kClearedFields{
    "eDiaRise",          "E_Discharge", "C_Discharge", "E_Peri", "E_Area",
    "E_HydRad",          "dn_C",        "V_C",         "dn_TW",  "W_culvert",
    "outlet_protection", "Velocity_NS", "velocity2",   "plindex"};

constexpr FieldName kAnalyzeCommand = "cmdanalyzeED";

}  // namespace

PipeEnergyForm::PipeEnergyForm(store::ProjectContext& context, DesignSession& session, Ui& ui,
                               Windows& windows)
    : FormModel(field_names::kPipeEnergy),
      context_(context),
      session_(session),
      ui_(ui),
      windows_(windows) {
    for (const FieldName name : kWindowFields) fields.set_text(name, "");
    for (const auto& material : outlet::bed_materials()) {
        fields["Bed_Matl"].items.emplace_back(material.name);
    }
    for (const auto& riprap : outlet::riprap_classes()) {
        fields["VDOT_Riprap"].items.emplace_back(riprap.name);
    }
    // The dissipator window's values travel through these; they are not shown here.
    for (const FieldName name :
         std::initializer_list<FieldName>{"usdastorm_freq", "VDOT_Riprap", "L2byh2", "txth3"}) {
        fields[name].visible = false;
    }
    fields.set_enabled("plindex", false);
    fields.set_enabled(kAnalyzeCommand, false);
}

outlet::OutletUnits PipeEnergyForm::units() const {
    return {context_.english(), session_.unit_constants};
}

outlet::OutletFields PipeEnergyForm::outlet_fields() const {
    return {pipe_.pipe_shape,      fields.text("eDiaRise"), fields.text("E_Discharge"),
            fields.text("dn_C"),   fields.text("V_C"),      fields.text("FR_C"),
            fields.text("E_Area"), fields.text("E_HydRad"), fields.text("W_culvert"),
            fields.text("dn_TW")};
}

void PipeEnergyForm::apply_labels() {
    const bool english = context_.english();
    for (const auto& label : t::kFieldLabels) {
        fields.set_text(label_of(label.field), std::string(label.label));
        fields.set_text(unit_of(label.field),
                        std::string(english ? label.english_unit : label.metric_unit));
    }
}

void PipeEnergyForm::apply_defaults() {
    fields.set_text("Bed_Matl", std::string(outlet::bed_materials().front().name));
    fields.set_text("usdastorm_freq", "2");
    fields.set_text("D16", context_.english() ? "0.01" : "0.001");
    fields.set_text("D84", context_.english() ? "0.1" : "0.01");
    fields.set_text("L2byh2", "3.5");
    fields.set_text("txth3", "");
    fields.set_text("VDOT_Riprap", "Class A1");
}

void PipeEnergyForm::clear_window() {
    for (const FieldName name : kClearedFields) fields.set_text(name, "");
    // The size of the default material as an English project shows it, in either units.
    fields.set_text("D50bed", std::string(outlet::bed_materials().front().d50_english));
    apply_defaults();
}

// A file that cannot be read offers no end node, and says why.
void PipeEnergyForm::read_end_nodes() {
    try {
        fields["enodeout"].items = store::PipeTable(context_.project_connection).end_nodes();
    } catch (const store::DatabaseError& e) {
        fields["enodeout"].items.clear();
        ui_.message(e.what(), Icon::Exclamation);
    }
}

void PipeEnergyForm::get_Energy_records() {
    record_.reset();
    try {
        record_ = store::EnergyTable(context_.project_connection).first();
    } catch (const store::DatabaseError& e) {
        // The window shows no saved design, and the person knows why.
        ui_.message(e.what(), Icon::Exclamation);
    }
    remembered_protection_ = record_ ? record_->get("OUTLET_PROTECT") : "";
}

void PipeEnergyForm::attach_Energy_datasource() {
    if (!record_) return;
    for (const auto& bound : kEnergyBinding) {
        fields.set_text(bound.field, record_->get(bound.column));
    }
}

void PipeEnergyForm::open() {
    open_record(std::nullopt);
}

void PipeEnergyForm::open(const store::TextRecord& record) {
    open_record(record);
}

void PipeEnergyForm::open_record(const std::optional<store::TextRecord>& given) {
    apply_labels();
    apply_defaults();
    read_end_nodes();
    if (given) {
        record_ = given;
        remembered_protection_ = given->get("OUTLET_PROTECT");
    } else {
        get_Energy_records();
    }
    attach_Energy_datasource();

    if (!record_) {
        clear_window();
        // So that the first node chosen loads its pipe.
        end_node_edited_ = true;
        apply_defaults();
    } else {
        load_design_pipe(fields.text("enodeout"));
        apply_bed_material();
        fields.set_text("outlet_protection", remembered_protection_);
        if (pipe_.dischargeval != "CRM") {
            show_two_year_discharge_field(true);
        } else {
            show_two_year_discharge_field(false);
            compute_two_year_discharge();
        }
        compute_two_year_velocity();
        compute_coefficient_diameter();
        cmdscourholesize();
    }
    if (!outlet::riprap_d50_ft(fields.text("VDOT_Riprap"))) {
        fields.set_text("VDOT_Riprap", "Class A1");
    }
    if (fields.text("Bed_Matl") == outlet::kClayBed) fields.set_enabled("plindex", true);
    fields.set_enabled(kAnalyzeCommand, fields.text("outlet_protection") == t::kProtectionRequired);
    remembered_node_ = fields.text("enodeout");
    // A new record counts as a change from the start.
    settle_record(!record_.has_value());
}

void PipeEnergyForm::show_two_year_discharge_field(bool shown) {
    for (const FieldName name :
         {FieldName("C_Discharge"), label_of("C_Discharge"), unit_of("C_Discharge")}) {
        fields[name].visible = shown;
        fields[name].enabled = shown;
    }
}

void PipeEnergyForm::enodeout_entered() {
    track_changes();
    remembered_node_ = fields.text("enodeout");
    end_node_edited_ = false;
}

void PipeEnergyForm::enodeout_edited() {
    end_node_edited_ = true;
}

void PipeEnergyForm::enodeout_committed() {
    track_changes();
    const std::string node = fields.text("enodeout");
    if (node.empty()) {
        clear_window();
    } else if (end_node_edited_) {
        if (!fields.text("outlet_protection").empty() &&
            ui_.ask(t::kClearQuestion, Buttons::OkCancel, Icon::Exclamation, kAppTitle) ==
                Answer::Cancel) {
            fields.set_text("enodeout", remembered_node_);
            end_node_edited_ = false;
            track_changes();
            return;
        }
        clear_window();
        load_design_pipe(node);
        compute_coefficient_diameter();
        if (pipe_.dischargeval != "INP") {
            show_two_year_discharge_field(false);
            compute_two_year_discharge();
            compute_two_year_velocity();
        } else if (fields.text("C_Discharge").empty()) {
            ui_.message(t::kInputTwoYearDischarge, Icon::Information);
            show_two_year_discharge_field(true);
            request_focus("C_Discharge");
        }
        apply_bed_material();
    }
    // The committed node is the one a later Cancel goes back to; committing it
    // again (picked, then the field left) loads nothing twice.
    remembered_node_ = fields.text("enodeout");
    end_node_edited_ = false;
    track_changes();
}

void PipeEnergyForm::choose_end_node(const std::string& node) {
    enodeout_entered();
    fields.set_text("enodeout", node);
    enodeout_edited();
    enodeout_committed();
}

void PipeEnergyForm::cmdNeed() {
    track_changes();
    const outlet::NeedDecision need =
        outlet::decide_need(fields.text("enodeout"), fields.text("dn_TW"), fields.text("velocity2"),
                            fields.text("Velocity_NS"));
    write_field(fields, "Velocity_NS", need.Velocity_NS);
    if (need.required) {
        fields.set_text(
            "outlet_protection",
            std::string(*need.required ? t::kProtectionRequired : t::kProtectionNotRequired));
        fields.set_enabled(kAnalyzeCommand, *need.required);
    }
    track_changes();
    show_outlet_message(ui_, need.message);
}

void PipeEnergyForm::cmdanalyzeED() {
    if (!fields.at(kAnalyzeCommand).enabled) return;
    track_changes();
    EnergyDissipationForm dissipators(context_, session_, ui_, *this);
    dissipators.open();
    windows_.show_energy_dissipation(dissipators);
    track_changes();
}

void PipeEnergyForm::mnusave() {
    track_changes();
    if (fields.text("enodeout").empty()) {
        ui_.message(t::kEndNodeBlank, Icon::Exclamation);
        return;
    }
    store::EnergyRecord record;
    for (const auto& bound : kEnergyBinding) record.set(bound.column, fields.text(bound.field));
    for (const auto& derived : kEnergyDerived) {
        record.set(derived.column, fields.text(derived.field));
    }
    try {
        const CommandStep step(context_.project_connection, step_names::kOutletProtection);
        store::EnergyTable(context_.project_connection).save_first(record);
    } catch (const store::DatabaseError& e) {
        ui_.message(e.what(), Icon::Exclamation);
        return;
    }
    record_ = record;
    ui_.message(kRecordSaved, Icon::Information);
    settle_record(false);
}

void PipeEnergyForm::mnuexit() {
    if (query_close()) close_requested = true;
}

bool PipeEnergyForm::query_close() {
    track_changes();
    if (record_modified_) {
        if (ui_.ask(kExitWithoutSaving, Buttons::YesNo, Icon::Information, kExitTitle) ==
            Answer::No) {
            return false;
        }
        EnergyCancel();
    }
    return true;
}

void PipeEnergyForm::EnergyCancel() {
    show_bound_texts(as_stored_);
    settle_record(false);
}

void PipeEnergyForm::help() {
    open_help(ui_, context_, "outlet");
}

void PipeEnergyForm::about() {
    windows_.about();
}

bool PipeEnergyForm::record_modified() {
    track_changes();
    return record_modified_;
}

PipeEnergyForm::Texts PipeEnergyForm::bound_texts() const {
    Texts texts;
    for (std::size_t i = 0; i < kEnergyBinding.size(); ++i) {
        texts[i] = fields.text(kEnergyBinding[i].field);
    }
    return texts;
}

void PipeEnergyForm::show_bound_texts(const Texts& texts) {
    for (std::size_t i = 0; i < kEnergyBinding.size(); ++i) {
        fields.set_text(kEnergyBinding[i].field, texts[i]);
    }
}

void PipeEnergyForm::track_changes() {
    Texts now = bound_texts();
    if (now != last_seen_) {
        record_modified_ = true;
        last_seen_ = std::move(now);
    }
}

void PipeEnergyForm::settle_record(bool modified) {
    last_seen_ = bound_texts();
    as_stored_ = last_seen_;
    record_modified_ = modified;
}

}  // namespace pelvane::forms
