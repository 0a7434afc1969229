#include "gui/splash_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace pelvane::gui {
namespace {

const QColor kSkyTop(198, 219, 236);
const QColor kSkyLow(240, 246, 250);
const QColor kSoil(196, 176, 140);
const QColor kSoilDark(160, 138, 100);
const QColor kPavement(72, 76, 82);
const QColor kConcrete(178, 180, 176);
const QColor kWater(52, 120, 196);
const QColor kInk(22, 52, 92);

// Everything is laid out on a 1000 x 600 canvas and scaled to the area.
constexpr double kWidth = 1000.0;
constexpr double kHeight = 600.0;
constexpr double kGround = 330.0;  // road surface

// The sky, the rain, the soil and the road run across the whole area, whatever
// its proportions; `ground` is the road surface in the area's coordinates.
void paint_backdrop(QPainter& p, const QRectF& area, double ground, double scale) {
    QLinearGradient sky(0, area.top(), 0, ground);
    sky.setColorAt(0, kSkyTop);
    sky.setColorAt(1, kSkyLow);
    p.fillRect(QRectF(area.left(), area.top(), area.width(), ground - area.top()), sky);

    p.setPen(QPen(QColor(110, 150, 190, 150), 2.0 * scale, Qt::SolidLine, Qt::RoundCap));
    // A fixed scatter of drops below the titles: the same picture every time.
    const double top = ground - (kGround - 190.0) * scale;
    const double band = (kGround - 210.0) * scale;
    const int drops = static_cast<int>(area.width() / (9.0 * scale));
    std::uint32_t seed = 20160701u;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / double(1u << 24);
    };
    for (int i = 0; i < drops; ++i) {
        const double x = area.left() + next() * area.width();
        const double y = top + next() * band;
        p.drawLine(QPointF(x, y), QPointF(x - 6 * scale, y + 16 * scale));
    }

    p.fillRect(QRectF(area.left(), ground, area.width(), area.bottom() - ground), kSoil);
    p.setPen(QPen(kSoilDark, 1.2 * scale));
    const double depth = area.bottom() - ground;
    for (double x = area.left() - depth; x < area.right(); x += 26.0 * scale) {
        p.drawLine(QPointF(x, area.bottom()), QPointF(x + depth - 14 * scale, ground + 14 * scale));
    }
    // Pavement and its centre line.
    p.fillRect(QRectF(area.left(), ground - 4 * scale, area.width(), 18 * scale), kPavement);
    p.setPen(QPen(QColor(236, 200, 60), 3.0 * scale, Qt::DashLine));
    p.drawLine(QPointF(area.left(), ground + scale), QPointF(area.right(), ground + scale));
}

// Pipe invert and crown in profile: falling from left to right.
QPointF invert_at(double x) {
    return {x, 470.0 + (x - 120.0) * 0.07};
}
constexpr double kPipeRise = 62.0;

void paint_structure(QPainter& p, double x, double width, const QString& cover) {
    const double bottom = invert_at(x).y() + 14.0;
    p.setPen(QPen(kInk, 2.0));
    p.setBrush(kConcrete);
    p.drawRect(QRectF(x - width / 2, kGround - 4, width, bottom - kGround + 4));
    p.setBrush(QColor(120, 122, 118));
    p.drawRect(QRectF(x - width / 2 - 8, kGround - 10, width + 16, 8));
    p.setPen(QPen(kInk, 1.0));
    p.setFont(QFont(p.font().family(), 11));
    p.drawText(QRectF(x - 80, kGround - 40, 160, 24), Qt::AlignCenter, cover);
}

void paint_pipe(QPainter& p) {
    const double from = 120.0;
    const double to = 930.0;
    const QPointF a = invert_at(from);
    const QPointF b = invert_at(to);
    QPainterPath barrel;
    barrel.moveTo(a);
    barrel.lineTo(b);
    barrel.lineTo(b - QPointF(0, kPipeRise));
    barrel.lineTo(a - QPointF(0, kPipeRise));
    barrel.closeSubpath();
    p.setPen(QPen(kInk, 3.0));
    p.setBrush(QColor(228, 230, 226));
    p.drawPath(barrel);

    // Flow at about two thirds of the rise.
    QPainterPath water;
    const double depth = kPipeRise * 0.62;
    water.moveTo(a);
    water.lineTo(b);
    water.lineTo(b - QPointF(0, depth));
    water.lineTo(a - QPointF(0, depth));
    water.closeSubpath();
    QLinearGradient flow(0, a.y() - depth, 0, a.y());
    flow.setColorAt(0, kWater.lighter(135));
    flow.setColorAt(1, kWater);
    p.setPen(Qt::NoPen);
    p.setBrush(flow);
    p.drawPath(water);

    // Hydraulic grade line above the crown, dashed.
    p.setPen(QPen(QColor(200, 40, 40), 2.5, Qt::DashLine));
    p.drawLine(a - QPointF(0, kPipeRise + 34), b - QPointF(0, kPipeRise + 12));
    p.setFont(QFont(p.font().family(), 11, QFont::Bold));
    p.drawText(QPointF(330, invert_at(330).y() - kPipeRise - 30), "HGL");

    // Outfall: riprap apron beyond the pipe end.
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(130, 130, 126));
    for (int i = 0; i < 6; ++i) {
        p.drawEllipse(QPointF(to + 14 + i * 10, b.y() + 4 - (i % 2) * 5), 7, 5);
    }
}

void paint_titles(QPainter& p) {
    QFont title(p.font().family(), 54, QFont::Bold);
    p.setFont(title);
    p.setPen(kInk);
    p.drawText(QRectF(48, 36, 900, 80), Qt::AlignLeft | Qt::AlignVCenter, "PelvaneVA");
    p.setFont(QFont(p.font().family(), 17));
    p.drawText(QRectF(52, 112, 900, 34), Qt::AlignLeft | Qt::AlignVCenter,
               "Storm drain design to the VDOT Drainage Manual");
    p.setFont(QFont(p.font().family(), 13));
    p.setPen(kInk.lighter(150));
    p.drawText(QRectF(52, 146, 900, 28), Qt::AlignLeft | Qt::AlignVCenter, "Release 2.1");
}

}  // namespace

void paint_product_picture(QPainter& painter, const QRectF& area, PictureTitles titles) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(area);
    // The drawing keeps its proportions in the middle of the area; the backdrop
    // fills the rest.
    const double scale = std::min(area.width() / kWidth, area.height() / kHeight);
    const QRectF canvas(area.center().x() - kWidth * scale / 2,
                        area.center().y() - kHeight * scale / 2, kWidth * scale, kHeight * scale);
    paint_backdrop(painter, area, canvas.top() + kGround * scale, scale);
    painter.translate(canvas.topLeft());
    painter.scale(scale, scale);
    paint_pipe(painter);
    paint_structure(painter, 150.0, 56.0, "Inlet");
    paint_structure(painter, 560.0, 48.0, "Manhole");
    if (titles == PictureTitles::Product) paint_titles(painter);
    painter.restore();
}

}  // namespace pelvane::gui
