// The converter's handling of the office program, with stand-in scripts so the
// behaviour is checked on every machine; and a written workbook as LibreOffice
// reads it (the formulas the program leaves are recalculated), skipped where
// LibreOffice is not installed, except in CI.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "core/hydrology/idf_csv.h"
#include "report/pdf_export.h"
#include "report/report_writer.h"
#include "report/xlsx_fixture.h"
#include "support/error_text.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"

using namespace pelvane::report;
using pelvane::testing::error_text;
using pelvane::testing::TempFolder;

namespace {

std::filesystem::path write_script(const std::filesystem::path& file, const std::string& body) {
    std::ofstream(file) << "#!/bin/sh\n" << body;
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    return file;
}

// Writes its arguments, one a line, into the file LibreOffice would make.
const char* kEchoOffice = R"(out=""; fmt=""; prev=""; last=""
for a in "$@"; do
  case "$prev" in --outdir) out="$a";; --convert-to) fmt="$a";; esac
  prev="$a"; last="$a"
done
base=$(basename "$last")
printf '%s\n' "$@" > "$out/${base%.*}.${fmt%%:*}"
)";

}  // namespace

TEST(OfficeConverter, RunsHeadlessWithAPrivateProfileAndMovesTheResultToTheTarget) {
    TempFolder folder;
    const OfficeConverter office(write_script(folder / "soffice", kEchoOffice));
    std::ofstream(folder / "My Report.xlsx") << "workbook";
    const auto target = folder / "out" / "copy.pdf";
    std::filesystem::create_directories(target.parent_path());
    office.convert(folder / "My Report.xlsx", target, "pdf");

    const std::string arguments = pelvane::testing::bytes_of(target);
    EXPECT_NE(arguments.find("--headless\n"), std::string::npos);
    EXPECT_NE(arguments.find("--convert-to\npdf\n"), std::string::npos);
    EXPECT_NE(arguments.find("-env:UserInstallation=file:///"), std::string::npos);
    EXPECT_NE(arguments.find((folder / "My Report.xlsx").string()), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "My Report.pdf"));
}

TEST(OfficeConverter, FailuresAreReportedWithTheOfficeProgramsLastWords) {
    TempFolder folder;
    std::ofstream(folder / "book.xlsx") << "workbook";
    const OfficeConverter failing(
        write_script(folder / "failing",
                     "echo starting\necho 'Error: source file could not be "
                     "loaded' >&2\nexit 1\n"));
    const std::string failure = error_text<ConversionError>(
        [&] { failing.convert(folder / "book.xlsx", folder / "book.pdf", "pdf"); });
    EXPECT_NE(failure.find("could not convert book.xlsx (Error: source file could not be loaded)"),
              std::string::npos)
        << failure;
    // Exit code 0 but nothing made is a failure too.
    const OfficeConverter silent(write_script(folder / "silent", "exit 0\n"));
    EXPECT_THROW(silent.convert(folder / "book.xlsx", folder / "book.pdf", "pdf"), ConversionError);
    EXPECT_THROW(silent.convert(folder / "missing.xlsx", folder / "x.pdf", "pdf"), ConversionError);
    EXPECT_FALSE(std::filesystem::exists(folder / "book.pdf"));
}

TEST(OfficeConverter, NoConverterMeansAClearErrorForThePdf) {
    TempFolder folder;
    EXPECT_NE(error_text<ConversionError>([&] {
                  export_pdf(nullptr, folder / "book.xlsx", folder / "book.pdf");
              }).find("LibreOffice is not installed"),
              std::string::npos);
}

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
