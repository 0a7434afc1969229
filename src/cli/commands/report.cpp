// pelvane report: writes one of the report workbooks of a project, as the grid's
// report commands do, under a name given on the command line.

#include "cli/commands/report_command.h"

#include <filesystem>

namespace pelvane::cli {

std::map<std::string, ReportSubcommand>& report_subcommands() {
    static std::map<std::string, ReportSubcommand> subcommands;
    return subcommands;
}

ReportSubcommandRegistration::ReportSubcommandRegistration(ReportSubcommand subcommand) {
    auto name = subcommand.name;
    report_subcommands().emplace(std::move(name), std::move(subcommand));
}

const std::string& report_project_file(const Args& args) {
    return args.positional(1, "project file (FILE.pvd)");
}

report::WrittenReport write_report_files(const Args& args, const CommandContext& command,
                                         const std::string& template_name,
                                         const report::SheetCells& cells) {
    const auto out = args.option("-o");
    if (!out || out->empty()) throw CommandError("-o OUT.xlsx is required", 2);
    report::ReportFiles files = report::report_files_for(*out);
    if (args.flag("--pdf") && !files.pdf) {
        files.pdf = std::filesystem::path(files.workbook).replace_extension(".pdf");
    }
    const auto office = report::OfficeConverter::find();
    try {
        return report::write_report(
            std::filesystem::path(command.program_folder) / template_name, files,
            [&cells](report::Workbook& book) { report::write_cells(book, cells); },
            office ? &*office : nullptr);
    } catch (const report::ConversionError& e) {
        throw CommandError(std::string(e.what()) + " (the workbook " + files.workbook.string() +
                           " is written)");
    }
}

JsonObject written_json(const report::WrittenReport& written) {
    JsonObject result;
    result["workbook"] = written.files.workbook.string();
    if (written.files.pdf) result["pdf"] = written.files.pdf->string();
    result["skipped_cells"] = written.skipped_cells;
    return result;
}

int write_report_output(const Args& args, CommandContext& command, const std::string& template_name,
                        const report::SheetCells& cells) {
    const auto written = write_report_files(args, command, template_name, cells);
    print_object(command.out, written_json(written), args.flag("--json"));
    return 0;
}

}  // namespace pelvane::cli

namespace {

using namespace pelvane;

std::string subcommand_names() {
    std::string names;
    for (const auto& [name, subcommand] : cli::report_subcommands()) {
        names += (names.empty() ? "" : ", ") + name;
    }
    return names;
}

int run_report(const cli::Args& args, cli::CommandContext& command) {
    const std::string& kind = args.positional(0, "report kind (" + subcommand_names() + ")");
    const auto& subcommands = cli::report_subcommands();
    const auto found = subcommands.find(kind);
    if (found == subcommands.end()) {
        throw cli::CommandError("unknown report '" + kind + "' (" + subcommand_names() + ")", 2);
    }
    try {
        return found->second.run(args, command);
    } catch (const cli::CommandError& e) {
        if (e.exit_code() != 2) throw;
        throw cli::CommandError(
            std::string(e.what()) + " (pelvane report " + kind + " " + found->second.usage + ")",
            2);
    }
}

PELVANE_COMMAND(
    {"report",
     "KIND FILE.pvd [KIND'S OPTIONS] -o OUT.xlsx [--pdf] [--json]",
     "write a report workbook: ld229 (form LD-229), pipe --pipe N (one pipe's results), "
     "outlet --node N ... (outlet protection)",
     {"--pdf", "--json"},
     run_report});

}  // namespace
