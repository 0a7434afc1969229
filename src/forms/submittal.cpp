#include "forms/submittal.h"

#include <algorithm>
#include <set>

#include "core/hgl/run.h"
#include "core/text/number_text.h"
#include "forms/design_checks.h"
#include "forms/design_session.h"
#include "forms/energy_dissipation_form.h"
#include "forms/energy_dissipation_report.h"
#include "forms/hgl_form.h"
#include "forms/input_conventions.h"
#include "forms/ld229_report.h"
#include "forms/pipe_energy_form.h"
#include "forms/pipe_energy_texts.h"
#include "forms/pipe_report.h"
#include "forms/plan.h"
#include "forms/profile.h"
#include "report/report_writer.h"
#include "store/check_settings.h"
#include "store/energy_table.h"
#include "store/file_replace.h"
#include "store/pipe_table.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;
namespace sf = submittal_files;

// The checks sheet: the heading cells and the first row of violations.
constexpr int kChecksFirstRow = 7;

// Writes the documents one by one into the folder and keeps what was written.
class Writer {
  public:
    Writer(store::ProjectContext& context, const SubmittalRequest& request,
           const SubmittalTools& tools, const SubmittalProgress& progress,
           const SubmittalStop& stop)
        : context_(context), request_(request), tools_(tools), progress_(progress), stop_(stop) {}

    // False once the person has asked to stop.
    bool go_on() {
        if (stop_ && stop_()) outcome.cancelled = true;
        return !outcome.cancelled;
    }

    void workbook(const std::string& document, const char* template_name,
                  const std::string& file_name, const report::SheetCells& cells) {
        const fs::path file = request_.folder / file_name;
        try {
            report::write_workbook(
                context_.program_folder / template_name, file,
                [&cells](report::Workbook& book) { report::write_cells(book, cells); });
        } catch (const report::WorkbookError& e) {
            throw SubmittalError(document + " (" + file.string() + "): " + e.what());
        }
        written(document, file, true);
    }

    void drawing(const std::string& document, const drawing::Drawing& picture,
                 const std::string& file_name) {
        const fs::path file = request_.folder / file_name;
        try {
            tools_.draw(picture, file, drawing::Format::Pdf);
        } catch (const store::FileWriteError& e) {
            throw SubmittalError(document + " (" + file.string() + "): " + e.what());
        }
        written(document, file, false);
    }

    // A document left out, or a step that did not happen, and why.
    void note(const std::string& line) {
        if (progress_) progress_(line);
        outcome.messages.push_back(line);
    }

    // The workbooks made PDFs and joined with the drawings, in the order written.
    void combine() {
        const std::string no_pdf = "No combined PDF was made: ";
        const std::string still = "; the workbooks and drawings are written.";
        if (tools_.office == nullptr) return note(no_pdf + "LibreOffice is not installed" + still);
        if (tools_.merger == nullptr) return note(no_pdf + report::kPdfMergerMissing + still);
        const fs::path target = request_.folder / sf::kCombined;
        try {
            const report::TemporaryFolder folder("the PDFs of the workbooks");
            std::vector<report::OfficeConverter::Conversion> conversions;
            std::vector<fs::path> parts;
            for (const auto& [file, is_workbook] : parts_) {
                if (!is_workbook) {
                    parts.push_back(file);
                    continue;
                }
                parts.push_back(folder.path() /
                                fs::path(file).replace_extension(".pdf").filename());
                conversions.push_back({file, parts.back()});
            }
            // The longest step, with nothing to show until it ends: said beforehand.
            if (progress_) {
                progress_("Combined PDF ... LibreOffice makes PDFs of " +
                          std::to_string(conversions.size()) + " workbooks");
            }
            const report::StopRequest stop = [this] { return !go_on(); };
            tools_.office->convert(conversions, "pdf", stop);
            tools_.merger->merge(parts, target, stop);
        } catch (const report::ConversionStopped&) {
            return;  // the outcome says it was cancelled
        } catch (const report::ConversionError& e) {
            return note(no_pdf + e.what() + still);
        }
        written("Combined PDF", target, false);
        outcome.pdf = target;
    }

    SubmittalOutcome outcome;

