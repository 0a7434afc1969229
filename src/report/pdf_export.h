#pragma once
// PDF copies of report workbooks, made by LibreOffice when it is installed. It runs
// headless with a profile folder of its own, so a LibreOffice window the person has
// open is neither used nor disturbed.

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pelvane::report {

// A conversion that could not be done; the text says why in the person's terms.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A conversion stopped because the person asked: LibreOffice (or pdfunite) and all
// it started were ended, and no target was written.
class ConversionStopped : public ConversionError {
  public:
    using ConversionError::ConversionError;
};

// Asked about twenty times a second while a helper program runs; true stops it.
using StopRequest = std::function<bool()>;

// A private folder for one conversion (profile, output, log) or for PDFs on their
// way into another, removed with everything in it when this dies.
class TemporaryFolder {
  public:
    // A ConversionError naming `purpose` when none can be made.
    explicit TemporaryFolder(std::string_view purpose);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
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
                 std::string_view format, const StopRequest& should_stop = {}) const;

    // Several files in one run of LibreOffice, which saves its start-up for each
    // further file. The sources' names (without extension) must differ.
    struct Conversion {
        std::filesystem::path source;
        std::filesystem::path target;
    };
    void convert(std::span<const Conversion> files, std::string_view format,
                 const StopRequest& should_stop = {}) const;

  private:
    std::filesystem::path program_;
    std::chrono::seconds time_limit_;
};

// PDF files joined into one by pdfunite (poppler-utils) when it is installed.
class PdfMerger {
  public:
    // pdfunite on the PATH; nullopt when absent.
    static std::optional<PdfMerger> find();

    explicit PdfMerger(std::filesystem::path program) : program_(std::move(program)) {}

    // Writes the pages of `parts`, in order, as `target` (replacing it). A
    // ConversionError naming the file when pdfunite fails.
    void merge(std::span<const std::filesystem::path> parts, const std::filesystem::path& target,
               const StopRequest& should_stop = {}) const;

  private:
    std::filesystem::path program_;
};

// Why a combined PDF is missing when the program that joins PDFs is.
inline constexpr const char* kPdfMergerMissing = "pdfunite (poppler-utils) is not installed";

// The workbook's sheet as a PDF. A ConversionError when LibreOffice is not
// installed (`converter` null) or fails; ConversionStopped when `should_stop` ended it.
void export_pdf(const OfficeConverter* converter, const std::filesystem::path& workbook,
                const std::filesystem::path& pdf, const StopRequest& should_stop = {});

}  // namespace pelvane::report
