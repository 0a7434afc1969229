#pragma once
// The renumber dialog of the pipe network grid: shows the selected pipe's number
// and takes a new one. Accept refuses a number that a saved pipe already has and
// asks before renumbering a pipe that drains into another; Cancel gives no number.

#include <string>

#include "forms/form_model.h"
#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

inline constexpr const char* kRenumberCaption = "Modify Pipe Number";
inline constexpr const char* kCurrentPipeNumberLabel = "CURRENT PIPE NUMBER";
inline constexpr const char* kNewPipeNumberLabel = "NEW PIPE NUMBER";
inline constexpr const char* kAcceptCaption = "Accept";
inline constexpr const char* kCancelCaption = "Cancel";

class RenumberForm : public FormModel {
  public:
    // `old_number` is the grid's selected pipe (`renumber old number`).
    RenumberForm(const store::ProjectContext& context, Ui& ui, std::string old_number);

    const std::string& old_number() const { return fields.text("thispipenumber"); }
    // The new number handed back to the grid (`renumber new number`): "" until Accept
    // closes the dialog, and after Cancel.
    const std::string& new_number() const { return new_number_; }

    // `cmdmodaccept`
    void accept();
    // `cmdmodcancel`
    void cancel();

  private:
    const store::ProjectContext& context_;
    Ui& ui_;
    std::string new_number_;
};

}  // namespace pelvane::forms
