#include "forms/energy_dissipation_form.h"

#include <initializer_list>

#include "core/outlet/contra_costa.h"
#include "core/outlet/outlet_messages.h"
#include "core/outlet/riprap_basin.h"
#include "core/outlet/usbr_basin.h"
#include "core/outlet/usda_method.h"
#include "core/outlet/vdot_apron.h"
#include "core/text/number_text.h"
#include "forms/energy_dissipation_report.h"
#include "forms/energy_dissipation_texts.h"
#include "forms/input_conventions.h"
#include "forms/pipe_energy_form.h"
#include "forms/pipe_energy_support.h"
#include "store/usda_coefficients.h"

namespace pelvane::forms {
namespace {

namespace t = energy_dissipation_texts;

// The fields the window shows, frame by frame, with their labels and units.
template <class Labels, class Each>
void for_each_label(const Labels& labels, Each each) {
    for (const auto& label : labels) each(label);
}

template <class Each>
void for_every_label(Each each) {
    for_each_label(t::kVdotLabels, each);
    for_each_label(t::kUsdaLabels, each);
    for_each_label(t::kRiprapBasinLabels, each);
    for_each_label(t::kContraCostaLabels, each);
    for_each_label(t::kUsbrLabels, each);
}

// The carriers copied from the outlet protection window at opening and back on
// "Save Changes?" Yes.
constexpr std::array<FieldName, 3> kCarriedBack{"L2byh2", "txth3", "VDOT_Riprap"};

}  // namespace

FieldName EnergyDissipationForm::usbr_size_field(int element) {
    return FieldName("USBRsize").in_row(element);
}

EnergyDissipationForm::EnergyDissipationForm(store::ProjectContext& context, DesignSession& session,
                                             Ui& ui, PipeEnergyForm& outlet)
    : FormModel(field_names::kEnergyDissipation),
      context_(context),
      session_(session),
      ui_(ui),
      outlet_(outlet) {
    const bool english = context_.english();
    for_every_label([&](const t::FieldLabel& label) {
        fields.set_text(label.field, "");
        fields.set_text(label_of(label.field), std::string(label.label));
        fields.set_text(unit_of(label.field), std::string(t::unit_text(label.unit, english)));
    });
    for (int i = 0; i < kUsbrSizes; ++i) {
        const FieldName name = usbr_size_field(i);
        fields.set_text(name, "");
        fields.set_text(label_of(name), std::string(t::kUsbrSizeLabels[std::size_t(i)]));
        fields.set_text(unit_of(name), std::string(t::unit_text('L', english)));
    }
    for (const auto& riprap : outlet::riprap_classes()) {
        fields["VDOT_Riprap"].items.emplace_back(riprap.name);
    }
    fields.set_text("usda_status", "");
}

void EnergyDissipationForm::open() {
    clear_vdot();
    clear_usda();
    clear_riprap_basin();
    clear_usbr();
    clear_contra_costa();
    // The unit labels were set for the project's units when the fields were made.
    for (const FieldName name :
         std::initializer_list<FieldName>{"C_Discharge", "usdastorm_freq", "L2byh2", "txth3"}) {
        fields.set_text(name, outlet_.fields.text(name));
    }
    if (fields.text("L2byh2").empty())
        fields.set_text("L2byh2", std::string(outlet::kDefaultL2byh2));
    fields.set_text("VDOT_Riprap", outlet_.fields.text("VDOT_Riprap"));
    apply_riprap_class();
}

void EnergyDissipationForm::clear_vdot() {
    for (const auto& label : t::kVdotLabels) fields.set_text(label.field, "");
}

void EnergyDissipationForm::clear_usda() {
    for (const FieldName name :
         std::initializer_list<FieldName>{"L_ROP", "W_ROP", "D50_size", "Thickness_Apron"}) {
        fields.set_text(name, "");
    }
    fields.set_text("usdastorm_freq", "2");
}

void EnergyDissipationForm::clear_riprap_basin() {
    for (const FieldName name :
         std::initializer_list<FieldName>{"L_Basin", "L_Pool", "L_Apron", "D_Pool", "T_StoneA",
                                          "T_StoneB", "W_Exit", "V_Exit"}) {
        fields.set_text(name, "");
    }
}

void EnergyDissipationForm::clear_usbr() {
    for (const auto& label : t::kUsbrLabels) fields.set_text(label.field, "");
    for (int i = 0; i < kUsbrSizes; ++i) fields.set_text(usbr_size_field(i), "");
}

void EnergyDissipationForm::clear_contra_costa() {
    for (const FieldName name : std::initializer_list<FieldName>{
             "txtdE_contra", "txtFRo_contra", "txtWbasin", "txtLB", "txtL1", "txtL2", "txtL3",
             "txth1", "txth2", "txtyc", "txtVelocityc"}) {
        fields.set_text(name, "");
    }
}

void EnergyDissipationForm::apply_riprap_class() {
    if (const auto d50 = outlet::size_d50_text(fields.text("VDOT_Riprap"), outlet_.units())) {
        fields.set_text("sizeD50", *d50);
    }
}

void EnergyDissipationForm::riprap_class_chosen() {
    apply_riprap_class();
}

void EnergyDissipationForm::cmdanalyze() {
    clear_vdot();
    clear_usda();
    clear_riprap_basin();
    clear_usbr();
    clear_contra_costa();
    fields.set_text("usda_status", "");
    design_vdot();
    design_usda();
    design_riprap_basin();
    design_contra_costa();
    design_usbr();
}

void EnergyDissipationForm::design_vdot() {
    const auto r = outlet::design_vdot_apron(outlet_.outlet_fields(), session_.outlet_barrel_area,
                                             outlet_.units());
    write_field(fields, "txt_EC", r.txt_EC);
    write_field(fields, "txtEC_L", r.txtEC_L);
    write_field(fields, "txtEC_W", r.txtEC_W);
    write_field(fields, "txtEC_T", r.txtEC_T);
    show_outlet_message(ui_, r.message);
}

void EnergyDissipationForm::design_usda() {
    const std::string diameter = text::shortest_text(session_.coefficient_diameter);
    const auto curves = store::read_usda_coefficients(context_.coefficient_connection, diameter);
    if (!curves) {
        // The method ends quietly as it always has; the status line says why its
        // frame stays empty.
        fields.set_text("usda_status", context_.coefficient_connection.is_open()
                                           ? t::kUsdaNoCurvesHead + diameter + t::kUsdaNoCurvesTail
                                           : std::string(t::kUsdaNoDatabase));
    }
    const auto r = outlet::design_usda_apron(fields.text("C_Discharge"), outlet_.outlet_fields(),
                                             curves, outlet_.units());
    write_field(fields, "usdastorm_freq", r.usdastorm_freq);
    write_field(fields, "L_ROP", r.L_ROP);
    write_field(fields, "W_ROP", r.W_ROP);
    write_field(fields, "D50_size", r.D50_size);
    write_field(fields, "Thickness_Apron", r.Thickness_Apron);
}

void EnergyDissipationForm::design_riprap_basin() {
    const auto r = outlet::design_riprap_basin(outlet_.outlet_fields(), fields.text("VDOT_Riprap"),
                                               outlet_.units());
    write_field(fields, "txtdE_basin", r.txtdE);
    write_field(fields, "txtFRo_basin", r.txtFRo);
    write_field(fields, "sizeD50", r.sizeD50);
    write_field(fields, "D_Pool", r.D_Pool);
    write_field(fields, "L_Pool", r.L_Pool);
    write_field(fields, "L_Basin", r.L_Basin);
    write_field(fields, "L_Apron", r.L_Apron);
    write_field(fields, "T_StoneA", r.T_StoneA);
    write_field(fields, "T_StoneB", r.T_StoneB);
    write_field(fields, "W_Exit", r.W_Exit);
    write_field(fields, "V_Exit", r.V_Exit);
    show_outlet_message(ui_, r.message);
}

void EnergyDissipationForm::design_contra_costa() {
    const auto r = outlet::design_contra_costa(outlet_.outlet_fields(), fields.text("L2byh2"),
                                               fields.text("txth3"), outlet_.units());
    write_field(fields, "txtdE_contra", r.txtdE);
    write_field(fields, "txtFRo_contra", r.txtFRo);
    write_field(fields, "txtWbasin", r.txtWbasin);
    write_field(fields, "L2byh2", r.L2byh2);
    write_field(fields, "txtLB", r.txtLB);
    write_field(fields, "txtL1", r.txtL1);
    write_field(fields, "txtL2", r.txtL2);
    write_field(fields, "txtL3", r.txtL3);
    write_field(fields, "txth1", r.txth1);
    write_field(fields, "txth2", r.txth2);
    write_field(fields, "txtY2", r.txtY2);
    write_field(fields, "txth3", r.txth3);
    write_field(fields, "txtyc", r.txtyc);
    write_field(fields, "txtVelocityc", r.txtVelocityc);
    show_outlet_message(ui_, r.message);
}

void EnergyDissipationForm::design_usbr() {
    const auto r = outlet::design_usbr_basin(outlet_.outlet_fields(), outlet_.units());
    write_field(fields, "txtdE_usbr", r.txtdE);
    write_field(fields, "txtFRo_usbr", r.txtFRo);
    write_field(fields, "txtHo", r.txtHo);
    write_field(fields, "txtHL", r.txtHL);
    write_field(fields, "txtHe", r.txtHe);
    write_field(fields, "txtdB", r.txtdB);
    write_field(fields, "txtVB", r.txtVB);
    for (int i = 0; i < kUsbrSizes; ++i) {
        write_field(fields, usbr_size_field(i), r.USBRsize[std::size_t(i)]);
    }
    show_outlet_message(ui_, r.message);
}

void EnergyDissipationForm::field_left(FieldName name) {
    std::string& text = fields[name].text;
    if (name == FieldName("L2byh2")) {
        const outlet::FieldExit exit = outlet::leave_l2_h2(text);
        text = exit.text;
        if (!exit.accepted()) {
            request_focus("L2byh2");
            show_outlet_message(ui_, exit.message);
        }
    } else if (name == FieldName("txth3")) {
        text = outlet::leave_h3(text);
    }
}

void EnergyDissipationForm::Cmdresults() {
    write_outlet_protection_report(ui_, outlet_, *this);
}

void EnergyDissipationForm::cmdExit() {
    if (query_close()) close_requested = true;
}

bool EnergyDissipationForm::query_close() {
    if (asked_) return true;
    asked_ = true;
    if (ui_.ask(t::kSaveChanges, Buttons::YesNo, Icon::Information, kExitTitle) == Answer::Yes) {
        for (const FieldName name : kCarriedBack) {
            outlet_.fields.set_text(name, fields.text(name));
        }
    }
    return true;
}

void EnergyDissipationForm::help() {
    open_help(ui_, context_, "outlet");
}

void EnergyDissipationForm::about() {
    outlet_.about();
}

}  // namespace pelvane::forms
