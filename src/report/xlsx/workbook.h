#pragma once
// A workbook opened from an .xlsx file (normally a copy of a report template)
// whose first worksheet is filled cell by cell and saved. Everything the cells do
// not touch (styles, column widths, merged cells, print setup, other sheets) is
// kept as the template has it; formulas are recalculated by whoever opens the
// result.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "report/layout_cell.h"
#include "report/xlsx/cell_value.h"
#include "report/xlsx/zip_package.h"

namespace pelvane::report {

class Workbook {
  public:
    // The first worksheet in the workbook's sheet order (whatever its part is
    // called). A WorkbookError when the file is not a readable workbook.
    static Workbook open(const std::filesystem::path& file);

    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;
    ~Workbook();

    const std::string& sheet_name() const;

    // Cell writes; row and column count from 1. A write that cannot be done (a
    // position outside the sheet, a number that is not finite, the master cell of a
    // shared formula) changes nothing, returns false and is counted, so a report
    // can skip that cell and go on. The cell keeps its style.
    bool set_text(int row, int column, std::string_view text);
    bool set_number(int row, int column, double value);
    // As a typed entry: a text that reads as a number is stored as that number
    // (and shows in the cell's number format), anything else as text.
    bool set_entry(int row, int column, std::string_view text);
    int failed_writes() const;

    CellValue cell(int row, int column) const;

    // Rows written only when the workbook is saved, each as it comes, through the
    // same cell writes: the sheet is written to a temporary file row by row and
    // never stands whole in memory. One stream per workbook; its cells cannot be
    // read back with cell().
    void stream_rows(RowStream rows);

    // Saves under `file` (replacing it through a temporary file): the first sheet
    // becomes the active one and the workbook asks to be fully recalculated when
    // it is opened. A WorkbookError when the file cannot be written.
    void save(const std::filesystem::path& file);

  private:
    struct Impl;
    explicit Workbook(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace pelvane::report