  private:
    void written(const std::string& document, const fs::path& file, bool is_workbook) {
        outcome.files.push_back(file);
        if (file.filename() != sf::kCombined) parts_.emplace_back(file, is_workbook);
        if (progress_) progress_(document + " ... written " + file.filename().string());
    }

    store::ProjectContext& context_;
    const SubmittalRequest& request_;
    const SubmittalTools& tools_;
    const SubmittalProgress& progress_;
    const SubmittalStop& stop_;
    std::vector<std::pair<fs::path, bool>> parts_;  // file, and whether it is a workbook
};

// Names made safe can meet ("A/1" and "A_1"): the later one gets "-2", "-3", ...
class FileNames {
  public:
    std::string unique(const std::string& stem, const std::string& extension) {
        std::string name = stem + extension;
        for (int n = 2; !used_.insert(name).second; ++n) {
            name = stem + "-" + std::to_string(n) + extension;
        }
        return name;
    }

  private:
    std::set<std::string> used_;
};

// The dissipator window as the outlet protection window opens it: its designs run,
// and the report's cells are taken from both windows as they stand.
class OutletReportWindows : public PipeEnergyForm::Windows {
  public:
    std::optional<report::CellLayout> cells;

    void show_energy_dissipation(EnergyDissipationForm& dissipators) override {
        dissipators.cmdanalyze();
        cells = outlet_protection_cells(dissipators.outlet(), dissipators);
    }
    void about() override {}
};

// The first stored record of each outfall, in table order.
std::vector<store::EnergyRecord> outfall_records(const store::ProjectContext& context) {
    std::vector<store::EnergyRecord> records;
    std::set<std::string> nodes;
    for (auto& record : store::EnergyTable(context.project_connection).all()) {
        const std::string node = record.get("ENODEOUT_NO");
        if (!node.empty() && nodes.insert(node).second) records.push_back(std::move(record));
    }
    return records;
}

void write_outlet_reports(Writer& writer, store::ProjectContext& context, FileNames& names) {
    DesignSession design;
    if (!design.enter_outlet_protection(context)) {
        return writer.note(
            "Outlet protection: no report, as it is not offered for a legacy "
            "project database.");
    }
    std::vector<store::EnergyRecord> records;
    try {
        records = outfall_records(context);
    } catch (const store::DatabaseError& e) {
        return writer.note(
            std::string("Outlet protection: no report, the records cannot be read (") + e.what() +
            ").");
    }
    for (const store::EnergyRecord& record : records) {
        if (!writer.go_on()) return;
        const std::string node = record.get("ENODEOUT_NO");
        const std::string document = "Outlet protection at " + node;
        UnattendedUi quiet;
        OutletReportWindows windows;
        PipeEnergyForm outlet(context, design, quiet, windows);
        outlet.open(record);
        const auto& ends = outlet.fields.at("enodeout").items;
        if (std::find(ends.begin(), ends.end(), node) == ends.end()) {
            writer.note(document + ": no workbook, no pipe ends there any more.");
            continue;
        }
        const std::string need = outlet.fields.text("outlet_protection");
        if (need != pipe_energy_texts::kProtectionRequired) {
            writer.note(document + ": no workbook, protection is " +
                        (need.empty() ? std::string("not evaluated") : "not required") + ".");
            continue;
        }
        outlet.cmdanalyzeED();
        if (!windows.cells) continue;  // the window keeps its command off: nothing to report
        writer.workbook(document, report::kOutletProtectionTemplate,
                        names.unique(sf::kOutlet + safe_file_name(node), ".xlsx"), *windows.cells);
    }
}

report::CellLayout checks_cells(const store::ProjectContext& context,
                                const SubmittalRequest& request, const std::string& tailwater) {
    const store::CheckSettings settings =
        store::read_check_settings(context.project_connection, context.units);
    const DesignReview review =
        review_design(context, settings, checks::GradeLineStart{request.outfall, tailwater});
    report::CellLayout cells;
    report::add_text(cells, 2, 3, context.project_name);
    report::add_text(cells, 2, 6, today_text());
    report::add_text(cells, 3, 3, context.units);
    report::add_text(cells, 3, 6,
                     "structure " + request.outfall + ", tailwater " + tailwater + " " +
                         std::string(UnitNames::for_units(context.units).length));
    int row = kChecksFirstRow;
    if (review.violations.empty()) report::add_text(cells, row, 1, kNoViolations);
    for (const checks::Violation& v : review.violations) {
        const ViolationTexts texts = violation_texts(v, settings.criteria, context.units);
        int column = 1;
        for (const std::string* text : {&texts.rule, &texts.pipe, &texts.structure, &texts.value,
                                        &texts.limit, &texts.source}) {
            report::add_text(cells, row, column++, *text);
        }
        ++row;
    }
    return cells;
}

}  // namespace

