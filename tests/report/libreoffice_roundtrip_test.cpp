// A written workbook as LibreOffice reads it: the values, their number formats and
// recalculated formulas. Skipped where LibreOffice is not installed, except in CI.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/hgl/grade_line.h"
#include "core/hgl/hgl_test_pipes.h"
#include "core/text/number_text.h"
#include "report/ld347_layout.h"
#include "report/pdf_export.h"
#include "report/report_writer.h"
#include "report/xlsx_fixture.h"
#include "support/temp_folder.h"

using namespace pelvane::report;
using pelvane::testing::program_folder;
using pelvane::testing::TempFolder;

namespace {

// UTF-8, comma separated, values as shown (with the cells' number formats).
const char* kCsv = "csv:Text - txt - csv (StarCalc):44,34,76,1";

std::optional<OfficeConverter> office() {
    return OfficeConverter::find();
}

bool required() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
}

#define OFFICE_OR_SKIP(converter)                                                   \
    const auto converter = office();                                                \
    if (!converter) {                                                               \
        if (required()) FAIL() << "LibreOffice is required when CI=true (soffice)"; \
        GTEST_SKIP() << "LibreOffice is not installed";                             \
    }

// The sheet as rows of fields (quoted fields may hold commas, quotes and breaks).
std::vector<std::vector<std::string>> read_csv(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().push_back(field);
            field.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            rows.back().push_back(field);
            field.clear();
            rows.emplace_back();
        } else {
            field += c;
        }
    }
    if (!field.empty() || !rows.back().empty()) rows.back().push_back(field);
    return rows;
}

std::string at(const std::vector<std::vector<std::string>>& rows, int row, int column) {
    if (row < 1 || row > static_cast<int>(rows.size())) return {};
    const auto& fields = rows[row - 1];
    return column <= static_cast<int>(fields.size()) ? fields[column - 1] : std::string();
}

}  // namespace

TEST(LibreOffice, RecalculatesFormulasOfTheWrittenWorkbook) {
    OFFICE_OR_SKIP(converter);
    TempFolder folder;
    const auto file = folder / "formula.xlsx";
    // C1 = B1 * 2 with a cached result of the template's B1.
    pelvane::testing::write_fixture(
        file, "<row r=\"1\"><c r=\"B1\"><v>5</v></c><c r=\"C1\"><f>B1*2</f><v>10</v></c></row>");
    write_workbook(file, file, [](Workbook& book) { book.set_number(1, 2, 21); });
    converter->convert(file, folder / "formula.csv", kCsv);
    const auto rows = read_csv(folder / "formula.csv");
    EXPECT_EQ(at(rows, 1, 2), "21");
    EXPECT_EQ(at(rows, 1, 3), "42");
}

// A real grade line run, as the HGL window writes it: LibreOffice opens the form
// without complaint, keeps the texts as written and shows the rows in the form's
// number formats.
TEST(LibreOffice, ShowsARealLd347Run) {
    OFFICE_OR_SKIP(converter);
    const auto pipe = [](std::string number, std::string in, std::string out) {
        auto p = pelvane::hgl::testing::make_pipe(std::move(number), std::move(in), std::move(out));
        p.nodein_type = "Inlet";
        p.nodein_shaping = "YES";
        p.structure_ca = "0.9";
        p.pipe_i = "6.5";
        p.pipe_skew = "45";
        p.nodein_station = "10+50";
        p.nodein_topele = "101.50";
        return p;
    };
    const std::vector<pelvane::hgl::HglPipe> pipes{pipe("1", "2", "1"), pipe("2", "3", "2"),
                                                   pipe("3", "4", "2")};
    const auto result = pelvane::hgl::compute_grade_line(pipes, "1", "100.00", "ENGLISH");
    pelvane::store::ProjectContext project;
    project.project_name = "O'Brien & <Sons>, \"Route 29\"";
    project.designer = "  J. Engineer";

    TempFolder folder;
    const ReportFiles files{folder / "ld347.xlsx", folder / "ld347.pdf"};
    const auto written = write_report(
        program_folder() / kLd347Template, files,
        [&](Workbook& book) { write_cells(book, ld347_layout(project, result)); }, &*converter);
    EXPECT_EQ(written.skipped_cells, 0);
    std::ifstream pdf(*files.pdf, std::ios::binary);
    std::string magic(5, '\0');
    pdf.read(magic.data(), 5);
    EXPECT_EQ(magic, "%PDF-");

    converter->convert(files.workbook, folder / "ld347.csv", kCsv);
    const auto rows = read_csv(folder / "ld347.csv");
    EXPECT_EQ(at(rows, 1, 9), "O'Brien & <Sons>, \"Route 29\"");
    EXPECT_EQ(at(rows, 1, 26), "  J. Engineer");
    EXPECT_EQ(at(rows, 4, 4), "10");
    EXPECT_EQ(at(rows, 10, 27), "(27)");  // the form around the rows is kept
    EXPECT_EQ(at(rows, 11, 1), "1");
    EXPECT_EQ(at(rows, 11, 25), "100.000");
    EXPECT_EQ(at(rows, 12, 2), "10+50");
    EXPECT_EQ(at(rows, 12, 6), "18");
    EXPECT_EQ(at(rows, 12, 11), "5.660");
    EXPECT_EQ(at(rows, 12, 22), "YES");
    EXPECT_EQ(at(rows, 14, 1), "");  // the row between the paths
    EXPECT_EQ(at(rows, 15, 1), "4");
    const auto number = [&](int row, int field) {
        return std::get<double>(result.rows[static_cast<std::size_t>(row)].field(field));
    };
    using pelvane::text::format_number;
    EXPECT_EQ(at(rows, 12, 5), format_number(number(1, 5), "0.000"));
    EXPECT_EQ(at(rows, 12, 9), format_number(number(1, 9), "0.00000"));
    EXPECT_EQ(at(rows, 12, 25), format_number(number(1, 25), "0.000"));
    EXPECT_EQ(at(rows, 13, 20), format_number(number(2, 20), "0.000"));
    EXPECT_EQ(at(rows, 12, 27), number(1, 25) <= 101.5 ? "O.K." : "ADJUST");
}
