#include "gui/profile_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "draw/painter.h"
#include "forms/profile_texts.h"
#include "gui/drawing_view.h"
#include "gui/numeric_line_edit.h"

namespace pelvane::gui {

namespace texts = forms::profile_texts;

ProfileWindow::ProfileWindow(store::ProjectContext& context, forms::Ui& ui, QWidget* parent)
    : QDialog(parent), form_(context, ui), binder_(form_, this, ui) {
    setWindowTitle(texts::kCaption);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);

    auto* from = new QComboBox(this);
    from->setEditable(true);
    from->setMinimumWidth(120);
    auto* outfall = new QComboBox(this);
    outfall->setEditable(true);
    outfall->setMinimumWidth(120);
    auto* tailwater = new NumericLineEdit(this);
    tailwater->setAlignment(Qt::AlignRight);
    tailwater->setMaximumWidth(120);
    auto* unit = new QLabel(this);

    auto* draw = new QPushButton(texts::kDraw, this);
    draw->setDefault(true);
    export_ = new QPushButton(texts::kExport, this);
    export_->setAutoDefault(false);
    auto* close = new QPushButton(texts::kClose, this);
    close->setAutoDefault(false);

    auto* choices = new QHBoxLayout;
    const auto labelled = [this, choices](const char* caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        choices->addWidget(label);
        choices->addWidget(field);
        choices->addSpacing(12);
    };
    labelled(texts::kFromLabel, from);
    labelled(texts::kOutfallLabel, outfall);
    labelled(texts::kTailwaterLabel, tailwater);
    choices->addWidget(unit);
    choices->addStretch(1);
    choices->addWidget(draw);
    choices->addWidget(export_);
    choices->addWidget(close);

    view_ = new DrawingView(this);
    auto* hover = new QLabel(this);
    hover->setTextInteractionFlags(Qt::TextSelectableByMouse);
    hover->setMinimumHeight(hover->fontMetrics().height() + 4);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(view_, 1);
    layout->addWidget(hover);

    binder_.bind("profile_from", from);
    binder_.bind("profile_outfall", outfall);
    binder_.bind("profile_tailwater", tailwater);
    binder_.bind("length_unit", unit);
    binder_.bind("profile_hover", hover);
    binder_.on_leave("profile_tailwater", [this] { form_.field_left("profile_tailwater"); });
    binder_.command(draw, [this] {
        form_.draw();
        view_->set_drawing(form_.picture());
    });
    binder_.command(export_, [this] { form_.export_drawing(draw::write_drawing); });
    binder_.command(close, [this] { form_.close(); });
    connect(&binder_, &FieldBinder::close_requested, this, [this] { accept(); });
    connect(view_, &DrawingView::pointer_at, this,
            [this](double x, double, double) { binder_.run([this, x] { form_.hover(x); }); });
    connect(view_, &DrawingView::pointer_left, this,
            [this] { binder_.run([this] { form_.hover(std::nullopt); }); });
    resize(1200, 700);
}

void ProfileWindow::open_run(const std::string& start, const std::string& outfall,
                             const std::string& tailwater) {
    binder_.run([&] {
        form_.open(start, outfall, tailwater);
        view_->set_drawing(form_.picture());
    });
}

void show_profile(store::ProjectContext& context, forms::Ui& ui, QWidget* parent,
                  const std::string& start, const std::string& outfall,
                  const std::string& tailwater) {
    ProfileWindow window(context, ui, parent);
    window.open_run(start, outfall, tailwater);
    window.exec();
}

}  // namespace pelvane::gui
