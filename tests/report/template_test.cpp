// The report templates of the program folder: the cells the reports fill are
// there, empty and labelled, and the print setup makes a landscape form one page
// wide; and the outlet protection report's cells, written into its template and
// read back.

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "core/outlet/usda_method.h"
#include "report/outlet_protection_report.h"
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

namespace pelvane::report {
namespace {

using Texts = std::map<std::string, std::string, std::less<>>;

FieldLookup lookup(const Texts& texts) {
    return [&texts](std::string_view name) {
        const auto it = texts.find(name);
        return it == texts.end() ? std::string() : it->second;
    };
}

store::ProjectContext project(const std::string& units) {
    store::ProjectContext context;
    context.project_name = "Route 460 O'Brien";
    context.designer = "D. Engineer";
    context.location = "Pulaski";
    context.units = units;
    return context;
}

// An outfall whose protection was required and designed by every method but the
// Contra Costa basin, whose Froude number was too high.
const Texts kOutlet{{"enodeout", "O'Brien 1"}, {"eDiaRise", "24"},
                    {"E_Discharge", "20.40"},  {"dn_C", "1.2"},
                    {"V_C", "10.2"},           {"FR_C", "1.9"},
                    {"velocity2", "6.84"},     {"dn_TW", "0.900"},
                    {"Bed_Matl", "Fine Sand"}, {"D50bed", "0.00082 - 0.00041"},
                    {"Velocity_NS", "0.98"},   {"outlet_protection", "REQUIRED!"},
                    {"D16", "0.01"},           {"D84", "0.1"},
                    {"plindex", "5.0"},        {"txt_D", "1.37"},
                    {"txt_W", "6.49"},         {"txt_L", "14.77"},
                    {"txtLocation", "5.91"}};

Texts designed() {
    Texts d{{"txt_EC", " Class I "},  {"txtEC_L", "6.00"},       {"txtEC_W", "6.00"},
            {"txtEC_T", "2.00"},      {"C_Discharge", "10"},     {"L_ROP", "12.0"},
            {"W_ROP", "6.8"},         {"D50_size", "0.5"},       {"Thickness_Apron", "1.0"},
            {"L_Basin", "8.00"},      {"L_Pool", "6.00"},        {"L_Apron", "2.00"},
            {"W_Exit", "7.33"},       {"D_Pool", "0.00"},        {"T_StoneA", "2.40"},
            {"T_StoneB", "1.60"},     {"sizeD50", "0.800"},      {"V_Exit", "3.10"},
            {"txtdE_basin", "0.99"},  {"txtFRo_basin", "1.81"},  {"txtdE_usbr", "0.98"},
            {"txtFRo_usbr", "1.80"},  {"txtHo", "2.61"},         {"txtHL", "0.97"},
            {"txtHe", "1.64"},        {"txtdB", "0.58"},         {"txtVB", "7.66"},
            {"txtdE_contra", "0.97"}, {"txtFRo_contra", "3.01"}, {"txtWbasin", "NONE"},
            {"L2byh2", "3.50"}};
    for (int i = 0; i < 15; ++i) d["USBRsize(" + std::to_string(i) + ")"] = std::to_string(i + 4);
    return d;
}

class OutletProtectionReportTest : public ::testing::Test {
  protected:
    Workbook written(const CellLayout& cells) {
        const auto file = folder / "outlet.xlsx";
        EXPECT_EQ(write_workbook(testing::program_folder() / kOutletProtectionTemplate, file,
                                 [&cells](Workbook& book) { write_cells(book, cells); }),
                  0);
        return Workbook::open(file);
    }
    testing::TempFolder folder;
};

TEST_F(OutletProtectionReportTest, EveryCellOfADesignedOutfallReadsBack) {
    const Texts dissipators = designed();
    const auto book = written(
        outlet_protection_cells(lookup(kOutlet), lookup(dissipators), project("ENGLISH"), 12.0));
    // The header and outfall rows, the apron rows with the USDA note, the riprap basin rows 36 to
    // 44, the USBR frame's own equivalent depth and Froude number, and the Contra Costa frame's,
    // whose "NONE" is written unchanged.
    const std::tuple<int, int, const char*> texts[] = {
        {1, 3, "Route 460 O'Brien"},
        {5, 5, "O'Brien 1"},
        {8, 9, "Fine Sand"},
        {11, 7, "REQUIRED!"},
        {17, 5, " Class I "},
        {9, 9, "0.00082 - 0.00041"},
        {83, 9, "NONE"},
        {26, 1, outlet::kUsdaApproximationNote.data()}};
    for (const auto& [row, column, text] : texts) {
        EXPECT_EQ(book.cell(row, column).text, text) << row << "," << column;
    }
    const auto number_at = [&book](int row, int column) {
        const CellValue cell = book.cell(row, column);
        EXPECT_TRUE(cell.is_number()) << row << "," << column;
        return cell.number;
    };
    const std::tuple<int, int, double> numbers[] = {
        {6, 5, 2.0},   {10, 5, 1.9},  {5, 9, 6.84}, {15, 5, 5.0}, {21, 9, 10.0},
        {25, 9, 1.0},  {36, 9, 8.0},  {40, 9, 0.0}, {44, 9, 3.1}, {55, 9, 0.98},
        {61, 9, 7.66}, {81, 9, 0.97}, {84, 9, 3.5}};
    for (const auto& [row, column, number] : numbers) {
        EXPECT_DOUBLE_EQ(number_at(row, column), number) << row << "," << column;
    }
    for (int i = 0; i < 15; ++i) EXPECT_DOUBLE_EQ(number_at(63 + i, 9), i + 4.0) << i;
    // The Contra Costa basin was not designed: its dimension rows stay empty.
    for (int row = 86; row <= 94; ++row) EXPECT_TRUE(book.cell(row, 9).empty()) << row;
}

TEST_F(OutletProtectionReportTest, MethodsNotDesignedLeaveTheirCellsEmpty) {
    Texts outlet = kOutlet;
    outlet["eDiaRise"] = "";
    const auto cells =
        outlet_protection_cells(lookup(outlet), lookup({}), project("ENGLISH"), 12.0);
    for (const LayoutCell& cell : cells) EXPECT_LT(cell.row, 16) << cell.row;
    const auto book = written(cells);
    EXPECT_TRUE(book.cell(6, 5).empty());
    EXPECT_TRUE(book.cell(17, 5).empty());
    EXPECT_TRUE(book.cell(21, 9).empty());
    EXPECT_TRUE(book.cell(63, 9).empty());
}

}  // namespace
}  // namespace pelvane::report
