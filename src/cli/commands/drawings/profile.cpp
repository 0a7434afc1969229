// pelvane profile: the profile of a run, from a pipe down to a structure, with the
// grade line of form LD-347, drawn to an SVG, PNG or PDF file as the Profile
// window exports it.

#include "forms/profile.h"
#include "cli/command.h"
#include "cli/json_output.h"
#include "cli/option_values.h"
#include "cli/project_session.h"
#include "draw/painter.h"
#include "forms/hgl_form.h"
#include "forms/input_conventions.h"

namespace {

using namespace pelvane;

const char* option_of(forms::ProfileOutcome::Choice choice) {
    switch (choice) {
        case forms::ProfileOutcome::Choice::Start:
            return "--from: ";
        case forms::ProfileOutcome::Choice::Outfall:
            return "--outfall: ";
        case forms::ProfileOutcome::Choice::None:
            break;
    }
    return "";
}

int run_profile(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--from", "--outfall", "--tailwater", "-o", "--json"});
    const auto from = args.option("--from");
    if (!from || from->empty()) throw cli::CommandError("--from PIPE is required", 2);
    const auto [outfall, typed] = cli::grade_line_options(args);
    const auto out = args.option("-o");
    if (!out || out->empty()) throw cli::CommandError("-o OUT.svg|png|pdf is required", 2);
    const auto format = forms::drawing::format_of(*out);
    if (!format) throw cli::CommandError("-o " + *out + ": " + forms::drawing::kExportTypes, 2);
    // As the grade line window's field holds it once the person has left it.
    const std::string tailwater = forms::format_on_leave(typed, forms::kTailwaterPattern);

    cli::ProjectSession session(command, cli::project_file_argument(args), store::Access::Compute);
    const forms::ProfileOutcome outcome =
        forms::profile_of_project(session.context(), *from, outfall, tailwater);
    if (!outcome.run) throw cli::CommandError(option_of(outcome.choice) + outcome.problem);

    const draw::GuiForDrawing gui;
    draw::write_drawing(forms::profile_drawing(*outcome.run), *out, *format);
    cli::JsonObject written;
    written["file"] = *out;
    written["pipes"] = outcome.run->pipes.size();
    written["length"] = outcome.run->length();
    written["vertical_exaggeration"] = forms::vertical_exaggeration(*outcome.run);
    cli::print_object(command.out, written, args.flag("--json"));
    return 0;
}

PELVANE_COMMAND({"profile",
                 "FILE.pvd --from PIPE --outfall NODE --tailwater ELEV -o OUT.svg|png|pdf "
                 "[--json]",
                 "profile of the run from a pipe down to a structure, with the grade line",
                 {"--json"},
                 run_profile});

}  // namespace
