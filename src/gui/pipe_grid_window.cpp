#include "gui/pipe_grid_window.h"

#include <algorithm>

#include <QAction>
#include <QClipboard>
#include <QColor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include "forms/main_window_form.h"
#include "forms/network_recompute.h"
#include "forms/window_titles.h"
#include "gui/checks_dialog.h"
#include "gui/history_menu.h"
#include "gui/import_preview_dialog.h"
#include "gui/pipe_grid_table_model.h"
#include "gui/plan_window.h"
#include "gui/profile_window.h"
#include "gui/rainfall_data_window.h"
#include "gui/renumber_dialog.h"
#include "gui/size_picker_dialog.h"
#include "gui/sizing_dialog.h"
#include "gui/submittal_dialog.h"

namespace pelvane::gui {

PipeGridWindow::PipeGridWindow(store::ProjectContext& context, forms::DesignSession& session,
                               forms::Ui& ui, PipeGridHooks hooks, QWidget* parent)
    : QDialog(parent),
      context_(context),
      ui_(ui),
      hooks_(std::move(hooks)),
      form_(context, session, ui, *this),
      binder_(form_, this, ui_) {
    setWindowTitle(QString::fromStdString(forms::project_window_title(context, forms::kAppTitle)));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);
    build_menus();
    build_body();
    connect(&binder_, &FieldBinder::close_requested, this, [this] { QDialog::accept(); });
    resize(1240, 640);
}

