#include "gui/deflection_picture_dialog.h"

#include <QLabel>
#include <QSvgWidget>
#include <QVBoxLayout>

#include "forms/pipe_form_texts.h"

namespace pelvane::gui {

namespace texts = forms::pipe_form_texts;

DeflectionPictureDialog::DeflectionPictureDialog(const forms::ProjectContext& context,
                                                 QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(texts::kDeflectionTitle.data(),
                                     static_cast<int>(texts::kDeflectionTitle.size())));
    setObjectName(QString::fromUtf8(texts::kDeflectionWindow.data(),
                                    static_cast<int>(texts::kDeflectionWindow.size())));
    auto* layout = new QVBoxLayout(this);
    const auto picture = context.program_folder / std::string(texts::kDeflectionPicture);
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
