#include "forms/profile_form.h"

#include "core/hgl/grade_line.h"
#include "core/hgl/run.h"
#include "core/units.h"
#include "forms/hgl_form.h"
#include "forms/input_conventions.h"
#include "forms/profile_texts.h"

namespace pelvane::forms {
namespace {

constexpr FieldName kFromField = "profile_from";
constexpr FieldName kOutfallField = "profile_outfall";
constexpr FieldName kTailwaterField = "profile_tailwater";
constexpr FieldName kUnitField = "length_unit";
constexpr FieldName kHoverField = "profile_hover";

}  // namespace

ProfileForm::ProfileForm(store::ProjectContext& context, Ui& ui)
    : FormModel(field_names::kProfile), context_(context), ui_(ui) {
    for (const FieldName name :
         {kFromField, kOutfallField, kTailwaterField, kUnitField, kHoverField}) {
        fields[name];
    }
}

void ProfileForm::open(std::string_view start, std::string_view outfall,
                       std::string_view tailwater) {
    const std::vector<hgl::HglPipe> pipes = hgl_pipes(context_);
    auto& from = fields[kFromField].items;
    from.clear();
    for (const hgl::HglPipe& pipe : pipes) from.push_back(pipe.pipe_number);
    fields[kOutfallField].items = hgl::outfall_nodes(pipes);
    std::string first(start);
    if (first.empty() && !outfall.empty()) {
        if (const auto longest = hgl::longest_run_start(pipes, outfall)) {
            first = pipes[*longest].pipe_number;
        }
    }
    fields.set_text(kFromField, first);
    fields.set_text(kOutfallField, std::string(outfall));
    fields.set_text(
        kTailwaterField,
        format_on_leave(tailwater.empty() ? kDefaultTailwater : tailwater, kTailwaterPattern));
    fields.set_text(kUnitField, std::string(UnitNames::for_units(context_.units).length));
    draw();
}

void ProfileForm::field_left(FieldName name) {
    if (name != kTailwaterField) return;
    fields.set_text(kTailwaterField,
                    format_on_leave(fields.text(kTailwaterField), kTailwaterPattern));
}

void ProfileForm::draw() {
    run_.reset();
    picture_ = {};
    fields.set_text(kHoverField, "");
    // As Compute HGL: with no pipe chosen, nothing happens.
    if (fields.text(kFromField).empty()) return;
    if (fields.text(kTailwaterField).empty()) fields.set_text(kTailwaterField, kDefaultTailwater);
    ProfileOutcome outcome =
        profile_of_project(context_, fields.text(kFromField), fields.text(kOutfallField),
                           fields.text(kTailwaterField));
    if (!outcome.run) {
        const char* label =
            outcome.choice == ProfileOutcome::Choice::Start     ? profile_texts::kFromLabel
            : outcome.choice == ProfileOutcome::Choice::Outfall ? profile_texts::kOutfallLabel
                                                                : nullptr;
        ui_.message(
            label != nullptr ? std::string(label) + ": " + outcome.problem : outcome.problem,
            Icon::Exclamation, profile_texts::kCaption);
        request_focus(outcome.choice == ProfileOutcome::Choice::Outfall ? kOutfallField
                                                                        : kFromField);
        return;
    }
    run_ = std::move(outcome.run);
    if (fields.text(kOutfallField).empty()) fields.set_text(kOutfallField, run_->outfall);
    picture_ = profile_drawing(*run_);
}

void ProfileForm::hover(std::optional<double> station) {
    fields.set_text(kHoverField, run_ && station ? profile_values_at(*run_, *station) : "");
}

void ProfileForm::export_drawing(const DrawingWriter& write) {
    if (!run_) return;
    forms::export_drawing(ui_, profile_texts::kExportTitle, save_dialog_folder(context_), picture_,
                          write);
}

void ProfileForm::close() {
    close_requested = true;
}

}  // namespace pelvane::forms
