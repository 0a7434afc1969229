#include "cli/commands/outlet_analysis.h"

#include <algorithm>

#include "cli/project_session.h"
#include "core/outlet/bed_material.h"
#include "forms/design_session.h"
#include "forms/energy_dissipation_texts.h"
#include "forms/pipe_energy_texts.h"
#include "forms/pipe_grid_form.h"

namespace pelvane::cli {
namespace {

namespace et = forms::energy_dissipation_texts;
namespace pt = forms::pipe_energy_texts;

// The engineer's answers: every question is answered in the affirmative, OK or Yes
// by the buttons offered: clearing a decision for the node chosen, leaving without
// saving (a --save comes before) and keeping the dissipator window's changes.
// Messages are kept for the output.
class OutletUi : public forms::Ui {
  public:
    using forms::Ui::message;
    std::vector<std::string> messages;

    void message(const std::string& text, forms::Icon, const std::string&) override {
        messages.push_back(text);
    }
    forms::Answer ask(const std::string&, forms::Buttons buttons, forms::Icon,
                      const std::string&) override {
        return buttons == forms::Buttons::OkCancel ? forms::Answer::Ok : forms::Answer::Yes;
    }
    std::string choose_file(const forms::FileDialog&) override { return {}; }
    bool open_document(const std::string&) override { return true; }
};

std::string required(const Args& args, const std::string& option) {
    const auto value = args.option(option);
    if (!value) throw CommandError(option + " is required", 2);
    return *value;
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items) text += (text.empty() ? "" : ", ") + item;
    return text;
}

// Types `value` into `field` and leaves it, as the engineer does; a field the
// window has disabled refuses with `why`.
void type_into(forms::FormModel& window, forms::FieldName field, const std::string& value,
               const std::function<void(forms::FieldName)>& leave, const std::string& why) {
    if (!window.fields.at(field).enabled) throw CommandError(why);
    window.fields.set_text(field, value);
    leave(field);
}

void choose_from_list(forms::FormModel& window, forms::FieldName field, const std::string& value,
                      const std::string& option) {
    const auto& items = window.fields.at(field).items;
    if (std::find(items.begin(), items.end(), value) == items.end()) {
        throw CommandError(option + " \"" + value + "\" is none of: " + joined(items), 2);
    }
    window.fields.set_text(field, value);
}

class OutletWindows : public forms::PipeEnergyForm::Windows {
  public:
    OutletWindows(const Args& args, const OutletUi& ui, OutletAnalysis& analysis,
                  const std::function<void(forms::PipeEnergyForm&, forms::EnergyDissipationForm&)>&
                      with_dissipators)
        : args_(args), ui_(ui), analysis_(analysis), with_dissipators_(with_dissipators) {}

    void show_energy_dissipation(forms::EnergyDissipationForm& d) override {
        const auto leave = [&d](forms::FieldName name) { d.field_left(name); };
        if (const auto riprap = args_.option("--class")) {
            choose_from_list(d, "VDOT_Riprap", *riprap, "--class");
            d.riprap_class_chosen();
        }
        if (const auto ratio = args_.option("--l2h2")) {
            type_into(d, "L2byh2", *ratio, leave, "");
            // A refused ratio keeps the focus: the engineer would have to type another.
            if (d.take_focus_request()) throw CommandError(ui_.messages.back(), 2);
        }
        if (const auto h3 = args_.option("--h3")) type_into(d, "txth3", *h3, leave, "");
        d.cmdanalyze();
        analysis_.designed = true;
        if (with_dissipators_) with_dissipators_(d.outlet(), d);
        add_dissipator_fields(d);
        d.cmdExit();
    }
    void about() override {}

  private:
    void add_dissipator_fields(const forms::EnergyDissipationForm& d) {
        auto& out = analysis_.fields;
        const auto add = [&](const auto& labels) {
            for (const auto& label : labels) {
                if (label.field != "C_Discharge")
                    out[label.field.str()] = d.fields.text(label.field);
            }
        };
        add(et::kVdotLabels);
        add(et::kUsdaLabels);
        out["usda_status"] = d.fields.text("usda_status");
        add(et::kRiprapBasinLabels);
        add(et::kContraCostaLabels);
        add(et::kUsbrLabels);
        JsonObject sizes = JsonObject::array();
        for (int i = 0; i < forms::EnergyDissipationForm::kUsbrSizes; ++i) {
            sizes.push_back(d.fields.text(forms::EnergyDissipationForm::usbr_size_field(i)));
        }
        out["USBRsize"] = std::move(sizes);
    }

