#pragma once
// "Rainfall Data…": the window over RainfallDataForm where NOAA exports and
// transcribed coefficient tables come into the rainfall databases, with the
// preview chart of a fitted export and the intensity check.

#include <QDialog>
#include <memory>
#include <string>

#include "forms/rainfall_check_form.h"
#include "forms/rainfall_data_form.h"
#include "gui/field_binder.h"

class QTableWidget;
class QLabel;

namespace pelvane::gui {

class RainfallDataChart;

class RainfallDataWindow : public QDialog {
    Q_OBJECT
  public:
    RainfallDataWindow(store::ProjectContext& context, forms::Ui& ui, QWidget* parent = nullptr);

    forms::RainfallDataForm& form() { return *form_; }
    forms::RainfallCheckForm& check() { return *check_; }
    RainfallDataChart* chart() const { return chart_; }
    QTableWidget* table() const { return table_; }
    // Shows what the model holds after a command run outside the window's buttons.
    void show_preview();

  private:
    QWidget* build_export(store::ProjectContext& context);
    QWidget* build_check();
    QWidget* build_table_import();

    forms::Ui& ui_;
    std::unique_ptr<forms::RainfallDataForm> form_;
    std::unique_ptr<forms::RainfallCheckForm> check_;
    std::unique_ptr<FieldBinder> binder_;
    std::unique_ptr<FieldBinder> check_binder_;
    RainfallDataChart* chart_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* export_station_ = nullptr;
    std::string kind_shown_;
};

// Shows Rainfall Data modally over `parent` and returns when it has closed.
void show_rainfall_data(store::ProjectContext& context, forms::Ui& ui, QWidget* parent);

}  // namespace pelvane::gui
