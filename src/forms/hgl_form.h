#pragma once
// The HGL window `frmHGL`: the hydraulic grade line from a chosen outfall (or any
// structure) upstream, written onto form LD-347.
//
// Fields: `hglanodeout` (the structure; its items are the structures where pipes
// end), `TWE` (the tailwater elevation) and its unit label `length_unit` ("ft" or
// "m" by the project's units).

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/hgl/grade_line.h"
#include "forms/design_session.h"
#include "forms/form_model.h"
#include "forms/ui.h"
#include "report/layout_cell.h"
#include "report/ld347_layout.h"
#include "report/pdf_export.h"
#include "store/pipe_table.h"
#include "store/project_context.h"

namespace pelvane::forms {

namespace hgl_texts {
inline constexpr const char* kCaption = "HGL Analysis";
inline constexpr const char* kFrame = "HYDRAULIC GRADELINE ANALYSIS";
inline constexpr const char* kNodeLabel = "OUTFALL/END NODE";
inline constexpr const char* kTailwaterLabel = "TAIL WATER ELEVATION";
inline constexpr const char* kCompute = "Compute HGL";  // cmdHGL
inline constexpr const char* kClose = "Close";          // cmdHGLclose
}  // namespace hgl_texts

// The tailwater field when the window opens, and what an empty one counts as.
inline constexpr const char* kDefaultTailwater = "0.0";
// The pattern the tailwater field takes when it is left.
inline constexpr const char* kTailwaterPattern = "0.00";

// The PIPE column behind each text the grade line reads.
struct HglColumn {
    store::Column column;
    std::string hgl::HglPipe::*member;
};
std::span<const HglColumn> hgl_columns();

// Every pipe of the open project in table order (the order they were added), read
// in one pass of only the columns the grade line needs.
std::vector<hgl::HglPipe> hgl_pipes(const store::ProjectContext& context);

// The grade line report of the open project from `node`: the rows of `pipes`
// computed with the tailwater text as typed, and the cells of form LD-347. Compute
// HGL and `pelvane hgl` both make it here.
struct GradeLineReport {
    hgl::HglResult result;
    // The form's cells, its rows made from `result` as the workbook is saved.
    report::SheetCells sheet(const store::ProjectContext& context) const {
        return report::ld347_sheet(context, result);
    }
};
GradeLineReport grade_line_report(const store::ProjectContext& context,
                                  std::span<const hgl::HglPipe> pipes, std::string_view node,
                                  std::string_view tailwater);

class HglForm : public FormModel {
  public:
    HglForm(store::ProjectContext& context, DesignSession& session, Ui& ui,
            const report::OfficeConverter* office);
    // With LibreOffice looked up on the PATH for PDF copies.
    HglForm(store::ProjectContext& context, DesignSession& session, Ui& ui);

    // Fills the structure list, sets the tailwater to "0.0" and names its unit.
    void open();
    // `TWE` lost the focus: a number is rewritten with "0.00".
    void field_left(FieldName name);
    // Compute HGL: with no structure chosen, nothing happens. Otherwise sets the
    // report constants, computes the grade line on the saved pipes and writes it
    // onto a new LD-347 workbook through the report sequence (refusing the file
    // name ends the run without a workbook). The project database is not changed.
    void cmdHGL();
    void cmdHGLclose();

  private:
    store::ProjectContext& context_;
    DesignSession& session_;
    Ui& ui_;
    std::optional<report::OfficeConverter> office_;  // makes PDF copies when set
};

}  // namespace pelvane::forms
