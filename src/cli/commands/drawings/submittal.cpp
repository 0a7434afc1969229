// pelvane submittal: every report and drawing of a project written into one folder
// and joined into one PDF, as the grid's File > Submittal... writes them.

#include <filesystem>

#include "cli/command.h"
#include "cli/json_output.h"
#include "cli/option_values.h"
#include "cli/project_session.h"
#include "draw/painter.h"
#include "forms/submittal.h"

namespace {

using namespace pelvane;

int run_submittal(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--outfall", "--tailwater", "-o", "--json"});
    const auto [outfall, tailwater] = cli::grade_line_options(args);
    const auto out = args.option("-o");
    if (!out || out->empty()) throw cli::CommandError("-o DIR is required", 2);
    const bool json = args.flag("--json");

    cli::ProjectSession session(command, cli::project_file_argument(args), store::Access::Compute);
    const auto office = report::OfficeConverter::find();
    const auto merger = report::PdfMerger::find();
    const draw::GuiForDrawing gui;
    const forms::SubmittalTools tools{draw::write_drawing, office ? &*office : nullptr,
                                      merger ? &*merger : nullptr};
    // The lines go where they do not mix with the JSON.
    std::ostream& lines = json ? command.err : command.out;
    forms::SubmittalOutcome outcome;
    try {
        outcome = forms::write_submittal(
            session.context(), {outfall, tailwater, *out}, tools,
            [&lines](const std::string& line) { lines << line << std::endl; });
    } catch (const forms::SubmittalError& e) {
        throw cli::CommandError(e.what());
    }

    cli::JsonObject files = cli::JsonObject::array();
    for (const std::filesystem::path& file : outcome.files) files.push_back(file.string());
    if (json) {
        cli::JsonObject result;
        result["files"] = std::move(files);
        result["pdf"] = outcome.pdf ? cli::JsonObject(outcome.pdf->string()) : nullptr;
        result["messages"] = outcome.messages;
        command.out << cli::json_text(result) << "\n";
    } else {
        for (const std::filesystem::path& file : outcome.files)
            command.out << file.string() << "\n";
    }
    return 0;
}

PELVANE_COMMAND({"submittal",
                 "FILE.pvd --outfall NODE --tailwater ELEV -o DIR [--json]",
                 "every report and drawing of a project in one folder, joined in one PDF",
                 {"--json"},
                 run_submittal});

}  // namespace
