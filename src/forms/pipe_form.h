#pragma once
// The pipe window `frmpipemain`: one PIPE record shown in three tabs (structures
// and pipe, flow and previous pipes, results), added or edited under the network
// rules, solved and saved. Every field carries the name of the column it shows
// (`pipe_number` for PIPE_NUMBER, `nodein_topele`, `structure_Tc`, ...); the
// window's commands are named as its menu items (`mnuAddpipe`, ...).
//
// Screen modes: "VIEW" (every frame disabled) -> Add -> "ADD" -> Save -> "VIEW";
// "VIEW" -> Edit -> "EDIT" -> Save -> "VIEW". Save needs a solved record: the
// record counts as solved after a solve until one of its fields changes, and
// not at all once adding or editing has begun.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/pipe/discharge.h"
#include "forms/design_session.h"
#include "forms/form_model.h"
#include "forms/pipe_form_texts.h"
#include "forms/pipe_rules.h"
#include "forms/project_history.h"
#include "forms/ui.h"
#include "store/pipe_table.h"
#include "store/project_context.h"

#include "forms/field.h"

namespace pelvane::forms {

class SizePickerForm;
class DrainageAreaForm;
class TimeOfConcentrationForm;

// The windows the pipe window opens over itself, each modal: the call returns when
// the window has closed, and the window's model holds what was chosen. The desktop
// program shows real windows; tests fake them.
class PipeFormWindows {
  public:
    virtual ~PipeFormWindows() = default;
    virtual void show_size_picker(SizePickerForm& picker) = 0;
    // `frmskew`, the picture that explains the deflection angle at the lower end.
    virtual void show_deflection_picture() = 0;
    virtual void show_drainage_area(DrainageAreaForm& area) = 0;
    virtual void show_time_of_concentration(TimeOfConcentrationForm& tc) = 0;
    // A pipe was saved: the grid of pipes reads its rows again.
    virtual void refresh_grid() {}
    // Rainfall Data, where missing coefficients are imported.
    virtual void show_rainfall_data() = 0;
};

enum class ScreenMode { View, Add, Edit };

// A field of the window and the PIPE column it shows.
struct PipeBinding {
    FieldName field;
    store::Column column;
};

// Every bound field, in the order of the PIPE table. STRUCTURE_INPUT and
// STRUCTURE_COMPUTE have no field: they mirror `dischargeval` in legacy files.
const std::vector<PipeBinding>& pipe_bindings();
// The PIPE columns of kResultFields, in that order.
std::vector<store::Column> result_columns();

// The discharge source a legacy file keeps in STRUCTURE_INPUT: yes (1, or -1 as its
// own database wrote it) is a typed discharge ("INP"), anything else a computed one
// ("CRM").
std::string_view legacy_discharge_source(std::string_view structure_input);

// The discharge source a pipe takes when its node-in type is chosen: an inlet's
// discharge is computed ("CRM"), any other structure's typed ("INP"), as is a new
// pipe's before a type is chosen.
std::string_view default_discharge_source(std::string_view node_in_type);

// The four rows of previous pipes (k = 1 to 4).
inline constexpr std::array<FieldName, 4> kPrenodes{"prenode1", "prenode2", "prenode3", "prenode4"};
inline constexpr std::array<FieldName, 4> kPrecas{"preca1", "preca2", "preca3", "preca4"};
inline constexpr std::array<FieldName, 4> kPretcs{"preTc1", "preTc2", "preTc3", "preTc4"};
inline constexpr std::array<FieldName, 4> kPreflowtimes{"preflowtime1", "preflowtime2",
                                                        "preflowtime3", "preflowtime4"};
// Row k (1 to 4) of one of the above; another k throws std::out_of_range.
FieldName previous_row(const std::array<FieldName, 4>& row, int k);

// The section result fields, in the order a solve writes them.
inline constexpr std::array<FieldName, 13> kResultFields{
    "capacity",   "flow_type",      "pipe_flowdepth", "pipe_areaflow", "pipe_velocity",
    "hyd_radius", "pipe_WP",        "FROUDE_NO",      "pipe_summary",  "energy",
    "flow_time",  "critical_depth", "friction_slope"};

class PipeForm : public FormModel {
  public:
    // Reads the project's units and legacy database mode and its connections.
    PipeForm(store::ProjectContext& context, DesignSession& session, Ui& ui,
             PipeFormWindows& windows);

