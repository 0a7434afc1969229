// The outlet protection window's channel bed: the bed material and its
// permissible velocity, the grain-size and plasticity fields, the scour hole, and
// what leaving each numeric field does.

#include "core/outlet/bed_material.h"
#include "core/outlet/outlet_messages.h"
#include "core/outlet/scour_hole.h"
#include "forms/input_conventions.h"
#include "forms/pipe_energy_form.h"
#include "forms/pipe_energy_support.h"
#include "forms/pipe_energy_texts.h"

namespace pelvane::forms {

void PipeEnergyForm::set_grain_fields_for(bool clay) {
    fields.set_enabled("D16", !clay);
    fields.set_enabled("D84", !clay);
    fields.set_enabled("plindex", clay);
}

void PipeEnergyForm::apply_bed_material() {
    const outlet::BedMaterialResult bed =
        outlet::apply_bed_material(fields.text("Bed_Matl"), fields.text("dn_C"), units());
    set_grain_fields_for(false);
    write_field(fields, "plindex", bed.plindex);
    if (bed.failed) return;
    if (bed.clay) {
        fields.set_enabled("plindex", true);
        if (context_.english()) {
            set_grain_fields_for(true);
        } else {
            fields["plindex"].visible = true;
            fields[label_of("plindex")].visible = true;
        }
    }
    write_field(fields, "D16", bed.D16);
    write_field(fields, "D84", bed.D84);
    permissible_velocity_ = bed.permissible_velocity;
    write_field(fields, "D50bed", bed.D50bed);
    write_field(fields, "Velocity_NS", bed.Velocity_NS);
    write_field(fields, "outlet_protection", bed.outlet_protection);
    fields.set_enabled("cmdanalyzeED", false);
}

void PipeEnergyForm::bed_material_chosen() {
    track_changes();
    apply_bed_material();
    track_changes();
}

void PipeEnergyForm::cmdscourholesize() {
    track_changes();
    const outlet::ScourHoleResult hole =
        outlet::size_scour_hole(fields.text("Bed_Matl"), fields.text("D16"), fields.text("D84"),
                                fields.text("plindex"), outlet_fields(), units());
    set_grain_fields_for(hole.clay);
    write_field(fields, "D16", hole.D16);
    write_field(fields, "D84", hole.D84);
    write_field(fields, "plindex", hole.plindex);
    write_field(fields, "txt_D", hole.txt_D);
    write_field(fields, "txt_W", hole.txt_W);
    write_field(fields, "txt_L", hole.txt_L);
    write_field(fields, "txtLocation", hole.txtLocation);
    track_changes();
    show_outlet_message(ui_, hole.message);
}

void PipeEnergyForm::leave_two_year_discharge() {
    std::string& text = fields["C_Discharge"].text;
    if (text.empty()) text = "0.0";
    text = format_on_leave(text, "0.00");
    compute_two_year_velocity();
    request_focus("dn_TW");
}

void PipeEnergyForm::field_left(FieldName name) {
    track_changes();
    const outlet::OutletUnits u = units();
    std::string& text = fields[name].text;
    if (name == "enodeout") {
        enodeout_committed();
    } else if (name == "dn_TW") {
        text = format_on_leave(text, session_.number_format);
    } else if (name == "W_culvert") {
        text = format_on_leave(text, "0.000");
    } else if (name == "C_Discharge") {
        leave_two_year_discharge();
    } else if (name == "plindex") {
        text = outlet::leave_plindex(text);
    } else if (name == "D16") {
        text = outlet::leave_d16(text, u);
    } else if (name == "D84") {
        text = outlet::leave_d84(text, u);
    }
    track_changes();
}

}  // namespace pelvane::forms
