#include "forms/sizing_form.h"

#include "core/text/number_text.h"

namespace pelvane::forms {

SizingForm::SizingForm(Ui& ui, std::string selected_pipe)
    : FormModel(field_names::kSizing), ui_(ui), selected_pipe_(std::move(selected_pipe)) {
    fields.set_text("size_scope", kSizeScopeSelected);
    fields.set_text("max_full", text::shortest_text(kDefaultMaxFull));
    request_focus("max_full");
}

void SizingForm::accept() {
    const MaxFullEntry entry = read_max_full(fields.text("max_full"), kMaxFullLabel);
    if (!entry.percent) {
        ui_.message(entry.problem, Icon::Exclamation, kSizePipesCaption);
        request_focus("max_full");
        return;
    }
    SizingRequest request;
    request.max_full_percent = *entry.percent;
    if (fields.text("size_scope") != kSizeScopeAll) request.pipes = {selected_pipe_};
    request_ = std::move(request);
    close_requested = true;
}

void SizingForm::cancel() {
    request_.reset();
    close_requested = true;
}

}  // namespace pelvane::forms
