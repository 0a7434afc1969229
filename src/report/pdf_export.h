#pragma once
// PDF copies of report workbooks, made by LibreOffice when it is installed. It runs
// headless with a profile folder of its own, so a LibreOffice window the person has
// open is neither used nor disturbed.

#include <chrono>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pelvane::report {

// A conversion that could not be done; the text says why in the person's terms.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class OfficeConverter {
  public:
    // LibreOffice on the PATH ("soffice", else "libreoffice"); nullopt when absent.
    static std::optional<OfficeConverter> find();

    explicit OfficeConverter(std::filesystem::path program,
                             std::chrono::seconds time_limit = std::chrono::seconds(300));
    const std::filesystem::path& program() const { return program_; }

    // Converts `source` into `target` with LibreOffice's converter: `format` is what
    // --convert-to takes ("pdf", or "csv:Text - txt - csv (StarCalc):44,34,76" with
    // filter options); the file it makes is moved to `target`, replacing it.
    void convert(const std::filesystem::path& source, const std::filesystem::path& target,
                 std::string_view format) const;

  private:
    std::filesystem::path program_;
    std::chrono::seconds time_limit_;
};

// The workbook's sheet as a PDF. A ConversionError when LibreOffice is not
// installed (`converter` null) or fails.
void export_pdf(const OfficeConverter* converter, const std::filesystem::path& workbook,
                const std::filesystem::path& pdf);

}  // namespace pelvane::report
