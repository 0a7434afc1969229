#pragma once
// The drainage area window: the area draining to a pipe's upper structure split
// into land-use rows, each with an area A and a runoff coefficient C held inside the
// row's range, giving the total area and the composite C*A. One model serves both
// versions of the window: 15 rows (`frmareaV2`) and the 24 rows of legacy project
// databases (`frmarea`).
//
// Fields: per row i (from 0) "Group(i)", "Type(i)", "Crange(i)", "Cval(i)",
// "Area(i)", "CA(i)"; the totals "TAREA" and "TCA", the area unit "TAunit" and the
// caption of the area column "area_frame".

#include <optional>
#include <string>
#include <string_view>

#include "forms/design_session.h"
#include "forms/form_model.h"
#include "store/project_context.h"

namespace pelvane::forms {

// What the pipe window hands in and takes back: the rows' areas and C values (the
// texts joined by ",", as stored with the pipe) and the structure's totals.
struct AreaExchange {
    std::string pareabufstr;
    std::string pcbufstr;
    std::string structure_area;
    std::string structure_ca;
};

namespace drainage_area_texts {
inline constexpr const char* kCaption = "DRAINAGE AREA";
inline constexpr const char* kTotalArea = "Total Area";
inline constexpr const char* kTotalCa = "Total C * A";
inline constexpr const char* kCompute = "COMPUTE";  // cmdcomputearea
inline constexpr const char* kSave = "SAVE";        // cmdsavearea
inline constexpr const char* kCancel = "CANCEL";    // cmdcancelarea
}  // namespace drainage_area_texts

class DrainageAreaForm : public FormModel {
  public:
    // Reads the units, legacy database mode and the sub-area list length of the
    // project; opening sets the project's number format.
    DrainageAreaForm(store::ProjectContext& context, DesignSession& session);

    // Name of a row field: row_field("Cval", 3) is "Cval(3)".
    static FieldName row_field(FieldName column, int row);

    // Opens for the pipe window's upper structure, restoring the stored rows.
    void open(const AreaExchange& pipe);

    // Field events.
    void area_left(int row);
    void c_left(int row);

    // Commands.
    void cmdcomputearea();
    void cmdsavearea();
    void cmdcancelarea();

    int row_count() const { return rows_; }
    // The values for the pipe window after SAVE; nothing after CANCEL.
    const std::optional<AreaExchange>& saved() const { return saved_; }

  private:
    double field_value(FieldName column, int row) const;
    void show_product(int row);

    store::ProjectContext& context_;
    DesignSession& session_;
    int rows_ = 0;
    std::optional<AreaExchange> saved_;
};

}  // namespace pelvane::forms
