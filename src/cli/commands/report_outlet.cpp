// pelvane report outlet: the outlet protection analysis of an outfall written as
// the outlet protection report, as the dissipator window's "Outlet Protection
// Results" writes it.

#include <filesystem>

#include "cli/commands/outlet_analysis.h"
#include "cli/commands/report.h"
#include "forms/energy_dissipation_report.h"

namespace {

using namespace pelvane;
namespace fs = std::filesystem;

int run_outlet_report(const cli::Args& args, cli::CommandContext& command) {
    auto options = cli::outlet_analysis_options();
    options.insert(options.end(), {"-o", "--pdf"});
    args.allow_only(options);
    const auto out = args.option("-o");
    if (!out || out->empty()) throw cli::CommandError("-o OUT.xlsx is required", 2);

    report::ReportFiles files = report::report_files_for(*out);
    if (args.flag("--pdf") && !files.pdf)
        files.pdf = fs::path(files.workbook).replace_extension(".pdf");
    const auto office = files.pdf ? report::OfficeConverter::find() : std::nullopt;

    std::optional<report::WrittenReport> written;
    std::string pdf_failure;
    const cli::OutletAnalysis analysis = cli::run_outlet_analysis(
        args, command, 1,
        [&](forms::PipeEnergyForm& outlet, forms::EnergyDissipationForm& dissipators) {
            const auto fill = forms::outlet_protection_fill(outlet, dissipators, outlet.context());
            const fs::path template_file =
                outlet.context().program_folder / report::kOutletProtectionTemplate;
            report::copy_template(template_file, files.workbook);
            written = report::WrittenReport{{files.workbook, std::nullopt},
                                            report::fill_workbook(files.workbook, fill)};
            if (!files.pdf) return;
            try {
                report::export_pdf(office ? &*office : nullptr, files.workbook, *files.pdf);
                written->files.pdf = files.pdf;
            } catch (const report::ConversionError& e) {
                // The workbook stands without its PDF.
                pdf_failure = e.what();
            }
        });
    if (!written) {
        throw cli::CommandError(
            "outlet protection is not required at node \"" + *args.option("--node") +
            "\": the report is written from the dissipator window, which opens only when it is");
    }

    cli::JsonObject result = cli::JsonObject::object();
    result["workbook"] = fs::absolute(written->files.workbook).string();
    if (written->files.pdf) result["pdf"] = fs::absolute(*written->files.pdf).string();
    result["skipped_cells"] = written->skipped_cells;
    if (!pdf_failure.empty()) result["pdf_error"] = pdf_failure;
    result["messages"] = analysis.messages;
    cli::print_object(command.out, result, args.flag("--json"));
    return 0;
}

PELVANE_REPORT({"outlet",
                std::string("FILE.pvd ") + cli::kOutletAnalysisUsage +
                    " -o OUT.xlsx [--pdf] [--json]",
                "the outlet protection report of an outfall whose protection is required",
                run_outlet_report});

}  // namespace
