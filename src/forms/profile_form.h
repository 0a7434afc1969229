#pragma once
// The Profile window: the run from a start pipe down to a structure, drawn with
// its grade line, the values under the pointer, and Export to SVG, PNG or PDF.
//
// Fields: `profile_from` (the start pipe; its items are the pipes in table order),
// `profile_outfall` (the structure; its items are the structures where pipes end),
// `profile_tailwater` and its unit `length_unit`, and `profile_hover` (the values
// under the pointer).

#include <optional>
#include <string>
#include <string_view>

#include "forms/drawing.h"
#include "forms/drawing_export.h"
#include "forms/form_model.h"
#include "forms/profile.h"
#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

class ProfileForm : public FormModel {
  public:
    ProfileForm(store::ProjectContext& context, Ui& ui);

    // Fills the lists and draws the run from `start` to `outfall` with the tailwater
    // text. An empty `start` takes the start of the longest run to `outfall`; an
    // empty `outfall` the structure where the run from `start` ends.
    void open(std::string_view start, std::string_view outfall, std::string_view tailwater);
    // `profile_tailwater` lost the focus: a number is rewritten with "0.00".
    void field_left(FieldName name);
    // Draw: the run of the fields (nothing without a start pipe). A run that cannot
    // be drawn is refused with a message naming the choice, and the drawing is
    // cleared.
    void draw();
    // The pointer is over `station` of the drawing (nothing: it left the drawing).
    void hover(std::optional<double> station);
    // Export...: asks for the file; its extension chooses the type.
    void export_drawing(const DrawingWriter& write);
    void close();

    const drawing::Drawing& picture() const { return picture_; }

  private:
    store::ProjectContext& context_;
    Ui& ui_;
    std::optional<ProfileRun> run_;
    drawing::Drawing picture_;
};

}  // namespace pelvane::forms
