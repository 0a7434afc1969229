#include "gui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>

#include "forms/ld229_report.h"
#include "forms/pipe_report.h"
#include "gui/about_window.h"
#include "gui/background_task.h"
#include "gui/field_binder.h"
#include "gui/hgl_window.h"
#include "gui/history_menu.h"
#include "gui/pipe_energy_window.h"
#include "gui/pipe_form_window.h"
#include "gui/pipe_grid_window.h"
#include "gui/project_conversion_window.h"
#include "gui/project_details_window.h"
#include "gui/rainfall_data_window.h"
#include "gui/splash_picture.h"

namespace pelvane::gui {
namespace {

using namespace forms::main_window_texts;

// The picture area (`Picture1`).
class PictureArea : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paint_product_picture(painter, rect());
    }
};

}  // namespace

MainWindow::MainWindow(store::ProjectContext& context, forms::Ui& ui, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      ui_(ui),
      grid_memory_(std::make_unique<PipeGridMemory>()) {
    form_ = std::make_unique<forms::MainWindowForm>(context_, ui_, *this, forms::local_now);
    binder_ = std::make_unique<FieldBinder>(*form_, this, ui_);
    setWindowTitle(forms::kAppTitle);
    setCentralWidget(new PictureArea(this));
    build_menus();
    build_status_bar();
    // After every command, the grid's included: a step made there counts here too, so
    // Ctrl+Z works before the Edit menu has been opened.
    connect(binder_.get(), &FieldBinder::refreshed, this, [this] {
        setWindowTitle(QString::fromStdString(form_->title()));
        // The clock refreshes while background work uses the project's connection;
        // the history is read again once it is over.
        if (refresh_history_ && !background_work_running()) refresh_history_();
    });
    binder_->refresh();

    clock_.setInterval(1000);
    connect(&clock_, &QTimer::timeout, this, [this] {
        form_->tick();
        binder_->refresh();
    });
    clock_.start();
    resize(960, 640);
}

// Out of line, where PipeGridMemory is complete.
MainWindow::~MainWindow() = default;

void MainWindow::build_menus() {
    struct Item {
        const char* name;  // nullptr: a separator
        const char* caption;
        void (forms::MainWindowForm::*command)();
    };
    const auto add_items = [this](QMenu* menu, std::initializer_list<Item> items) {
        for (const Item& item : items) {
            if (!item.name) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(item.caption);
            action->setObjectName(item.name);
            binder_->bind_state(forms::FieldName::named(item.name), action);
            binder_->command(action, [this, command = item.command] { (form_.get()->*command)(); });
        }
    };
    using F = forms::MainWindowForm;
    QMenu* file = menuBar()->addMenu(kFileMenu);
    file->setObjectName("mnufile");
    add_items(file, {{"mnucreateProj", kCreateProject, &F::mnucreateProj},
                     {"mnuopenProj", kOpenProject, &F::mnuopenProj}});
    build_recent_menu(file);
    add_items(file, {{nullptr, nullptr, nullptr},
                     {"mnuupdateProj", kUpdateProject, &F::mnuupdateProj},
                     {"mnucloseProj", kCloseProject, &F::mnucloseProj},
                     {nullptr, nullptr, nullptr},
                     {"mnucompactHistory", kCompactHistory, &F::compact_history},
                     {nullptr, nullptr, nullptr},
                     {"mnuexit", kExit, &F::mnuexit}});
    QMenu* design = menuBar()->addMenu(kDesignMenu);
    design->setObjectName("mnuDesign");
    add_items(design, {{"mnuPipe", kPipe, &F::mnuPipe}});
    QMenu* tools = menuBar()->addMenu(kToolsMenu);
    tools->setObjectName("mnuTools");
    add_items(tools, {{"mnuRainfallData", kRainfallData, &F::mnuRainfallData}});
    QMenu* help = menuBar()->addMenu(kHelpMenu);
    help->setObjectName("mnuHelp");
    add_items(help, {{"mnusubHelp", kHelp, &F::mnusubHelp}, {"mnuabout", kAbout, &F::mnuabout}});
    refresh_history_ = add_history_menu(menuBar(), this,
                                        {[this] { return form_->history_menu(); },
                                         [this] { binder_->run([this] { form_->undo(); }); },
                                         [this] { binder_->run([this] { form_->redo(); }); }});
}

void MainWindow::build_recent_menu(QMenu* file) {
    QMenu* recent = file->addMenu(forms::kRecentProjectsMenu);
    recent->setObjectName("mnuRecentProjects");
    // Rebuilt each time it opens, so it always shows the list as it is now.
    connect(recent, &QMenu::aboutToShow, this, [this, recent] {
        recent->clear();
        const auto& paths = form_->recent_projects();
        if (paths.empty()) recent->addAction(forms::kNoRecentProjects)->setEnabled(false);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            QAction* action = recent->addAction(
                QString::fromStdString(forms::recent_project_caption(i, paths[i])));
            binder_->command(action, [this, i] { form_->open_recent(i); });
        }
    });
}

