#include "gui/submittal_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "draw/painter.h"
#include "forms/hgl_form.h"
#include "gui/numeric_line_edit.h"

namespace pelvane::gui {

namespace texts = forms::submittal_texts;

SubmittalDialog::SubmittalDialog(store::ProjectContext& context, forms::Ui& ui, QWidget* parent)
    : QDialog(parent), form_(context, ui), binder_(form_, this, ui) {
    setWindowTitle(texts::kCaption);

    auto* outfall = new QComboBox(this);
    outfall->setMinimumWidth(160);
    auto* tailwater = new NumericLineEdit(this);
    tailwater->setAlignment(Qt::AlignRight);
    tailwater->setMaximumWidth(160);
    auto* unit = new QLabel(this);
    auto* folder = new QLineEdit(this);
    folder->setMinimumWidth(360);
    auto* browse = new QPushButton(texts::kBrowse, this);
    browse->setAutoDefault(false);

    auto* inputs = new QFormLayout;
    inputs->addRow(forms::hgl_texts::kNodeLabel, outfall);
    auto* tailwater_row = new QHBoxLayout;
    tailwater_row->addWidget(tailwater);
    tailwater_row->addWidget(unit);
    tailwater_row->addStretch(1);
    inputs->addRow(forms::hgl_texts::kTailwaterLabel, tailwater_row);
    auto* folder_row = new QHBoxLayout;
    folder_row->addWidget(folder, 1);
    folder_row->addWidget(browse);
    inputs->addRow(texts::kFolderLabel, folder_row);

    auto* progress = new QLabel(this);
    progress->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    progress->setTextInteractionFlags(Qt::TextSelectableByMouse);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(progress);
    scroll_->setWidgetResizable(true);
    scroll_->setMinimumHeight(220);

    auto* write = new QPushButton(texts::kWrite, this);
    write->setDefault(true);
    auto* cancel = new QPushButton(texts::kCancel, this);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(write);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(scroll_, 1);
    layout->addLayout(buttons);

    binder_.bind("submittal_outfall", outfall);
    binder_.bind("submittal_tailwater", tailwater);
    binder_.bind("length_unit", unit);
    binder_.bind("submittal_folder", folder);
    binder_.bind("submittal_progress", progress);
    binder_.bind_state("cmdSubmittalWrite", write);
    binder_.bind_state("submittal_folder", browse);
    binder_.on_leave("submittal_tailwater", [this] { form_.field_left("submittal_tailwater"); });
    binder_.command(browse, [this] { form_.browse(); });
    binder_.command(write, [this] { this->write(); });
    // While Write runs, the progress dialog over this one takes the Cancel.
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(&binder_, &FieldBinder::close_requested, this, [this] { accept(); });
    binder_.run([this] { form_.open(); });
}

void SubmittalDialog::write() {
    const auto office = report::OfficeConverter::find();
    const auto merger = report::PdfMerger::find();
    const forms::SubmittalTools tools{draw::write_drawing, office ? &*office : nullptr,
                                      merger ? &*merger : nullptr};
    form_.write(tools);
}

void SubmittalDialog::reject() {
    form_.cancel();
    if (form_.close_requested) QDialog::reject();
}

void show_submittal(store::ProjectContext& context, forms::Ui& ui, QWidget* parent) {
    SubmittalDialog dialog(context, ui, parent);
    dialog.exec();
}

}  // namespace pelvane::gui
