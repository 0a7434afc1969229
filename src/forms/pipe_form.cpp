// The pipe window: opening, screen modes, the commands Add, Edit, Save and Exit,
// and the dispatch of field events to the rules of each part of the record.

#include "forms/pipe_form.h"

#include <initializer_list>

#include "core/pipe/catalogue.h"
#include "core/pipe/storm_frequency.h"
#include "core/units.h"
#include "forms/inlet_link.h"
#include "forms/input_conventions.h"

namespace pelvane::forms {
namespace {

namespace texts = pipe_form_texts;

template <class List>
std::vector<std::string> to_items(const List& list) {
    return {list.begin(), list.end()};
}

constexpr std::array<FieldName, 11> kFrames{
    texts::kNodeInFrame,       texts::kNodeOutFrame,   texts::kPipeFrame,     texts::kSectionFrame,
    texts::kSourceFrame,       texts::kStructureFrame, texts::kRainfallFrame, texts::kPreviousFrame,
    texts::kAccumulationFrame, texts::kLateralFrame,   texts::kSolveFrame};

}  // namespace

PipeForm::PipeForm(store::ProjectContext& context, DesignSession& session, Ui& ui,
                   PipeFormWindows& windows)
    : FormModel(field_names::kPipe),
      context_(context),
      session_(session),
      ui_(ui),
      windows_(windows) {
    clear_record_fields();
    for (const FieldName name : std::initializer_list<FieldName>{"nodein_type", "nodeout_type"}) {
        fields[name].items = to_items(texts::kNodeTypes);
    }
    for (const FieldName name :
         std::initializer_list<FieldName>{"nodein_offloc", "nodeout_offloc"}) {
        fields[name].items = to_items(texts::kOffsetLocations);
    }
    fields["nodein_shaping"].items = to_items(texts::kShaping);
    std::vector<std::string> shapes;
    for (const pipe::Shape& shape : pipe::shapes()) shapes.emplace_back(shape.name);
    fields["pipe_shape"].items = shapes;
    fields["pipe_mat"].items = to_items(pipe::materials());
    fields["numofpipes"].items = to_items(pipe::barrel_counts());
    fields["pipe_storm_freq"].items = to_items(pipe::storm_frequency_list(legacy()));
    fields["pipe_dia"].items = to_items(pipe::standard_diameters(context_.units));
    for (int k = 4; k > previous_rows(); --k) {
        for (const FieldName name : {prenode(k), preca(k), pretc(k), preflowtime(k)}) {
            fields[name].visible = false;
        }
    }
    fields.set_text(texts::kPressedButton, "");
    fields.set_text(texts::kStatus, "");
    fields.set_text("screenmode", std::string(texts::kView));
    fields.set_text("inlet_dbfile", "");
    fields.set_text("Check_ComputeTc", "0");
    set_unit_captions();
    refresh_status();
}

void PipeForm::open(std::string_view pipe_form_mode, std::string_view selected_pipe_number) {
    tab = 0;
    fields.set_text("inlet_dbfile", context_.inlet_database);
    session_.number_format = std::string(number_format_for(context_.units));
    // The drainage area window of a legacy project has its 24 land-use rows.
    session_.sub_area_list_length = legacy() ? 24 : 15;
    open_inlet_link(context_, ui_);

    show_saved_pipe(selected_pipe_number);
    if (pipe_form_mode == texts::kAddRequest) {
        mnuAddpipe();
    } else if (pipe_form_mode == texts::kEditRequest) {
        mnuEditpipe();
    }
    refresh_status();
}

void PipeForm::show_saved_pipe(std::string_view number) {
    clear_results();
    init_pipe_data();
    stored_number_.clear();
    if (!number.empty()) get_pipe_records(number);
    get_pipe_list();
    apply_shape_states();
    solved_ = true;
    take_snapshot();
    set_mode(ScreenMode::View);
    set_frames(false);
    fields.set_enabled("pipe_number", false);
    show_number_in_status();
    fields.set_enabled(texts::kSaveCommand, false);
}

void PipeForm::set_mode(ScreenMode mode) {
    mode_ = mode;
    const std::string_view shown = mode == ScreenMode::Add    ? texts::kAdd
                                   : mode == ScreenMode::Edit ? texts::kEdit
                                                              : texts::kView;
    fields.set_text("screenmode", std::string(shown));
    set_commands();
}

void PipeForm::set_commands() {
    const bool view = mode_ == ScreenMode::View;
    // A file open for viewing is only viewed.
    const bool may_change = !context_.viewing_only;
    fields.set_enabled(texts::kAddCommand, view && may_change);
    fields.set_enabled(texts::kEditCommand, view && may_change);
    fields.set_enabled(texts::kSaveCommand, !view);
    fields.set_enabled(texts::kSolveCommand, !view);
    fields.set_enabled(texts::kExitCommand, true);
}

// With the frames enabled, those that only serve a computed discharge follow the
// discharge source.
void PipeForm::set_frames(bool enabled) {
    for (const FieldName frame : kFrames) fields.set_enabled(frame, enabled);
    if (enabled) apply_flow_states();
}

void PipeForm::show_number_in_status() {
    fields.set_text(texts::kStatus, fields.text("pipe_number"));
}

void PipeForm::refresh_status() {
    fields.set_text(texts::kProjectPanel, context_.project_name.empty()
                                              ? std::string()
                                              : "PROJECT: " + context_.project_name);
    const std::string& shape = fields.text("pipe_shape");
    const std::string& material = fields.text("pipe_mat");
    fields.set_text(texts::kSectionPanel,
                    shape.empty() && material.empty() ? std::string() : shape + " - " + material);
    fields.set_text(texts::kUnitsPanel, "UNITS: " + context_.units);
}

bool PipeForm::solved() const {
    return solved_ && record_texts() == solved_texts_;
}

bool PipeForm::record_changed() const {
    return record_changed_ || record_texts() != shown_texts_;
}

void PipeForm::mark_solved() {
    solved_ = true;
    solved_texts_ = record_texts();
}

void PipeForm::mnuAddpipe() {
    if (mode_ != ScreenMode::View || context_.viewing_only) return;
    set_mode(ScreenMode::Add);
    fields.set_text(texts::kStatus, "");
    fields.set_text(texts::kSectionPanel, "");
    fields.set_enabled("pipe_number", true);
    tab = 0;
    fields.set_text(texts::kPressedButton, "1");

    // pipeAdd: a blank record with the project's id and a new pipe's values.
    clear_record_fields();
    stored_number_.clear();
    fields.set_text("project_id", context_.project_id);
    init_pipe_data();
    apply_shape_states();
    adding_ = true;
    record_changed_ = true;
    solved_ = false;
    previous_at_edit_ = {};
    previous_handled_ = {};
    intensities_ = {};
    node_number_handled_ = {};
    nodein_no_at_focus_.clear();
    nodein_type_at_focus_.clear();
    nodeout_type_at_focus_.clear();
    set_frames(true);
    refresh_status();
}

void PipeForm::mnuEditpipe() {
    if (mode_ != ScreenMode::View || context_.viewing_only) return;
    if (!stored_number_.empty()) get_pipe_records(stored_number_);
    apply_shape_states();
    editing_ = true;
    solved_ = false;
    set_mode(ScreenMode::Edit);
    set_frames(true);
    tab = 0;
    record_changed_ = true;
    for (int k = 1; k <= 4; ++k) {
        previous_at_edit_[k - 1] = k <= previous_rows() ? fields.text(prenode(k)) : "";
    }
    previous_handled_ = previous_at_edit_;
    refresh_intensities();
    fields.set_text(texts::kPressedButton, "3");
}

void PipeForm::mnuSavepipe() {
    if (mode_ == ScreenMode::View) return;
    if (fields.text("pipe_number").empty()) {
        ui_.message(texts::kBlankNumberOnSave);
        tab = 0;
        return;
    }
    if (!solved()) {
        ui_.message(texts::kNotSolved);
        return;
    }
    const bool was_editing = mode_ == ScreenMode::Edit;
    tab = 2;
    if (!pipe_update()) return;
    get_pipe_list();
    windows_.refresh_grid();
    // The record is read back, so the window shows exactly what was stored.
    const bool was_solved = solved();
    get_pipe_records(stored_number_);
    solved_ = was_solved;
    set_mode(ScreenMode::View);
    fields.set_enabled(texts::kSolveFrame, false);
    fields.set_enabled("pipe_number", false);
    // Saved: the addition or edit is over, and leaving has nothing to drop.
    adding_ = false;
    editing_ = false;
    record_changed_ = false;
    ui_.message(kRecordSaved, Icon::Information);

    if (was_editing) {
        // The pipe this one drains into is named for review.
        std::optional<std::string> below;
        try {
            below = pipe_listing(store::PipeTable(context_.project_connection),
                                 fields.text("pipe_number"), legacy());
        } catch (const store::DatabaseError& e) {
            ui_.message(e.what(), Icon::Exclamation);
        }
        if (below) {
            ui_.message(
                std::string(kUsedAsPreviousHead) + *below + "\n" + texts::kReviewPipe + *below,
                Icon::Information);
        }
    }
    set_frames(false);
    fields.set_text(texts::kPressedButton, "");
    refresh_status();
}

void PipeForm::mnuExitPipe() {
    if (adding_ || editing_ || mode_ != ScreenMode::View) {
        const Answer answer =
            ui_.ask(kExitWithoutSaving, Buttons::YesNo, Icon::Information, kExitTitle);
        if (answer != Answer::Yes) return;
        // pipeCancel: nothing was written, so dropping the pending changes is all.
        record_changed_ = false;
    }
    adding_ = false;
    editing_ = false;
    fields.set_text(texts::kPressedButton, "");
    close_requested = true;
}

void PipeForm::toolbar_solve() {
    if (mode_ == ScreenMode::View) return;
    tab = 2;
    cmdpipesolve();
}

void PipeForm::field_entered(FieldName name) {
    if (name == "nodein_type") {
        nodein_type_at_focus_ = fields.text(name);
    } else if (name == "nodeout_type") {
        nodeout_type_at_focus_ = fields.text(name);
    } else if (name == "nodein_no" || name == "nodeout_no") {
        node_number_entered(name == "nodein_no");
    } else if (name == "pipe_length") {
        pipe_length_entered();
    } else if (name == "structure_Tc") {
        structure_tc_entered();
    }
}

void PipeForm::field_left(FieldName name) {
    if (mode_ != ScreenMode::View && !value_in_range(name)) return;
    if (name == "nodein_type" || name == "nodeout_type") {
        node_type_left(name == "nodein_type");
    } else if (name == "nodein_no" || name == "nodeout_no") {
        node_number_left(name == "nodein_no");
    } else if (name == "pipe_length" || name == "pipe_elein" || name == "pipe_eleout") {
        slope_field_left(name);
    } else if (name == "span" || name == "rise") {
        size_left(name);
    } else if (name == "structure_discharge") {
        structure_discharge_left();
    } else if (name == "lateral_discharge") {
        lateral_discharge_left();
    } else if (name == "structure_Tc") {
        structure_tc_left();
    } else {
        for (int k = 1; k <= previous_rows(); ++k) {
            if (name == prenode(k)) previous_pipe_left(k);
        }
    }
}

void PipeForm::choose(FieldName name) {
    if (name == "pipe_shape") {
        pipe_shape_chosen();
    } else if (name == "pipe_mat") {
        pipe_mat_chosen();
    } else if (name == "nodein_no" || name == "nodeout_no") {
        node_number_chosen(name == "nodein_no");
    } else if (name == "pipe_storm_freq") {
        storm_frequency_chosen();
    } else if (name == "dischargeval") {
        choose_discharge_source(fields.text(name));
    } else {
        for (int k = 1; k <= previous_rows(); ++k) {
            if (name == prenode(k)) previous_pipe_chosen(k);
        }
    }
}

void PipeForm::tab_shown(int index) {
    tab = index;
    if (index == 1 && mode_ != ScreenMode::View) apply_flow_states();
}

}  // namespace pelvane::forms
