#include "gui/pipe_form_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/numeric_line_edit.h"

namespace pelvane::gui {

// The handlers hold their own copy of the event: a dialog's factory is gone once
// the dialog is built, the binder and its handlers are not.
void FieldFactory::wire(forms::FieldName name, bool choose) {
    if (events_.entered) {
        binder_.on_enter(name, [event = events_.entered, name] { event(name); });
    }
    if (events_.left) {
        binder_.on_leave(name, [event = events_.left, name] { event(name); });
    }
    if (choose && events_.chosen) {
        binder_.on_choose(name, [event = events_.chosen, name] { event(name); });
    }
}

QLineEdit* FieldFactory::text(forms::FieldName name, int width) {
    auto* edit = new SelectingLineEdit;
    edit->setObjectName(QString::fromStdString(name.str()));
    edit->setFixedWidth(width);
    binder_.bind(name, edit);
    wire(name, false);
    return edit;
}

NumericLineEdit* FieldFactory::number(forms::FieldName name, bool signed_field, int width) {
    auto* edit = new NumericLineEdit(nullptr, signed_field);
    edit->setObjectName(QString::fromStdString(name.str()));
    edit->setFixedWidth(width);
    binder_.bind(name, edit);
    wire(name, false);
    return edit;
}

QLineEdit* FieldFactory::shown(forms::FieldName name, int width, bool words) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromStdString(name.str()));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setAlignment((words ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    edit->setFixedWidth(width);
    // Computed values sit on the window's own background, so they never look typeable.
    edit->setStyleSheet("QLineEdit { background: palette(window); }");
    binder_.bind(name, edit);
    return edit;
}

QComboBox* FieldFactory::list(forms::FieldName name, bool editable, int width) {
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromStdString(name.str()));
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setFixedWidth(width);
    binder_.bind(name, combo);
    wire(name, true);
    return combo;
}

QCheckBox* FieldFactory::check(forms::FieldName name, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(QString::fromStdString(name.str()));
    binder_.bind(name, box);
    wire(name, true);
    return box;
}

QRadioButton* FieldFactory::option(forms::FieldName name, const QString& caption,
                                   const std::string& value) {
    auto* radio = new QRadioButton(caption);
    radio->setObjectName(QString::fromStdString(name.str() + "_" + value));
    binder_.bind(name, radio, value);
    if (events_.chosen) {
        binder_.on_choose(name, [event = events_.chosen, name] { event(name); });
    }
    return radio;
}

QLabel* FieldFactory::label(forms::FieldName name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromStdString(name.str()));
    binder_.bind(name, label);
    return label;
}

QPushButton* FieldFactory::button(const QString& caption, std::function<void()> command) {
    auto* button = new QPushButton(caption);
    button->setAutoDefault(false);
    binder_.command(button, std::move(command));
    return button;
}

FieldGrid::FieldGrid(const QString& title, QWidget* parent)
    : box_(new QGroupBox(title, parent)), grid_(new QGridLayout(box_)) {
    grid_->setHorizontalSpacing(8);
    grid_->setVerticalSpacing(5);
    grid_->setColumnStretch(4, 1);
}

QLabel* FieldGrid::caption_label(const QString& caption, QWidget* field) {
    auto* label = new QLabel(caption);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(field);
    return label;
}

// Rows keep their height in a frame made taller by its neighbours: the space goes
// below the last row.
void FieldGrid::next() {
    grid_->setRowStretch(next_, 0);
    ++next_;
    grid_->setRowStretch(next_, 1);
}

void FieldGrid::row(const QString& caption, QWidget* field, QWidget* unit, QWidget* extra) {
    grid_->addWidget(caption_label(caption, field), next_, 0);
    grid_->addWidget(field, next_, 1);
    if (unit) grid_->addWidget(unit, next_, 2);
    if (extra) grid_->addWidget(extra, next_, 3, Qt::AlignLeft);
    next();
}

void FieldGrid::long_row(const QString& caption, QWidget* field) {
    grid_->addWidget(caption_label(caption, field), next_, 0);
    grid_->addWidget(field, next_, 1, 1, 3, Qt::AlignLeft);
    next();
}

void FieldGrid::wide(QWidget* widget) {
    grid_->addWidget(widget, next_, 0, 1, 5);
    next();
}

QLabel* fixed_unit(const QString& text) {
    auto* label = new QLabel(text);
    label->setMinimumWidth(36);
    return label;
}

}  // namespace pelvane::gui
