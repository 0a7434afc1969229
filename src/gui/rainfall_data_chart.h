#pragma once
// The preview of a fitted NOAA export: per storm frequency the NOAA intensities as
// points and the fitted curve B / (Tc + D)^E as a line, on logarithmic axes of
// duration (minutes) and intensity (in/hr), with the worst relative error of each
// curve in the legend.

#include <QWidget>
#include <vector>

#include "forms/rainfall_data_form.h"

namespace pelvane::gui {

class RainfallDataChart : public QWidget {
    Q_OBJECT
  public:
    explicit RainfallDataChart(QWidget* parent = nullptr);
    void set_preview(std::vector<forms::RainfallPreview> preview);
    const std::vector<forms::RainfallPreview>& preview() const { return preview_; }

    QSize sizeHint() const override { return {640, 360}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<forms::RainfallPreview> preview_;
};

}  // namespace pelvane::gui
