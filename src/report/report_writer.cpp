#include "report/report_writer.h"

#include <algorithm>
#include <cctype>

namespace pelvane::report {
namespace {

namespace fs = std::filesystem;

std::string lower_extension(const fs::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

ReportFiles report_files_for(const fs::path& chosen) {
    const std::string extension = lower_extension(chosen);
    if (extension == ".pdf") {
        fs::path workbook = chosen;
        workbook.replace_extension(".xlsx");
        return {workbook, chosen};
    }
    if (extension == ".xlsx") return {chosen, std::nullopt};
    return {fs::path(chosen.string() + ".xlsx"), std::nullopt};
}

int write_workbook(const fs::path& template_file, const fs::path& workbook, const FillCells& fill) {
    Workbook book = Workbook::open(template_file);
    if (fill) fill(book);
    book.save(workbook);
    return book.failed_writes();
}

WrittenReport write_report(const fs::path& template_file, const ReportFiles& files,
                           const FillCells& fill, const OfficeConverter* converter) {
    WrittenReport written{files, write_workbook(template_file, files.workbook, fill)};
    if (files.pdf) export_pdf(converter, files.workbook, *files.pdf);
    return written;
}

}  // namespace pelvane::report
