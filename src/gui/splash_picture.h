#pragma once
// The product picture: a road in section with rain falling on it, an inlet and a
// manhole, and the storm drain below running full with its grade line. Drawn, not
// loaded, so it scales to any window. The splash, the main window's picture area
// and the About window show it.

#include <QRectF>

class QPainter;

namespace pelvane::gui {

enum class PictureTitles { None, Product };

void paint_product_picture(QPainter& painter, const QRectF& area,
                           PictureTitles titles = PictureTitles::Product);

}  // namespace pelvane::gui
