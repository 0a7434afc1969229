// A written workbook as LibreOffice reads it: the formulas the program leaves are
// recalculated. Skipped where LibreOffice is not installed, except in CI.

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/hydrology/idf_csv.h"
#include "report/pdf_export.h"
#include "report/report_writer.h"
#include "report/xlsx_fixture.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"

using namespace pelvane::report;

TEST(LibreOffice, RecalculatesFormulasOfTheWrittenWorkbook) {
    const auto converter = OfficeConverter::find();
    if (!converter) {
        const char* ci = std::getenv("CI");
        if (ci != nullptr && std::string(ci) == "true") {
            FAIL() << "LibreOffice is required when CI=true (soffice)";
        }
        GTEST_SKIP() << "LibreOffice is not installed";
    }
    pelvane::testing::TempFolder folder;
    const auto file = folder / "formula.xlsx";
    // C1 = B1 * 2 with a cached result of the template's B1.
    pelvane::testing::write_fixture(
        file, "<row r=\"1\"><c r=\"B1\"><v>5</v></c><c r=\"C1\"><f>B1*2</f><v>10</v></c></row>");
    write_workbook(file, file, [](Workbook& book) { book.set_number(1, 2, 21); });
    // UTF-8, comma separated, values as shown.
    converter->convert(file, folder / "formula.csv", "csv:Text - txt - csv (StarCalc):44,34,76,1");
    const auto rows =
        pelvane::hydrology::read_csv(pelvane::testing::bytes_of(folder / "formula.csv"));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].cells, (pelvane::hydrology::CsvRow{"", "21", "42"}));
}
