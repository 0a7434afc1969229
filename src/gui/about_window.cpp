#include "gui/about_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "gui/splash_picture.h"

namespace pelvane::gui {
namespace {

constexpr const char* kNotice =
    "PelvaneVA designs storm drain pipe networks to the VDOT Drainage Manual: rational-method "
    "discharges, pipe hydraulics, the hydraulic grade line, outlet protection and the design "
    "forms.<br><br>The results are the engineer's to check. No official VDOT rainfall "
    "coefficients are shipped: Pulaski's are fitted to NOAA Atlas 14 estimates, and every other "
    "county and station needs coefficients imported with Tools, Rainfall Data…";

class Picture : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paint_product_picture(painter, rect(), PictureTitles::None);
    }
};

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About PelvaneVA");
    auto* layout = new QVBoxLayout(this);
    auto* picture = new Picture(this);
    picture->setFixedSize(420, 200);
    layout->addWidget(picture, 0, Qt::AlignHCenter);

    auto* name = new QLabel("<b style='font-size:20pt'>PelvaneVA</b><br>Release 2.1", this);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    auto* notice = new QLabel(kNotice, this);
    notice->setWordWrap(true);
    notice->setTextFormat(Qt::RichText);
    notice->setMaximumWidth(420);
    layout->addWidget(notice);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void show_about(QWidget* parent) {
    AboutWindow window(parent);
    window.exec();
}

}  // namespace pelvane::gui
