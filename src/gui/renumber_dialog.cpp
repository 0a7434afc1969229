#include "gui/renumber_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelvane::gui {

RenumberDialog::RenumberDialog(forms::RenumberForm& form, forms::Ui& ui, QWidget* parent)
    : QDialog(parent), form_(form), binder_(form, this, ui) {
    setWindowTitle(forms::kRenumberCaption);
    // The current number never changes while the dialog is up; a plain bold text
    // reads better than a greyed-out field.
    auto* current = new QLabel(QString::fromStdString(form.old_number()), this);
    QFont bold = current->font();
    bold.setBold(true);
    current->setFont(bold);
    current->setTextInteractionFlags(Qt::TextSelectableByMouse);
    new_number_ = new QLineEdit(this);
    new_number_->setMinimumWidth(180);

    auto* fields = new QFormLayout;
    fields->addRow(forms::kCurrentPipeNumberLabel, current);
    fields->addRow(forms::kNewPipeNumberLabel, new_number_);

    accept_ = new QPushButton(forms::kAcceptCaption, this);
    accept_->setDefault(true);
    auto* cancel = new QPushButton(forms::kCancelCaption, this);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(accept_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    binder_.bind("newpipenumber", new_number_);
    binder_.command(accept_, [this] { form_.accept(); });
    binder_.command(cancel, [this] { form_.cancel(); });
    connect(&binder_, &FieldBinder::close_requested, this, [this] { QDialog::accept(); });
    binder_.refresh();
}

void RenumberDialog::reject() {
    form_.cancel();
    QDialog::reject();
}

}  // namespace pelvane::gui
