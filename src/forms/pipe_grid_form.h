#pragma once
// The pipe network grid (`frmpipeflex`): the working window of an open project. It
// lists every pipe and carries the commands that act on the network: add, view and
// edit a pipe in the pipe window, delete a pipe, renumber it with every reference,
// refresh the list, and start the grade line, outlet protection and the reports.
//
// The main window shows the grid again and again until the grid sets the `grid exit
// flag`. Refresh closes the grid with the flag clear so that it comes back at once
// with fresh rows and the same row selected; Exit, or closing the window, sets it.

#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/text/packed_texts.h"
#include "forms/checks_form.h"
#include "forms/design_session.h"
#include "forms/form_model.h"
#include "forms/ld229_report.h"
#include "forms/pipe_form_texts.h"
#include "forms/pipe_grid_order.h"
#include "forms/pipe_grid_rows.h"
#include "forms/pipe_list_form.h"
#include "forms/project_history.h"
#include "forms/renumber_form.h"
#include "forms/size_picker_form.h"
#include "forms/sizing_form.h"
#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

// Captions of the window (its title is the application title).
inline constexpr const char* kRecCountCaption = "Total Number of Pipes in the Project Database:";
inline constexpr const char* kPipeFunctionsCaption = "Pipe Functions";
inline constexpr const char* kFilterPlaceholder =
    "Filter: show the pipes holding this text in any column (Ctrl+F)";

// Messages.
inline constexpr const char* kNoPipesToViewEdit = "No pipes to View/Edit!";
inline constexpr const char* kNoPipesToDelete = "No pipes to Delete!";
inline constexpr const char* kNoPipesToModify = "No pipes to Modify!";
inline constexpr const char* kNoPipesForEnergy = "No pipes to do Energy Dissipation Analysis!";
inline constexpr const char* kNoPipesForHgl = "No pipes to Display in HGL Report!";
inline constexpr const char* kNoPipesForDrawing = "No pipes to draw!";
inline constexpr const char* kNoPipesToExport = "No pipes to export!";
inline constexpr const char* kViewingOnlyBanner =
    "This project file is read-only, so it is open for viewing: the commands that would "
    "change it are off. To work on it, make the file writable and open it again.";
// The mark of a pipe whose results an edit cleared (or that was never solved).
inline constexpr const char* kUnsolvedTip = "Not solved since the last edit: Recompute (F9)";
// The status line under the grid: "3 pipes unsolved — F9 recomputes" ("" when every pipe
// is solved; without the hint when Recompute is off).
std::string unsolved_status(std::size_t count, bool recompute_on);
// The two reports refuse with their own kNoPipesToDisplay.
inline constexpr const char* kDeleteQuestionHead = "Delete Current Pipe - ";
inline constexpr const char* kModifyQuestionHead = "Modify Current pipe number - ";
inline constexpr const char* kQuestionTail = " ?";
inline constexpr const char* kPipeDeleted =
    "Current pipe Deleted! Please Refresh the screen to verify the results";
inline constexpr const char* kUpdateCompleted =
    "Update completed! Please Refresh the screen to verify your changes";

// The grid opens the pipe window with the modes of pipe_form_texts (`pipe form
// mode`: kAddRequest, kViewRequest, kEditRequest).

class PipeGridForm : public FormModel {
  public:
    // The windows the grid opens, each modal over it. The view implements them.
    class Windows {
      public:
        virtual ~Windows() = default;
        // The pipe window in `mode` ("add", "view", "edit") on `pipe_number` ("" to add).
        virtual void show_pipe_form(const std::string& mode, const std::string& pipe_number) = 0;
        // Runs the renumber dialog until it asks to close.
        virtual void show_renumber_dialog(RenumberForm& dialog) = 0;
        virtual void show_hgl() = 0;
        // The profile of the run from `pipe_number` down to its outfall.
        virtual void show_profile(const std::string& pipe_number) = 0;
        // The schematic plan of the whole network.
        virtual void show_plan() = 0;
        virtual void show_energy_dissipation() = 0;
        virtual void ld229_report() = 0;
        virtual void pipe_report() = 0;
        virtual void about() = 0;
        // Rainfall Data, where missing coefficients are imported.
        virtual void show_rainfall_data() = 0;
        // Runs the Size Pipes dialog until it asks to close.
        virtual void show_sizing_dialog(SizingForm& dialog) = 0;
        // The preview of a pipe list to import; true when the person chose Import.
        virtual bool confirm_import(const ImportPreview& preview) = 0;
        // The size picker of a row's shape, as the pipe window opens it.
        virtual void show_size_picker(SizePickerForm& picker) = 0;
    };

    // How a cell is edited: not at all, in place (typed, or chosen from `cell_choices`),
    // or through the size picker of the row's shape.
    enum class CellEdit { None, InPlace, Picker };

    PipeGridForm(store::ProjectContext& context, DesignSession& session, Ui& ui, Windows& windows);

    // Opening: clears the reopen marker; enters pipe design in the session; sets the
    // Energy Dissipation command (off in legacy database mode); reads the rows as
    // `view` shows them and selects the row of `remembered_pipe`, else
    // `remembered_row` (1 = first data row), else the first row.
    void open(int remembered_row = 0, GridView view = {}, std::string_view remembered_pipe = {});

