#include "gui/pipe_energy_layout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/numeric_line_edit.h"

namespace pelvane::gui {
namespace {

constexpr int kFieldWidth = 84;

// Results sit flat on the window's own colour, so the white fields are the ones to
// type in. A style sheet, because the binder resets the palette of bound fields.
void look_like_output(QLineEdit* edit) {
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setStyleSheet(
        "QLineEdit { background: palette(window); border: 1px solid palette(mid);"
        " border-radius: 2px; padding: 1px 3px; }");
}

}  // namespace

FieldRows::FieldRows(QGroupBox* box, FieldBinder& binder, int columns)
    : box_(box), binder_(binder), grid_(new QGridLayout(box)), columns_(columns) {
    grid_->setHorizontalSpacing(6);
    grid_->setVerticalSpacing(4);
    for (int c = 0; c < columns_; ++c) {
        grid_->setColumnStretch(c * 4, 1);
        // A gap between the groups of a row.
        if (c > 0) grid_->setColumnMinimumWidth(c * 4 - 1, 18);
    }
}

void FieldRows::add_row(forms::FieldName field, QWidget* widget) {
    const int row = next_ / columns_;
    const int column = (next_ % columns_) * 4;
    ++next_;
    auto* label = new QLabel(box_);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(widget);
    binder_.bind(forms::label_of(field), label);
    auto* unit = new QLabel(box_);
    unit->setMinimumWidth(unit->fontMetrics().horizontalAdvance("ft/sec") + 6);
    binder_.bind(forms::unit_of(field), unit);
    widget->setObjectName(QString::fromStdString(field.str()));
    grid_->addWidget(label, row, column);
    grid_->addWidget(widget, row, column + 1);
    grid_->addWidget(unit, row, column + 2);
}

QLineEdit* FieldRows::output(forms::FieldName field, Qt::Alignment alignment) {
    auto* edit = new QLineEdit(box_);
    look_like_output(edit);
    edit->setAlignment(alignment | Qt::AlignVCenter);
    edit->setFixedWidth(kFieldWidth);
    binder_.bind(field, edit);
    add_row(field, edit);
    return edit;
}

NumericLineEdit* FieldRows::input(forms::FieldName field) {
    auto* edit = new NumericLineEdit(box_);
    edit->setFixedWidth(kFieldWidth);
    binder_.bind(field, edit);
    add_row(field, edit);
    return edit;
}

QLineEdit* FieldRows::text_input(forms::FieldName field) {
    auto* edit = new SelectingLineEdit(box_);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setFixedWidth(kFieldWidth);
    binder_.bind(field, edit);
    add_row(field, edit);
    return edit;
}

QComboBox* FieldRows::list(forms::FieldName field, bool editable) {
    auto* combo = new QComboBox(box_);
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    binder_.bind(field, combo);
    add_row(field, combo);
    return combo;
}

void FieldRows::widen(QWidget* field) {
    int row = 0, column = 0, rows = 0, columns = 0;
    grid_->getItemPosition(grid_->indexOf(field), &row, &column, &rows, &columns);
    grid_->removeWidget(field);
    grid_->addWidget(field, row, column, 1, 2);
}

void FieldRows::pack_top() {
    grid_->setRowStretch(grid_->rowCount(), 1);
}

void FieldRows::add_wide(QWidget* widget) {
    if (next_ % columns_ != 0) next_ += columns_ - next_ % columns_;
    grid_->addWidget(widget, next_ / columns_, 0, 1, columns_ * 4 - 1);
    next_ += columns_;
}

QGroupBox* frame(const char* title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    // Only the title is bold: a style sheet's font does not pass on to the fields.
    box->setStyleSheet("QGroupBox { font-weight: bold; }");
    return box;
}

QPushButton* command_button(const char* caption, std::optional<forms::FieldName> state_field,
                            FieldBinder& binder, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    if (state_field) binder.bind_state(*state_field, button);
    return button;
}

}  // namespace pelvane::gui