void PipeGridWindow::build_menus() {
    auto* bar = new QMenuBar(this);
    auto* file = bar->addMenu("&File");
    const auto item = [&](QMenu* menu, const char* caption, void (forms::PipeGridForm::*command)(),
                          const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(caption);
        if (!keys.isEmpty()) action->setShortcut(keys);
        connect(action, &QAction::triggered, this,
                [this, command] { run([this, command] { (form_.*command)(); }); });
        return action;
    };
    using F = forms::PipeGridForm;
    binder_.bind_state("cmdflexaddpipe",
                       item(file, "&Add Pipe", &F::add, QKeySequence(Qt::CTRL | Qt::Key_N)));
    item(file, "&View Pipe", &F::view);
    binder_.bind_state("cmdflexveditpipe",
                       item(file, "&Edit Pipe", &F::edit, QKeySequence(Qt::CTRL | Qt::Key_E)));
    binder_.bind_state("cmdflexmodpipe", item(file, "&Modify Pipe Number", &F::modify));
    item(file, "&Refresh", &F::refresh, QKeySequence(Qt::Key_F5));
    binder_.bind_state("cmdflexrecompute", item(file, forms::kRecomputeNetworkCaption,
                                                &F::recompute_network, QKeySequence(Qt::Key_F9)));
    binder_.bind_state("cmdflexdeletepipe", item(file, "&Delete Pipe", &F::delete_pipe));
    file->addSeparator();
    item(file, "Compact &History...", &F::compact_history);
    file->addSeparator();
    binder_.bind_state("mnuEnergy", item(file, "Energy Dissipation", &F::energy_dissipation));
    item(file, "Pipe Report", &F::pipe_report);
    item(file, "Form LD229", &F::form_ld229);
    item(file, "HGL Analysis", &F::hgl_analysis);
    item(file, "&Profile...", &F::profile, QKeySequence(Qt::CTRL | Qt::Key_P));
    item(file, "Network P&lan...", &F::plan, QKeySequence(Qt::CTRL | Qt::Key_L));
    QAction* submittal = file->addAction(forms::submittal_texts::kCommand);
    connect(submittal, &QAction::triggered, this,
            [this] { run([this] { show_submittal(context_, ui_, this); }); });
    file->addSeparator();
    binder_.bind_state("mnuImportPipes",
                       item(file, forms::pipe_list_texts::kImportCommand, &F::import_pipes,
                            QKeySequence(Qt::CTRL | Qt::Key_I)));
    item(file, forms::pipe_list_texts::kExportCommand, &F::export_pipes);
    QAction* copy = file->addAction(forms::pipe_list_texts::kCopyCommand);
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, [this] { copy_rows(); });
    QAction* paste = file->addAction(forms::pipe_list_texts::kPasteCommand);
    paste->setShortcut(QKeySequence::Paste);
    connect(paste, &QAction::triggered, this, [this] { paste_rows(); });
    binder_.bind_state("mnuPastePipes", paste);
    file->addSeparator();
    item(file, "E&xit", &F::exit);
    auto* tools = bar->addMenu("&Tools");
    binder_.bind_state("mnuSizePipes", item(tools, forms::kSizePipesCommand, &F::size_pipes,
                                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    item(tools, forms::main_window_texts::kRainfallData, &F::rainfall_data);
    QAction* checks = tools->addAction(forms::checks_texts::kCommand);
    checks->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    connect(checks, &QAction::triggered, this, [this] { run([this] { show_checks(); }); });
    auto* help = bar->addMenu("&Help");
    item(help, "&Help ", &F::help, QKeySequence(Qt::Key_F1));
    item(help, "About Marrowind", &F::about);
    add_history_menu(
        bar, this,
        {[this] { return form_.history_menu(); }, [this] { run([this] { form_.undo(); }); },
         [this] { run([this] { form_.redo(); }); }});
    bar->setNativeMenuBar(false);
    menu_bar_ = bar;
}

void PipeGridWindow::build_body() {
    table_ = new QTableView(this);
    rows_model_ = new PipeGridTableModel(form_, this);
    table_->setModel(rows_model_);
    table_->setItemDelegate(new PipeGridCellDelegate(form_, table_));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // F2 or typing edits a cell; Enter and a double-click keep viewing the pipe. A size
    // from a size table opens its picker on F2 or a double-click instead.
    table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    connect(
        rows_model_, &PipeGridTableModel::cell_edited, this,
        [this](int row, int column, const QString& text) {
            run([this, row, column, &text] {
                form_.edit_cell(row + 1, static_cast<std::size_t>(column), text.toStdString());
            });
        },
        Qt::QueuedConnection);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->setCornerButtonEnabled(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Widths come from the first rows only, so a network of thousands opens at once.
    table_->horizontalHeader()->setResizeContentsPrecision(200);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    table_->setStyleSheet(
        "QTableView { gridline-color: #d4dae1; selection-background-color: #2f6fb3; }"
        "QTableView::item { padding: 0px 2px; }"
        "QHeaderView::section { background: #e9edf2; color: #1f2a36; padding: 4px 2px;"
        " border: none; border-right: 1px solid #cbd2da; border-bottom: 1px solid #b6bfc9;"
        " }");
    QPalette palette = table_->palette();
    palette.setColor(QPalette::AlternateBase, QColor(0xf3, 0xf6, 0xfa));
    table_->setPalette(palette);
    table_->installEventFilter(this);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        if (picks_size(index)) {
            run([this, &index] { form_.pick_size(index.row() + 1); });
        } else {
            run([this] { form_.view(); });
        }
    });
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, [this](int section) {
        run([this, section] { form_.sort_by(static_cast<std::size_t>(section)); });
    });
    filter_ = new QLineEdit(this);
    filter_->setObjectName("grid_filter");
    filter_->setPlaceholderText(forms::kFilterPlaceholder);
    filter_->setClearButtonEnabled(true);
    connect(filter_, &QLineEdit::textEdited, this, [this](const QString& text) {
        run([this, &text] { form_.set_filter(text.toStdString()); });
    });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        filter_->setFocus();
        filter_->selectAll();
    });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!syncing_ && current.isValid()) form_.select_row(current.row() + 1);
            });

    auto* count_caption = new QLabel(forms::kRecCountCaption, this);
    auto* count = new QLabel(this);
    count->setObjectName("rec_count");
    QFont bold = count->font();
    bold.setBold(true);
    count->setFont(bold);
    binder_.bind("rec_count", count);
    auto* count_row = new QHBoxLayout;
    count_row->addWidget(count_caption);
    count_row->addWidget(count);
    count_row->addSpacing(24);
    auto* unsolved = new QLabel(this);
    unsolved->setObjectName("unsolved_status");
    unsolved->setStyleSheet("QLabel { color: #7a5200; }");
    binder_.bind("unsolved_status", unsolved);
    count_row->addWidget(unsolved);
    count_row->addStretch();

    auto* frame = new QGroupBox(forms::kPipeFunctionsCaption, this);
    auto* buttons = new QHBoxLayout(frame);
    const auto button = [&](const char* name, const char* caption,
                            void (forms::PipeGridForm::*command)()) {
        auto* b = new QPushButton(caption, frame);
        b->setObjectName(name);
        // Enter belongs to the grid (it views the selected pipe), not to a default button.
        b->setAutoDefault(false);
        b->setMinimumWidth(88);
        connect(b, &QPushButton::clicked, this,
                [this, command] { run([this, command] { (form_.*command)(); }); });
        buttons->addWidget(b);
        return b;
    };
    using F = forms::PipeGridForm;
    binder_.bind_state("cmdflexaddpipe", button("cmdflexaddpipe", "Add", &F::add));
    button("cmdflexviewpipe", "View", &F::view);
    binder_.bind_state("cmdflexveditpipe", button("cmdflexveditpipe", "Edit", &F::edit));
    binder_.bind_state("cmdflexdeletepipe", button("cmdflexdeletepipe", "Delete", &F::delete_pipe));
    binder_.bind_state("cmdflexmodpipe", button("cmdflexmodpipe", "Modify", &F::modify));
    button("cmdflexrefreshpipe", "Refresh", &F::refresh);
    binder_.bind_state("cmdflexrecompute",
                       button("cmdflexrecompute", "Recompute", &F::recompute_network));
    buttons->addStretch();
    button("cmdflexexit", "Exit", &F::exit);

    auto* banner = new QLabel(this);
    banner->setObjectName("read_only_banner");
    banner->setWordWrap(true);
    banner->setStyleSheet(
        "QLabel { background: #fff4ce; color: #4a3b00; border: 1px solid #e0c96b;"
        " padding: 6px; }");
    binder_.bind("read_only_banner", banner);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu_bar_);
    layout->addWidget(banner);
    layout->addWidget(filter_);
    layout->addWidget(table_, 1);
    layout->addLayout(count_row);
    layout->addWidget(frame);
}

