#pragma once
// The time of concentration window `frmVATc` over its model: five framed flow-path
// segments, each included by its check box, the total Tc, SAVE and CANCEL.

#include <QDialog>
#include <memory>

#include "forms/time_of_concentration_form.h"
#include "gui/field_binder.h"

namespace pelvane::forms {
class Ui;
}

namespace pelvane::gui {

class FieldFactory;
class FieldGrid;

class TimeOfConcentrationDialog : public QDialog {
    Q_OBJECT
  public:
    // `ui` shows what goes wrong in an event.
    TimeOfConcentrationDialog(forms::TimeOfConcentrationForm& tc, forms::Ui& ui,
                              QWidget* parent = nullptr);
    FieldBinder& binder() { return *binder_; }

  protected:
    void reject() override;

  private:
    QWidget* segment_box(FieldFactory& make, const QString& title, int segment);

    forms::TimeOfConcentrationForm& tc_;
    std::unique_ptr<FieldBinder> binder_;
};

}  // namespace pelvane::gui
