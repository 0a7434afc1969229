#include "forms/submittal_form.h"

#include <filesystem>
#include <optional>

#include "core/hgl/grade_line.h"
#include "core/units.h"
#include "forms/hgl_form.h"
#include "forms/input_conventions.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;
namespace t = submittal_texts;

constexpr FieldName kOutfallField = "submittal_outfall";
constexpr FieldName kTailwaterField = "submittal_tailwater";
constexpr FieldName kUnitField = "length_unit";
constexpr FieldName kFolderField = "submittal_folder";
constexpr FieldName kProgressField = "submittal_progress";
constexpr FieldName kWriteCommand = "cmdSubmittalWrite";

}  // namespace

std::string submittal_summary(const SubmittalOutcome& outcome, const std::string& folder) {
    std::string text = outcome.cancelled ? "The submittal was cancelled. Written in "
                                         : "The submittal is written in ";
    text += folder + ":";
    for (const fs::path& file : outcome.files) text += "\n  " + file.filename().string();
    if (outcome.files.empty()) text += "\n  (nothing)";
    for (const std::string& message : outcome.messages) text += "\n" + message;
    return text;
}

SubmittalForm::SubmittalForm(store::ProjectContext& context, Ui& ui)
    : FormModel(field_names::kSubmittal), context_(context), ui_(ui) {
    for (const FieldName name : {kOutfallField, kTailwaterField, kUnitField, kFolderField,
                                 kProgressField, kWriteCommand}) {
        fields[name];
    }
}

std::string SubmittalForm::project_folder() const {
    return fs::path(context_.database_path).parent_path().string();
}

void SubmittalForm::open() {
    auto& outfalls = fields[kOutfallField].items;
    try {
        outfalls = hgl::outfall_nodes(hgl_pipes(context_));
    } catch (const store::DatabaseError& e) {
        outfalls.clear();
        ui_.message(e.what(), Icon::Exclamation, t::kCaption);
    }
    fields.set_text(kOutfallField, outfalls.empty() ? "" : outfalls.front());
    fields.set_text(kTailwaterField, format_on_leave(kDefaultTailwater, kTailwaterPattern));
    fields.set_text(kUnitField, std::string(UnitNames::for_units(context_.units).length));
    fields.set_text(kFolderField, (fs::path(project_folder()) / t::kDefaultFolder).string());
    fields.set_text(kProgressField, "");
    fields.set_enabled(kWriteCommand, !outfalls.empty());
}

void SubmittalForm::field_left(FieldName name) {
    if (name != kTailwaterField) return;
    fields.set_text(kTailwaterField,
                    format_on_leave(fields.text(kTailwaterField), kTailwaterPattern));
}

void SubmittalForm::browse() {
    FileDialog dialog;
    dialog.folder = true;
    dialog.title = t::kFolderTitle;
    const fs::path chosen(fields.text(kFolderField));
    dialog.initial_folder = fs::is_directory(chosen) ? chosen.string() : project_folder();
    const std::string folder = ui_.choose_file(dialog);
    if (!folder.empty()) fields.set_text(kFolderField, folder);
}

void SubmittalForm::write(const SubmittalTools& tools) {
    if (writing_) return;
    field_left(kTailwaterField);
    if (fields.text(kOutfallField).empty()) {
        ui_.message(t::kNoOutfall, Icon::Exclamation, t::kCaption);
        return request_focus(kOutfallField);
    }
    const std::string folder = fields.text(kFolderField);
    if (folder.empty()) {
        ui_.message(t::kNoFolder, Icon::Exclamation, t::kCaption);
        return request_focus(kFolderField);
    }
    writing_ = true;
    cancel_ = false;
    lock_inputs(true);
    fields.set_text(kProgressField, "");
    // The work may run off the window thread: its lines go to the progress dialog,
    // whose Cancel comes back as progress() saying no, and the fields take them after.
    std::string lines;
    std::string last;
    int written = 0;
    const auto line = [this, &lines, &last, &written](const std::string& text) {
        lines += (lines.empty() ? "" : "\n") + text;
        last = text;
        if (!ui_.progress(++written, 0, text)) cancel_ = true;
    };
    const auto stop = [this, &last, &written] {
        if (!ui_.progress(written, 0, last)) cancel_ = true;
        return cancel_.load();
    };
    const SubmittalRequest request{fields.text(kOutfallField), fields.text(kTailwaterField),
                                   folder};
    std::optional<SubmittalOutcome> outcome;
    std::string failure;
    ui_.run_long_work(t::kCaption, [&] {
        try {
            outcome = write_submittal(context_, request, tools, line, stop);
        } catch (const SubmittalError& e) {
            failure = e.what();
        } catch (const store::DatabaseError& e) {
            failure = e.what();
        }
    });
    fields.set_text(kProgressField, lines);
    writing_ = false;
    lock_inputs(false);
    if (!outcome) return ui_.message(failure, Icon::Exclamation, t::kCaption);
    ui_.message(submittal_summary(*outcome, folder), Icon::Information, t::kCaption);
    if (outcome->pdf &&
        ui_.ask(t::kOpenPdf, Buttons::YesNo, Icon::Question, t::kCaption) == Answer::Yes) {
        ui_.open_document(outcome->pdf->string());
    }
    close_requested = true;
}

// While writing, the choices stay as they were given (the view lets events in to
// take a Cancel).
void SubmittalForm::lock_inputs(bool locked) {
    for (const FieldName name : {kOutfallField, kTailwaterField, kFolderField, kWriteCommand}) {
        fields.set_enabled(name, !locked);
    }
}

void SubmittalForm::cancel() {
    if (writing_) {
        cancel_ = true;
    } else {
        close_requested = true;
    }
}

}  // namespace pelvane::forms
