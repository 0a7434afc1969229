#include "gui/drawing_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace pelvane::gui {
namespace {

// How near (pixels) a click must be to what it picks.
constexpr double kReach = 6.0;

}  // namespace

DrawingView::DrawingView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(480, 260);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void DrawingView::set_drawing(forms::drawing::Drawing drawing) {
    drawing_ = std::move(drawing);
    update();
}

void DrawingView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    placement_ = draw::paint(painter, drawing_, QRectF(rect()));
}

std::optional<forms::drawing::Point> DrawingView::on_plot(QPointF at) const {
    if (!placement_ || !placement_->plot().contains(at)) return std::nullopt;
    return placement_->unmap(at);
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
    if (const auto p = on_plot(event->position())) {
        emit pointer_at(p->x, p->y, placement_->across(kReach));
    } else {
        emit pointer_left();
    }
    QWidget::mouseMoveEvent(event);
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
    if (const auto p = on_plot(event->position()); p && event->button() == Qt::LeftButton) {
        emit clicked(p->x, p->y, placement_->across(kReach));
    }
    QWidget::mousePressEvent(event);
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (const auto p = on_plot(event->position()); p && event->button() == Qt::LeftButton) {
        emit double_clicked(p->x, p->y, placement_->across(kReach));
    }
    QWidget::mouseDoubleClickEvent(event);
}

void DrawingView::leaveEvent(QEvent* event) {
    emit pointer_left();
    QWidget::leaveEvent(event);
}

}  // namespace pelvane::gui