    // Opens as the grid asks: `pipe_form_mode` "add", "edit" or "view" (anything
    // else views) for the pipe `selected_pipe_number` ("" when adding).
    void open(std::string_view pipe_form_mode, std::string_view selected_pipe_number);

    // Commands (menu items and toolbar buttons).
    void mnuAddpipe();
    void mnuEditpipe();
    void mnuSavepipe();
    void cmdpipesolve();
    // The toolbar's Solve: shows the results tab, then solves. The view first moves
    // the focus on by one field, so the field being typed in is left as usual.
    void toolbar_solve();
    // Exit, also when the window is closed by its frame: asks before dropping an
    // addition or edit; sets close_requested unless the person keeps the window.
    void mnuExitPipe();
    // Size help (`pipeshape_help`) and deflection-angle help (`pipeskew_help`).
    void pipeshape_help();
    void pipeskew_help();
    // The drainage area and time of concentration windows of the upper structure.
    void cmdstr_area();
    void cmdstr_Tc();
    void cmd_accIntensity();
    // Tools > Rainfall Data: imports coefficients without leaving the pipe, which then
    // works with what was imported.
    void mnuRainfallData();
    // Edit > Undo / Redo (pipe_form_history.cpp): refused while a pipe is being added
    // or edited, so nothing typed is lost; afterwards the window shows the pipe it
    // showed as the project now holds it, or says it is gone and shows the first pipe.
    // Off for a file open for viewing.
    HistoryMenu history_menu() const;
    void undo();
    void redo();

    // Field events, by field name: the focus entered or left a field, or an item
    // (list item, option, tab) was chosen. Fields without a rule ignore them.
    void field_entered(FieldName name);
    void field_left(FieldName name);
    void choose(FieldName name);
    // The person showed tab `index` (0 structures and pipe, 1 flow, 2 results).
    void tab_shown(int index);

    ScreenMode screen_mode() const { return mode_; }
    bool adding() const { return adding_; }
    bool editing() const { return editing_; }
    // Whether the record counts as solved now: a solve was made and no field of the
    // record changed since.
    bool solved() const;
    bool record_changed() const;
    // Marks the record as solved as it stands, as a successful solve does.
    void mark_solved();

    // The record as it would be saved: every bound field into its column (and, in
    // a legacy file, STRUCTURE_INPUT and STRUCTURE_COMPUTE from the source).
    store::PipeRecord record() const;
    bool legacy() const { return context_.legacy_database_mode; }
    bool english() const { return context_.english(); }
    int previous_rows() const {
        return legacy() ? pipe::kLegacyPreviousPipeRows : pipe::kPreviousPipeRows;
    }

    static FieldName prenode(int k) { return previous_row(kPrenodes, k); }
    static FieldName preca(int k) { return previous_row(kPrecas, k); }
    static FieldName pretc(int k) { return previous_row(kPretcs, k); }
    static FieldName preflowtime(int k) { return previous_row(kPreflowtimes, k); }

  private:
    // Record access (pipe_form_record.cpp).
    std::vector<PipeBinding> active_bindings() const;
    void clear_record_fields();
    void init_pipe_data();
    void show_record(const store::PipeRecord& row);
    bool get_pipe_records(std::string_view pipe_number);
    void get_pipe_list();
    void set_unit_captions();
    std::vector<std::string> record_texts() const;
    void take_snapshot();
    std::optional<store::PipeRecord> listed_pipe(std::string_view number) const;
    std::vector<store::PipeRecord> saved_pipes() const;
    // Checks a network rule on the saved pipes: true when it accepts, else the
    // refusal goes to `refuse`. A file that cannot be read shows its description
    // and ends the handler as a refusal does.
    bool rule_passes(const std::function<RuleResult(const store::PipeTable&)>& rule,
                     const std::function<void(const Refusal&)>& refuse) const;
    bool pipe_update();
    // Shows saved pipe `number` ("" for none) in View mode, as it is stored.
    void show_saved_pipe(std::string_view number);
    void step_history(bool undo);

