#include "store/design_rainfall.h"

#include <algorithm>

#include "store/rainfall_lookup.h"

namespace pelvane::store {
namespace {

// The same table as the project template's; files made before it get it on the
// first record.
constexpr const char* kCreateTable =
    "CREATE TABLE IF NOT EXISTS DESIGN_RAINFALL (STORM_FREQ INTEGER PRIMARY KEY, "
    "RAINFALL_FILE TEXT, RAINFALL_NAME TEXT, COEF_A REAL, COEF_B REAL, COEF_D REAL, "
    "COEF_E REAL, SOURCE TEXT, SOURCE_PATH TEXT, IMPORTED_FROM TEXT, IMPORT_DATE TEXT)";

bool same_coefficients(const CoefficientSet& x, const CoefficientSet& y) {
    return x.a == y.a && x.b == y.b && x.d == y.d && x.e == y.e;
}

}  // namespace

std::vector<DesignRainfall> current_design_rainfall(const ProjectContext& context,
                                                    const std::vector<int>& storm_frequencies) {
    const RainfallFile file = rainfall_file_of(context);
    const auto path = rainfall_database_path(context, file);
    const auto db = Database::open(path, Database::Mode::ReadOnly);
    const std::string& typed =
        file == RainfallFile::Station ? context.noaa_station : context.county;
    const auto stored = find_stored_name(db, file, typed);
    if (!stored) return {};
    const auto entries = read_rainfall_entries(db, file, *stored);
    if (entries.empty()) return {};
    const RainfallEntry& entry = entries.front();
    const ImportOrigin origin = import_origin(db, *stored).value_or(ImportOrigin{});

    std::vector<DesignRainfall> rows;
    for (const int years : storm_frequencies) {
        DesignRainfall row{years,
                           file_name(file),
                           *stored,
                           {},
                           is_user_copy(context, path) ? kUserImportSource : kProgramFolderSource,
                           path.string(),
                           origin};
        if (const auto it = entry.curves.find(years); it != entry.curves.end()) {
            row.coefficients = {0.0, it->second.b, it->second.d, it->second.e};
        } else if (const auto old = entry.legacy.find(years); old != entry.legacy.end()) {
            row.coefficients = {old->second.a, old->second.b, 0.0, 0.0};
        } else {
            continue;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void record_design_rainfall(const ProjectContext& context,
                            const std::vector<int>& storm_frequencies) {
    if (storm_frequencies.empty()) return;
    const auto rows = current_design_rainfall(context, storm_frequencies);
    const Database& project = context.project_connection;
    project.execute(kCreateTable);
    auto insert = project.prepare(
        "INSERT OR REPLACE INTO DESIGN_RAINFALL (STORM_FREQ, RAINFALL_FILE, RAINFALL_NAME, "
        "COEF_A, COEF_B, COEF_D, COEF_E, SOURCE, SOURCE_PATH, IMPORTED_FROM, IMPORT_DATE) VALUES "
        "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const DesignRainfall& r : rows) {
        const CoefficientSet& c = r.coefficients;
        insert.reset();
        insert.bind_all({static_cast<std::int64_t>(r.storm_frequency), r.rainfall_file, r.name, c.a,
                         c.b, c.d, c.e, r.source, r.source_path, r.origin.file, r.origin.date});
        insert.run();
    }
}

std::vector<DesignRainfall> recorded_design_rainfall(const Database& project) {
    std::vector<DesignRainfall> rows;
    if (!project.has_table("DESIGN_RAINFALL")) return rows;
    auto statement = project.prepare(
        "SELECT STORM_FREQ, RAINFALL_FILE, RAINFALL_NAME, COEF_A, COEF_B, COEF_D, COEF_E, SOURCE, "
        "SOURCE_PATH, IMPORTED_FROM, IMPORT_DATE FROM DESIGN_RAINFALL ORDER BY STORM_FREQ");
    while (statement.step()) {
        rows.push_back(
            {static_cast<int>(statement.number(0)),
             statement.text(1),
             statement.text(2),
             {statement.number(3), statement.number(4), statement.number(5), statement.number(6)},
             statement.text(7),
             statement.text(8),
             {statement.text(9), statement.text(10)}});
    }
    return rows;
}

DesignRainfallCheck check_design_rainfall(const ProjectContext& context) {
    DesignRainfallCheck check;
    check.recorded = recorded_design_rainfall(context.project_connection);
    if (check.recorded.empty()) return check;
    std::vector<int> storms;
    for (const auto& r : check.recorded) storms.push_back(r.storm_frequency);
    check.current = current_design_rainfall(context, storms);
    for (const auto& was : check.recorded) {
        const auto now =
            std::find_if(check.current.begin(), check.current.end(),
                         [&](const auto& c) { return c.storm_frequency == was.storm_frequency; });
        if (now == check.current.end() || now->rainfall_file != was.rainfall_file ||
            now->name != was.name || !same_coefficients(now->coefficients, was.coefficients)) {
            check.changed.push_back(was.storm_frequency);
        }
    }
    return check;
}

}  // namespace pelvane::store
