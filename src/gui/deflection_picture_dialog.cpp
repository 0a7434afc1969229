#include "gui/deflection_picture_dialog.h"

#include <QLabel>
#include <QSvgWidget>
#include <QVBoxLayout>

#include "core/pipe/picker_tables.h"

namespace pelvane::gui {

DeflectionPictureDialog::DeflectionPictureDialog(const store::ProjectContext& context,
                                                 QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(pipe::kDeflectionTitle.data(),
                                     static_cast<int>(pipe::kDeflectionTitle.size())));
    setObjectName("frmskew");
    auto* layout = new QVBoxLayout(this);
    const auto picture = context.program_folder / std::string(pipe::kDeflectionPicture);
    auto* svg = new QSvgWidget(QString::fromStdString(picture.string()));
    const QSize natural = svg->sizeHint();
    if (natural.isValid() && !natural.isEmpty()) {
        // Large enough to read, keeping the picture's proportions.
        const double scale = std::max(1.0, 520.0 / natural.width());
        svg->setFixedSize(static_cast<int>(natural.width() * scale),
                          static_cast<int>(natural.height() * scale));
        layout->addWidget(svg);
    } else {
        delete svg;
        layout->addWidget(new QLabel("The picture " + QString::fromStdString(picture.string()) +
                                     " could not be read."));
    }
}

}  // namespace pelvane::gui
