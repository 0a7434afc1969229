#include "report/pdf_export.h"

#include <fstream>
#include <vector>

#include "platform/platform.h"
#include "store/file_replace.h"

namespace pelvane::report {
namespace {

namespace fs = std::filesystem;

// A file URL for -env:UserInstallation; bytes outside the unreserved set are
// percent-encoded so folders with blanks work.
std::string file_url(const fs::path& folder) {
    static const char* hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char c : folder.string()) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~';
        if (plain) {
            url.push_back(static_cast<char>(c));
        } else {
            url.push_back('%');
            url.push_back(hex[c >> 4]);
            url.push_back(hex[c & 15]);
        }
    }
    return url;
}

std::string tail_of(const fs::path& log) {
    std::ifstream in(log);
    std::string line, last;
    while (std::getline(in, line)) {
        if (!line.empty()) last = line;
    }
    return last;
}

// Runs the program, stopping it (and the office process it starts) when it takes
// longer than `time_limit` or the person asks. Returns the exit status.
int run(const std::vector<std::string>& words, const fs::path& log, std::chrono::seconds time_limit,
        const char* timed_out, const StopRequest& should_stop) {
    const auto deadline = std::chrono::steady_clock::now() + time_limit;
    bool asked = false;
    const platform::ProgramOutcome outcome =
        platform::run_program(words, log, [deadline, &should_stop, &asked] {
            asked = should_stop && should_stop();
            return asked || std::chrono::steady_clock::now() > deadline;
        });
    switch (outcome.end) {
        case platform::ProgramEnd::NotStarted:
            throw ConversionError("cannot start " + words[0]);
        case platform::ProgramEnd::Stopped:
            if (asked)
                throw ConversionStopped(fs::path(words[0]).filename().string() + " was stopped");
            throw ConversionError(timed_out);
        case platform::ProgramEnd::Exited:
            break;
    }
    return outcome.exit_code;
}

// The converted file in place of `to`, as every file the program writes.
void move_file(const fs::path& from, const fs::path& to) {
    try {
        store::replace_file_with_copy(to, from);
    } catch (const store::FileWriteError& e) {
        throw ConversionError(e.what());
    }
}

void check_target(const fs::path& target) {
    try {
        store::check_replaceable(target);
    } catch (const store::FileWriteError& e) {
        throw ConversionError(e.what());
    }
}

}  // namespace

TemporaryFolder::TemporaryFolder(std::string_view purpose) {
    auto made = platform::make_private_folder("pelvane-");
    if (!made) throw ConversionError("cannot make a temporary folder for " + std::string(purpose));
    path_ = std::move(*made);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::optional<OfficeConverter> OfficeConverter::find() {
    if (auto program = platform::find_program({"soffice", "libreoffice"}))
        return OfficeConverter(*program);
    return std::nullopt;
}

OfficeConverter::OfficeConverter(fs::path program, std::chrono::seconds time_limit)
    : program_(std::move(program)), time_limit_(time_limit) {}

void OfficeConverter::convert(const fs::path& source, const fs::path& target,
                              std::string_view format, const StopRequest& should_stop) const {
    const Conversion one{source, target};
    convert(std::span<const Conversion>(&one, 1), format, should_stop);
}

void OfficeConverter::convert(std::span<const Conversion> files, std::string_view format,
                              const StopRequest& should_stop) const {
    if (files.empty()) return;
    for (const Conversion& file : files) {
        if (!fs::exists(file.source)) {
            throw ConversionError("there is no file " + file.source.string());
        }
        check_target(file.target);  // before LibreOffice works for nothing
    }
    const TemporaryFolder scratch("LibreOffice");
    const fs::path output = scratch.path() / "out";
    fs::create_directories(output);
    const fs::path log = scratch.path() / "office.log";
    std::vector<std::string> words{program_.string(),
                                   "--headless",
                                   "--norestore",
                                   "--nolockcheck",
                                   "-env:UserInstallation=" + file_url(scratch.path() / "profile"),
                                   "--convert-to",
                                   std::string(format),
                                   "--outdir",
                                   output.string()};
    for (const Conversion& file : files) words.push_back(fs::absolute(file.source).string());
    const int status =
        run(words, log, time_limit_ * static_cast<std::chrono::seconds::rep>(files.size()),
            "LibreOffice did not finish the conversion in time", should_stop);
    const std::string extension(format.substr(0, format.find(':')));
    for (const Conversion& file : files) {
        const fs::path made = output / (file.source.stem().string() + "." + extension);
        if (status != 0 || !fs::exists(made)) {
            std::string text = "LibreOffice could not convert " + file.source.filename().string();
            if (const std::string why = tail_of(log); !why.empty()) text += " (" + why + ")";
            throw ConversionError(text);
        }
        move_file(made, file.target);
    }
}

std::optional<PdfMerger> PdfMerger::find() {
    if (auto program = platform::find_program({"pdfunite"})) return PdfMerger(*program);
    return std::nullopt;
}

void PdfMerger::merge(std::span<const fs::path> parts, const fs::path& target,
                      const StopRequest& should_stop) const {
    check_target(target);
    const TemporaryFolder scratch("pdfunite");
    const fs::path joined = scratch.path() / "joined.pdf";
    std::vector<std::string> words{program_.string()};
    for (const fs::path& part : parts) words.push_back(part.string());
    words.push_back(joined.string());
    const fs::path log = scratch.path() / "pdfunite.log";
    // pdfunite reads files already on the disk; a minute is ample for any submittal.
    const int status =
        run(words, log, std::chrono::seconds(60), "pdfunite did not finish in time", should_stop);
    if (status != 0 || !fs::exists(joined)) {
        std::string text = "pdfunite could not join the PDFs into " + target.filename().string();
        if (const std::string why = tail_of(log); !why.empty()) text += " (" + why + ")";
        throw ConversionError(text);
    }
    move_file(joined, target);
}

void export_pdf(const OfficeConverter* converter, const fs::path& workbook, const fs::path& pdf,
                const StopRequest& should_stop) {
    if (converter == nullptr) {
        throw ConversionError("No PDF was made: LibreOffice is not installed. The workbook is " +
                              workbook.string());
    }
    converter->convert(workbook, pdf, "pdf", should_stop);
}

}  // namespace pelvane::report
