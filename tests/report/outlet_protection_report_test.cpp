// The outlet protection report's cells, written into the template and read back.

#include "report/outlet_protection_report.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "core/outlet/usda_method.h"
#include "report/report_writer.h"
#include "support/temp_folder.h"

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
