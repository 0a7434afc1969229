#include "store/rainfall_lookup.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "core/text/number_text.h"

namespace pelvane::store {
namespace {

// Names are listed in the order of the rainfall tables' own text comparison,
// which ignores letter case ("Mathews 2 ENE", "MC Gaheysville 3 S", "Meadows of Dan").
std::vector<std::string> read_list(const Database& db, const std::string& column,
                                   const std::string& table) {
    std::vector<std::string> names;
    auto statement = db.prepare("select " + column + " from " + table + " Order by " + column +
                                " COLLATE NOCASE");
    while (statement.step()) names.push_back(statement.text(0));
    return names;
}

void open_rainfall_connection(ProjectContext& context, RainfallFile file) {
    context.active_rainfall_database = rainfall_database_path(context, file).string();
    context.rainfall_connection.close();
    context.rainfall_connection =
        Database::open(context.active_rainfall_database, Database::Mode::ReadOnly);
}

template <class Step>
RainfallStatus guarded(Step step) {
    try {
        step();
        return {};
    } catch (const DatabaseError& e) {
        return {e.what()};
    } catch (const std::exception& e) {
        return {e.what()};
    }
}

bool offered(const int* begin, const int* end, int years) {
    return std::find(begin, end, years) != end;
}

}  // namespace

RainfallFile rainfall_file_of(const ProjectContext& context) {
    if (context.legacy_database_mode) return RainfallFile::Legacy;
    return context.noaa_release() ? RainfallFile::Station : RainfallFile::County;
}

std::string no_coefficients_message(RainfallFile file, const std::string& name,
                                    FrontEnd front_end) {
    // Some listed names end in blanks; the message shows the name as a person reads it.
    return "No rainfall coefficients for the " + name_kind(file) + " \"" + text::trim(name) +
           "\" in " + file_name(file) + " yet. Import them with " +
           (front_end == FrontEnd::CommandLine ? kRainfallImportCommands : kRainfallDataCommand) +
           " (a NOAA precipitation frequency export or a coefficient table).";
}

RainfallStatus load_older_release_lists(ProjectContext& context) {
    return guarded([&] {
        const RainfallFile file =
            context.legacy_database_mode ? RainfallFile::Legacy : RainfallFile::County;
        open_rainfall_connection(context, file);
        context.county_list =
            read_list(context.rainfall_connection, "COUNTY_NAME", coefficient_table(file));
    });
}

RainfallStatus load_noaa_release_lists(ProjectContext& context) {
    return guarded([&] {
        open_rainfall_connection(context, RainfallFile::Station);
        auto counties = read_list(context.rainfall_connection, "COUNTY_NAME", "VACOUNTY");
        auto stations = read_list(context.rainfall_connection, "NOAA_STATION", "STORMDATA");
        context.county_list = std::move(counties);
        context.station_list = std::move(stations);
    });
}

StormCoefficients load_coefficients(ProjectContext& context, int storm_frequency) {
    const RainfallFile file = rainfall_file_of(context);
    const bool legacy = file == RainfallFile::Legacy;
    const std::string years = std::to_string(storm_frequency);
    if (legacy && !offered(std::begin(hydrology::kLegacyStormFrequencies),
                           std::end(hydrology::kLegacyStormFrequencies), storm_frequency)) {
        return {{},
                "The legacy rainfall database " + file_name(file) + " has no " + years +
                    "-year coefficients."};
    }
    if (!offered(std::begin(hydrology::kStormFrequencies), std::end(hydrology::kStormFrequencies),
                 storm_frequency)) {
        return {{}, "There are no rainfall coefficients for a " + years + "-year storm."};
    }
    const std::string& name = file == RainfallFile::Station ? context.noaa_station : context.county;
    StormCoefficients result;
    const RainfallStatus status = guarded([&] {
        if (!context.rainfall_connection.is_open()) open_rainfall_connection(context, file);
        // The project may hold the name as typed ("Blacksburg") where the list keeps
        // its own spelling ("Blacksburg  "), or the other way round.
        const auto stored = find_stored_name(context.rainfall_connection, file, name);
        const DatabaseError unknown("No rainfall data for the " + name_kind(file) + " \"" + name +
                                    "\" in " + file_name(file) + ".");
        if (!stored) throw unknown;
        const std::string p = "YEAR" + years;
        const std::string columns = legacy ? p + "A, " + p + "B" : p + "B, " + p + "D, " + p + "E";
        auto statement = context.rainfall_connection.prepare("select " + columns + " from " +
                                                             coefficient_table(file) + " where " +
                                                             name_column(file) + " = ?");
        statement.bind(1, std::string_view(*stored));
        if (!statement.step()) throw unknown;
        for (int c = 0; c < statement.column_count(); ++c) {
            if (statement.is_null(c))
                throw DatabaseError(no_coefficients_message(file, name, context.front_end));
        }
        if (legacy) {
            result.set.a = statement.number(0);
            result.set.b = statement.number(1);
        } else {
            result.set.b = statement.number(0);
            result.set.d = statement.number(1);
            result.set.e = statement.number(2);
        }
    });
    if (!status.ok()) return {{}, status.error};
    return result;
}

bool has_coefficients(const ProjectContext& context, RainfallFile file, const std::string& name) {
    const auto db = Database::open(rainfall_database_path(context, file), Database::Mode::ReadOnly);
    const auto stored = find_stored_name(db, file, name);
    if (!stored) return false;
    const auto entries = read_rainfall_entries(db, file, stored);
    return !entries.empty() && entries.front().has_coefficients();
}

}  // namespace pelvane::store
