#pragma once
// `pelvane report KIND FILE.pvd ...`: each kind of report is a subcommand in a file
// of its own (report_ld229.cpp, report_pipe.cpp, ...) that registers itself here.
// Also the writing every report command shares, the grade line's included.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/json_output.h"
#include "report/layout_cell.h"
#include "report/report_writer.h"

namespace pelvane::cli {

struct ReportSubcommand {
    std::string name;     // "ld229"
    std::string usage;    // after "report NAME": "FILE.pvd -o OUT.xlsx [--pdf]"
    std::string summary;  // one line
    // Runs with the arguments after "report" (positional 0 is the name, 1 the file).
    std::function<int(const Args&, CommandContext&)> run;
};

std::map<std::string, ReportSubcommand>& report_subcommands();

struct ReportSubcommandRegistration {
    explicit ReportSubcommandRegistration(ReportSubcommand subcommand);
};

// The project file of a report subcommand.
const std::string& report_project_file(const Args& args);

// Writes `cells` into a copy of `template_name` (program folder) at the -o name
// (".xlsx" added when it has another ending; an "x.pdf" name, or --pdf, also makes
// the PDF beside the workbook). A usage error without -o; a CommandError when
// LibreOffice cannot make an asked-for PDF (the workbook is written all the same).
report::WrittenReport write_report_files(const Args& args, const CommandContext& command,
                                         const std::string& template_name,
                                         const report::SheetCells& cells);

// The files written and the cells skipped: "workbook", "pdf" (when made),
// "skipped_cells".
JsonObject written_json(const report::WrittenReport& written);

// Writes the report and prints what was written (JSON with --json).
int write_report_output(const Args& args, CommandContext& command, const std::string& template_name,
                        const report::SheetCells& cells);

}  // namespace pelvane::cli

#define PELVANE_REPORT_SUBCOMMAND(...)                                            \
    static const ::pelvane::cli::ReportSubcommandRegistration PELVANE_CLI_CONCAT( \
        report_registration_, __LINE__)(__VA_ARGS__)
