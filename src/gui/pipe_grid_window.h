#pragma once
// The pipe network grid window and the Design command's loop that shows it until
// the grid exit flag is set.

#include <QByteArray>
#include <QDialog>
#include <functional>
#include <string>

#include "forms/pipe_grid_form.h"
#include "gui/field_binder.h"

class QLineEdit;
class QModelIndex;
class QTableView;
class QMenuBar;

namespace pelvane::gui {

class PipeGridTableModel;

// The windows the grid opens that live elsewhere. The Design command sets them all;
// a test sets those of the commands it uses.
struct PipeGridHooks {
    // The pipe window in "add", "view" or "edit" mode on a pipe ("" to add).
    std::function<void(QWidget* parent, const std::string& mode, const std::string& pipe_number)>
        pipe_form;
    std::function<void(QWidget* parent)> hgl;
    std::function<void(QWidget* parent)> energy_dissipation;
    std::function<void(QWidget* parent)> ld229_report;
    // The storm drain results report of the pipe in the selected row.
    std::function<void(QWidget* parent, const std::string& selected_pipe)> pipe_report;
    std::function<void(QWidget* parent)> about;
};

class PipeGridWindow : public QDialog, private forms::PipeGridForm::Windows {
    Q_OBJECT
  public:
    PipeGridWindow(store::ProjectContext& context, forms::DesignSession& session, forms::Ui& ui,
                   PipeGridHooks hooks, QWidget* parent = nullptr);

    // Reads the pipes as `view` shows them and selects the row of `remembered_pipe`,
    // else `remembered_row` (1 = first), scrolled into view.
    void load(int remembered_row = 0, const forms::GridView& view = {},
              const std::string& remembered_pipe = {});

    forms::PipeGridForm& form() { return form_; }
    QTableView* table() const { return table_; }

    // Runs a command of the grid as a button would.
    void run(const std::function<void()>& command);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  public slots:
    void done(int result) override;

  private:
    void build_menus();
    void build_body();
    // Shows the form's rows and selected row.
    void show_rows();
    // Puts the selected rows on the clipboard as tab-separated text, and pastes
    // the clipboard's rows.
    void copy_rows();
    void paste_rows();
    // The Checks panel, modal over the grid; its criteria and findings mark the rows.
    void show_checks();
    // Whether a cell's size is chosen through the size picker of its row's shape.
    bool picks_size(const QModelIndex& index) const;

    // forms::PipeGridForm::Windows
    void show_pipe_form(const std::string& mode, const std::string& pipe_number) override;
    void show_renumber_dialog(forms::RenumberForm& dialog) override;
    void show_hgl() override;
    void show_profile(const std::string& pipe_number) override;
    void show_plan() override;
    void show_energy_dissipation() override;
    void ld229_report() override;
    void pipe_report() override;
    void about() override;
    void show_rainfall_data() override;
    void show_sizing_dialog(forms::SizingForm& dialog) override;
    bool confirm_import(const forms::ImportPreview& preview) override;
    void show_size_picker(forms::SizePickerForm& picker) override;

    store::ProjectContext& context_;
    forms::Ui& ui_;
    PipeGridHooks hooks_;
    forms::PipeGridForm form_;
    FieldBinder binder_;
    QMenuBar* menu_bar_ = nullptr;
    PipeGridTableModel* rows_model_ = nullptr;
    QTableView* table_ = nullptr;
    QLineEdit* filter_ = nullptr;
    bool syncing_ = false;
};

// What one showing of the grid hands to the next: the selected row and its pipe, the
// order and filter of the rows, and the window's place and size.
struct PipeGridMemory {
    int selected_row = 0;
    std::string selected_pipe;
    forms::GridView view;
    QByteArray geometry;
};

// Shows the grid once, modally, and returns when it closes: by Exit or its close box
// (the grid exit flag is then set) or by a Refresh (the flag stays clear and the
// caller shows it again). `memory` carries the selected pipe and the view from a
// Refresh to the next showing; after an Exit the next showing starts on the first
// row again, in the order read.
void show_pipe_grid(store::ProjectContext& context, forms::DesignSession& session, forms::Ui& ui,
                    QWidget* parent, const PipeGridHooks& hooks, PipeGridMemory& memory);

// The Design command's cycle: clears the grid exit flag and shows the grid again
// and again until the grid sets the flag.
void run_pipe_grid(store::ProjectContext& context, forms::DesignSession& session, forms::Ui& ui,
                   QWidget* parent, const PipeGridHooks& hooks);

}  // namespace pelvane::gui
