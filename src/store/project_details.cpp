#include "store/project_details.h"

#include "core/text/names.h"
#include "core/text/number_text.h"

namespace pelvane::store {
namespace {

constexpr std::string_view kFirstInIdOrder =
    "rowid = (SELECT rowid FROM PROJECT ORDER BY PROJECT_ID, rowid LIMIT 1)";

TextRecord record_of(const ProjectDetails& d, DetailsWindow window) {
    TextRecord r;
    r.set("PROJECT_ID", d.project_id);
    r.set("PROJECT_NAME", d.project_name);
    r.set("DESCRIPTION", d.description);
    r.set("LOCATION", d.location);
    r.set("COUNTY", d.county);
    r.set("STATE", d.state);
    r.set("UNITS", d.units);
    r.set("DESIGNER", d.designer);
    r.set("INLET_DATABASE", d.inlet_database);
    if (window == DetailsWindow::NoaaStation) {
        r.set("NOAA_STATION", d.noaa_station);
        r.set("MAJOR_RELEASE", d.major_release);
    }
    return r;
}

}  // namespace

std::string match_listed_name(std::string& name, const std::vector<std::string>& list,
                              std::string_view field, std::string_view list_kind) {
    if (list.empty()) return {};
    if (const auto listed = text::listed_name(name, list)) {
        name = *listed;
        return {};
    }
    std::string closest;
    for (const auto& candidate : text::closest_names(name, list)) {
        closest += (closest.empty() ? "" : ", ") + ("\"" + text::trim(candidate) + "\"");
    }
    return std::string(field) + " \"" + name + "\" is not in the " + std::string(list_kind) +
           " list. The closest are " + closest + ".";
}

std::string match_listed_names(ProjectDetails& details, const ProjectContext& context,
                               DetailsWindow window) {
    auto refusal = match_listed_name(details.county, context.county_list, "COUNTY", "county");
    if (refusal.empty() && window == DetailsWindow::NoaaStation) {
        refusal = match_listed_name(details.noaa_station, context.station_list, "NOAA STATION",
                                    "station");
    }
    return refusal;
}

std::string_view missing_required_field(const ProjectDetails& details) {
    if (details.county.empty()) return kCountyRequired;
    if (details.project_id.empty()) return kProjectIdRequired;
    return {};
}

std::optional<TextRecord> details_record(const Database& db) {
    auto rows = TextTable(db, "PROJECT").select("ORDER BY PROJECT_ID, rowid", {}, 1);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

ProjectDetails details_from_record(const TextRecord& r) {
    ProjectDetails d;
    d.project_id = r.get("PROJECT_ID");
    d.project_name = r.get("PROJECT_NAME");
    d.description = r.get("DESCRIPTION");
    d.location = r.get("LOCATION");
    d.county = r.get("COUNTY");
    d.state = r.get("STATE");
    d.units = r.get("UNITS");
    d.designer = r.get("DESIGNER");
    d.inlet_database = r.get("INLET_DATABASE");
    d.noaa_station = r.get("NOAA_STATION");
    d.major_release = r.get("MAJOR_RELEASE");
    return d;
}

void save_project_details(ProjectContext& context, const ProjectDetails& details,
                          DetailsWindow window) {
    if (const auto missing = missing_required_field(details); !missing.empty()) {
        throw DatabaseError(std::string(missing));
    }
    const Database& db = context.project_connection;
    const TextTable project(db, "PROJECT");
    const TextRecord record = record_of(details, window);
    Transaction transaction(db);
    if (project.count() == 0) {
        project.insert(record);
    } else {
        if (project.update(record, kFirstInIdOrder, {}) == 0) {
            throw DatabaseError(
                "The project details could not be saved: the PROJECT record "
                "was removed while the window was open.");
        }
    }
    transaction.commit();

    context.units = details.units;
    if (window == DetailsWindow::NoaaStation) {
        context.major_release = details.major_release;
        context.noaa_station = details.noaa_station;
    }
    context.project_name = details.project_name;
    context.county = details.county;
    context.location = details.location;
    context.project_id = details.project_id;
    context.state = details.state;
    context.designer = details.designer;
    context.inlet_database = details.inlet_database;
}

}  // namespace pelvane::store
