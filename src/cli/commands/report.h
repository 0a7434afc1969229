#pragma once
// `pelvane report KIND FILE.pvd ...`: the reports of the desktop program in batch.
// Each kind lives in its own file (report_<kind>.cpp) and registers itself with
// PELVANE_REPORT; report.cpp dispatches on the kind.

#include <functional>
#include <map>
#include <string>

#include "cli/command.h"

namespace pelvane::cli {

struct ReportKind {
    std::string name;     // "outlet"
    std::string usage;    // after "report outlet "
    std::string summary;  // one line
    // Positional 0 of `args` is the kind, positional 1 the project file.
    std::function<int(const Args&, CommandContext&)> run;
};

std::map<std::string, ReportKind>& report_registry();

struct ReportRegistration {
    explicit ReportRegistration(ReportKind kind);
};

// Options without a value that any report kind takes; the `report` command parses
// its arguments with them before it knows the kind.
inline const std::vector<std::string> kReportFlags{"--json", "--pdf", "--save"};

}  // namespace pelvane::cli

#define PELVANE_REPORT(...)                                                     \
    static const ::pelvane::cli::ReportRegistration PELVANE_CLI_CONCAT(report_, \
                                                                       __LINE__)(__VA_ARGS__)
