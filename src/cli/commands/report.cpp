// pelvane report: dispatches to the report kinds registered with PELVANE_REPORT.

#include "cli/commands/report.h"

namespace pelvane::cli {

std::map<std::string, ReportKind>& report_registry() {
    static std::map<std::string, ReportKind> registry;
    return registry;
}

ReportRegistration::ReportRegistration(ReportKind kind) {
    auto name = kind.name;
    report_registry().emplace(std::move(name), std::move(kind));
}

namespace {

std::string kinds_text() {
    std::string text;
    for (const auto& [name, kind] : report_registry()) {
        text += "\n  report " + name + " " + kind.usage + "\n      " + kind.summary;
    }
    return text;
}

int run_report(const Args& args, CommandContext& command) {
    if (args.positionals().empty()) throw CommandError("which report?" + kinds_text(), 2);
    const std::string& name = args.positionals().front();
    const auto it = report_registry().find(name);
    if (it == report_registry().end()) {
        throw CommandError("unknown report \"" + name + "\"; reports:" + kinds_text(), 2);
    }
    return it->second.run(args, command);
}

PELVANE_COMMAND({"report", "KIND FILE.pvd ... -o OUT.xlsx [--pdf] (pelvane report lists the kinds)",
                 "write a report workbook (and its PDF) as the desktop program does", kReportFlags,
                 run_report});

}  // namespace
}  // namespace pelvane::cli
