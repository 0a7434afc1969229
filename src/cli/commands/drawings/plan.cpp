// pelvane plan: the schematic plan of a project's whole network, its pipes coloured
// by a result, drawn to an SVG, PNG or PDF file as the Network Plan window exports it.

#include <algorithm>

#include "cli/command.h"
#include "cli/json_output.h"
#include "cli/project_session.h"
#include "draw/painter.h"
#include "forms/plan.h"

namespace {

using namespace pelvane;

std::string result_words() {
    std::string words;
    for (const forms::PlanResultName& name : forms::plan_result_names()) {
        words += (words.empty() ? "" : ", ") + std::string(name.word);
    }
    return words;
}

int run_plan(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--colour", "-o", "--json"});
    const auto out = args.option("-o");
    if (!out || out->empty()) throw cli::CommandError("-o OUT.svg|png|pdf is required", 2);
    const auto format = forms::drawing::format_of(*out);
    if (!format) throw cli::CommandError("-o " + *out + ": " + forms::drawing::kExportTypes, 2);
    const std::string word = args.option_or("--colour", "velocity");
    const auto names = forms::plan_result_names();
    const auto chosen = std::find_if(names.begin(), names.end(),
                                     [&word](const auto& name) { return word == name.word; });
    if (chosen == names.end()) {
        throw cli::CommandError("--colour " + word + ": choose one of " + result_words(), 2);
    }

    cli::ProjectSession session(command, cli::project_file_argument(args), store::Access::Compute);
    const forms::Plan plan = forms::plan_of_project(session.context(), chosen->result);
    if (plan.pipes.empty()) throw cli::CommandError("the project has no pipes to draw");

    const draw::GuiForDrawing gui;
    draw::write_drawing(forms::plan_drawing(plan), *out, *format);
    cli::JsonObject written;
    written["file"] = *out;
    written["pipes"] = plan.pipes.size();
    written["colour"] = chosen->word;
    cli::print_object(command.out, written, args.flag("--json"));
    return 0;
}

PELVANE_COMMAND({"plan",
                 "FILE.pvd -o OUT.svg|png|pdf [--colour velocity|full|capacity|check] [--json]",
                 "schematic plan of the whole network, pipes coloured by a result",
                 {"--json"},
                 run_plan});

}  // namespace
