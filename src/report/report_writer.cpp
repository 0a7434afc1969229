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

void copy_template(const fs::path& template_file, const fs::path& workbook) {
    std::error_code ec;
    fs::copy_file(template_file, workbook, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        throw WorkbookError("Cannot copy the template " + template_file.string() + " to " +
                            workbook.string() + ": " + ec.message());
    }
}

int fill_workbook(const fs::path& workbook, const FillCells& fill) {
    Workbook book = Workbook::open(workbook);
    if (fill) fill(book);
    book.save(workbook);
    return book.failed_writes();
}

WrittenReport write_report(const fs::path& template_file, const ReportFiles& files,
                           const FillCells& fill, const OfficeConverter* converter) {
    copy_template(template_file, files.workbook);
    WrittenReport written{files, fill_workbook(files.workbook, fill)};
    if (files.pdf) export_pdf(converter, files.workbook, *files.pdf);
    return written;
}

}  // namespace pelvane::report
