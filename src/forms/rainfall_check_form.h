#pragma once
// The intensity check of the Rainfall Data window: for a storm frequency and a
// duration, the intensity of the previewed fit next to the one the design windows
// will compute from the coefficients stored for the chosen station or county, and
// the NOAA estimate when the export has one at that duration. All in in/hr, the
// unit of the NOAA exports and of the stored coefficients.
//
// Fields: `check_years` (items: the storm frequencies), `check_tc` (minutes),
// and the results `check_fitted`, `check_stored`, `check_noaa`.

#include "forms/form_model.h"
#include "forms/rainfall_data_form.h"
#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

class RainfallCheckForm : public FormModel {
  public:
    // Reads the chosen kind and name and the loaded export of `data`.
    RainfallCheckForm(const store::ProjectContext& context, Ui& ui, const RainfallDataForm& data);

    // Computes the three intensities. A duration that is no number, or stored
    // coefficients that cannot be read (a name without coefficients among them),
    // are refused with the reason and clear the results.
    void cmdCheck();

  private:
    void clear_results();

    const store::ProjectContext& context_;
    Ui& ui_;
    const RainfallDataForm& data_;
};

}  // namespace pelvane::forms
