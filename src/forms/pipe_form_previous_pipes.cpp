// The previous pipes whose flow a pipe receives: the network rules on choosing one
// (never the pipe itself, never twice, and a pipe drains into at most one other)
// and the take-over of its accumulated values.

#include "core/pipe/discharge.h"
#include "forms/pipe_form.h"

namespace pelvane::forms {
namespace {

namespace texts = pipe_form_texts;

}  // namespace

void PipeForm::previous_pipe_left(int k) {
    if (fields.text(prenode(k)) != previous_handled_[static_cast<std::size_t>(k - 1)]) {
        previous_pipe_chosen(k);
    }
}

void PipeForm::previous_pipe_chosen(int k) {
    const std::string number = fields.text(prenode(k));
    previous_handled_[static_cast<std::size_t>(k - 1)] = number;
    tab = 1;

    // A refused pipe leaves the person in the list to choose another.
    const auto refuse = [&](const std::string& text, Icon icon) {
        ui_.message(text, icon);
        clear_previous_row(k);
        request_focus(prenode(k));
    };
    if (number.empty()) {
        clear_previous_row(k);
        return;
    }
    if (number == fields.text("pipe_number")) {
        refuse(texts::kInvalidPipeNumber, Icon::None);
        return;
    }
    for (int j = 1; j <= previous_rows(); ++j) {
        if (j != k && fields.text(prenode(j)) == number) {
            refuse(texts::kPreviousRepeated, Icon::None);
            return;
        }
    }
    // A pipe drains into at most one other. The pipe this record already had in the
    // row when editing began passes, and so does this pipe's own saved row.
    if (number != previous_at_edit_[static_cast<std::size_t>(k - 1)]) {
        if (const auto below = other_pipe_where(previous_pipe_columns(), number)) {
            refuse(texts::kPreviousUsed + *below + texts::kChooseDifferent, Icon::Exclamation);
            return;
        }
    }
    take_over_previous_pipe(k);
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
    pipe::previous_pipe_intensity(flow, intensities_, k - 1, intensity_lookup());
    reaccumulate();
}

}  // namespace pelvane::forms