void MainWindow::build_status_bar() {
    const std::array<forms::FieldName, 4> names{"status_database", "status_units", "status_date",
                                                "status_time"};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QString::fromStdString(names[i].str()));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(6, 0, 6, 0);
        panels_[i] = panel;
        binder_->bind(names[i], panel);
        if (i == 0) {
            statusBar()->addWidget(panel, 1);
        } else {
            panel->setMinimumWidth(i == 1 ? 140 : 90);
            statusBar()->addPermanentWidget(panel);
        }
    }
    statusBar()->setSizeGripEnabled(false);
}

void MainWindow::open_project_file(const QString& path) {
    binder_->run([this, p = path.toStdString()] { form_->open_project_file(p); });
}

void MainWindow::show_project_details(store::DetailsWindow window) {
    ProjectDetailsWindow details(
        context_, window,
        [this](std::string text) {
            form_->show_database_status(std::move(text));
            binder_->refresh();
        },
        [this](QWidget* over) { gui::show_rainfall_data(context_, ui_, over); }, ui_, this);
    details.exec();
}

void MainWindow::show_project_conversion() {
    ProjectConversionWindow conversion(context_, ui_, this);
    conversion.exec();
}

void MainWindow::show_pipe_grid() {
    PipeGridHooks hooks;
    hooks.about = [](QWidget* parent) { gui::show_about(parent); };
    hooks.pipe_form = [this](QWidget* parent, const std::string& mode,
                             const std::string& pipe_number) {
        PipeFormWindow window(context_, session_, ui_, parent);
        window.open_record(mode, pipe_number);
        window.exec();
    };
    hooks.hgl = [this](QWidget* parent) { gui::show_hgl(context_, session_, ui_, parent); };
    hooks.energy_dissipation = [this](QWidget* parent) {
        gui::show_energy_dissipation(context_, session_, ui_, parent);
    };
    hooks.ld229_report = [this](QWidget*) { forms::run_ld229_report(context_, session_, ui_); };
    hooks.pipe_report = [this](QWidget*, const std::string& selected_pipe) {
        forms::run_pipe_report(context_, ui_, selected_pipe);
    };
    gui::show_pipe_grid(context_, session_, ui_, this, hooks, *grid_memory_);
}

void MainWindow::show_rainfall_data() {
    gui::show_rainfall_data(context_, ui_, this);
}

void MainWindow::show_about() {
    gui::show_about(this);
}

void MainWindow::exit_program() {
    exiting_ = true;
    clock_.stop();
    // Every other window is modal over this one and closes with it.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible()) window->close();
    }
    close();
    QApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!exiting_) {
        // Closing the window is Exit: nothing is saved and nothing is asked.
        binder_->run([this] { form_->mnuexit(); });
    }
    event->accept();
}

}  // namespace pelvane::gui
