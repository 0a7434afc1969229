#pragma once
// A submittal in one go: every report and drawing of the open project written into
// one folder by the same functions as the single reports and drawings, then joined
// into one PDF. File > Submittal... of the grid and `pelvane submittal` both run it.
//
// In order: form LD-229, form LD-347 (the grade line from the chosen outfall with
// the tailwater), the storm drain results of every pipe in the grid's order, the
// outlet protection report of every outfall with a stored record whose protection
// is required, the design checks, the plan coloured by velocity and the profile of
// the longest run to the outfall. Workbooks are made PDFs by LibreOffice and joined
// with the drawings, in that order, by pdfunite.

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "forms/drawing_export.h"
#include "report/pdf_export.h"
#include "store/project_context.h"

namespace pelvane::forms {

// The fixed names of the files in the folder.
namespace submittal_files {
inline constexpr const char* kLd229 = "LD229.xlsx";
inline constexpr const char* kLd347 = "LD347.xlsx";
inline constexpr const char* kPipeResults = "PipeResults-";  // + pipe number + ".xlsx"
inline constexpr const char* kOutlet = "Outlet-";            // + node + ".xlsx"
inline constexpr const char* kChecks = "Checks.xlsx";
inline constexpr const char* kPlan = "Plan.pdf";
inline constexpr const char* kProfile = "Profile.pdf";
inline constexpr const char* kCombined = "Submittal.pdf";
}  // namespace submittal_files

struct SubmittalRequest {
    std::string outfall;    // the structure the grade line and the profile start at
    std::string tailwater;  // its elevation as typed
    std::filesystem::path folder;
};

// What the submittal uses besides the project: the painter's writer of drawings
// (which the forms cannot reach), and LibreOffice and pdfunite (null when absent:
// the workbooks and drawings are written all the same, without the combined PDF).
struct SubmittalTools {
    DrawingWriter draw;
    const report::OfficeConverter* office = nullptr;
    const report::PdfMerger* merger = nullptr;
};

struct SubmittalOutcome {
    std::vector<std::filesystem::path> files;  // every file written, in order
    std::optional<std::filesystem::path> pdf;  // the combined PDF when it was made
    std::vector<std::string> messages;         // what was left out, and why
    bool cancelled = false;
};

// A submittal that cannot go on: a choice that does not fit the project, or a file
// that cannot be written (named with its document).
class SubmittalError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One line per document as it is written: "LD-229 ... written LD229.xlsx".
using SubmittalProgress = std::function<void(const std::string& line)>;

// Whether the person has asked to stop.
using SubmittalStop = std::function<bool()>;

// Writes the submittal. `stop`, when given, is asked before each document and while
// LibreOffice and pdfunite run (which it ends); once it says yes, the documents
// written so far stay and the outcome says it was cancelled.
// An earlier combined PDF in the folder is removed first, so a run that does not
// make one leaves none that disagrees with its workbooks.
SubmittalOutcome write_submittal(store::ProjectContext& context, const SubmittalRequest& request,
                                 const SubmittalTools& tools, const SubmittalProgress& progress,
                                 const SubmittalStop& stop = {});

// A structure or pipe name as part of a file name: each character a file name may
// not hold (or that a shell or another system would stumble on) becomes "_".
std::string safe_file_name(std::string_view name);

}  // namespace pelvane::forms
