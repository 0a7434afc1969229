#pragma once
// Shows a drawing of the forms (draw::paint) and reports where the pointer is, in
// the drawing's own coordinates.

#include <QWidget>
#include <optional>

#include "draw/painter.h"
#include "forms/drawing.h"

namespace pelvane::gui {

class DrawingView : public QWidget {
    Q_OBJECT
  public:
    explicit DrawingView(QWidget* parent = nullptr);
    void set_drawing(forms::drawing::Drawing drawing);
    const forms::drawing::Drawing& drawing() const { return drawing_; }
    // Where the last paint put the drawing; nothing before the first.
    const std::optional<draw::Placement>& placement() const { return placement_; }

    QSize sizeHint() const override { return {1100, 560}; }

  signals:
    // The pointer is over the plot at this point of the drawing; `reach` is how far
    // across (drawing units) a few pixels reach there, for picking what it is on.
    void pointer_at(double x, double y, double reach);
    // The pointer left the plot.
    void pointer_left();
    // A click and a double-click on the plot.
    void clicked(double x, double y, double reach);
    void double_clicked(double x, double y, double reach);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    std::optional<forms::drawing::Point> on_plot(QPointF at) const;

    forms::drawing::Drawing drawing_;
    std::optional<draw::Placement> placement_;
};

}  // namespace pelvane::gui
