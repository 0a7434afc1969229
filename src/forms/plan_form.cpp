#include "forms/plan_form.h"

#include <algorithm>

#include "forms/input_conventions.h"
#include "forms/plan_texts.h"

namespace pelvane::forms {
namespace {

constexpr FieldName kColourField = "plan_colour_by";
constexpr FieldName kStatusField = "plan_status";

}  // namespace

PlanForm::PlanForm(store::ProjectContext& context, Ui& ui, PipeActions actions)
    : FormModel(field_names::kPlan), context_(context), ui_(ui), actions_(std::move(actions)) {
    for (const FieldName name : {kColourField, kStatusField}) fields[name];
}

void PlanForm::open() {
    auto& items = fields[kColourField].items;
    items.clear();
    for (const PlanResultName& name : plan_result_names()) items.emplace_back(name.item);
    fields.set_text(kColourField, items.front());
    colour_chosen();
}

void PlanForm::colour_chosen() {
    const auto names = plan_result_names();
    const std::string chosen = fields.text(kColourField);
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&chosen](const auto& name) { return chosen == name.item; });
    if (found == names.end()) return;
    plan_ = plan_of_project(context_, found->result);
    picture_ = plan_drawing(plan_);
    fields.set_text(kStatusField, "");
}

std::optional<std::size_t> PlanForm::pipe_at(drawing::Point at, double reach) const {
    return pipe_near(plan_, at, reach, picture_.y_scale);
}

void PlanForm::hover(std::optional<drawing::Point> at, double reach) {
    const auto pipe = at ? pipe_at(*at, reach) : std::nullopt;
    fields.set_text(kStatusField, pipe ? plan_pipe_text(plan_, *pipe) : "");
}

void PlanForm::click(drawing::Point at, double reach) {
    if (const auto pipe = pipe_at(at, reach); pipe && actions_.select) {
        actions_.select(plan_.pipes[*pipe].number);
    }
}

void PlanForm::double_click(drawing::Point at, double reach) {
    if (const auto pipe = pipe_at(at, reach); pipe && actions_.open) {
        actions_.open(plan_.pipes[*pipe].number);
    }
}

void PlanForm::export_drawing(const DrawingWriter& write) {
    forms::export_drawing(ui_, plan_texts::kExportTitle, save_dialog_folder(context_), picture_,
                          write);
}

void PlanForm::close() {
    close_requested = true;
}

}  // namespace pelvane::forms