std::string safe_file_name(std::string_view name) {
    std::string safe;
    for (const char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        safe.push_back(plain ? c : '_');
    }
    // Not a name of its own: "." and ".." name folders, and a leading dot hides a file.
    if (!safe.empty() && safe.front() == '.') safe.front() = '_';
    return safe.empty() ? "_" : safe;
}

SubmittalOutcome write_submittal(store::ProjectContext& context, const SubmittalRequest& request,
                                 const SubmittalTools& tools, const SubmittalProgress& progress,
                                 const SubmittalStop& stop) {
    const std::vector<hgl::HglPipe> pipes = hgl_pipes(context);
    if (pipes.empty()) throw SubmittalError("the project has no pipes to put in a submittal");
    const auto outfalls = hgl::outfall_nodes(pipes);
    if (std::find(outfalls.begin(), outfalls.end(), request.outfall) == outfalls.end()) {
        throw SubmittalError("no pipe ends at structure '" + request.outfall + "'");
    }
    if (!text::parse_number(request.tailwater).ok()) {
        throw SubmittalError("the tailwater '" + request.tailwater + "' is not a number");
    }
    // As the grade line window's field holds it once the person has left it.
    const std::string tailwater = format_on_leave(request.tailwater, kTailwaterPattern);
    std::error_code error;
    fs::create_directories(request.folder, error);
    if (error || !fs::is_directory(request.folder)) {
        throw SubmittalError("the folder " + request.folder.string() + " cannot be made (" +
                             (error ? error.message() : "a file has that name") + ")");
    }

    // A combined PDF of an earlier run no longer matches once the first workbook is
    // replaced; it goes, so that none is left that this run did not make.
    const fs::path combined = request.folder / sf::kCombined;
    if (fs::is_regular_file(combined, error)) fs::remove(combined, error);

    Writer writer(context, request, tools, progress, stop);
    FileNames names;
    for (const char* fixed : {sf::kLd229, sf::kLd347, sf::kChecks, sf::kPlan, sf::kProfile}) {
        names.unique(fixed, "");
    }
    const auto step = [&writer](const auto& write) {
        if (writer.go_on()) write();
    };
    step([&] {
        DesignSession design;
        design.enter_grade_line_report(context);
        writer.workbook("LD-229", report::kLd229Template, sf::kLd229, ld229_cells(context, design));
    });
    step([&] {
        writer.workbook(
            "LD-347", report::kLd347Template, sf::kLd347,
            grade_line_report(context, pipes, request.outfall, tailwater).sheet(context));
    });
    const auto numbers =
        store::PipeTable(context.project_connection).texts_by_number({"PIPE_NUMBER"});
    for (const auto& number : numbers) {
        step([&] {
            const auto cells = pipe_report_cells(context, number.front(), today_text());
            if (!cells) return;
            writer.workbook(
                "Pipe " + number.front() + " results", report::kPipeReportTemplate,
                names.unique(sf::kPipeResults + safe_file_name(number.front()), ".xlsx"), *cells);
        });
    }
    step([&] { write_outlet_reports(writer, context, names); });
    step([&] {
        writer.workbook("Design checks", report::kChecksTemplate, sf::kChecks,
                        checks_cells(context, request, tailwater));
    });
    step([&] {
        writer.drawing("Plan", plan_drawing(plan_of_project(context, PlanResult::Velocity)),
                       sf::kPlan);
    });
    step([&] {
        const auto start = hgl::longest_run_start(pipes, request.outfall);
        const ProfileOutcome profile = profile_of_project(
            context, start ? pipes[*start].pipe_number : "", request.outfall, tailwater);
        if (!profile.run) return writer.note("Profile: not drawn, " + profile.problem);
        writer.drawing("Profile", profile_drawing(*profile.run), sf::kProfile);
    });
    step([&] { writer.combine(); });
    return std::move(writer.outcome);
}

}  // namespace pelvane::forms
