#include "gui/rainfall_data_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "forms/input_conventions.h"
#include "gui/field_binder.h"
#include "gui/numeric_line_edit.h"
#include "gui/rainfall_data_chart.h"

namespace pelvane::gui {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

RainfallDataWindow::RainfallDataWindow(store::ProjectContext& context, forms::Ui& ui,
                                       QWidget* parent)
    : QDialog(parent),
      ui_(ui),
      form_(std::make_unique<forms::RainfallDataForm>(context, ui_)),
      check_(std::make_unique<forms::RainfallCheckForm>(context, ui_, *form_)) {
    setWindowTitle(forms::kRainfallDataTitle);
    binder_ = std::make_unique<FieldBinder>(*form_, this, ui_);
    check_binder_ = std::make_unique<FieldBinder>(*check_, this, ui_);

    auto* layout = new QVBoxLayout(this);
    auto* chooser = new QHBoxLayout;
    chooser->addWidget(new QLabel("Coefficients for the", this));
    auto* kind = new QComboBox(this);
    kind->setObjectName("rainfall_kind");
    binder_->bind("rainfall_kind", kind);
    // The binder has already put the chosen text into the field; the model refills
    // the names only when the kind really changes, so it is told from the old one.
    binder_->on_choose("rainfall_kind", [this] {
        const std::string chosen = form_->fields.text("rainfall_kind");
        form_->fields.set_text("rainfall_kind", kind_shown_);
        form_->set_kind(chosen);
        kind_shown_ = form_->fields.text("rainfall_kind");
    });
    chooser->addWidget(kind);
    auto* name = new QComboBox(this);
    name->setObjectName("rainfall_name");
    name->setMinimumWidth(260);
    name->setMaxVisibleItems(24);
    binder_->bind("rainfall_name", name);
    chooser->addWidget(name);
    chooser->addStretch();
    layout->addLayout(chooser);

    auto* columns = new QHBoxLayout;
    columns->addWidget(build_export(context), 3);
    auto* right = new QVBoxLayout;
    right->addWidget(build_check());
    right->addWidget(build_table_import());
    right->addStretch();
    columns->addLayout(right, 1);
    layout->addLayout(columns, 1);

    auto* buttons = new QHBoxLayout;
    auto* help = new QPushButton("Help", this);
    auto* close = new QPushButton("Close", this);
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    binder_->command(help,
                     [this, program = &context] { forms::open_help(ui_, *program, "rainfall"); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    binder_->run([this] { form_->open(); });
    kind_shown_ = form_->fields.text("rainfall_kind");
    check_binder_->refresh();
    show_preview();
    resize(1080, 680);
}

QWidget* RainfallDataWindow::build_export(store::ProjectContext&) {
    auto* group = new QGroupBox("NOAA precipitation frequency export", this);
    auto* layout = new QVBoxLayout(group);
    auto* note = new QLabel(
        "A CSV export of the NOAA precipitation frequency data server (partial duration "
        "series, depths in inches). The intensities at 5 to 120 minutes are fitted by "
        "B / (Tc + D)^E for each storm frequency.",
        group);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* row = new QHBoxLayout;
    auto* file = new QLineEdit(group);
    file->setReadOnly(true);
    binder_->bind("rainfall_file", file);
    auto* browse = new QPushButton("Open Export\u2026", group);
    browse->setObjectName("browse_export");
    row->addWidget(file, 1);
    row->addWidget(browse);
    layout->addLayout(row);
    export_station_ = new QLabel(group);
    layout->addWidget(export_station_);

    chart_ = new RainfallDataChart(group);
    layout->addWidget(chart_, 1);

    table_ = new QTableWidget(0, 5, group);
    table_->setHorizontalHeaderLabels({"Storm", "Fitted B, D, E", "Worst error of B, D, E",
                                       "Legacy A, B", "Worst error of A, B"});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    // Room for the six storm frequencies without scrolling.
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setFixedHeight(table_->horizontalHeader()->sizeHint().height() +
                           6 * table_->verticalHeader()->defaultSectionSize() +
                           2 * table_->frameWidth());
    layout->addWidget(table_);

    auto* import = new QPushButton("Import Fitted Coefficients", group);
    import->setObjectName("import_export");
    import->setToolTip("Writes the fitted coefficients for the station or county chosen above");
    auto* import_row = new QHBoxLayout;
    import_row->addStretch();
    import_row->addWidget(import);
    layout->addLayout(import_row);

    binder_->command(browse, [this] {
        form_->browse_export();
        show_preview();
    });
    binder_->command(import, [this] { form_->import_export(); });
    return group;
}

QWidget* RainfallDataWindow::build_check() {
    auto* group = new QGroupBox("Check the intensity", this);
    auto* grid = new QGridLayout(group);
    auto* years = new QComboBox(group);
    years->setObjectName("check_years");
    check_binder_->bind("check_years", years);
    auto* tc = new NumericLineEdit(group);
    tc->setObjectName("check_tc");
    check_binder_->bind("check_tc", tc);
    auto* compute = new QPushButton("Compute", group);
    compute->setObjectName("cmdCheck");
    check_binder_->command(compute, [this] { check_->cmdCheck(); });

    grid->addWidget(new QLabel("Storm frequency", group), 0, 0);
    grid->addWidget(years, 0, 1);
    grid->addWidget(new QLabel("years", group), 0, 2);
    grid->addWidget(new QLabel("Duration Tc", group), 1, 0);
    grid->addWidget(tc, 1, 1);
    grid->addWidget(new QLabel("min", group), 1, 2);
    grid->addWidget(compute, 2, 1);
    struct Result {
        forms::FieldName field;
        const char* caption;
    };
    const Result results[] = {{"check_fitted", "Fitted curve"},
                              {"check_stored", "Stored coefficients"},
                              {"check_noaa", "NOAA estimate"}};
    int row = 3;
    for (const auto& [field, caption] : results) {
        auto* value = new QLabel(group);
        value->setObjectName(QString::fromStdString(field.str()));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setFrameShape(QFrame::StyledPanel);
        value->setMinimumWidth(80);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        check_binder_->bind(field, value);
        grid->addWidget(new QLabel(caption, group), row, 0);
        grid->addWidget(value, row, 1);
        grid->addWidget(new QLabel("in/hr", group), row, 2);
        ++row;
    }
    auto* note = new QLabel(
        "The stored value is what the design windows compute for a project of this station "
        "(or county).",
        group);
    note->setWordWrap(true);
    grid->addWidget(note, row, 0, 1, 3);
    return group;
}

QWidget* RainfallDataWindow::build_table_import() {
    auto* group = new QGroupBox("Coefficient table", this);
    auto* layout = new QVBoxLayout(group);
    auto* note = new QLabel(
        "Coefficients transcribed for many stations or counties at once: a CSV file headed by "
        "the rainfall table's column names (see Help).",
        group);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* import = new QPushButton("Import Coefficient Table\u2026", group);
    layout->addWidget(import);
    binder_->command(import, [this] { form_->browse_table(); });
    return group;
}

void RainfallDataWindow::show_preview() {
    const auto& preview = form_->preview();
    chart_->set_preview(preview);
    export_station_->setText(form_->export_station().empty()
                                 ? QString()
                                 : "Station of the export: " + q(form_->export_station()));
    table_->setRowCount(static_cast<int>(preview.size()));
    for (int r = 0; r < static_cast<int>(preview.size()); ++r) {
        const auto& f = preview[static_cast<std::size_t>(r)];
        const QString cells[] = {QString::number(f.years) + "-year", q(f.coefficients),
                                 q(f.worst_error), q(f.legacy_coefficients),
                                 q(f.legacy_worst_error)};
        for (int c = 0; c < 5; ++c) table_->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    binder_->refresh();
    check_binder_->refresh();
}

void show_rainfall_data(store::ProjectContext& context, forms::Ui& ui, QWidget* parent) {
    RainfallDataWindow window(context, ui, parent);
    window.exec();
}

}  // namespace pelvane::gui