    std::span<const GridColumn> columns() const { return grid_columns(legacy()); }
    // The unit of column `index` in this project's units, shown under its heading
    // ("" for a column without one).
    std::string column_unit(std::size_t index) const;
    // The rows shown, sorted and filtered as `view()` says: row `index` (0 = first)
    // and one cell of it.
    GridRow shown_row(std::size_t index) const { return all_rows_[shown_[index]].unpacked(); }
    std::string_view shown_cell(std::size_t index, std::size_t column) const {
        return all_rows_[shown_[index]][column];
    }
    int record_count() const { return static_cast<int>(shown_.size()); }
    const GridView& view_state() const { return view_; }
    // A click on the header of column `index` (a second click reverses the order),
    // and the filter box. The selection stays on its pipe while it is shown.
    void sort_by(std::size_t index);
    void set_filter(std::string text);
    // The selected data row, 1 = first; 0 when no pipe is shown.
    int selected_row() const { return selected_; }
    // The PIPE_ID of the selected row ("" without one).
    std::string selected_pipe() const;
    // A click on a data row (1 = first); anything outside the rows is ignored.
    void select_row(int row);
    bool reopen_marker() const { return reopen_marker_; }

    // The Checks panel's model. The grid runs its review each time it reads its rows,
    // so after every save and recompute.
    ChecksForm& checks() { return checks_; }
    // The design rules the pipe of data row `row` (1 = first) breaks, "" for none.
    std::string row_marks(int row) const;
    // Whether the pipe of data row `row` is unsolved (its results are blank).
    bool row_unsolved(int row) const;

    // Commands of the buttons and the File menu.
    void add();
    void view();  // also a double-click on a row, and Enter
    void edit();
    void delete_pipe();  // also the Delete key
    void modify();
    void refresh();
    void energy_dissipation();
    void pipe_report();
    void form_ld229();
    void hgl_analysis();
    // The profile of the run from the selected pipe down to the end of the network,
    // and the plan of the whole network.
    void profile();
    void plan();
    // Selects the row of pipe `number` (the plan's click); false when there is none.
    bool select_pipe(std::string_view number);
    // Recompute Network: every pipe recomputed and solved in flow order, the changed
    // ones saved; the summary is shown, then the grid refreshes.
    void recompute_network();
    // Size Pipes: asks for the pipes (the selected one or all) and the share of full
    // flow, sizes them and recomputes the network, shows what changed and what could
    // not be sized, then the grid refreshes.
    void size_pipes();
    // Edit > Undo / Redo (the grid reads its rows again) and File > Compact History.
    void undo();
    void redo();
    void compact_history();
    HistoryMenu history_menu() const;
    // File > Import Pipes... (the grid refreshes after an import) and Export Pipes....
    void import_pipes();
    void export_pipes();
    // Copy Rows: the shown rows `rows` (1 = first) under a header of the grid's PIPE
    // columns, as tab-separated text. Paste Pipes: `text` previewed with every
    // problem, then adding or updating the pipes its rows name (an updated pipe is
    // unsolved until recomputed); the grid refreshes after it.
    std::string copy_rows(const std::vector<int>& rows) const;
    void paste_pipes(std::string_view text);
    // How the cell of shown row `row` (1 = first), column `index` is edited: the plain
    // inputs in place; a size as the pipe window gives it for the row's shape (a circular
    // diameter from its list, a box's span and rise typed, the other shapes' span and
    // rise through their size picker; a size the shape does not use not at all); never
    // the pipe number (Modify changes it with every reference) nor the discharge (the
    // solve's), nothing while viewing only.
    CellEdit cell_edit(int row, std::size_t index) const;
    // The values an in-place editor offers for the cell (the window's list of shapes,
    // materials or standard diameters), empty for a typed value.
    std::vector<std::string> cell_choices(int row, std::size_t index) const;
    // An edit of the cell of shown row `row` (1 = first), column `index`: the value
    // meets the paste's checks as a one-pipe paste, and a shape or material brings the
    // section changes the pipe window makes with it (sizes, n); a refused one is shown
    // with its message and the cell keeps the saved value. The rows are read again (the
    // pipe stays selected). True when the pipe changed.
    bool edit_cell(int row, std::size_t index, const std::string& text);
    // The size picker of the row's shape; Select writes the picked size (and an arch's
    // material and n) as one edit. True when the pipe changed.
    bool pick_size(int row);
    // Tools > Rainfall Data.
    void rainfall_data();
    void help();
    void about();
    void exit();

    // The window is closing, by any means: the `grid exit flag` is set unless a
    // Refresh closed it to be shown again.
    void closing();

  private:
    bool legacy() const { return context_.legacy_database_mode; }
    // Whether the command of `command`'s button or menu item is on (off for a file open
    // for viewing); a key press reaches a command whose button is off.
    bool may_change(FieldName command) const;
    void read_rows();
    // Takes the rows `view_` shows again; the selection stays on its pipe.
    void show_view();
    // Shows `message` and returns false when the project has no pipes or, for a
    // command on the selected pipe, when the filter shows none.
    bool has_pipes(const char* message, bool selected = false);
    // Writes `cells` (PIPE column, text) of the pipe of shown row `row` as one Edit in
    // Grid step, naming the pipe and `edited` in a refusal.
    bool write_cells(int row, std::string_view edited,
                     const std::vector<std::pair<store::Column, std::string>>& cells);

    store::ProjectContext& context_;
    DesignSession& session_;
    Ui& ui_;
    Windows& windows_;
    // Every pipe, packed so that a large network's grid stays small; the positions
    // of the rows shown, in their order; whether each pipe is unsolved.
    std::vector<text::PackedTexts> all_rows_;
    std::vector<std::size_t> shown_;
    std::vector<bool> unsolved_;
    GridView view_;
    ChecksForm checks_;
    int selected_ = 0;
    bool reopen_marker_ = false;
};

}  // namespace pelvane::forms
