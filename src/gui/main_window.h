#pragma once
// The main window over MainWindowForm: the menus, the product picture and the
// status bar with its four panels, and the modal windows the commands open.

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>

#include "forms/design_session.h"
#include "forms/main_window_form.h"
#include "gui/field_binder.h"

class QLabel;
class QMenu;

namespace pelvane::gui {

struct PipeGridMemory;

class MainWindow : public QMainWindow, public forms::Windows {
    Q_OBJECT
  public:
    // `ui` shows the message boxes and dialogs of this window and of the windows it
    // opens.
    MainWindow(store::ProjectContext& context, forms::Ui& ui, QWidget* parent = nullptr);
    ~MainWindow() override;

    forms::MainWindowForm& form() { return *form_; }
    // Opens a project file as Open does, without the dialog (the command line).
    void open_project_file(const QString& path);
    QLabel* status_panel(int index) const { return panels_[index]; }

    // The windows the commands open, each modal over this one.
    void show_project_details(store::DetailsWindow window) override;
    void show_project_conversion() override;
    void show_pipe_grid() override;
    void show_rainfall_data() override;
    void show_about() override;
    void exit_program() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void build_menus();
    void build_recent_menu(QMenu* file);
    void build_status_bar();

    store::ProjectContext& context_;
    forms::Ui& ui_;
    // What the design windows opened from here share while the program runs.
    forms::DesignSession session_;
    std::unique_ptr<forms::MainWindowForm> form_;
    std::unique_ptr<FieldBinder> binder_;
    QLabel* panels_[4] = {};
    // The grid's selected row and place, from one showing of the Design cycle to the next.
    std::unique_ptr<PipeGridMemory> grid_memory_;
    QTimer clock_;
    bool exiting_ = false;
    std::function<void()> refresh_history_;
};

}  // namespace pelvane::gui
