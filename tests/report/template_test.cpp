// The report templates of the program folder: the cells the reports fill are
// there, empty and labelled, and the print setup makes a landscape form one page
// wide.

#include <gtest/gtest.h>

#include "report/report_writer.h"
#include "report/xlsx/cell_reference.h"
#include "report/xlsx/workbook.h"
#include "report/xlsx_fixture.h"
#include "support/temp_folder.h"

using namespace pelvane::report;
using pelvane::testing::program_folder;
using pelvane::testing::read_part;
using pelvane::testing::TempFolder;

namespace {

std::vector<std::string> range(const std::string& first, const std::string& last) {
    const auto from = *parse_cell_reference(first);
    const auto to = *parse_cell_reference(last);
    std::vector<std::string> cells;
    for (int row = from.row; row <= to.row; ++row) {
        for (int column = from.column; column <= to.column; ++column) {
            cells.push_back(cell_reference(row, column));
        }
    }
    return cells;
}

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct TemplateCase {
    const char* file;
    const char* sheet;
    const char* print_titles;         // "" when the form has none
    std::vector<std::string> filled;  // header and single cells the report writes
};

const TemplateCase kTemplates[] = {
    {kLd229Template, "LD-229", "'LD-229'!$1:$11", {"C4", "M1", "Y1", "M2", "M3", "Y5"}},
    {kLd347Template, "LD-347", "'LD-347'!$1:$10", {"I1", "Z1", "D4"}},
    {kPipeReportTemplate, "Pipe Report", "",
     join({{"I1",  "I2",  "I3",  "C6",  "C7",  "C8",  "H7",  "C11", "C12", "F12", "I12", "C13",
            "F13", "I13", "C14", "F14", "I14", "C15", "F15", "I25", "C26", "F26", "H30", "H31",
            "H32", "C36", "F36", "I36", "C37", "F37", "I37", "C38", "F38", "C39", "F39"},
           range("D20", "I20"),
           range("D21", "H21"),
           range("B29", "E32")})},
    {kOutletProtectionTemplate, "Outlet Protection", "'Outlet Protection'!$1:$4",
     join({{"C1", "J1", "C2", "J3", "I5", "I6", "I8", "I9", "I10", "G11", "E13", "E14", "E15",
            "E17"},
           range("E5", "E10"),
           range("I12", "I15"),
           range("I17", "I19"),
           range("I21", "I25"),
           range("I36", "I44"),
           range("I55", "I61"),
           range("I63", "I77"),
           range("I81", "I84"),
           range("I86", "I94")})},
};

void PrintTo(const TemplateCase& form, std::ostream* out) {
    *out << form.file;
}

// The text that labels a cell: the nearest text to its left in the same row.
std::string label_of(const Workbook& book, const CellPosition& at) {
    for (int column = at.column - 1; column >= 1; --column) {
        const CellValue value = book.cell(at.row, column);
        if (value.is_text()) return value.text;
    }
    return {};
}

class Templates : public ::testing::TestWithParam<TemplateCase> {};

}  // namespace

TEST_P(Templates, FilledCellsAreEmptyAndLabelled) {
    const TemplateCase& form = GetParam();
    const Workbook book = Workbook::open(program_folder() / form.file);
    EXPECT_EQ(book.sheet_name(), form.sheet);
    for (const std::string& reference : form.filled) {
        const auto at = *parse_cell_reference(reference);
        EXPECT_TRUE(book.cell(at.row, at.column).empty()) << form.file << " " << reference;
        EXPECT_FALSE(label_of(book, at).empty()) << form.file << " " << reference;
    }
}

TEST_P(Templates, PrintLandscapeOnePageWideWithRepeatedHeadings) {
    const TemplateCase& form = GetParam();
    const auto file = program_folder() / form.file;
    const auto part = read_part(file, "xl/worksheets/sheet1.xml");
    const auto sheet = part.child("worksheet");
    EXPECT_STREQ(sheet.child("pageSetup").attribute("orientation").value(), "landscape");
    EXPECT_STREQ(sheet.child("pageSetup").attribute("fitToWidth").value(), "1");
    EXPECT_STREQ(sheet.child("sheetPr").child("pageSetUpPr").attribute("fitToPage").value(), "1");
    EXPECT_TRUE(sheet.child("cols").child("col").attribute("width"));
    const auto workbook = read_part(file, "xl/workbook.xml");
    EXPECT_STREQ(
        workbook.select_node("//definedName[@name='_xlnm.Print_Titles']").node().text().get(),
        form.print_titles);
    const auto title =
        Workbook::open(file).cell(form.file == std::string(kOutletProtectionTemplate) ? 3 : 1, 1);
    EXPECT_EQ(title.text, "VIRGINIA DEPARTMENT OF TRANSPORTATION");
}

INSTANTIATE_TEST_SUITE_P(ReportTemplates, Templates, ::testing::ValuesIn(kTemplates),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

TEST(TemplateForms, ColumnsOfTheTableFormsAreNumberedAboveTheFirstDataRow) {
    // The reports write column n of a pipe row into column n of the sheet; the
    // numbered row of each form must agree.
    const std::pair<const char*, std::pair<int, int>> forms[] = {{kLd229Template, {11, 30}},
                                                                 {kLd347Template, {10, 27}}};
    for (const auto& [file, layout] : forms) {
        const auto [row, columns] = layout;
        const Workbook book = Workbook::open(program_folder() / file);
        for (int column = 1; column <= columns; ++column) {
            EXPECT_EQ(book.cell(row, column).text, "(" + std::to_string(column) + ")") << file;
        }
        EXPECT_TRUE(book.cell(row, columns + 1).empty()) << file;
        EXPECT_TRUE(book.cell(row + 1, 1).empty()) << file;
    }
}