    const Args& args_;
    const OutletUi& ui_;
    OutletAnalysis& analysis_;
    const std::function<void(forms::PipeEnergyForm&, forms::EnergyDissipationForm&)>&
        with_dissipators_;
};

void add_outlet_fields(const forms::PipeEnergyForm& form, JsonObject& out) {
    for (const auto& label : pt::kFieldLabels) {
        out[label.field.str()] = form.fields.text(label.field);
    }
    if (!form.fields.text("status").empty()) out["status"] = form.fields.text("status");
}

}  // namespace

const std::vector<std::string>& outlet_analysis_options() {
    static const std::vector<std::string> options{"--node",  "--tailwater-depth",
                                                  "--bed",   "--d16",
                                                  "--d84",   "--pi",
                                                  "--class", "--l2h2",
                                                  "--h3",    "--q2",
                                                  "--save",  "--json"};
    return options;
}

OutletAnalysis run_outlet_analysis(
    const Args& args, const CommandContext& command, std::size_t file_position,
    const std::function<void(forms::PipeEnergyForm&, forms::EnergyDissipationForm&)>&
        with_dissipators) {
    const std::string node = required(args, "--node");
    const std::string tailwater = required(args, "--tailwater-depth");
    ProjectSession session(command, args.positional(file_position, "project file (FILE.pvd)"));
    store::ProjectContext& context = session.context();
    forms::DesignSession design;
    if (!design.enter_outlet_protection(context)) {
        throw CommandError("Energy Dissipation is not offered for a legacy project database");
    }

    OutletAnalysis analysis;
    OutletUi ui;
    OutletWindows windows(args, ui, analysis, with_dissipators);
    forms::PipeEnergyForm form(context, design, ui, windows);
    form.open();
    const auto& nodes = form.fields.at("enodeout").items;
    if (nodes.empty()) throw CommandError(forms::kNoPipesForEnergy);
    if (std::find(nodes.begin(), nodes.end(), node) == nodes.end()) {
        throw CommandError("no pipe ends at node \"" + node + "\" (end nodes: " + joined(nodes) +
                           ")");
    }
    const auto leave = [&form](forms::FieldName name) { form.field_left(name); };

    form.choose_end_node(node);
    if (const auto q2 = args.option("--q2")) {
        type_into(form, "C_Discharge", *q2, leave,
                  "--q2 is for a design pipe whose discharge was typed; this one's 2-year "
                  "discharge is computed");
    } else if (form.fields.at("C_Discharge").enabled) {
        throw CommandError(std::string(pt::kInputTwoYearDischarge) + " (give it with --q2)");
    }
    if (const auto bed = args.option("--bed")) {
        choose_from_list(form, "Bed_Matl", *bed, "--bed");
        form.bed_material_chosen();
    }
    const std::string grains = "--d16 and --d84 do not apply to this bed; give --pi";
    if (const auto d16 = args.option("--d16")) type_into(form, "D16", *d16, leave, grains);
    if (const auto d84 = args.option("--d84")) type_into(form, "D84", *d84, leave, grains);
    if (const auto pi = args.option("--pi")) {
        type_into(form, "plindex", *pi, leave,
                  "--pi applies to the bed \"" + std::string(outlet::kClayBed) + "\" only");
    }
    type_into(form, "dn_TW", tailwater, leave, "");
    form.cmdNeed();
    form.cmdscourholesize();
    if (form.fields.text("outlet_protection") == pt::kProtectionRequired) form.cmdanalyzeED();
    if (args.flag("--save")) form.mnusave();

    JsonObject fields = JsonObject::object();
    add_outlet_fields(form, fields);
    fields.update(analysis.fields);
    analysis.fields = std::move(fields);
    analysis.messages = ui.messages;
    return analysis;
}

void print_outlet_analysis(std::ostream& out, const OutletAnalysis& analysis, bool json) {
    if (json) {
        JsonObject all = JsonObject::object();
        all["fields"] = analysis.fields;
        all["messages"] = analysis.messages;
        print_object(out, all, true);
        return;
    }
    JsonObject lines = JsonObject::object();
    for (const auto& [name, value] : analysis.fields.items()) {
        if (!value.is_array()) {
            lines[name] = value;
            continue;
        }
        for (std::size_t i = 0; i < value.size(); ++i) {
            lines[name + "(" + std::to_string(i) + ")"] = value[i];
        }
    }
    print_object(out, lines, false);
    for (const auto& message : analysis.messages) out << "message: " << message << "\n";
}

}  // namespace pelvane::cli