void PipeGridWindow::load(int remembered_row, const forms::GridView& view,
                          const std::string& remembered_pipe) {
    filter_->setText(QString::fromStdString(view.filter));
    run([&] { form_.open(remembered_row, view, remembered_pipe); });
    table_->resizeColumnsToContents();
    table_->setFocus();
}

void PipeGridWindow::run(const std::function<void()>& command) {
    binder_.run([this, &command] {
        command();
        show_rows();
    });
}

void PipeGridWindow::show_rows() {
    syncing_ = true;
    rows_model_->reload();
    QHeaderView* header = table_->horizontalHeader();
    const auto& sorted = form_.view_state().sort_column;
    header->setSortIndicatorShown(sorted.has_value());
    if (sorted) {
        header->setSortIndicator(static_cast<int>(*sorted), form_.view_state().descending
                                                                ? Qt::DescendingOrder
                                                                : Qt::AscendingOrder);
    }
    const int row = form_.selected_row() - 1;
    if (row >= 0) {
        const QModelIndex index = rows_model_->index(row, 0);
        table_->setCurrentIndex(index);
        table_->selectRow(row);
        table_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    syncing_ = false;
}

bool PipeGridWindow::eventFilter(QObject* watched, QEvent* event) {
    // Keys an open cell editor lets through (Enter after an edit) are not the grid's.
    if (watched == table_ && event->type() == QEvent::KeyPress && table_->hasFocus()) {
        const auto* press = static_cast<QKeyEvent*>(event);
        // The view's own Copy would take the current cell only.
        if (press->matches(QKeySequence::Copy)) {
            copy_rows();
            return true;
        }
        if (press->matches(QKeySequence::Paste)) {
            paste_rows();
            return true;
        }
        const int key = press->key();
        const QModelIndex current = table_->currentIndex();
        if (key == Qt::Key_F2 && picks_size(current)) {
            run([this, &current] { form_.pick_size(current.row() + 1); });
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            run([this] { form_.view(); });
            return true;
        }
        if (key == Qt::Key_Delete) {
            run([this] { form_.delete_pipe(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool PipeGridWindow::picks_size(const QModelIndex& index) const {
    return index.isValid() &&
           form_.cell_edit(index.row() + 1, static_cast<std::size_t>(index.column())) ==
               forms::PipeGridForm::CellEdit::Picker;
}

void PipeGridWindow::copy_rows() {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.push_back(index.row() + 1);
    }
    if (rows.empty()) rows.push_back(form_.selected_row());
    std::ranges::sort(rows);
    QGuiApplication::clipboard()->setText(QString::fromStdString(form_.copy_rows(rows)));
}

void PipeGridWindow::paste_rows() {
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    run([this, &text] { form_.paste_pipes(text); });
}

void PipeGridWindow::done(int result) {
    form_.closing();
    QDialog::done(result);
}

void PipeGridWindow::show_pipe_form(const std::string& mode, const std::string& pipe_number) {
    hooks_.pipe_form(this, mode, pipe_number);
}

void PipeGridWindow::show_renumber_dialog(forms::RenumberForm& dialog) {
    RenumberDialog window(dialog, ui_, this);
    window.exec();
}

void PipeGridWindow::show_hgl() {
    hooks_.hgl(this);
}
void PipeGridWindow::show_profile(const std::string& pipe_number) {
    gui::show_profile(context_, ui_, this, pipe_number, "", "");
}
void PipeGridWindow::show_plan() {
    forms::PlanForm::PipeActions actions;
    actions.select = [this](const std::string& number) {
        if (form_.select_pipe(number)) show_rows();
    };
    actions.open = [this](const std::string& number) {
        hooks_.pipe_form(this, std::string(forms::pipe_form_texts::kViewRequest), number);
    };
    gui::show_plan(context_, ui_, this, std::move(actions));
}
void PipeGridWindow::show_energy_dissipation() {
    hooks_.energy_dissipation(this);
}
void PipeGridWindow::ld229_report() {
    hooks_.ld229_report(this);
}
void PipeGridWindow::pipe_report() {
    hooks_.pipe_report(this, form_.selected_pipe());
}
void PipeGridWindow::about() {
    hooks_.about(this);
}
void PipeGridWindow::show_checks() {
    form_.checks().open();
    ChecksDialog dialog(form_.checks(), this);
    dialog.exec();
}

void PipeGridWindow::show_sizing_dialog(forms::SizingForm& dialog) {
    SizingDialog window(dialog, ui_, this);
    window.exec();
}

void PipeGridWindow::show_rainfall_data() {
    gui::show_rainfall_data(context_, ui_, this);
}

void PipeGridWindow::show_size_picker(forms::SizePickerForm& picker) {
    SizePickerDialog dialog(picker, ui_, this);
    dialog.exec();
}

bool PipeGridWindow::confirm_import(const forms::ImportPreview& preview) {
    return gui::confirm_import(preview, this);
}

void show_pipe_grid(store::ProjectContext& context, forms::DesignSession& session, forms::Ui& ui,
                    QWidget* parent, const PipeGridHooks& hooks, PipeGridMemory& memory) {
    PipeGridWindow window(context, session, ui, hooks, parent);
    if (!memory.geometry.isEmpty()) window.restoreGeometry(memory.geometry);
    window.load(memory.selected_row, memory.view, memory.selected_pipe);
    window.exec();
    const bool again = !context.grid_exit_flag;
    memory.selected_row = again ? window.form().selected_row() : 0;
    memory.selected_pipe = again ? window.form().selected_pipe() : "";
    memory.view = again ? window.form().view_state() : forms::GridView{};
    memory.geometry = window.saveGeometry();
}

void run_pipe_grid(store::ProjectContext& context, forms::DesignSession& session, forms::Ui& ui,
                   QWidget* parent, const PipeGridHooks& hooks) {
    context.grid_exit_flag = false;
    PipeGridMemory memory;
    while (!context.grid_exit_flag) show_pipe_grid(context, session, ui, parent, hooks, memory);
}

}  // namespace pelvane::gui
