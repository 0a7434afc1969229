#include "gui/rainfall_data_chart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace pelvane::gui {
namespace {

constexpr double kMinutesFrom = 5.0;
constexpr double kMinutesTo = 120.0;
constexpr double kDurationTicks[] = {5, 10, 15, 30, 60, 120};
constexpr double kIntensityTicks[] = {0.1, 0.2, 0.3, 0.5, 0.7, 1,  1.5, 2, 3,
                                      4,   5,   7,   10,  15,  20, 30,  50};

QColor colour_of(int index) {
    static const QColor colours[] = {QColor(31, 119, 180), QColor(44, 160, 44),
                                     QColor(214, 39, 40),  QColor(148, 103, 189),
                                     QColor(255, 127, 14), QColor(23, 150, 160)};
    return colours[index % 6];
}

// Tick and storm labels: every one is a short decimal that QString::number writes
// in full.
QString number(double value) {
    return QString::number(value);
}

}  // namespace

RainfallDataChart::RainfallDataChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(480, 280);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void RainfallDataChart::set_preview(std::vector<forms::RainfallPreview> preview) {
    preview_ = std::move(preview);
    update();
}

void RainfallDataChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    const QFontMetrics metrics(font());
    const int legend_width = 190;
    const QRectF plot(metrics.horizontalAdvance("0000") + 16, 14,
                      width() - legend_width - metrics.horizontalAdvance("0000") - 30,
                      height() - metrics.height() * 2 - 28);
    p.setPen(palette().text().color());

    if (preview_.empty()) {
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                   "Open a NOAA precipitation frequency export to see its intensities\n"
                   "and the fitted curves here.");
        return;
    }

    double low = 1e9;
    double high = 0.0;
    for (const auto& f : preview_) {
        for (const auto* series : {&f.points, &f.curve}) {
            for (const auto& pt : *series) {
                low = std::min(low, pt.intensity);
                high = std::max(high, pt.intensity);
            }
        }
    }
    if (!(low > 0.0) || !(high > low)) return;
    const double y_from = std::log10(low * 0.85);
    const double y_to = std::log10(high * 1.15);
    const double x_from = std::log10(kMinutesFrom * 0.9);
    const double x_to = std::log10(kMinutesTo * 1.1);
    const auto at = [&](double minutes, double intensity) {
        const double x = (std::log10(minutes) - x_from) / (x_to - x_from);
        const double y = (std::log10(intensity) - y_from) / (y_to - y_from);
        return QPointF(plot.left() + x * plot.width(), plot.bottom() - y * plot.height());
    };

    // Axes and grid.
    const QColor grid = palette().mid().color();
    p.setPen(QPen(grid, 0.6, Qt::DotLine));
    for (const double t : kDurationTicks) {
        const QPointF a = at(t, std::pow(10.0, y_from));
        p.drawLine(QPointF(a.x(), plot.top()), QPointF(a.x(), plot.bottom()));
    }
    for (const double i : kIntensityTicks) {
        if (std::log10(i) < y_from || std::log10(i) > y_to) continue;
        const QPointF a = at(kMinutesFrom, i);
        p.drawLine(QPointF(plot.left(), a.y()), QPointF(plot.right(), a.y()));
    }
    p.setPen(QPen(palette().text().color(), 1.0));
    p.drawRect(plot);
    for (const double t : kDurationTicks) {
        const QPointF a = at(t, std::pow(10.0, y_from));
        p.drawText(QRectF(a.x() - 30, plot.bottom() + 2, 60, metrics.height()), Qt::AlignCenter,
                   number(t));
    }
    for (const double i : kIntensityTicks) {
        if (std::log10(i) < y_from || std::log10(i) > y_to) continue;
        const QPointF a = at(kMinutesFrom, i);
        p.drawText(QRectF(0, a.y() - metrics.height() / 2.0, plot.left() - 6, metrics.height()),
                   Qt::AlignRight | Qt::AlignVCenter, number(i));
    }
    p.drawText(
        QRectF(plot.left(), plot.bottom() + metrics.height() + 4, plot.width(), metrics.height()),
        Qt::AlignCenter, "Duration (min)");

    // Curves and points, then the legend.
    double legend_y = plot.top();
    const double legend_x = plot.right() + 14;
    p.drawText(QRectF(legend_x, legend_y, legend_width, metrics.height()), Qt::AlignLeft,
               "Intensity (in/hr)");
    legend_y += metrics.height() * 1.6;
    for (std::size_t k = 0; k < preview_.size(); ++k) {
        const auto& f = preview_[k];
        const QColor colour = colour_of(static_cast<int>(k));
        QPainterPath curve;
        for (std::size_t j = 0; j < f.curve.size(); ++j) {
            const QPointF q = at(f.curve[j].duration_minutes, f.curve[j].intensity);
            if (j == 0) {
                curve.moveTo(q);
            } else {
                curve.lineTo(q);
            }
        }
        p.setPen(QPen(colour, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawPath(curve);
        p.setBrush(colour);
        p.setPen(QPen(Qt::white, 1.0));
        for (const auto& pt : f.points) p.drawEllipse(at(pt.duration_minutes, pt.intensity), 4, 4);

        p.setPen(QPen(colour, 1.8));
        p.drawLine(QPointF(legend_x, legend_y + metrics.height() / 2.0),
                   QPointF(legend_x + 18, legend_y + metrics.height() / 2.0));
        p.setPen(palette().text().color());
        p.drawText(QRectF(legend_x + 24, legend_y, legend_width - 24, metrics.height()),
                   Qt::AlignLeft,
                   number(f.years) + "-year  worst " + QString::fromStdString(f.worst_error));
        legend_y += metrics.height() * 1.4;
    }
    legend_y += metrics.height() * 0.6;
    p.setBrush(palette().text().color());
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(legend_x + 9, legend_y + metrics.height() / 2.0), 4, 4);
    p.setPen(palette().text().color());
    p.drawText(QRectF(legend_x + 24, legend_y, legend_width - 24, metrics.height()), Qt::AlignLeft,
               "NOAA estimate");
    legend_y += metrics.height() * 1.4;
    p.drawLine(QPointF(legend_x, legend_y + metrics.height() / 2.0),
               QPointF(legend_x + 18, legend_y + metrics.height() / 2.0));
    p.drawText(QRectF(legend_x + 24, legend_y, legend_width - 24, metrics.height()), Qt::AlignLeft,
               "fitted B / (Tc + D)^E");
}

}  // namespace pelvane::gui
