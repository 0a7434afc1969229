#pragma once
// The pipe window `frmpipemain` over its model: three tabs (structures and pipe,
// flow and previous pipes, results), the menu and toolbar commands, the status
// bar, and the windows it opens over itself (size pickers, the deflection-angle
// picture, drainage area, time of concentration). Closing it by its frame runs
// Exit, which may keep it open.

#include <QDialog>
#include <memory>
#include <string_view>

#include "forms/pipe_form.h"
#include "gui/field_binder.h"
#include "gui/pipe_form_widgets.h"

class QAction;
class QStatusBar;
class QTabWidget;
class QVBoxLayout;

namespace pelvane::gui {

class PipeFormWindow : public QDialog, public forms::PipeFormWindows {
    Q_OBJECT
  public:
    // `ui` shows the window's message boxes and dialogs, and those of the windows it
    // opens.
    PipeFormWindow(store::ProjectContext& context, forms::DesignSession& session, forms::Ui& ui,
                   QWidget* parent = nullptr);

    // Opens the record as the grid asks ("add", "edit" or "view").
    void open_record(std::string_view pipe_form_mode, std::string_view selected_pipe_number);

    forms::PipeForm& model() { return model_; }
    QTabWidget* tabs() const { return tabs_; }
    FieldBinder& binder() { return binder_; }

    void show_size_picker(forms::SizePickerForm& picker) override;
    void show_deflection_picture() override;
    void show_drainage_area(forms::DrainageAreaForm& area) override;
    void show_time_of_concentration(forms::TimeOfConcentrationForm& tc) override;
    void refresh_grid() override { emit pipe_saved(); }
    void show_rainfall_data() override;

  signals:
    // A pipe was saved: whatever lists the pipes reads them again.
    void pipe_saved();

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape asks like the frame's close button.
    void reject() override;

  private:
    void build_menus_and_toolbar(QVBoxLayout* layout);
    QWidget* build_header();
    QWidget* build_structure_tab();
    QWidget* build_flow_tab();
    QWidget* build_results_tab();
    QStatusBar* build_status_bar();
    void show_pressed_button();
    void solve_from_toolbar();

    store::ProjectContext& context_;
    forms::Ui& ui_;
    forms::PipeForm model_;
    FieldBinder binder_;
    FieldFactory make_;
    QTabWidget* tabs_ = nullptr;
    QAction* add_ = nullptr;
    QAction* edit_ = nullptr;
    bool closing_ = false;
};

}  // namespace pelvane::gui
