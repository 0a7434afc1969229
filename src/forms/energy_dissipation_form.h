#pragma once
// The dissipator window (`frmEnergyDissipation`, "Energy Dissipation Analysis"),
// opened from the outlet protection window when an outfall needs protection. One
// command designs every method at once from the outlet protection window's fields:
// the VDOT Drainage Manual apron, the USDA rock apron, the riprap basin, the Contra
// Costa basin and the USBR Type VI basin, each in a frame of its own; another
// writes the outlet protection report.
//
// Fields carry the control names of the frames (`txt_EC`, `L_ROP`, `L_Basin`,
// `txtWbasin`, `txtHo`, ...). The three frames' elements of the shared groups are
// `txtdE_basin`, `txtdE_contra`, `txtdE_usbr` and `txtFRo_basin`, `txtFRo_contra`,
// `txtFRo_usbr`; the USBR dimensions are "USBRsize(0)" to "USBRsize(14)". Each
// shown field has "<name>_label" and "<name>_unit"; `usda_status` says when the USDA
// method had no design curves.

#include <string>
#include <string_view>

#include "forms/design_session.h"
#include "forms/form_model.h"
#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

class PipeEnergyForm;

class EnergyDissipationForm : public FormModel {
  public:
    static constexpr int kUsbrSizes = 15;
    static FieldName usbr_size_field(int element);  // "USBRsize(3)"

    EnergyDissipationForm(store::ProjectContext& context, DesignSession& session, Ui& ui,
                          PipeEnergyForm& outlet);

    // Opening: clears every method, labels the units, copies the carriers of the
    // outlet protection window in and applies the riprap class.
    void open();

    // Commands.
    void cmdanalyze();
    void Cmdresults();
    void cmdExit();  // closes through the close rule
    void help();
    void about();

    // A class was chosen in the `VDOT_Riprap` list (the field holds it).
    void riprap_class_chosen();
    // A field lost the focus (L2byh2, txth3).
    void field_left(FieldName name);

    // The window is closing (Exit or its close box): asks "Save Changes?" and, on
    // Yes, copies L2/h2, h3 and the class back. It always closes.
    bool query_close();

    PipeEnergyForm& outlet() { return outlet_; }
    const PipeEnergyForm& outlet() const { return outlet_; }

  private:
    void clear_vdot();
    void clear_usda();
    void clear_riprap_basin();
    void clear_usbr();
    void clear_contra_costa();

    void design_vdot();
    void design_usda();
    void design_riprap_basin();
    void design_contra_costa();
    void design_usbr();

    void apply_riprap_class();

    store::ProjectContext& context_;
    DesignSession& session_;
    Ui& ui_;
    PipeEnergyForm& outlet_;
    bool asked_ = false;  // the close question is asked once
};

}  // namespace pelvane::forms
