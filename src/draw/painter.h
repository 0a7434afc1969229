#pragma once
// Draws a drawing of the forms (a profile, a network plan) on any QPainter: a
// window, an image, an SVG or a PDF. Everything is sized in points, so a sheet
// looks the same on a screen and on paper.

#include <QPointF>
#include <QRectF>
#include <QtGlobal>
#include <filesystem>
#include <memory>
#include <string>

#include "forms/drawing.h"

class QGuiApplication;
class QPaintDevice;
class QPainter;

namespace pelvane::draw {

// Where a drawing lands in an area: its plot rectangle on the device, and the
// mapping both ways between drawing and device coordinates.
class Placement {
  public:
    // Text is measured for `device`, whose dots per point it takes.
    Placement(const forms::drawing::Drawing& drawing, const QRectF& area,
              const QPaintDevice* device);

    QPointF map(forms::drawing::Point p) const;
    forms::drawing::Point unmap(QPointF device) const;
    // The part of the device the drawing's plane covers.
    const QRectF& plot() const { return plot_; }
    // A distance across the device in drawing units.
    double across(double device) const { return device / scale_x_; }

  private:
    forms::drawing::Point low_;
    double scale_x_ = 1.0;
    double scale_y_ = 1.0;
    QRectF plot_;
};

// Paints `drawing` into `area` of the painter's device and says where it went.
Placement paint(QPainter& painter, const forms::drawing::Drawing& drawing, const QRectF& area);

// The bytes of the drawing as a file of `format`: a sheet about 17 x 11 in.
std::string render(const forms::drawing::Drawing& drawing, forms::drawing::Format format);

// Writes the drawing to `file` in `format` through store::replace_file, so a
// failure leaves an earlier file whole; a store::FileWriteError says why.
void write_drawing(const forms::drawing::Drawing& drawing, const std::filesystem::path& file,
                   forms::drawing::Format format);

// Fonts and images need a QGuiApplication. A program without a window (pelvane)
// makes one for the time it draws, on the offscreen platform unless
// QT_QPA_PLATFORM names another; when one exists already this does nothing.
class GuiForDrawing {
  public:
    GuiForDrawing();
    ~GuiForDrawing();
    GuiForDrawing(const GuiForDrawing&) = delete;
    GuiForDrawing& operator=(const GuiForDrawing&) = delete;

  private:
    int argc_ = 1;
    char name_[8] = "pelvane";
    char* argv_[2] = {name_, nullptr};
    QtMessageHandler previous_handler_ = nullptr;
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace pelvane::draw
