// pelvane section: solves one pipe section from field texts, as the pipe window's
// solve does, and prints what the solve writes.

#include <string>

#include "cli/command.h"
#include "cli/json_output.h"
#include "cli/option_values.h"
#include "core/pipe/section.h"
#include "core/units.h"
#include "forms/solve_messages.h"

namespace {

using namespace pelvane;

std::string required(const cli::Args& args, const std::string& option) {
    const auto value = args.option(option);
    if (!value) throw cli::CommandError(option + " is required", 2);
    return *value;
}

int run_section(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--shape", "--discharge", "--slope", "--n", "--length", "--barrels", "--dia",
                     "--span", "--rise", "--units", "--json"});
    pipe::SectionInput input;
    input.shape = cli::shape_option(args);
    input.discharge = required(args, "--discharge");
    input.slope = required(args, "--slope");
    input.mann = required(args, "--n");
    input.length = required(args, "--length");
    input.barrels = args.option_or("--barrels", "1");
    input.units = cli::units_option(args, std::string(kEnglish));
    // The numbers are passed on as typed; only a size the shape needs must be given.
    if (pipe::section_kind(input.shape) == pipe::SectionKind::Circular) {
        input.dia = required(args, "--dia");
    } else {
        input.span = required(args, "--span");
        input.rise = required(args, "--rise");
    }

    const pipe::SectionResult result = pipe::solve_pipe_section(input);
    cli::JsonObject out = cli::JsonObject::object();
    for (const std::string_view column : pipe::kSectionColumns) {
        if (const auto text = result.text(column)) out[std::string(column)] = *text;
    }
    if (result.failed()) out["error"] = std::string(forms::kInvalidDataInputError);
    cli::print_object(command.out, out, args.flag("--json"));

    if (result.failed()) throw cli::CommandError(forms::section_failure_text(result));
    return 0;
}

PELVANE_COMMAND({"section",
                 "--shape S --discharge Q --slope S --n N --length L [--barrels N] [--dia D] "
                 "[--span B --rise H] [--units ENGLISH|METRIC] [--json]",
                 "solve a pipe section (capacity, depths, velocity, flow type) from field texts",
                 {"--json"},
                 run_section});

}  // namespace
