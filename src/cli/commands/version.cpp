#include "cli/command.h"

namespace {

int run_version(const pelvane::cli::Args& args, pelvane::cli::CommandContext& context) {
    args.allow_only({});
    context.out << "PelvaneVA 2.1 (storm drain design to the VDOT Drainage Manual)\n"
                << "program folder: " << context.program_folder << "\n";
    return 0;
}

PELVANE_COMMAND(
    {"version", "", "print the program version and its program folder", {}, run_version});

}  // namespace
