#pragma once
// The outlet protection window (`PipeEnergyForm`, "Energy Dissipation Analysis"):
// one outfall at a time. It finds the design pipe of the end node, computes the
// 2-year discharge and outlet velocity, gives the permissible velocity of the
// channel bed, decides whether protection is required, sizes the scour hole, opens
// the dissipator window and keeps the outlet protection record in ENERGY.
//
// The window edits one ENERGY record: the first of the table, or a new one when the
// table is empty. Choosing another end node writes the new node into that same
// record; it does not look up a stored record of that node.
//
// Fields carry the control names (`enodeout`, `eDiaRise`, ..., `txtLocation`), the
// carriers of the dissipator window (`usdastorm_freq`, `VDOT_Riprap`, `L2byh2`,
// `txth3`), each field's "<name>_label" and "<name>_unit", the command states
// `cmdanalyzeED`, and the status line `status`.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/outlet/outlet_fields.h"
#include "core/outlet/outlet_units.h"
#include "forms/design_session.h"
#include "forms/form_model.h"
#include "forms/ui.h"
#include "store/project_context.h"
#include "store/project_table.h"

#include "forms/field.h"

namespace pelvane::forms {

class EnergyDissipationForm;

// The fields bound to the ENERGY record and their columns.
struct BoundField {
    FieldName field;
    store::Column column;
};
// clang-format off
inline constexpr std::array<BoundField, 12> kEnergyBinding{{
    {"enodeout", "ENODEOUT_NO"}, {"dn_TW", "EFLOW_DEPTH"}, {"W_culvert", "W_CULVERT"},
    {"C_Discharge", "C_DISCHARGE"}, {"Bed_Matl", "BED_MATL"},
    {"outlet_protection", "OUTLET_PROTECT"}, {"plindex", "PLINDEX"}, {"VDOT_Riprap", "TXT_EC"},
    {"L2byh2", "TXTEC_L"}, {"txth3", "TXTEC_T"}, {"D16", "TXT_D"}, {"D84", "TXT_W"},
}};
// Not bound, but saved with the record for whoever reads the file; the window
// recomputes them when it opens.
inline constexpr std::array<BoundField, 4> kEnergyDerived{{
    {"Velocity_NS", "VELOCITY_NS"}, {"D50bed", "D50BED"}, {"txt_L", "TXT_L"},
    {"txtLocation", "SCOUR_LOCATION"},
}};
// clang-format on

// What the window keeps of the design pipe besides the fields it shows.
struct DesignPipe {
    std::string pipe_shape;    // PIPE_SHAPE
    std::string span;          // SPAN as stored, in / mm
    int barrels = 1;           // NUMOFPIPES
    std::string pipe_slope;    // PIPE_SLOPE
    std::string pipe_mann;     // PIPE_MANN
    std::string dischargeval;  // "INP" typed, "CRM" computed
    std::string accumulated_tc, accumulated_ca, pipe_cf, lateral_discharge;
};

class PipeEnergyForm : public FormModel {
  public:
    // The windows this one opens, each modal over it. The view implements them.
    class Windows {
      public:
        virtual ~Windows() = default;
        // Runs the dissipator window (already opened) until it closes.
        virtual void show_energy_dissipation(EnergyDissipationForm& dissipators) = 0;
        virtual void about() = 0;
    };

    // Reads the units, the unit constants and the number format of the project as
    // the pipe network grid left them.
    PipeEnergyForm(store::ProjectContext& context, DesignSession& session, Ui& ui,
                   Windows& windows);

    // Opening: labels, defaults, the end-node list, and the first ENERGY record
    // with its design pipe, bed material, 2-year flow and scour hole, or a new
    // record when the table is empty.
    void open();
    // The same on a stored record of any outfall (the submittal reports each one),
    // instead of the first of the table.
    void open(const store::TextRecord& record);

    // The end-node field: entering it remembers the node shown; every change the
    // person makes marks it edited; a committed choice (picked from the list, or
    // the field left) loads the node's design pipe when it was edited.
    void enodeout_entered();
    void enodeout_edited();
    void enodeout_committed();
    // All three as the person does them, for `node`.
    void choose_end_node(const std::string& node);

    // A field lost the focus (dn_TW, W_culvert, C_Discharge, plindex, D16, D84).
    void field_left(FieldName name);
    // A material was chosen in `Bed_Matl` (the field holds it).
    void bed_material_chosen();

    // Commands.
    void cmdNeed();
    void cmdanalyzeED();
    void cmdscourholesize();
    void mnusave();
    void mnuexit();  // asks to close; the close rule decides
    void help();
    void about();

    // The window is closing (by Exit or its close box): true when it may close.
    bool query_close();

    // Discards the unsaved changes of the record and clears `record modified`.
    void EnergyCancel();

    bool record_modified();
    bool end_node_edited() const { return end_node_edited_; }
    const DesignPipe& design_pipe() const { return pipe_; }
    // The permissible velocity of the bed as last applied, ft/s or m/s.
    double permissible_velocity() const { return permissible_velocity_; }

    // What the dissipator designs read of this window.
    outlet::OutletFields outlet_fields() const;
    outlet::OutletUnits units() const;
    store::ProjectContext& context() const { return context_; }
    DesignSession& session() const { return session_; }
    Ui& ui() { return ui_; }

  private:
    using Texts = std::array<std::string, kEnergyBinding.size()>;

    void apply_labels();
    void apply_defaults();
    void clear_window();
    void read_end_nodes();
    void open_record(const std::optional<store::TextRecord>& given);
    void get_Energy_records();
    void attach_Energy_datasource();
    void show_two_year_discharge_field(bool shown);

    void load_design_pipe(const std::string& node);
    void compute_two_year_discharge();
    void compute_two_year_velocity();
    void compute_coefficient_diameter();
    void apply_bed_material();
    void leave_two_year_discharge();
    void set_grain_fields_for(bool clay);

    Texts bound_texts() const;
    void show_bound_texts(const Texts& texts);
    // Notes any change of a bound field since the last look: the first change of
    // the record sets `record modified`.
    void track_changes();
    // The look at the record starts afresh (after opening, saving or cancelling).
    void settle_record(bool modified);

    store::ProjectContext& context_;
    DesignSession& session_;
    Ui& ui_;
    Windows& windows_;

    DesignPipe pipe_;
    double permissible_velocity_ = 0.0;
    std::string remembered_protection_;        // OUTLET_PROTECT of the record as read
    std::optional<store::TextRecord> record_;  // the ENERGY record as read
    std::string remembered_node_;
    bool end_node_edited_ = false;
    bool record_modified_ = false;
    Texts last_seen_{};  // bound texts at the last look
    Texts as_stored_{};  // bound texts as read or last saved (what a cancel restores)
};

}  // namespace pelvane::forms
