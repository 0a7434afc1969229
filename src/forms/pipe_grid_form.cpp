#include "forms/pipe_grid_form.h"

#include <algorithm>
#include <array>
#include <exception>

#include "forms/input_conventions.h"
#include "forms/network_recompute.h"
#include "forms/pipe_form.h"
#include "forms/pipe_rules.h"
#include "forms/pipe_sizing.h"
#include "platform/platform.h"
#include "store/pipe_table.h"

namespace pelvane::forms {
namespace {

// A pipe the grid listed that another program has removed from the file since.
std::string pipe_gone(std::string_view number) {
    return "Pipe " + std::string(number) +
           " is no longer in the project file; nothing was changed.";
}

// The commands that change the project file, off while it is open for viewing.
constexpr std::array<FieldName, 8> kChangingCommands{
    "cmdflexaddpipe",   "cmdflexveditpipe", "cmdflexdeletepipe", "cmdflexmodpipe",
    "cmdflexrecompute", "mnuImportPipes",   "mnuPastePipes",     "mnuSizePipes"};

}  // namespace

bool PipeGridForm::may_change(FieldName command) const {
    return fields.at(command).enabled;
}

PipeGridForm::PipeGridForm(store::ProjectContext& context, DesignSession& session, Ui& ui,
                           Windows& windows)
    : FormModel(field_names::kPipeGrid),
      context_(context),
      session_(session),
      ui_(ui),
      windows_(windows),
      checks_(context, ui) {
    fields.set_text("rec_count", "0");
}

void PipeGridForm::open(int remembered_row, GridView view, std::string_view remembered_pipe) {
    reopen_marker_ = false;
    close_requested = false;
    session_.enter_pipe_design(context_);
    const bool writable = !context_.viewing_only;
    fields.set_enabled("mnuEnergy", writable && outlet_protection_offered(context_));
    for (const FieldName command : kChangingCommands) fields.set_enabled(command, writable);
    fields.set_text("read_only_banner", writable ? "" : kViewingOnlyBanner);
    fields["read_only_banner"].visible = !writable;
    checks_.load();
    view_ = std::move(view);
    read_rows();
    selected_ = shown_.empty() ? 0 : 1;
    select_row(remembered_row);
    if (!remembered_pipe.empty()) select_pipe(remembered_pipe);
}

std::string unsolved_status(std::size_t count, bool recompute_on) {
    if (count == 0) return {};
    std::string text = std::to_string(count) + (count == 1 ? " pipe" : " pipes") + " unsolved";
    return recompute_on ? text + " \u2014 F9 recomputes" : text;
}

void PipeGridForm::read_rows() {
    // What was read before is let go first, and the review, which reads every pipe,
    // runs before the rows are read: a large network's rows, its review and what was
    // read before are never held at once.
    all_rows_ = {};
    shown_ = {};
    unsolved_ = {};
    checks_.forget_review();
    platform::release_freed_memory();
    checks_.run();
    platform::release_freed_memory();
    std::vector<store::Column> columns = grid_store_columns(legacy());
    const std::size_t shown_columns = columns.size();
    const std::vector<store::Column> results = result_columns();
    columns.insert(columns.end(), results.begin(), results.end());
    std::size_t unsolved_count = 0;
    const store::PipeTable table(context_.project_connection);
    all_rows_.reserve(static_cast<std::size_t>(table.count()));
    table.each_texts_by_number(columns, [&](const std::vector<std::string>& pipe) {
        const std::span<const std::string> texts(pipe);
        const bool pipe_unsolved = unsolved(texts.subspan(shown_columns));
        all_rows_.emplace_back(texts.first(shown_columns));
        unsolved_.push_back(pipe_unsolved);
        unsolved_count += pipe_unsolved ? 1 : 0;
    });
    shown_ = shown_rows(all_rows_, view_);
    fields.set_text("rec_count", std::to_string(all_rows_.size()));
    fields.set_text("unsolved_status",
                    unsolved_status(unsolved_count, fields.at("cmdflexrecompute").enabled));
}

void PipeGridForm::show_view() {
    const std::string pipe = selected_pipe();
    shown_ = shown_rows(all_rows_, view_);
    selected_ = shown_.empty() ? 0 : 1;
    if (!pipe.empty()) select_pipe(pipe);
}

void PipeGridForm::sort_by(std::size_t index) {
    if (index >= columns().size()) return;
    view_.sort_by(index);
    show_view();
}

void PipeGridForm::set_filter(std::string text) {
    view_.filter = std::move(text);
    show_view();
}

std::string PipeGridForm::row_marks(int row) const {
    if (row < 1 || row > record_count()) return {};
    return checks_.pipe_marks(shown_cell(static_cast<std::size_t>(row - 1), 0));
}

bool PipeGridForm::row_unsolved(int row) const {
    if (row < 1 || row > record_count()) return false;
    return unsolved_[shown_[static_cast<std::size_t>(row - 1)]];
}

std::string PipeGridForm::selected_pipe() const {
    if (selected_ < 1 || selected_ > record_count()) return "";
    return std::string(shown_cell(static_cast<std::size_t>(selected_ - 1), 0));
}

void PipeGridForm::select_row(int row) {
    if (row >= 1 && row <= record_count()) selected_ = row;
}

bool PipeGridForm::select_pipe(std::string_view number) {
    for (std::size_t r = 0; r < shown_.size(); ++r) {
        if (shown_cell(r, 0) == number) {
            selected_ = static_cast<int>(r) + 1;
            return true;
        }
    }
    return false;
}

bool PipeGridForm::has_pipes(const char* message, bool selected) {
    if (!(selected ? shown_.empty() : all_rows_.empty())) return true;
    ui_.message(message, Icon::Information);
    return false;
}

std::string PipeGridForm::column_unit(std::size_t index) const {
    const GridColumn& column = columns()[index];
    if (column.unit == nullptr) return {};
    return std::string(UnitNames::for_units(context_.units).*column.unit);
}

void PipeGridForm::add() {
    if (!may_change("cmdflexaddpipe")) return;
    windows_.show_pipe_form(std::string(pipe_form_texts::kAddRequest), "");
    refresh();
}

void PipeGridForm::view() {
    if (!has_pipes(kNoPipesToViewEdit, true)) return;
    windows_.show_pipe_form(std::string(pipe_form_texts::kViewRequest), selected_pipe());
    refresh();
}

void PipeGridForm::edit() {
    if (!may_change("cmdflexveditpipe")) return;
    if (!has_pipes(kNoPipesToViewEdit, true)) return;
    windows_.show_pipe_form(std::string(pipe_form_texts::kEditRequest), selected_pipe());
    refresh();
}

void PipeGridForm::delete_pipe() {
    if (!may_change("cmdflexdeletepipe")) return;
    if (!has_pipes(kNoPipesToDelete, true)) return;
    const std::string number = selected_pipe();
    const std::string question = kDeleteQuestionHead + number + kQuestionTail;
    if (ui_.ask(question, Buttons::YesNo, Icon::Exclamation, kAppTitle) == Answer::No) return;
    try {
        const auto deletion =
            forms::delete_pipe(store::PipeTable(context_.project_connection), number, legacy());
        if (const auto& refused = deletion.refused) {
            ui_.message(refused->message, refused->icon);
            return;
        }
        if (!deletion.deleted) {
            ui_.message(pipe_gone(number), Icon::Exclamation);
            refresh();
            return;
        }
    } catch (const std::exception& e) {
        ui_.message(e.what(), Icon::Exclamation);
        return;
    }
    ui_.message(kPipeDeleted, Icon::Exclamation);
    refresh();
}

void PipeGridForm::modify() {
    if (!may_change("cmdflexmodpipe")) return;
    if (!has_pipes(kNoPipesToModify, true)) return;
    const std::string old_number = selected_pipe();
    const std::string question = kModifyQuestionHead + old_number + kQuestionTail;
    if (ui_.ask(question, Buttons::YesNo, Icon::Exclamation, kAppTitle) != Answer::Yes) return;

    RenumberForm dialog(context_, ui_, old_number);
    windows_.show_renumber_dialog(dialog);
    const std::string new_number = dialog.new_number();
    if (new_number.empty() || new_number == old_number) return;

    ui_.set_busy(true);
    try {
        // The number and every reference to it change together or not at all.
        if (renumber_pipe(context_.project_connection, old_number, new_number, legacy()) == 0) {
            throw store::DatabaseError(pipe_gone(old_number));
        }
    } catch (const std::exception& e) {
        ui_.set_busy(false);
        ui_.message(e.what(), Icon::Exclamation);
        refresh();
        return;
    }
    ui_.set_busy(false);
    ui_.message(kUpdateCompleted, Icon::Information);
    refresh();
}

void PipeGridForm::refresh() {
    reopen_marker_ = true;
    const int remembered = selected_;
    read_rows();
    selected_ = shown_.empty() ? 0 : std::clamp(remembered, 1, record_count());
    // With pipes the grid closes and is shown again at once on the fresh rows.
    if (!all_rows_.empty()) close_requested = true;
}

void PipeGridForm::energy_dissipation() {
    if (!fields.at("mnuEnergy").enabled) return;
    if (!has_pipes(kNoPipesForEnergy)) return;
    windows_.show_energy_dissipation();
}

void PipeGridForm::pipe_report() {
    if (!has_pipes(kNoPipesToDisplay, true)) return;
    windows_.pipe_report();
}

void PipeGridForm::form_ld229() {
    if (!has_pipes(kNoPipesToDisplay)) return;
    windows_.ld229_report();
}

void PipeGridForm::hgl_analysis() {
    if (!has_pipes(kNoPipesForHgl)) return;
    windows_.show_hgl();
    refresh();
}

void PipeGridForm::profile() {
    if (!has_pipes(kNoPipesForDrawing, true)) return;
    windows_.show_profile(selected_pipe());
}

void PipeGridForm::plan() {
    if (!has_pipes(kNoPipesForDrawing)) return;
    windows_.show_plan();
    refresh();  // a pipe opened from the plan may have changed
}

void PipeGridForm::recompute_network() {
    if (!may_change("cmdflexrecompute")) return;
    if (!has_pipes(kNoPipesToRecompute)) return;
    std::string said;
    Icon icon = Icon::Information;
    {
        // A large network's summary lists every pipe: it is let go before the rows
        // are read again, which hands the freed memory back first.
        RecomputeSummary summary;
        ui_.run_long_work(kRecomputeNetworkCaption,
                          [&] { summary = forms::recompute_network(context_, ui_); });
        said = recompute_summary_text(summary);
        if (!summary.complete()) icon = Icon::Exclamation;
    }
    ui_.message(said, icon, kAppTitle);
    refresh();
}

void PipeGridForm::size_pipes() {
    if (!may_change("mnuSizePipes")) return;
    if (!has_pipes(kNoPipesToSize)) return;
    SizingForm dialog(ui_, selected_pipe());
    windows_.show_sizing_dialog(dialog);
    if (!dialog.request()) return;
    SizingSummary summary;
    ui_.run_long_work(kSizePipesCaption,
                      [&] { summary = forms::size_pipes(context_, ui_, *dialog.request()); });
    ui_.message(sizing_summary_text(summary),
                summary.complete() ? Icon::Information : Icon::Exclamation, kSizePipesCaption);
    refresh();
}

void PipeGridForm::undo() {
    if (undo_command(context_, ui_)) refresh();
}

void PipeGridForm::redo() {
    if (redo_command(context_, ui_)) refresh();
}

void PipeGridForm::compact_history() {
    compact_history_command(context_.project_connection, ui_);
}

HistoryMenu PipeGridForm::history_menu() const {
    return forms::history_menu(context_.project_connection);
}

void PipeGridForm::import_pipes() {
    if (!may_change("mnuImportPipes")) return;
    if (import_pipe_list(context_, ui_, [this](const ImportPreview& preview) {
            return windows_.confirm_import(preview);
        })) {
        refresh();
    }
}

std::string PipeGridForm::copy_rows(const std::vector<int>& rows) const {
    std::vector<std::string> names;
    for (const GridColumn& c : columns()) names.emplace_back(c.column.name());
    std::vector<GridRow> copied;
    for (const int row : rows) {
        if (row >= 1 && row <= record_count())
            copied.push_back(shown_row(static_cast<std::size_t>(row - 1)));
    }
    return copied_rows(names, copied);
}

void PipeGridForm::paste_pipes(std::string_view text) {
    if (!may_change("mnuPastePipes")) return;
    if (paste_pipe_list(context_, ui_, text, [this](const ImportPreview& preview) {
            return windows_.confirm_import(preview);
        })) {
        refresh();
    }
}

void PipeGridForm::export_pipes() {
    if (has_pipes(kNoPipesToExport)) export_pipe_list(context_, ui_);
}

void PipeGridForm::help() {
    open_help(ui_, context_, "pipes");
}

void PipeGridForm::about() {
    windows_.about();
}

void PipeGridForm::rainfall_data() {
    windows_.show_rainfall_data();
}

void PipeGridForm::exit() {
    reopen_marker_ = false;
    context_.grid_exit_flag = true;
    close_requested = true;
}

void PipeGridForm::closing() {
    context_.grid_exit_flag = !reopen_marker_;
}

}  // namespace pelvane::forms
