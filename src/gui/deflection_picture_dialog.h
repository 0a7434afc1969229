#pragma once
// `frmskew`: the picture that explains the deflection angle entered at the lower
// end of a pipe. It has no commands; it is closed by its frame.

#include <QDialog>

#include "forms/project.h"

namespace pelvane::gui {

class DeflectionPictureDialog : public QDialog {
    Q_OBJECT
  public:
    DeflectionPictureDialog(const forms::ProjectContext& context, QWidget* parent = nullptr);
};

}  // namespace pelvane::gui
