// The previous pipes whose flow a pipe receives: the network rules on choosing one
// (checked by pipe_rules) and the take-over of its accumulated values.

#include <stdexcept>
#include <string>

#include "core/pipe/discharge.h"
#include "forms/pipe_form.h"

namespace pelvane::forms {

FieldName previous_row(const std::array<FieldName, 4>& row, int k) {
    if (k < 1 || k > 4) {
        throw std::out_of_range("There is no previous pipe " + std::to_string(k) + ".");
    }
    return row[static_cast<std::size_t>(k - 1)];
}

void PipeForm::previous_pipe_left(int k) {
    if (fields.text(prenode(k)) != previous_handled_[static_cast<std::size_t>(k - 1)]) {
        previous_pipe_chosen(k);
    }
}

void PipeForm::previous_pipe_chosen(int k) {
    const std::string number = fields.text(prenode(k));
    previous_handled_[static_cast<std::size_t>(k - 1)] = number;
    tab = 1;
    if (number.empty()) {
        clear_previous_row(k);
        return;
    }
    std::vector<std::string> others;
    for (int j = 1; j <= previous_rows(); ++j) {
        if (j != k) others.push_back(fields.text(prenode(j)));
    }
    // The pipe this record already had in the row when editing began passes, and
    // so does a pipe that this pipe's own saved row lists.
    const auto rule = [&](const store::PipeTable& pipes) {
        const std::string& pipe_number = fields.text("pipe_number");
        if (auto refused = check_previous_pipe(pipes, pipe_number, number, others,
                                               previous_at_edit_[static_cast<std::size_t>(k - 1)],
                                               legacy(), stored_number_)) {
            return refused;
        }
        return check_previous_pipe_loop(pipes, pipe_number, number, legacy());
    };
    // A refused pipe leaves the person in the list to choose another.
    const auto refuse = [&](const Refusal& refusal) {
        ui_.message(refusal.message, refusal.icon);
        clear_previous_row(k);
        request_focus(prenode(k));
    };
    if (rule_passes(rule, refuse)) take_over_previous_pipe(k);
}

// Row k names no pipe any more: its values become "0.0" and the accumulation is
// made again without it.
void PipeForm::clear_previous_row(int k) {
    fields.set_text(prenode(k), "");
    previous_handled_[static_cast<std::size_t>(k - 1)].clear();
    auto flow = flow_fields();
    pipe::clear_previous_pipe(flow, k - 1);
    show_flow_fields(flow);
    reaccumulate();
}

// The chosen pipe's saved accumulated C·A, time and flow time; a number that is no
// saved pipe (one still to be added) hands on nothing.
void PipeForm::take_over_previous_pipe(int k) {
    auto flow = flow_fields();
    const auto row = listed_pipe(fields.text(prenode(k)));
    if (row) {
        pipe::take_over_previous_pipe(flow, k - 1,
                                      {row->get("ACCUMULATED_CA"), row->get("ACCUMULATED_TC"),
                                       row->get("FLOW_TIME"), row->get("PIPE_DISCHARGE")});
    } else {
        pipe::clear_previous_pipe(flow, k - 1);
    }
    show_flow_fields(flow);
    if (!computed_source()) return;
    if (const auto intensity = storm_intensity(MissingStorm::Drop)) {
        pipe::previous_pipe_intensity(flow, intensities_, k - 1, *intensity);
    }
    reaccumulate();
}

}  // namespace pelvane::forms
