#pragma once
// The Network Plan window: the schematic plan of the whole network with its pipes
// coloured by a chosen result. A click on a pipe selects it in the grid, a
// double-click opens it in the pipe window; Export writes SVG, PNG or PDF.
//
// Fields: `plan_colour_by` (the result; its items are plan_result_names) and
// `plan_status` (the pipe under the pointer and its value).

#include <functional>
#include <optional>
#include <string>

#include "forms/drawing.h"
#include "forms/drawing_export.h"
#include "forms/form_model.h"
#include "forms/plan.h"
#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

class PlanForm : public FormModel {
  public:
    // What a click and a double-click on pipe `number` do (the grid's).
    struct PipeActions {
        std::function<void(const std::string& number)> select;
        std::function<void(const std::string& number)> open;
    };

    PlanForm(store::ProjectContext& context, Ui& ui, PipeActions actions);

    // Fills the list of results, colours by velocity and draws.
    void open();
    // A result was chosen in the list: the plan is coloured by it.
    void colour_chosen();
    // The pointer, a click or a double-click at `at` of the drawing; `reach` is how
    // far across (drawing units) a pipe may be from it.
    void hover(std::optional<drawing::Point> at, double reach);
    void click(drawing::Point at, double reach);
    void double_click(drawing::Point at, double reach);
    void export_drawing(const DrawingWriter& write);
    void close();

    const drawing::Drawing& picture() const { return picture_; }

  private:
    std::optional<std::size_t> pipe_at(drawing::Point at, double reach) const;

    store::ProjectContext& context_;
    Ui& ui_;
    PipeActions actions_;
    Plan plan_;
    drawing::Drawing picture_;
};

}  // namespace pelvane::forms
