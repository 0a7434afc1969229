// pelvane info: the project context of a project file as the program loads it, and
// whether the rainfall coefficients its pipes were solved with are still those the
// rainfall databases hold.

#include <algorithm>
#include <vector>

#include "cli/command.h"
#include "cli/json_output.h"
#include "cli/project_session.h"
#include "forms/design_rainfall_notice.h"
#include "store/energy_table.h"
#include "store/inlet_database.h"
#include "store/pipe_table.h"

namespace {

using namespace pelvane;

// The coefficients the pipes were solved with, and whether the rainfall databases
// still hold them.
void add_design_rainfall(const store::ProjectContext& context, cli::JsonObject& info, bool json) {
    store::DesignRainfallCheck check;
    try {
        check = store::check_design_rainfall(context);
    } catch (const store::DatabaseError& e) {
        info["rainfall_check"] = std::string(e.what());
        return;
    }
    std::vector<int> storms;
    for (const auto& r : check.recorded) storms.push_back(r.storm_frequency);
    if (storms.empty()) {
        info["rainfall_check"] = "no pipe solved with computed discharges yet";
    } else {
        info["rainfall_check"] = forms::design_rainfall_notice(check).value_or(
            "the " + forms::storm_list(storms) +
            " coefficients the pipes were solved with are unchanged");
    }
    if (!json) return;
    cli::JsonObject rows = cli::JsonObject::array();
    for (const auto& r : check.recorded) {
        const auto& c = r.coefficients;
        rows.push_back({{"storm_frequency", r.storm_frequency},
                        {"file", r.rainfall_file},
                        {"name", r.name},
                        {"coefficients", {{"A", c.a}, {"B", c.b}, {"D", c.d}, {"E", c.e}}},
                        {"source", r.source},
                        {"source_path", r.source_path},
                        {"imported_from", r.origin.file},
                        {"import_date", r.origin.date},
                        {"changed", std::find(check.changed.begin(), check.changed.end(),
                                              r.storm_frequency) != check.changed.end()}});
    }
    info["design_rainfall"] = std::move(rows);
}

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
    info["inlet_database"] = store::inlet_database_file(c.database_path, c.inlet_database).string();
    info["description"] = record ? record->get("DESCRIPTION") : "";
    info["pipes"] = store::PipeTable(session.database()).count();
    info["energy_records"] = store::EnergyTable(session.database()).count();
    add_design_rainfall(c, info, args.flag("--json"));
    cli::print_object(command.out, info, args.flag("--json"));
    return 0;
}

PELVANE_COMMAND({"info",
                 "FILE.pvd [--json]",
                 "show the project values of a project file as the program loads them",
                 {"--json"},
                 run_info});

}  // namespace
