// The submittal of the sample project with two outlet protection records.

#include "forms/submittal.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "draw/painter.h"
#include "report/xlsx/workbook.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;

int pdf_pages(const fs::path& pdf) {
    std::FILE* info = ::popen(("pdfinfo '" + pdf.string() + "'").c_str(), "r");
    int pages = -1;
    char line[256];
    while (info != nullptr && std::fgets(line, sizeof line, info) != nullptr) {
        std::sscanf(line, "Pages: %d", &pages);
    }
    if (info != nullptr) ::pclose(info);
    return pages;
}

// Written into a folder that does not exist yet: a cancel stops after the document
// being written; then every file in order, each a workbook or PDF that opens, the
// outfall without protection said, and a combined PDF with the pages of its parts.
TEST(Submittal, WritesEveryDocumentInOrderAndJoinsThem) {
    testing::TempFolder folder;
    const fs::path file = folder / "Sample.pvd";
    fs::copy_file(testing::program_folder() / "samples" / "Sample.pvd", file);
    testing::insert_row(file, "ENERGY",
                        {{"ENODEOUT_NO", "1"},
                         {"EFLOW_DEPTH", "0.8"},
                         {"C_DISCHARGE", "12"},
                         {"BED_MATL", "Fine Sand"},
                         {"OUTLET_PROTECT", "REQUIRED!"}});
    testing::insert_row(file, "ENERGY",
                        {{"ENODEOUT_NO", "11"}, {"OUTLET_PROTECT", "NOT REQUIRED!"}});
    store::ProjectContext context = testing::open_project_for_test(file);
    const auto office = report::OfficeConverter::find();
    const auto merger = report::PdfMerger::find();
    const draw::GuiForDrawing gui;
    const SubmittalTools tools{draw::write_drawing, office ? &*office : nullptr,
                               merger ? &*merger : nullptr};
    const fs::path out = folder / "new" / "submittal";
    const SubmittalRequest request{"1", "2076.5", out};

    std::atomic<bool> cancel{false};
    const auto stopped = write_submittal(
        context, request, tools, [&cancel](const std::string&) { cancel = true; },
        [&cancel] { return cancel.load(); });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(stopped.files, std::vector<fs::path>{out / "LD229.xlsx"});

    std::vector<std::string> lines;
    const auto made = write_submittal(context, request, tools,
                                      [&lines](const std::string& line) { lines.push_back(line); });
    std::vector<std::string> expected = {"LD229.xlsx", "LD347.xlsx"};
    for (int pipe = 1; pipe <= 9; ++pipe)
        expected.push_back("PipeResults-" + std::to_string(pipe) + ".xlsx");
    expected.insert(expected.end(), {"Outlet-1.xlsx", "Checks.xlsx", "Plan.pdf", "Profile.pdf"});
    if (office && merger) expected.push_back("Submittal.pdf");
    std::vector<std::string> names;
    for (const fs::path& written : made.files) names.push_back(written.filename().string());
    EXPECT_EQ(names, expected);
    EXPECT_EQ(lines.front(), "LD-229 ... written LD229.xlsx");
    EXPECT_NE(std::find(made.messages.begin(), made.messages.end(),
                        "Outlet protection at 11: no workbook, protection is not required."),
              made.messages.end());
    for (const fs::path& written : made.files) {
        if (written.extension() == ".xlsx") {
            EXPECT_NO_THROW(report::Workbook::open(written)) << written;
        } else {
            std::string head(5, ' ');
            std::ifstream(written, std::ios::binary).read(head.data(), 5);
            EXPECT_EQ(head, "%PDF-") << written;
        }
    }
    EXPECT_EQ(safe_file_name("O'Brien/1"), "O_Brien_1");

    if (!office || !merger) GTEST_SKIP() << "LibreOffice or pdfunite is not installed";
    ASSERT_EQ(made.pdf, out / "Submittal.pdf");
    std::vector<report::OfficeConverter::Conversion> parts;
    for (const fs::path& written : made.files) {
        if (written.extension() == ".xlsx") {
            parts.push_back({written, folder / written.filename().replace_extension(".pdf")});
        }
    }
    office->convert(parts, "pdf");
    int pages = pdf_pages(out / "Plan.pdf") + pdf_pages(out / "Profile.pdf");
    for (const auto& part : parts) pages += pdf_pages(part.target);
    EXPECT_EQ(pdf_pages(*made.pdf), pages);
}

}  // namespace
}  // namespace pelvane::forms
