#include "gui/pipe_form_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "forms/input_conventions.h"
#include "forms/main_window_form.h"
#include "forms/window_titles.h"
#include "gui/deflection_picture_dialog.h"
#include "gui/drainage_area_dialog.h"
#include "gui/history_menu.h"
#include "gui/rainfall_data_window.h"
#include "gui/size_picker_dialog.h"
#include "gui/time_of_concentration_dialog.h"

namespace pelvane::gui {
namespace {

namespace texts = forms::pipe_form_texts;

constexpr const char* kCaption = "Pipe Design";

}  // namespace

PipeFormWindow::PipeFormWindow(store::ProjectContext& context, forms::DesignSession& session,
                               forms::Ui& ui, QWidget* parent)
    : QDialog(parent),
      context_(context),
      ui_(ui),
      model_(context, session, ui_, *this),
      binder_(model_, this, ui_),
      make_(binder_, {[this](forms::FieldName name) { model_.field_entered(name); },
                      [this](forms::FieldName name) { model_.field_left(name); },
                      [this](forms::FieldName name) { model_.choose(name); }}) {
    setWindowTitle(QString::fromStdString(forms::project_window_title(context_, kCaption)));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    build_menus_and_toolbar(layout);

    auto* body = new QWidget;
    auto* body_layout = new QVBoxLayout(body);
    body_layout->setContentsMargins(10, 8, 10, 6);
    body_layout->addWidget(build_header());
    tabs_ = new QTabWidget;
    tabs_->addTab(build_structure_tab(), "Structures and Pipe");
    tabs_->addTab(build_flow_tab(), "Flow and Previous Pipes");
    tabs_->addTab(build_results_tab(), "Results");
    // Connected before the binder's own: a tab the person shows reaches the model
    // while the model still holds the tab it left.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != model_.tab) binder_.run([this, index] { model_.tab_shown(index); });
    });
    binder_.bind_tabs(tabs_);
    body_layout->addWidget(tabs_);
    layout->addWidget(body, 1);
    layout->addWidget(build_status_bar());

    connect(&binder_, &FieldBinder::refreshed, this, [this] {
        show_pressed_button();
        setWindowTitle(QString::fromStdString(
            forms::project_window_title(context_, kCaption, model_.record_changed())));
    });
    connect(&binder_, &FieldBinder::close_requested, this, [this] {
        if (!closing_) done(QDialog::Accepted);
    });
    binder_.refresh();
}

void PipeFormWindow::open_record(std::string_view pipe_form_mode,
                                 std::string_view selected_pipe_number) {
    binder_.run([&] { model_.open(pipe_form_mode, selected_pipe_number); });
}

void PipeFormWindow::build_menus_and_toolbar(QVBoxLayout* layout) {
    auto* menus = new QMenuBar;
    auto* pipe_menu = menus->addMenu("&Pipe");
    QStyle* s = style();
    add_ = pipe_menu->addAction(s->standardIcon(QStyle::SP_FileIcon), "&Add Pipe");
    edit_ = pipe_menu->addAction(s->standardIcon(QStyle::SP_FileDialogDetailedView), "&Edit Pipe");
    auto* save = pipe_menu->addAction(s->standardIcon(QStyle::SP_DialogSaveButton), "&Save Pipe");
    save->setShortcut(QKeySequence::Save);
    pipe_menu->addSeparator();
    auto* solve = pipe_menu->addAction(s->standardIcon(QStyle::SP_MediaPlay), "S&olve");
    solve->setShortcut(Qt::Key_F5);
    pipe_menu->addSeparator();
    auto* exit = pipe_menu->addAction(s->standardIcon(QStyle::SP_DialogCloseButton), "E&xit");
    auto* tools_menu = menus->addMenu("&Tools");
    auto* rainfall = tools_menu->addAction(forms::main_window_texts::kRainfallData);
    rainfall->setObjectName("mnuRainfallData");
    auto* help_menu = menus->addMenu("&Help");
    auto* help = help_menu->addAction("&Help Contents");
    help->setShortcut(QKeySequence::HelpContents);
    layout->setMenuBar(menus);
    add_history_menu(menus, this,
                     {[this] { return model_.history_menu(); },
                      [this] { binder_.run([this] { model_.undo(); }); },
                      [this] { binder_.run([this] { model_.redo(); }); }});

    add_->setCheckable(true);
    edit_->setCheckable(true);
    binder_.bind_state(texts::kAddCommand, add_);
    binder_.bind_state(texts::kEditCommand, edit_);
    binder_.bind_state(texts::kSaveCommand, save);
    binder_.bind_state(texts::kSolveCommand, solve);
    binder_.bind_state(texts::kExitCommand, exit);
    binder_.command(add_, [this] { model_.mnuAddpipe(); });
    binder_.command(edit_, [this] { model_.mnuEditpipe(); });
    binder_.command(save, [this] { model_.mnuSavepipe(); });
    connect(solve, &QAction::triggered, this, [this] { solve_from_toolbar(); });
    binder_.command(exit, [this] { model_.mnuExitPipe(); });
    binder_.command(rainfall, [this] { model_.mnuRainfallData(); });
    connect(help, &QAction::triggered, this, [this] { forms::open_help(ui_, context_, "pipes"); });

    auto* toolbar = new QToolBar;
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolbar->setIconSize(QSize(18, 18));
    add_->setIconText("Add");
    edit_->setIconText("Edit");
    save->setIconText("Save");
    solve->setIconText("Solve");
    exit->setIconText("Exit");
    toolbar->addAction(add_);
    toolbar->addAction(edit_);
    toolbar->addAction(save);
    toolbar->addSeparator();
    toolbar->addAction(solve);
    toolbar->addSeparator();
    toolbar->addAction(exit);
    layout->addWidget(toolbar);
}

