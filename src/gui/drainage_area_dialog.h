#pragma once
// The drainage area window (`frmareaV2`, or `frmarea` for legacy projects) over its
// model: one row per land-use type with its C range, C value, area and C x A, the
// totals, and COMPUTE, SAVE and CANCEL.

#include <QDialog>
#include <memory>

#include "forms/drainage_area_form.h"
#include "gui/field_binder.h"

namespace pelvane::forms {
class Ui;
}

namespace pelvane::gui {

class DrainageAreaDialog : public QDialog {
    Q_OBJECT
  public:
    // `ui` shows what goes wrong in an event.
    DrainageAreaDialog(forms::DrainageAreaForm& area, forms::Ui& ui, QWidget* parent = nullptr);
    FieldBinder& binder() { return *binder_; }

  protected:
    void reject() override;

  private:
    forms::DrainageAreaForm& area_;
    std::unique_ptr<FieldBinder> binder_;
};

}  // namespace pelvane::gui
