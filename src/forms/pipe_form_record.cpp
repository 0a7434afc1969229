// The pipe window's record: which field shows which PIPE column, what a new pipe
// starts with, and reading, listing and writing PIPE rows.

#include <algorithm>

#include "core/pipe/catalogue.h"
#include "core/pipe/storm_frequency.h"
#include "core/text/number_text.h"
#include "core/units.h"
#include "forms/pipe_form.h"

#include <initializer_list>
#include "forms/project_history.h"
#include "forms/size_picker_form.h"
#include "store/design_rainfall.h"
#include "store/sqlite/database.h"

namespace pelvane::forms {
namespace {

namespace texts = pipe_form_texts;

constexpr FieldName kDischargeSource = "dischargeval";
constexpr store::Column kStructureInput = "STRUCTURE_INPUT";
constexpr store::Column kStructureCompute = "STRUCTURE_COMPUTE";

// Columns of the fourth previous pipe, which a legacy file does not keep.
bool is_fourth_row(store::Column column) {
    return column == store::previous_pipe_column(4) || column == store::previous_ca_column(4) ||
           column == store::previous_tc_column(4) || column == store::previous_flow_time_column(4);
}

}  // namespace

std::string_view legacy_discharge_source(std::string_view structure_input) {
    // A yes/no column of a legacy file: 1, or -1 as its own database wrote yes.
    const auto value = text::parse_number(structure_input);
    const bool yes = value.ok() && (value.value == 1.0 || value.value == -1.0);
    return yes ? texts::kInputSource : texts::kComputeSource;
}

std::string_view default_discharge_source(std::string_view node_in_type) {
    return node_in_type == texts::kInlet ? texts::kComputeSource : texts::kInputSource;
}

const std::vector<PipeBinding>& pipe_bindings() {
    // clang-format off
    static const std::vector<PipeBinding> bindings{
        {"project_id", "PROJECT_ID"}, {"pipe_number", "PIPE_NUMBER"},
        {"nodein_no", "NODEIN_NO"}, {"nodein_type", "NODEIN_TYPE"},
        {"nodein_station", "NODEIN_STATION"}, {"nodein_offset", "NODEIN_OFFSET"},
        {"nodein_offloc", "NODEIN_OFFLOC"}, {"nodein_topele", "NODEIN_TOPELE"},
        {"nodein_shaping", "NODEIN_SHAPING"},
        {"nodeout_no", "NODEOUT_NO"}, {"nodeout_type", "NODEOUT_TYPE"},
        {"nodeout_station", "NODEOUT_STATION"}, {"nodeout_offset", "NODEOUT_OFFSET"},
        {"nodeout_offloc", "NODEOUT_OFFLOC"}, {"nodeout_topele", "NODEOUT_TOPELE"},
        {"pipe_length", "PIPE_LENGTH"}, {"pipe_elein", "PIPE_ELEIN"},
        {"pipe_eleout", "PIPE_ELEOUT"}, {"pipe_slope", "PIPE_SLOPE"},
        {"pipe_shape", "PIPE_SHAPE"}, {"pipe_mat", "PIPE_MAT"}, {"pipe_dia", "PIPE_DIA"},
        {"span", "SPAN"}, {"rise", "RISE"}, {"numofpipes", "NUMOFPIPES"},
        {"pipe_mann", "PIPE_MANN"}, {"pipe_skew", "PIPE_SKEW"},
        {"pipe_storm_freq", "PIPE_STORM_FREQ"}, {"pipe_cf", "PIPE_CF"}, {"pipe_I", "PIPE_I"},
        {"structure_area", "STRUCTURE_AREA"}, {"structure_ca", "STRUCTURE_CA"},
        {"structure_Tc", "STRUCTURE_TC"}, {"structure_discharge", "STRUCTURE_DISCHARGE"},
        {"dischargeval", "DISCHARGEVAL"},
        {"prenode1", "PRENODE1"}, {"prenode2", "PRENODE2"},
        {"prenode3", "PRENODE3"}, {"prenode4", "PRENODE4"},
        {"preca1", "PRECA1"}, {"preca2", "PRECA2"}, {"preca3", "PRECA3"}, {"preca4", "PRECA4"},
        {"preTc1", "PRETC1"}, {"preTc2", "PRETC2"}, {"preTc3", "PRETC3"}, {"preTc4", "PRETC4"},
        {"preflowtime1", "PREFLOWTIME1"}, {"preflowtime2", "PREFLOWTIME2"},
        {"preflowtime3", "PREFLOWTIME3"}, {"preflowtime4", "PREFLOWTIME4"},
        {"accumulated_ca", "ACCUMULATED_CA"}, {"accumulated_Tc", "ACCUMULATED_TC"},
        {"lateral_discharge", "LATERAL_DISCHARGE"}, {"pipe_discharge", "PIPE_DISCHARGE"},
        {"capacity", "CAPACITY"}, {"flow_type", "FLOW_TYPE"},
        {"pipe_flowdepth", "PIPE_FLOWDEPTH"}, {"pipe_areaflow", "PIPE_AREAFLOW"},
        {"pipe_velocity", "PIPE_VELOCITY"}, {"hyd_radius", "HYD_RADIUS"},
        {"pipe_WP", "PIPE_WP"}, {"FROUDE_NO", "FROUDE_NO"},
        {"pipe_summary", "PIPE_SUMMARY"}, {"energy", "ENERGY"}, {"flow_time", "FLOW_TIME"},
        {"critical_depth", "CRITICAL_DEPTH"}, {"friction_slope", "FRICTION_SLOPE"},
        {"PTcoptionstr", "PTCOPTIONSTR"}, {"PTcStr", "PTCSTR"}, {"pTcStr2", "PTCSTR2"},
        {"pcbufstr", "PCBUFSTR"}, {"pareabufstr", "PAREABUFSTR"},
    };
    // clang-format on
    return bindings;
}

// A legacy file keeps three previous pipes and the yes/no pair instead of the
// discharge source, so those fields are not bound there.
std::vector<store::Column> result_columns() {
    std::vector<store::Column> columns;
    columns.reserve(kResultFields.size());
    for (const FieldName field : kResultFields) {
        columns.push_back(std::ranges::find(pipe_bindings(), field, &PipeBinding::field)->column);
    }
    return columns;
}

std::vector<PipeBinding> PipeForm::active_bindings() const {
    std::vector<PipeBinding> active;
    for (const PipeBinding& b : pipe_bindings()) {
        if (legacy() && (b.field == kDischargeSource || is_fourth_row(b.column))) continue;
        active.push_back(b);
    }
    return active;
}

std::vector<std::string> PipeForm::record_texts() const {
    std::vector<std::string> out;
    for (const PipeBinding& b : pipe_bindings()) out.push_back(fields.text(b.field));
    return out;
}

void PipeForm::take_snapshot() {
    shown_texts_ = record_texts();
    solved_texts_ = shown_texts_;
}

store::PipeRecord PipeForm::record() const {
    store::PipeRecord out;
    for (const PipeBinding& b : active_bindings()) out.set(b.column, fields.text(b.field));
    if (legacy()) {
        const bool input = fields.text(kDischargeSource) == texts::kInputSource;
        out.set(kStructureInput, input ? "1" : "0");
        out.set(kStructureCompute, input ? "0" : "1");
    }
    return out;
}

void PipeForm::clear_record_fields() {
    for (const PipeBinding& b : pipe_bindings()) fields.set_text(b.field, "");
}

void PipeForm::set_unit_captions() {
    const UnitNames units = UnitNames::for_units(context_.units);
    fields.set_text(texts::kLengthUnit, std::string(units.length));
    fields.set_text(texts::kSlopeUnit, std::string(units.slope));
    fields.set_text(texts::kSizeUnit, std::string(units.size));
    fields.set_text(texts::kDischargeUnit, std::string(units.discharge));
    fields.set_text(texts::kVelocityUnit, std::string(units.velocity));
    fields.set_text(texts::kAreaUnit, english() ? "Acres" : "Ha");
    fields.set_text(texts::kFlowAreaUnit, std::string(units.flow_area));
    fields.set_text(texts::kIntensityUnit, std::string(units.intensity));
}

// `init_pipe_data`: what a new pipe starts with.
void PipeForm::init_pipe_data() {
    apply_section_change(fields, new_pipe_section(context_.units));
    fields.set_text("nodein_shaping", "NO");
    for (const FieldName name : std::initializer_list<FieldName>{
             "structure_discharge", "pipe_discharge", "pipe_I", "structure_ca", "structure_area"}) {
        fields.set_text(name, "0.0");
    }
    for (int k = 1; k <= 4; ++k) {
        fields.set_text(preca(k), "0.0");
        fields.set_text(pretc(k), "0.0");
        fields.set_text(preflowtime(k), "0.0");
    }
    fields.set_text("structure_Tc", "5.0");
    fields.set_text("pipe_cf", "1.0");
    for (const FieldName name : kResultFields) fields.set_text(name, "");
    for (const FieldName name : std::initializer_list<FieldName>{
             "PTcoptionstr", "PTcStr", "pTcStr2", "pcbufstr", "pareabufstr"}) {
        fields.set_text(name, "");
    }
    fields.set_text("Check_ComputeTc", "0");
    fields.set_text(kDischargeSource, std::string(texts::kInputSource));
    set_unit_captions();
}

// Shows a saved row: every bound field from its column, the old names of a box and
// of small-corrugation metal pipe as the list names them, and in a legacy file the
// discharge source from its yes/no mirror.
void PipeForm::show_record(const store::PipeRecord& row) {
    for (const PipeBinding& b : active_bindings()) fields.set_text(b.field, row.get(b.column));
    fields.set_text("pipe_shape", std::string(pipe::shown_shape(fields.text("pipe_shape"))));
    fields.set_text("pipe_mat", std::string(pipe::shown_material(fields.text("pipe_mat"))));
    if (legacy()) {
        fields.set_text(kDischargeSource,
                        std::string(legacy_discharge_source(row.get(kStructureInput))));
    }
    const std::string& options = fields.text("PTcoptionstr");
    fields.set_text("Check_ComputeTc",
                    options.empty() || options == texts::kNoTcOptions ? "0" : "1");
    stored_number_ = row.get("PIPE_NUMBER");
    record_changed_ = false;
    apply_shape_states();
    show_number_in_status();
    refresh_status();
    take_snapshot();
}

// `get_pipe_records`: reads the pipe to show. False (and nothing shown) when there
// is no such pipe or the file cannot be read; a failure shows its description.
bool PipeForm::get_pipe_records(std::string_view pipe_number) {
    try {
        const store::PipeTable table(context_.project_connection);
        if (auto row = table.find(pipe_number)) {
            show_record(*row);
            return true;
        }
    } catch (const store::DatabaseError& e) {
        ui_.message(e.what(), Icon::Exclamation);
    }
    return false;
}

std::vector<store::PipeRecord> PipeForm::saved_pipes() const {
    try {
        return store::PipeTable(context_.project_connection).all_in_table_order();
    } catch (const store::DatabaseError& e) {
        ui_.message(e.what(), Icon::Exclamation);
        return {};
    }
}

// `get_pipe_list`: the pipes the previous-pipe lists offer, in number order, with
// the values a previous pipe hands on.
void PipeForm::get_pipe_list() {
    pipe_list_.clear();
    std::vector<std::string> numbers;
    try {
        for (auto& row : store::PipeTable(context_.project_connection).all_by_number()) {
            store::PipeRecord kept;
            for (const store::Column column :
                 std::array<store::Column, 5>{"PIPE_NUMBER", "ACCUMULATED_CA", "ACCUMULATED_TC",
                                              "FLOW_TIME", "PIPE_DISCHARGE"}) {
                kept.set(column, row.get(column));
            }
            numbers.push_back(row.get("PIPE_NUMBER"));
            pipe_list_.push_back(std::move(kept));
        }
    } catch (const store::DatabaseError& e) {
        ui_.message(e.what(), Icon::Exclamation);
    }
    for (int k = 1; k <= 4; ++k) {
        fields[prenode(k)].items = k <= previous_rows() ? numbers : std::vector<std::string>{};
    }
}

std::optional<store::PipeRecord> PipeForm::listed_pipe(std::string_view number) const {
    const auto it = std::find_if(pipe_list_.begin(), pipe_list_.end(),
                                 [&](const auto& row) { return row.get("PIPE_NUMBER") == number; });
    if (it == pipe_list_.end()) return std::nullopt;
    return *it;
}

bool PipeForm::rule_passes(const std::function<RuleResult(const store::PipeTable&)>& rule,
                           const std::function<void(const Refusal&)>& refuse) const {
    RuleResult refusal;
    try {
        refusal = rule(store::PipeTable(context_.project_connection));
    } catch (const store::DatabaseError& e) {
        ui_.message(e.what(), Icon::Exclamation);
        return false;
    }
    if (refusal) refuse(*refusal);
    return !refusal;
}

// `pipeUpdate`: adds the new pipe or writes the edited one, as one change. A
// failure shows its description and leaves the file as it was.
bool PipeForm::pipe_update() {
    try {
        const store::Database& db = context_.project_connection;
        const CommandStep step(db, step_names::kSavePipe);
        store::Transaction transaction(db);
        const store::PipeTable table(db);
        const store::PipeRecord row = record();
        // A new pipe, or a stored one that is no longer there, is inserted.
        if (adding_ || stored_number_.empty() || !table.update(stored_number_, row)) {
            table.insert(row);
        }
        // The coefficients a computed discharge was designed with are kept with it.
        if (computed_source()) {
            if (const auto years = pipe::storm_years(row.get("PIPE_STORM_FREQ"))) {
                store::record_design_rainfall(context_, {*years});
            }
        }
        transaction.commit();
        stored_number_ = row.get("PIPE_NUMBER");
        return true;
    } catch (const store::DatabaseError& e) {
        ui_.message(e.what(), Icon::Exclamation);
        return false;
    }
}

}  // namespace pelvane::forms
