// The structures at the two ends of a pipe: their type, their number lists, the
// network rules on the numbers (checked by pipe_rules) and the take-over of a
// structure's data from other pipes or from the linked inlet database.

#include <algorithm>

#include "core/pipe/inlet_takeover.h"
#include "forms/inlet_link.h"

#include <initializer_list>
#include "forms/pipe_form.h"

namespace pelvane::forms {
namespace {

namespace texts = pipe_form_texts;

// The fields of one end and the columns of the other end of a pipe that joins it:
// the upper structure of this pipe is where another pipe ends, and the other way.
struct NodeNames {
    FieldName number;
    FieldName type;
    FieldName station;
    FieldName offset;
    FieldName offloc;
    FieldName topele;
    // Columns of a saved pipe at the other end.
    store::Column other_number;
    store::Column other_type;
    store::Column other_station;
    store::Column other_offset;
    store::Column other_offloc;
    store::Column other_topele;
};

constexpr NodeNames kNodeIn{"nodein_no",      "nodein_type",    "nodein_station",
                            "nodein_offset",  "nodein_offloc",  "nodein_topele",
                            "NODEOUT_NO",     "NODEOUT_TYPE",   "NODEOUT_STATION",
                            "NODEOUT_OFFSET", "NODEOUT_OFFLOC", "NODEOUT_TOPELE"};
constexpr NodeNames kNodeOut{"nodeout_no",     "nodeout_type",   "nodeout_station",
                             "nodeout_offset", "nodeout_offloc", "nodeout_topele",
                             "NODEIN_NO",      "NODEIN_TYPE",    "NODEIN_STATION",
                             "NODEIN_OFFSET",  "NODEIN_OFFLOC",  "NODEIN_TOPELE"};

const NodeNames& names_of(bool node_in) {
    return node_in ? kNodeIn : kNodeOut;
}

void show_location(FieldSet& fields, const NodeNames& node, const pipe::StructureLocation& at) {
    fields.set_text(node.station, at.station);
    fields.set_text(node.offset, at.offset);
    fields.set_text(node.offloc, at.offset_location);
    fields.set_text(node.topele, at.top_elevation);
}

}  // namespace

void PipeForm::node_type_left(bool node_in) {
    const NodeNames& node = names_of(node_in);
    const std::string type = fields.text(node.type);
    if (type.empty()) return;
    std::string& at_focus = node_in ? nodein_type_at_focus_ : nodeout_type_at_focus_;
    if (type == at_focus) return;
    at_focus = type;
    reset_node(node_in);
    if (!node_in) return;
    // The source an upper structure of this type proposes, taken as if the person
    // had chosen that option: computed values are only dropped when they agree, and
    // a computed source starts from its own storm and Cf.
    choose_discharge_source(default_discharge_source(type));
}

// A structure whose type changed, or whose number was refused or cleared, keeps
// nothing of the structure it was; the upper one also loses its drainage data.
void PipeForm::reset_node(bool node_in) {
    const NodeNames& node = names_of(node_in);
    for (const FieldName name :
         {node.number, node.station, node.offset, node.offloc, node.topele}) {
        fields.set_text(name, "");
    }
    node_number_handled_[node_in ? 0 : 1].clear();
    if (!node_in) return;
    fields.set_text("structure_discharge", "0.0");
    fields.set_text("structure_ca", "0.0");
    fields.set_text("structure_area", "0.0");
    fields.set_text("structure_Tc", "5.0");
    reaccumulate();
}

// The numbers offered for a structure of the chosen type: the inlets of the linked
// inlet database for an inlet, else the structures of that type at which pipes
// already end (for an upper structure) or start (for a lower one). Blank numbers
// are not offered.
std::vector<std::string> PipeForm::node_list(bool node_in) const {
    const NodeNames& node = names_of(node_in);
    const std::string& type = fields.text(node.type);
    if (type.empty()) return {};
    if (type == texts::kInlet) return linked_inlet_numbers(context_, ui_);
    std::vector<std::string> numbers;
    for (const auto& row : saved_pipes()) {
        if (row.get(node.other_type) != type) continue;
        const std::string& number = row.get(node.other_number);
        if (!number.empty()) numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

void PipeForm::node_number_entered(bool node_in) {
    const NodeNames& node = names_of(node_in);
    fields[node.number].items = node_list(node_in);
    if (node_in) nodein_no_at_focus_ = fields.text(node.number);
    node_number_handled_[node_in ? 0 : 1] = fields.text(node.number);
}

// Leaving the box after typing a number works like choosing it; a number already
// handled by a choice is not checked twice.
void PipeForm::node_number_left(bool node_in) {
    if (fields.text(names_of(node_in).number) != node_number_handled_[node_in ? 0 : 1]) {
        node_number_chosen(node_in);
    }
}

// A refused structure is cleared and the person chooses again.
void PipeForm::refuse_node(bool node_in, const Refusal& refusal) {
    ui_.message(refusal.message, refusal.icon);
    reset_node(node_in);
    tab = 0;
    request_focus(names_of(node_in).number);
}

void PipeForm::node_number_chosen(bool node_in) {
    const NodeNames& node = names_of(node_in);
    const std::string number = fields.text(node.number);
    node_number_handled_[node_in ? 0 : 1] = number;
    if (number.empty()) {
        reset_node(node_in);
        return;
    }
    if (node_in) {
        const auto rule = [&](const store::PipeTable& pipes) {
            return check_node_in(pipes, number, fields.text(kNodeOut.number), nodein_no_at_focus_,
                                 stored_number_);
        };
        if (!rule_passes(rule, [this](const Refusal& r) { refuse_node(true, r); })) return;
    } else if (const auto refusal = check_node_out(fields.text(kNodeIn.number), number)) {
        refuse_node(false, *refusal);
        return;
    }
    take_over_node(node_in);
}

// The structure's data come from the linked inlet database for an inlet, else from
// the first saved pipe that joins the structure at its other end (none: nothing
// changes).
void PipeForm::take_over_node(bool node_in) {
    const NodeNames& node = names_of(node_in);
    const std::string& number = fields.text(node.number);
    if (fields.text(node.type) == texts::kInlet) {
        const auto inlet = linked_inlet(context_, ui_, number);
        if (!inlet) return;
        if (!node_in) {
            show_location(fields, node, pipe::node_out_takeover(*inlet));
            return;
        }
        const pipe::NodeInTakeover data = pipe::node_in_takeover(*inlet, fields.text("pipe_cf"));
        show_location(fields, node, data.location);
        fields.set_text("structure_Tc", data.structure_Tc);
        fields.set_text("structure_area", data.structure_area);
        fields.set_text("structure_ca", data.structure_ca);
        if (data.pipe_cf) fields.set_text("pipe_cf", *data.pipe_cf);
        reaccumulate();
        return;
    }
    for (const auto& row : saved_pipes()) {
        if (row.get(node.other_number) != number) continue;
        show_location(fields, node,
                      {row.get(node.other_station), row.get(node.other_offset),
                       row.get(node.other_offloc), row.get(node.other_topele)});
        return;
    }
}

}  // namespace pelvane::forms
