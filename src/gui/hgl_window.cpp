#include "gui/hgl_window.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/profile_texts.h"
#include "gui/numeric_line_edit.h"
#include "gui/profile_window.h"

namespace pelvane::gui {

namespace texts = forms::hgl_texts;

HglWindow::HglWindow(store::ProjectContext& context, forms::DesignSession& session, forms::Ui& ui,
                     QWidget* parent)
    : QDialog(parent),
      context_(context),
      ui_(ui),
      form_(context, session, ui),
      binder_(form_, this, ui) {
    setWindowTitle(texts::kCaption);

    node_ = new QComboBox(this);
    node_->setMinimumWidth(160);
    node_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    tailwater_ = new NumericLineEdit(this);
    tailwater_->setAlignment(Qt::AlignRight);
    tailwater_->setMaximumWidth(160);

    auto* frame = new QGroupBox(texts::kFrame, this);
    auto* inputs = new QFormLayout(frame);
    inputs->addRow(texts::kNodeLabel, node_);
    auto* tailwater_row = new QHBoxLayout;
    tailwater_row->addWidget(tailwater_);
    auto* unit = new QLabel(this);
    tailwater_row->addWidget(unit);
    tailwater_row->addStretch(1);
    inputs->addRow(texts::kTailwaterLabel, tailwater_row);

    compute_ = new QPushButton(texts::kCompute, this);
    compute_->setDefault(true);
    auto* close = new QPushButton(texts::kClose, this);
    close->setAutoDefault(false);
    auto* profile = new QPushButton(forms::profile_texts::kOpenProfile, this);
    profile->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(compute_);
    buttons->addWidget(profile);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    binder_.bind("hglanodeout", node_);
    binder_.bind("TWE", tailwater_);
    binder_.bind("length_unit", unit);
    binder_.on_leave("TWE", [this] { form_.field_left("TWE"); });
    binder_.command(compute_, [this] { form_.cmdHGL(); });
    binder_.command(close, [this] { form_.cmdHGLclose(); });
    connect(&binder_, &FieldBinder::close_requested, this, [this] { accept(); });
    // The profile of the longest run to the chosen structure, with its tailwater.
    connect(profile, &QPushButton::clicked, this, [this] {
        show_profile(context_, ui_, this, "", form_.fields.text("hglanodeout"),
                     form_.fields.text("TWE"));
    });

    binder_.run([this] { form_.open(); });
}

void show_hgl(store::ProjectContext& context, forms::DesignSession& session, forms::Ui& ui,
              QWidget* parent) {
    HglWindow window(context, session, ui, parent);
    window.exec();
}

}  // namespace pelvane::gui
