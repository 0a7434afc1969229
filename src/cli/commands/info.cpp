// pelvane info: the project context of a project file as the program loads it.

#include "cli/command.h"
#include "cli/json_output.h"
#include "cli/project_session.h"
#include "store/energy_table.h"
#include "store/pipe_table.h"

namespace {

using namespace pelvane;

int run_info(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--json"});
    // Looking never needs to write, so a read-only project can be inspected.
    cli::ProjectSession session(command, cli::project_file_argument(args), store::Access::Inspect);
    const store::ProjectContext& c = session.context();
    const auto record = store::first_project_record(session.database());

    cli::JsonObject info;
    info["path"] = c.database_path;
    info["generation"] = std::string(store::generation_name(store::generation_of(c)));
    info["release"] = c.major_release;
    info["product"] = c.product_name;
    info["units"] = c.units;
    info["project_id"] = c.project_id;
    info["project_name"] = c.project_name;
    info["county"] = c.county;
    info["noaa_station"] = c.noaa_station;
    info["state"] = c.state;
    info["location"] = c.location;
    info["designer"] = c.designer;
    info["inlet_database"] = c.inlet_database;
    info["description"] = record ? record->get("DESCRIPTION") : "";
    info["pipes"] = store::PipeTable(session.database()).count();
    info["energy_records"] = store::EnergyTable(session.database()).count();
    cli::print_object(command.out, info, args.flag("--json"));
    return 0;
}

PELVANE_COMMAND({"info",
                 "FILE.pvd [--json]",
                 "show the project values of a project file as the program loads them",
                 {"--json"},
                 run_info});

}  // namespace