    // Whether the field's number lies within its physical range; if not, the person
    // is told the range and the field gets the focus back (pipe_form_solve.cpp).
    bool value_in_range(FieldName field);

    // Modes and states (pipe_form.cpp).
    void set_mode(ScreenMode mode);
    void set_frames(bool enabled);
    void set_commands();
    void refresh_status();
    void show_number_in_status();

    // Structures (pipe_form_nodes.cpp).
    void node_type_entered(bool node_in);
    void node_type_left(bool node_in);
    void node_number_entered(bool node_in);
    void node_number_chosen(bool node_in);
    void node_number_left(bool node_in);
    void reset_node(bool node_in);
    void take_over_node(bool node_in);
    std::vector<std::string> node_list(bool node_in) const;
    void refuse_node(bool node_in, const Refusal& refusal);

    // Previous pipes (pipe_form_previous_pipes.cpp).
    void previous_pipe_chosen(int k);
    void previous_pipe_left(int k);
    void clear_previous_row(int k);
    void take_over_previous_pipe(int k);

    // Pipe, section and slope (pipe_form_section.cpp).
    void pipe_length_entered();
    void slope_field_left(FieldName name);
    void pipe_shape_chosen();
    void pipe_mat_chosen();
    void size_left(FieldName name);
    void apply_shape_states();

    // Flow and discharge (pipe_form_flow.cpp).
    bool computed_source() const;
    pipe::DischargeSettings discharge_settings() const;
    pipe::FlowFields flow_fields() const;
    void show_flow_fields(const pipe::FlowFields& flow);
    pipe::PreviousDischarges previous_discharges() const;
    void redo_design_discharge();
    void show_design_discharge();
    void refresh_intensities();
    void clear_area_and_tc_buffers();
    void set_discharge_source(std::string_view source);
    void apply_flow_states();
    void choose_discharge_source(std::string_view source);
    void structure_compute_chosen();
    void structure_input_chosen();
    void structure_discharge_left();
    void lateral_discharge_left();
    void structure_tc_entered();
    void structure_tc_left();
    void storm_frequency_chosen();
    void clear_results();
    void reset_previous_pipes();
    void reaccumulate();

    // Rainfall (pipe_form_rainfall.cpp): the intensity routine with the coefficients
    // of the record's own storm frequency, read afresh for each step, so that an
    // import shows at once and no other storm's set is ever used. What a storm
    // without coefficients does to the step that asked:
    enum class MissingStorm {
        Keep,      // nothing is said and nothing changes (opening a pipe for edit)
        Drop,      // the intensities and the design discharge are emptied quietly
        Announce,  // the same, after saying why (the storm or the county or station)
    };
    std::optional<pipe::IntensityLookup> storm_intensity(MissingStorm missing);
    void drop_storm_results();

    store::ProjectContext& context_;
    DesignSession& session_;
    Ui& ui_;
    PipeFormWindows& windows_;

    ScreenMode mode_ = ScreenMode::View;
    bool adding_ = false;
    bool editing_ = false;
    bool record_changed_ = false;
    bool solved_ = true;
    // The PIPE_NUMBER of the saved row shown ("" for a pipe not saved yet).
    std::string stored_number_;
    // The bound texts when the record was shown and when it was last solved.
    std::vector<std::string> shown_texts_;
    std::vector<std::string> solved_texts_;

    // Values remembered when a field got the focus, or when editing began.
    std::string nodein_no_at_focus_;
    std::string nodein_type_at_focus_;
    std::string nodeout_type_at_focus_;
    std::array<std::string, 2> node_number_handled_;  // last number handled, in / out
    std::array<std::string, 4> previous_at_edit_;
    std::array<std::string, 4> previous_handled_;
    std::string structure_tc_at_focus_;
    // The discharge source whose states were last applied, so a change of the
    // option can be taken back.
    std::string applied_source_;
    // The intensities of the structure Tc and of the previous pipes' arrival times
    // that the design discharge's candidates use.
    pipe::FlowIntensities intensities_;

    // Number, ACCUMULATED_CA, ACCUMULATED_TC, FLOW_TIME and PIPE_DISCHARGE of every
    // saved pipe, the rows the previous-pipe lists offer.
    std::vector<store::PipeRecord> pipe_list_;
};

}  // namespace pelvane::forms
