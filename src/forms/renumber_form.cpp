#include "forms/renumber_form.h"

#include "forms/pipe_rules.h"

namespace pelvane::forms {

RenumberForm::RenumberForm(const store::ProjectContext& context, Ui& ui, std::string old_number)
    : FormModel(field_names::kRenumber), context_(context), ui_(ui) {
    fields.set_text("thispipenumber", std::move(old_number));
    fields.set_enabled("thispipenumber", false);
    fields.set_text("newpipenumber", "");
    request_focus("newpipenumber");
}

void RenumberForm::accept() {
    const store::PipeTable pipes(context_.project_connection);
    const std::string typed = fields.text("newpipenumber");
    const RenumberCheck check =
        check_renumber(pipes, old_number(), typed, context_.legacy_database_mode);
    if (const auto& refused = check.refused) {
        ui_.message(refused->message, refused->icon);
        fields.set_text("newpipenumber", "");
        request_focus("newpipenumber");
        return;
    }
    if (check.listed_by) {
        const std::string question = renumber_question(*check.listed_by);
        if (ui_.ask(question, Buttons::YesNo, Icon::Exclamation, kAppTitle) == Answer::No) {
            fields.set_text("newpipenumber", "");
            request_focus("newpipenumber");
            return;
        }
    }
    new_number_ = typed;
    close_requested = true;
}

void RenumberForm::cancel() {
    new_number_.clear();
    close_requested = true;
}

}  // namespace pelvane::forms
