// pelvane new: creates a project file from the template and saves its project
// details as the project details window does for a new project. The county and the
// NOAA station are required and must be names of the program's lists.

#include <filesystem>

#include "cli/command.h"
#include "cli/option_values.h"
#include "cli/project_session.h"
#include "store/project_details.h"

namespace {

using namespace pelvane;
namespace fs = std::filesystem;

std::string required(const cli::Args& args, const std::string& option, const char* what) {
    const auto value = args.option(option);
    if (!value) throw cli::CommandError("missing " + option + " NAME (" + what + ")", 2);
    return *value;
}

store::ProjectDetails details_from(const cli::Args& args) {
    store::ProjectDetails d;
    d.project_id = args.option_or("--id", d.project_id);
    d.project_name = args.option_or("--name", d.project_name);
    d.county = required(args, "--county", "the project's Virginia county");
    d.noaa_station = required(args, "--station", "the project's NOAA station");
    d.units = cli::units_option(args, d.units);
    d.location = args.option_or("--location", d.location);
    d.designer = args.option_or("--designer", d.designer);
    d.description = args.option_or("--description", d.description);
    if (const auto inlet = args.option("--inlet"); inlet && !inlet->empty()) {
        // As the browse dialog does: only an existing file, kept by its full path.
        std::error_code ec;
        if (!fs::is_regular_file(*inlet, ec)) {
            throw cli::CommandError("the inlet database '" + *inlet + "' does not exist");
        }
        d.inlet_database = fs::absolute(*inlet).lexically_normal().string();
    }
    return d;
}

int run_new(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--id", "--name", "--county", "--station", "--units", "--location",
                     "--designer", "--description", "--inlet", "--force"});
    const std::string& file = cli::project_file_argument(args);
    store::ProjectDetails details = details_from(args);
    if (const auto missing = store::missing_required_field(details); !missing.empty()) {
        throw cli::CommandError(std::string(missing));
    }
    // The names are checked, and spelled as the lists spell them, before any file is made.
    if (const auto refusal = store::match_listed_names(details, cli::noaa_release_lists(command),
                                                       store::DetailsWindow::NoaaStation);
        !refusal.empty()) {
        throw cli::CommandError(refusal);
    }
    std::error_code ec;
    if (fs::exists(file, ec) && !args.flag("--force")) {
        throw cli::CommandError("'" + file + "' already exists (--force replaces it)");
    }
    store::create_project_file(command.program_folder, file);
    cli::ProjectSession session(command, file);
    // A new project is never a legacy one, whatever its name.
    session.context().legacy_database_mode = false;
    store::save_project_details(session.context(), details, store::DetailsWindow::NoaaStation);
    command.out << "created " << session.context().database_path << " (project "
                << details.project_id << ")\n";
    return 0;
}

PELVANE_COMMAND({"new",
                 "FILE.pvd --county NAME --station NAME [--id ID] [--name NAME] "
                 "[--units ENGLISH|METRIC] [--location T] [--designer T] [--description T] "
                 "[--inlet PATH] [--force]",
                 "create a project file from the template with its project details",
                 {"--force"},
                 run_new});

}  // namespace
