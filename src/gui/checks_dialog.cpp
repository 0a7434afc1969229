#include "gui/checks_dialog.h"

#include <QBrush>
#include <QColor>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace pelvane::gui {
namespace {

QString text_of(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <std::size_t N>
QTableWidget* make_table(const std::string_view (&headings)[N], QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(N), parent);
    QStringList labels;
    for (const std::string_view heading : headings) labels << text_of(heading);
    table->setHorizontalHeaderLabels(labels);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setVisible(false);
    return table;
}

QTableWidgetItem* item(const std::string& text, bool editable = false) {
    auto* cell = new QTableWidgetItem(QString::fromStdString(text));
    cell->setToolTip(cell->text());  // the sources are longer than their column
    if (!editable) cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
    return cell;
}

constexpr int kOnColumn = 0;
constexpr int kLimitColumn = 2;

}  // namespace

ChecksDialog::ChecksDialog(forms::ChecksForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    namespace t = forms::checks_texts;
    setWindowTitle(t::kCaption);
    setSizeGripEnabled(true);

    violations_ = make_table(t::kViolationHeadings, this);
    violations_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    auto* found = new QGroupBox(t::kViolationsFrame, this);
    auto* found_layout = new QVBoxLayout(found);
    found_layout->addWidget(violations_, 1);
    found_layout->addWidget(status_);

    criteria_ = make_table(t::kCriterionHeadings, this);
    criteria_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    outfall_ = new QComboBox(this);
    outfall_->setEditable(true);
    for (const std::string& node : form_.outfall_choices()) {
        outfall_->addItem(QString::fromStdString(node));
    }
    outfall_->setCurrentText(QString::fromStdString(form_.outfall()));
    tailwater_ = new QLineEdit(QString::fromStdString(form_.tailwater()), this);
    auto* start = new QFormLayout;
    start->addRow(t::kOutfallLabel, outfall_);
    start->addRow(t::kTailwaterLabel, tailwater_);
    auto* kept = new QGroupBox(t::kCriteriaFrame, this);
    auto* kept_layout = new QVBoxLayout(kept);
    kept_layout->addWidget(criteria_, 1);
    kept_layout->addLayout(start);

    auto* run = new QPushButton(t::kRun, this);
    auto* save = new QPushButton(t::kSave, this);
    auto* close = new QPushButton(t::kClose, this);
    for (QPushButton* b : {run, save}) b->setAutoDefault(false);
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(run);
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(found, 3);
    layout->addWidget(kept, 2);
    layout->addLayout(buttons);

    connect(criteria_, &QTableWidget::cellChanged, this,
            [this](int row, int column) { criterion_edited(row, column); });
    connect(outfall_, &QComboBox::currentTextChanged, this,
            [this](const QString& node) { form_.set_outfall(node.toStdString()); });
    connect(tailwater_, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_.set_tailwater(text.toStdString()); });
    connect(run, &QPushButton::clicked, this, [this] {
        form_.run();
        show_violations();
    });
    connect(save, &QPushButton::clicked, this, [this] {
        form_.save();
        show_violations();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    show_criteria();
    show_violations();
    resize(1100, 640);
}

void ChecksDialog::show_criteria() {
    showing_ = true;
    const auto& rows = form_.criteria_rows();
    criteria_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const forms::CriterionRow& row = rows[static_cast<std::size_t>(r)];
        auto* on = item("");
        on->setFlags((on->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
        on->setCheckState(row.enabled ? Qt::Checked : Qt::Unchecked);
        criteria_->setItem(r, kOnColumn, on);
        criteria_->setItem(r, 1, item(row.title));
        criteria_->setItem(r, kLimitColumn, item(row.limit, row.has_limit));
        criteria_->setItem(r, 3, item(row.unit));
        criteria_->setItem(r, 4, item(row.source));
    }
    criteria_->resizeColumnsToContents();
    showing_ = false;
}

void ChecksDialog::show_violations() {
    const auto count = static_cast<int>(form_.violation_count());
    violations_->setRowCount(count);
    const QBrush error(QColor(0xfb, 0xe3, 0xe3));
    for (int r = 0; r < count; ++r) {
        const forms::ViolationRow row = form_.violation_row(static_cast<std::size_t>(r));
        const std::string* texts[] = {&row.rule,  &row.pipe,  &row.structure,
                                      &row.value, &row.limit, &row.source};
        for (int c = 0; c < 6; ++c) {
            auto* cell = item(*texts[c]);
            if (row.error) cell->setBackground(error);
            violations_->setItem(r, c, cell);
        }
    }
    violations_->resizeColumnsToContents();
    status_->setText(QString::fromStdString(form_.status()));
}

void ChecksDialog::criterion_edited(int row, int column) {
    if (showing_ || row < 0) return;
    const auto index = static_cast<std::size_t>(row);
    if (column == kOnColumn) {
        form_.set_enabled(index, criteria_->item(row, column)->checkState() == Qt::Checked);
    } else if (column == kLimitColumn) {
        form_.set_limit(index, criteria_->item(row, column)->text().toStdString());
        // A refused limit shows the one kept.
        showing_ = true;
        criteria_->item(row, column)
            ->setText(QString::fromStdString(form_.criteria_rows()[index].limit));
        showing_ = false;
    }
}

}  // namespace pelvane::gui
