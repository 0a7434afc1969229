#include "gui/sizing_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "forms/renumber_form.h"

namespace pelvane::gui {

SizingDialog::SizingDialog(forms::SizingForm& form, forms::Ui& ui, QWidget* parent)
    : QDialog(parent), form_(form), binder_(form, this, ui) {
    setWindowTitle(forms::kSizePipesCaption);
    auto* selected = new QRadioButton(QString::fromStdString(form.selected_caption()), this);
    auto* all = new QRadioButton(forms::kSizeAllCaption, this);
    auto* max_full = new QLineEdit(this);
    max_full->setObjectName("max_full");
    max_full->setMaximumWidth(90);

    auto* fields = new QFormLayout;
    fields->addRow(selected);
    fields->addRow(all);
    fields->addRow(forms::kMaxFullLabel, max_full);

    auto* size = new QPushButton(forms::kSizeAcceptCaption, this);
    size->setDefault(true);
    auto* cancel = new QPushButton(forms::kCancelCaption, this);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(size);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    binder_.bind("size_scope", selected, forms::kSizeScopeSelected);
    binder_.bind("size_scope", all, forms::kSizeScopeAll);
    binder_.bind("max_full", max_full);
    binder_.command(size, [this] { form_.accept(); });
    binder_.command(cancel, [this] { form_.cancel(); });
    connect(&binder_, &FieldBinder::close_requested, this, [this] { QDialog::accept(); });
    binder_.refresh();
}

void SizingDialog::reject() {
    form_.cancel();
    QDialog::reject();
}

}  // namespace pelvane::gui
