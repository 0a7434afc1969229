#include "draw/painter.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "store/file_replace.h"

namespace pelvane::draw {
namespace {

namespace dr = forms::drawing;

constexpr double kLabelPoints = 8.0;
constexpr double kTitlePoints = 12.0;
constexpr double kGap = 3.0;  // points between a label and its point
// The sheet: 17 x 11 in, drawn at 1/4 in margins.
constexpr double kSheetWidthInches = 17.0;
constexpr double kSheetHeightInches = 11.0;
constexpr int kImageDpi = 150;

QColor colour(dr::Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QPen pen(const dr::Pen& p, double point) {
    QPen made(colour(p.colour), p.width * point);
    made.setCapStyle(Qt::RoundCap);
    made.setJoinStyle(Qt::RoundJoin);
    if (p.dash == dr::Dash::Dashed) made.setStyle(Qt::DashLine);
    if (p.dash == dr::Dash::Dotted) made.setStyle(Qt::DotLine);
    return made;
}

QFont font(double points, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

double point_of(const QPaintDevice* device) {
    return device->logicalDpiY() / 72.0;
}

// The margins around the plot: titles above, tick labels and axis titles left and
// below.
struct Margins {
    double top = 0.0;
    double left = 0.0;
    double bottom = 0.0;
    double right = 0.0;
};

// Text is measured on the device it is drawn on: an image or a PDF has more dots per
// point than the screen.
Margins margins_of(const dr::Drawing& d, const QPaintDevice* device) {
    const double point = point_of(device);
    const QFontMetricsF small(font(kLabelPoints), device);
    const QFontMetricsF big(font(kTitlePoints, true), device);
    Margins m;
    m.top = big.height() + small.height() * 3.5;
    m.right = small.height();
    m.left = small.height();
    m.bottom = small.height();
    if (d.axes) {
        double widest = 0.0;
        for (const dr::Tick& t : d.y_ticks) {
            widest = std::max(widest, small.horizontalAdvance(QString::fromStdString(t.text)));
        }
        m.left += widest + small.height() * 1.5 + kGap * point;
        m.bottom += small.height() * 2.5 + kGap * point;
        m.right += small.horizontalAdvance(QStringLiteral("0000")) / 2.0;
    }
    return m;
}

void draw_label(QPainter& painter, const dr::Label& label, QPointF at, double point) {
    const QString text = QString::fromStdString(label.text);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double w = metrics.horizontalAdvance(text);
    const double h = metrics.height();
    const double gap = kGap * point;
    // Placed as if horizontal, in a frame turned with the label.
    double x = 0.0;
    double y = 0.0;
    if (label.vertical) {
        // Turned by -90°: the frame's x runs up the page, its y to the right.
        x = label.v == dr::VAlign::Above ? gap : label.v == dr::VAlign::Below ? -gap - w : -w / 2;
        y = label.h == dr::HAlign::Left ? -h : label.h == dr::HAlign::Right ? 0.0 : -h / 2;
    } else {
        x = label.h == dr::HAlign::Left ? 0.0 : label.h == dr::HAlign::Right ? -w : -w / 2;
        y = label.v == dr::VAlign::Above ? -gap - h : label.v == dr::VAlign::Below ? gap : -h / 2;
    }
    painter.save();
    painter.translate(at);
    if (label.vertical) painter.rotate(-90.0);
    painter.setPen(colour(label.colour));
    painter.drawText(QRectF(x, y, w + 1.0, h), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.restore();
}

void draw_axes(QPainter& painter, const dr::Drawing& d, const Placement& place, double point) {
    const QRectF& plot = place.plot();
    const QFontMetricsF metrics(painter.font(), painter.device());
    QPen grid(QColor(0xd0, 0xd0, 0xd0), 0.5 * point, Qt::DotLine);
    QPen frame(QColor(0x30, 0x30, 0x30), 0.8 * point);
    const double tick = 4.0 * point;
    for (const dr::Tick& t : d.x_ticks) {
        const double x = place.map({t.at, d.low.y}).x();
        painter.setPen(grid);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(frame);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
        const QString text = QString::fromStdString(t.text);
        const double w = metrics.horizontalAdvance(text);
        painter.drawText(QRectF(x - w / 2, plot.bottom() + tick, w + 1.0, metrics.height()),
                         Qt::AlignCenter, text);
    }
    for (const dr::Tick& t : d.y_ticks) {
        const double y = place.map({d.low.x, t.at}).y();
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(frame);
        painter.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
        const QString text = QString::fromStdString(t.text);
        const double w = metrics.horizontalAdvance(text);
        painter.drawText(QRectF(plot.left() - tick - kGap * point - w, y - metrics.height() / 2,
                                w + 1.0, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, text);
    }
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    const QString x_title = QString::fromStdString(d.x_title);
    painter.drawText(QRectF(plot.left(), plot.bottom() + tick + metrics.height() * 1.2,
                            plot.width(), metrics.height()),
                     Qt::AlignCenter, x_title);
    double widest = 0.0;
    for (const dr::Tick& t : d.y_ticks) {
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(t.text)));
    }
    painter.save();
    painter.translate(plot.left() - tick - kGap * point - widest - metrics.height() * 0.3,
                      plot.center().y());
    painter.rotate(-90.0);
    painter.drawText(QRectF(-plot.height() / 2, -metrics.height(), plot.height(), metrics.height()),
                     Qt::AlignCenter, QString::fromStdString(d.y_title));
    painter.restore();
}

void draw_titles(QPainter& painter, const dr::Drawing& d, const QRectF& area, double point) {
    painter.setPen(QColor(0x10, 0x10, 0x10));
    painter.setFont(font(kTitlePoints, true));
    const QFontMetricsF big(painter.font(), painter.device());
    const double left = area.left() + kGap * point;
    painter.drawText(QRectF(left, area.top(), area.width(), big.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(d.title));
    painter.setFont(font(kLabelPoints));
    const QFontMetricsF small(painter.font(), painter.device());
    painter.drawText(QRectF(left, area.top() + big.height(), area.width(), small.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(d.subtitle));
    // The legend on a line of its own, right-aligned.
    const double sample = 24.0 * point;
    double width = 0.0;
    for (const dr::LegendEntry& e : d.legend) {
        width +=
            sample + kGap * point * 3 + small.horizontalAdvance(QString::fromStdString(e.text));
    }
    double x = area.right() - width - small.height();
    const double y = area.top() + big.height() + small.height() * 1.6;
    for (const dr::LegendEntry& e : d.legend) {
        painter.setPen(pen(e.pen, point));
        painter.drawLine(QPointF(x, y), QPointF(x + sample, y));
        x += sample + kGap * point;
        const QString text = QString::fromStdString(e.text);
        const double w = small.horizontalAdvance(text);
        painter.setPen(QColor(0x10, 0x10, 0x10));
        painter.drawText(QRectF(x, y - small.height() / 2, w + 1.0, small.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        x += w + kGap * point * 2;
    }
}

}  // namespace

Placement::Placement(const dr::Drawing& d, const QRectF& area, const QPaintDevice* device)
    : low_(d.low) {
    const Margins m = margins_of(d, device);
    const QRectF room = area.adjusted(m.left, m.top, -m.right, -m.bottom);
    const double width = std::max(d.high.x - d.low.x, 1e-9);
    const double height = std::max(d.high.y - d.low.y, 1e-9);
    // As wide as the room allows, unless the exaggerated height does not fit.
    scale_x_ = room.width() / width;
    if (scale_x_ * d.y_scale * height > room.height()) {
        scale_x_ = room.height() / (d.y_scale * height);
    }
    scale_x_ = std::max(scale_x_, 1e-9);
    scale_y_ = scale_x_ * d.y_scale;
    plot_ = QRectF(room.left(), room.top(), width * scale_x_, height * scale_y_);
}

QPointF Placement::map(dr::Point p) const {
    return {plot_.left() + (p.x - low_.x) * scale_x_, plot_.bottom() - (p.y - low_.y) * scale_y_};
}

dr::Point Placement::unmap(QPointF device) const {
    return {low_.x + (device.x() - plot_.left()) / scale_x_,
            low_.y + (plot_.bottom() - device.y()) / scale_y_};
}

Placement paint(QPainter& painter, const dr::Drawing& d, const QRectF& area) {
    const double point = point_of(painter.device());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(area, Qt::white);
    painter.setFont(font(kLabelPoints));
    const Placement place(d, area, painter.device());
    if (d.axes) draw_axes(painter, d, place, point);

    painter.save();
    painter.setClipRect(place.plot().adjusted(-point, -point, point, point));
    for (const dr::Box& b : d.boxes) {
        painter.setPen(pen(b.pen, point));
        painter.setBrush(b.fill ? QBrush(colour(*b.fill)) : QBrush(Qt::NoBrush));
        painter.drawRect(QRectF(place.map(b.low), place.map(b.high)).normalized());
    }
    painter.setBrush(Qt::NoBrush);
    for (const dr::Polyline& line : d.lines) {
        if (line.points.size() < 2) continue;
        QPainterPath path(place.map(line.points.front()));
        for (std::size_t i = 1; i < line.points.size(); ++i) path.lineTo(place.map(line.points[i]));
        painter.setPen(pen(line.pen, point));
        painter.drawPath(path);
    }
    painter.restore();
    painter.setFont(font(kLabelPoints));
    for (const dr::Label& label : d.labels) draw_label(painter, label, place.map(label.at), point);
    draw_titles(painter, d, area, point);
    painter.restore();
    return place;
}

std::string render(const dr::Drawing& d, dr::Format format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSizeF sheet(kSheetWidthInches, kSheetHeightInches);
    const auto painted = [&d](QPaintDevice& device, const QRectF& area) {
        QPainter painter;
        if (!painter.begin(&device)) return false;
        paint(painter, d, area);
        return painter.end();
    };
    bool done = false;
    if (format == dr::Format::Svg) {
        constexpr int kSvgDpi = 72;
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setResolution(kSvgDpi);
        const QSize size(static_cast<int>(sheet.width() * kSvgDpi),
                         static_cast<int>(sheet.height() * kSvgDpi));
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QString::fromStdString(d.title));
        done = painted(svg, QRectF(QPointF(0, 0), QSizeF(size)));
    } else if (format == dr::Format::Png) {
        QImage image(static_cast<int>(sheet.width() * kImageDpi),
                     static_cast<int>(sheet.height() * kImageDpi), QImage::Format_RGB32);
        const int per_metre = static_cast<int>(std::lround(kImageDpi / 0.0254));
        image.setDotsPerMeterX(per_metre);
        image.setDotsPerMeterY(per_metre);
        image.fill(Qt::white);
        done = painted(image, QRectF(image.rect())) && image.save(&buffer, "PNG");
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kImageDpi);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::Tabloid), QPageLayout::Landscape,
                                      QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
        pdf.setTitle(QString::fromStdString(d.title));
        pdf.setCreator(QStringLiteral("PelvaneVA"));
        done =
            painted(pdf, QRectF(QPointF(0, 0), pdf.pageLayout().paintRectPixels(kImageDpi).size()));
    }
    buffer.close();
    if (!done) throw store::FileWriteError("the drawing could not be made");
    return bytes.toStdString();
}

void write_drawing(const dr::Drawing& d, const std::filesystem::path& file, dr::Format format) {
    store::check_replaceable(file);
    store::replace_file_with_bytes(file, render(d, format));
}

GuiForDrawing::GuiForDrawing() {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    }
    // Qt's own notes (a runtime folder it made, a font it replaced) are not for the
    // person running the tool, whose stderr carries only our messages.
    previous_handler_ =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

GuiForDrawing::~GuiForDrawing() {
    if (!app_) return;
    app_.reset();
    qInstallMessageHandler(previous_handler_);
}

}  // namespace pelvane::draw
