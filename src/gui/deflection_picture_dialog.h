#pragma once
// `frmskew`: the picture that explains the deflection angle entered at the lower
// end of a pipe. It has no commands; it is closed by its frame.

#include <QDialog>

#include "store/project_context.h"

namespace pelvane::gui {

class DeflectionPictureDialog : public QDialog {
    Q_OBJECT
  public:
    DeflectionPictureDialog(const store::ProjectContext& context, QWidget* parent = nullptr);
};

}  // namespace pelvane::gui
