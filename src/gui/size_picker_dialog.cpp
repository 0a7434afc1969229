#include "gui/size_picker_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/field_binder.h"

namespace pelvane::gui {
namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

}  // namespace

SizePickerDialog::SizePickerDialog(forms::SizePickerForm& picker, forms::Ui& ui, QWidget* parent)
    : QDialog(parent),
      picker_(picker),
      binder_(std::make_unique<FieldBinder>(picker, this, ui)),
      table_(new QTableWidget(this)) {
    const forms::SizePicker& sizes = picker.picker();
    setWindowTitle(qt(sizes.title));
    setObjectName(qt(sizes.window));

    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel("Choose a standard size; span and rise go into the pipe section.");
    layout->addWidget(note);

    const auto& rows = sizes.rows;
    table_->setObjectName(qt(sizes.list.name()));
    table_->setColumnCount(4);
    table_->setRowCount(static_cast<int>(rows.size()));
    QStringList captions;
    for (std::string_view caption : sizes.captions) captions << qt(caption);
    table_->setHorizontalHeaderLabels(captions);
    for (int r = 0; r < table_->rowCount(); ++r) {
        const auto cells = rows[static_cast<std::size_t>(r)].columns();
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(qt(cells[static_cast<std::size_t>(c)]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setAlternatingRowColors(true);
    table_->setMinimumSize(440, 360);
    layout->addWidget(table_);

    auto* buttons = new QDialogButtonBox;
    auto* select = buttons->addButton("Select", QDialogButtonBox::AcceptRole);
    select->setObjectName(qt(sizes.select_command.name()));
    auto* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName(qt(sizes.cancel_command.name()));
    layout->addWidget(buttons);

    // Only a row the person highlighted counts, never the cell a focus change sets.
    connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
        const auto rows = table_->selectionModel()->selectedRows();
        picker_.select_row(rows.isEmpty() ? std::nullopt
                                          : std::optional<std::size_t>(rows.front().row()));
    });
    binder_->command(select, [this] { picker_.select(); });
    binder_->command(cancel, [this] { picker_.cancel(); });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        picker_.select_row(static_cast<std::size_t>(row));
        binder_->run([this] { picker_.select(); });
    });
    connect(binder_.get(), &FieldBinder::close_requested, this,
            [this] { done(QDialog::Accepted); });
}

void SizePickerDialog::reject() {
    binder_->run([this] { picker_.cancel(); });
}

}  // namespace pelvane::gui