QWidget* PipeFormWindow::build_header() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(2, 0, 2, 6);
    auto* caption = new QLabel("Pipe Number");
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    auto* number = make_.text("pipe_number", 140);
    caption->setBuddy(number);
    row->addWidget(caption);
    row->addWidget(number);
    row->addSpacing(16);
    auto* mode = make_.label("screenmode");
    mode->setAlignment(Qt::AlignCenter);
    mode->setMinimumWidth(64);
    mode->setFont(bold);
    mode->setStyleSheet(
        "QLabel { border: 1px solid palette(mid); border-radius: 3px; padding: 2px 8px;"
        " background: palette(alternate-base); }");
    row->addWidget(new QLabel("Mode"));
    row->addWidget(mode);
    row->addStretch(1);
    row->addWidget(new QLabel("Inlet database:"));
    auto* inlets = make_.label("inlet_dbfile");
    inlets->setTextInteractionFlags(Qt::TextSelectableByMouse);
    inlets->setMaximumWidth(380);
    row->addWidget(inlets);
    return header;
}

QStatusBar* PipeFormWindow::build_status_bar() {
    auto* bar = new QStatusBar;
    bar->setSizeGripEnabled(false);
    auto* pipe_caption = new QLabel("Pipe:");
    auto* pipe = make_.label(texts::kStatus);
    pipe->setMinimumWidth(70);
    bar->addWidget(pipe_caption);
    bar->addWidget(pipe);
    auto* project = make_.label(texts::kProjectPanel);
    bar->addWidget(project, 2);
    auto* section = make_.label(texts::kSectionPanel);
    section->setMinimumWidth(220);
    bar->addPermanentWidget(section);
    auto* units = make_.label(texts::kUnitsPanel);
    units->setMinimumWidth(120);
    bar->addPermanentWidget(units);
    return bar;
}

void PipeFormWindow::show_pressed_button() {
    const std::string& pressed = model_.fields.text(texts::kPressedButton);
    add_->setChecked(pressed == "1");
    edit_->setChecked(pressed == "3");
}

// The toolbar's Solve leaves the field being typed in first, so its rules run.
void PipeFormWindow::solve_from_toolbar() {
    if (QWidget* focused = focusWidget()) {
        if (isAncestorOf(focused)) focusNextChild();
    }
    binder_.run([this] { model_.toolbar_solve(); });
}

void PipeFormWindow::closeEvent(QCloseEvent* event) {
    if (!model_.close_requested) {
        closing_ = true;
        binder_.run([this] { model_.mnuExitPipe(); });
        closing_ = false;
    }
    if (model_.close_requested) {
        event->accept();
    } else {
        event->ignore();
    }
}

void PipeFormWindow::reject() {
    close();
}

void PipeFormWindow::show_size_picker(forms::SizePickerForm& picker) {
    SizePickerDialog dialog(picker, ui_, this);
    dialog.exec();
}

void PipeFormWindow::show_deflection_picture() {
    DeflectionPictureDialog dialog(context_, this);
    dialog.exec();
}

void PipeFormWindow::show_drainage_area(forms::DrainageAreaForm& area) {
    DrainageAreaDialog dialog(area, ui_, this);
    dialog.exec();
}

void PipeFormWindow::show_rainfall_data() {
    gui::show_rainfall_data(context_, ui_, this);
}

void PipeFormWindow::show_time_of_concentration(forms::TimeOfConcentrationForm& tc) {
    TimeOfConcentrationDialog dialog(tc, ui_, this);
    dialog.exec();
}

}  // namespace pelvane::gui
