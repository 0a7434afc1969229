#include "gui/project_details_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/input_conventions.h"
#include "gui/about_window.h"
#include "gui/field_binder.h"
#include "gui/numeric_line_edit.h"

namespace pelvane::gui {
namespace {

using namespace forms::project_details_texts;

QLabel* label(const char* text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

}  // namespace

ProjectDetailsWindow::ProjectDetailsWindow(store::ProjectContext& context,
                                           store::DetailsWindow which,
                                           std::function<void(std::string)> set_status,
                                           std::function<void(QWidget*)> show_rainfall_data,
                                           forms::Ui& ui, QWidget* parent)
    : QDialog(parent) {
    // The form dies with this window, so the window it opens Rainfall Data over is
    // always alive when it is called.
    form_ = std::make_unique<forms::ProjectDetailsForm>(
        context, ui, which, std::move(set_status), [this, show = std::move(show_rainfall_data)] {
            if (show) show(this);
        });
    build(ui);
    binder_->run([this] { form_->open(); });
}

void ProjectDetailsWindow::build(forms::Ui& ui) {
    setWindowTitle(kCaption);
    binder_ = std::make_unique<FieldBinder>(*form_, this, ui);
    connect(binder_.get(), &FieldBinder::close_requested, this, [this] { QDialog::accept(); });

    auto* layout = new QVBoxLayout(this);
    auto* menus = new QMenuBar(this);
    layout->setMenuBar(menus);
    QMenu* file = menus->addMenu(kFileMenu);
    QAction* save = file->addAction(kSave);
    save->setObjectName("mnuprojsave");
    save->setShortcut(QKeySequence::Save);
    QAction* exit = file->addAction(kExit);
    exit->setObjectName("mnuprojexit");
    QAction* browse = menus->addAction(kBrowse);
    browse->setObjectName("mnubrowseInlet");
    QMenu* help = menus->addMenu(kHelpMenu);
    QAction* help_item = help->addAction(kHelp);
    help_item->setShortcut(QKeySequence::HelpContents);
    QAction* about = help->addAction(kAbout);

    auto* frame = new QGroupBox(kFrame, this);
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);

    const auto text_field = [&](forms::FieldName name) {
        auto* edit = new SelectingLineEdit(frame);
        edit->setObjectName(QString::fromStdString(name.str()));
        binder_->bind(name, edit);
        binder_->on_edit(name, [this, name] { form_->field_edited(name); });
        return edit;
    };
    const auto list_field = [&](forms::FieldName name) {
        auto* combo = new QComboBox(frame);
        combo->setObjectName(QString::fromStdString(name.str()));
        combo->setMaxVisibleItems(20);
        binder_->bind(name, combo);
        binder_->on_choose(name, [this, name] { form_->field_edited(name); });
        return combo;
    };

    auto* project_id = text_field("project_id");
    auto* units = new QComboBox(frame);
    units->setObjectName("units");
    units->setEditable(true);
    units->setInsertPolicy(QComboBox::NoInsert);
    binder_->bind("units", units);
    // Every change of the text runs the list check, which may put "ENGLISH" back.
    binder_->on_edit("units", [this] {
        form_->field_edited("units");
        binder_->refresh();
    });
    binder_->on_choose("units", [this] { form_->field_edited("units"); });

    int row = 0;
    grid->addWidget(label(kProjectId, frame), row, 0);
    grid->addWidget(project_id, row, 1);
    grid->addWidget(label(kUnits, frame), row, 2);
    grid->addWidget(units, row, 3);
    ++row;
    grid->addWidget(label(kProjectName, frame), row, 0);
    grid->addWidget(text_field("project_name"), row, 1, 1, 3);
    ++row;
    grid->addWidget(label(kDescription, frame), row, 0);
    grid->addWidget(text_field("description"), row, 1, 1, 3);
    ++row;
    grid->addWidget(label(kLocation, frame), row, 0);
    grid->addWidget(text_field("location"), row, 1, 1, 3);
    ++row;
    grid->addWidget(label(kCounty, frame), row, 0);
    grid->addWidget(list_field("county"), row, 1);
    grid->addWidget(label(kState, frame), row, 2);
    grid->addWidget(text_field("state"), row, 3);
    ++row;
    auto* station_label = label(forms::kNoaaStationLabel, frame);
    auto* station = list_field("noaa_station");
    auto* station_help = new QPushButton(forms::kNoaaStationHelp, frame);
    station_help->setObjectName("cmdNOAAStationHelp");
    // The label shows with the station field but is never greyed with it.
    binder_->bind_state("cmdNOAAStationHelp", station_label);
    binder_->bind_state("cmdNOAAStationHelp", station_help);
    binder_->command(station_help, [this] { form_->cmdNOAAStationHelp(); });
    grid->addWidget(station_label, row, 0);
    grid->addWidget(station, row, 1);
    grid->addWidget(station_help, row, 2, 1, 2, Qt::AlignLeft);
    ++row;
    grid->addWidget(label(kDesigner, frame), row, 0);
    grid->addWidget(text_field("designer"), row, 1, 1, 3);
    ++row;
    auto* inlet = text_field("inlet_database");
    inlet->setReadOnly(true);
    inlet->setToolTip("Chosen with Browse");
    grid->addWidget(label(kInletDatabase, frame), row, 0);
    grid->addWidget(inlet, row, 1, 1, 3);
    ++row;
    auto* history_limit = text_field("history_limit");
    history_limit->setToolTip("The oldest steps of the project's history are dropped past it");
    grid->addWidget(label(kHistoryLimit, frame), row, 0);
    grid->addWidget(history_limit, row, 1);
    layout->addWidget(frame);

    // Said beside the county and station it is about, with the way to mend it.
    auto* rainfall_row = new QHBoxLayout;
    auto* note = new QLabel(this);
    note->setObjectName("rainfall_note");
    note->setWordWrap(true);
    note->setStyleSheet("QLabel { color: #a4262c; }");
    binder_->bind("rainfall_note", note);
    auto* rainfall = new QPushButton(kRainfallData, this);
    rainfall->setObjectName("cmdRainfallData");
    binder_->command(rainfall, [this] { form_->cmdRainfallData(); });
    rainfall_row->addWidget(note, 1);
    rainfall_row->addWidget(rainfall, 0, Qt::AlignTop);
    layout->addLayout(rainfall_row);

    binder_->command(save, [this] { form_->mnuprojsave(); });
    binder_->command(exit, [this] { form_->mnuprojexit(); });
    binder_->command(browse, [this] { form_->mnubrowseInlet(); });
    binder_->command(help_item, [this] { form_->mnuprojsubhelp(); });
    connect(about, &QAction::triggered, this, [this] { show_about(this); });

    setMinimumWidth(640);
}

void ProjectDetailsWindow::reject() {
    // Esc and the window's close button go the way of Exit: a changed record asks.
    binder_->run([this] {
        if (form_->request_close()) form_->close_requested = true;
    });
}

}  // namespace pelvane::gui
