#include "gui/plan_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "draw/painter.h"
#include "forms/plan_texts.h"
#include "gui/drawing_view.h"

namespace pelvane::gui {

namespace texts = forms::plan_texts;

PlanWindow::PlanWindow(store::ProjectContext& context, forms::Ui& ui,
                       forms::PlanForm::PipeActions actions, QWidget* parent)
    : QDialog(parent), form_(context, ui, std::move(actions)), binder_(form_, this, ui) {
    setWindowTitle(texts::kCaption);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);

    auto* colour = new QComboBox(this);
    auto* label = new QLabel(texts::kColourByLabel, this);
    label->setBuddy(colour);
    auto* export_button = new QPushButton(texts::kExport, this);
    export_button->setAutoDefault(false);
    auto* close = new QPushButton(texts::kClose, this);
    close->setAutoDefault(false);
    auto* choices = new QHBoxLayout;
    choices->addWidget(label);
    choices->addWidget(colour);
    choices->addStretch(1);
    choices->addWidget(export_button);
    choices->addWidget(close);

    view_ = new DrawingView(this);
    auto* status = new QLabel(this);
    status->setMinimumHeight(status->fontMetrics().height() + 4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(view_, 1);
    layout->addWidget(status);

    binder_.bind("plan_colour_by", colour);
    binder_.bind("plan_status", status);
    binder_.on_choose("plan_colour_by", [this] {
        form_.colour_chosen();
        view_->set_drawing(form_.picture());
    });
    binder_.command(export_button, [this] { form_.export_drawing(draw::write_drawing); });
    binder_.command(close, [this] { form_.close(); });
    connect(&binder_, &FieldBinder::close_requested, this, [this] { accept(); });
    connect(view_, &DrawingView::pointer_at, this, [this](double x, double y, double reach) {
        binder_.run([this, x, y, reach] { form_.hover(forms::drawing::Point{x, y}, reach); });
    });
    connect(view_, &DrawingView::pointer_left, this,
            [this] { binder_.run([this] { form_.hover(std::nullopt, 0.0); }); });
    connect(view_, &DrawingView::clicked, this, [this](double x, double y, double reach) {
        binder_.run([this, x, y, reach] { form_.click({x, y}, reach); });
    });
    connect(view_, &DrawingView::double_clicked, this, [this](double x, double y, double reach) {
        binder_.run([this, x, y, reach] { form_.double_click({x, y}, reach); });
    });
    binder_.run([this] {
        form_.open();
        view_->set_drawing(form_.picture());
    });
    resize(1200, 760);
}

void show_plan(store::ProjectContext& context, forms::Ui& ui, QWidget* parent,
               forms::PlanForm::PipeActions actions) {
    PlanWindow window(context, ui, std::move(actions), parent);
    window.exec();
}

}  // namespace pelvane::gui
