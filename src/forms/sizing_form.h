#pragma once
// The Size Pipes dialog of the pipe network grid: which pipes to size (the selected
// one or every pipe) and the largest share of full flow a pipe may carry. Accept
// refuses a share that is not above 0 and at most 100 and keeps the dialog open;
// Cancel gives no request.

#include <optional>
#include <string>

#include "forms/form_model.h"
#include "forms/pipe_sizing.h"
#include "forms/ui.h"

namespace pelvane::forms {

inline constexpr const char* kSizeScopeSelected = "selected";
inline constexpr const char* kSizeScopeAll = "all";
inline constexpr const char* kMaxFullLabel = "Largest share of full flow (%)";
inline constexpr const char* kSizeAllCaption = "All pipes";
inline constexpr const char* kSizeAcceptCaption = "Size";
inline constexpr const char* kSizePipesCommand = "&Size Pipes...";

class SizingForm : public FormModel {
  public:
    SizingForm(Ui& ui, std::string selected_pipe);

    const std::string& selected_pipe() const { return selected_pipe_; }
    // The caption of the choice of the selected pipe.
    std::string selected_caption() const { return "Selected pipe " + selected_pipe_; }
    // What the grid sizes once the dialog has closed: nothing until Accept, or after
    // Cancel.
    const std::optional<SizingRequest>& request() const { return request_; }

    void accept();
    void cancel();

  private:
    Ui& ui_;
    std::string selected_pipe_;
    std::optional<SizingRequest> request_;
};

}  // namespace pelvane::forms
