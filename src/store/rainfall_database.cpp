#include "store/rainfall_database.h"

#include <algorithm>
#include <iterator>

#include "core/text/names.h"

namespace pelvane::store {
namespace {

using hydrology::kLegacyStormFrequencies;
using hydrology::kStormFrequencies;

std::string column(int years, char letter) {
    return "YEAR" + std::to_string(years) + letter;
}

// The coefficient columns of a file in table order.
std::vector<std::string> coefficient_columns(RainfallFile file) {
    std::vector<std::string> columns;
    if (file == RainfallFile::Legacy) {
        for (const int years : kLegacyStormFrequencies) {
            columns.push_back(column(years, 'A'));
            columns.push_back(column(years, 'B'));
        }
    } else {
        for (const int years : kStormFrequencies) {
            for (const char letter : {'B', 'D', 'E'}) columns.push_back(column(years, letter));
        }
    }
    return columns;
}

std::string join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string joined;
    for (const auto& p : parts) joined += (joined.empty() ? "" : separator) + p;
    return joined;
}

}  // namespace

std::string file_name(RainfallFile file) {
    switch (file) {
        case RainfallFile::Legacy:
            return kLegacyRainfallFile;
        case RainfallFile::County:
            return kCountyRainfallFile;
        case RainfallFile::Station:
            return kStationRainfallFile;
    }
    return {};
}

std::string coefficient_table(RainfallFile file) {
    return file == RainfallFile::Legacy ? "VARAINFALL" : "STORMDATA";
}

std::string name_column(RainfallFile file) {
    return file == RainfallFile::Station ? "NOAA_STATION" : "COUNTY_NAME";
}

std::string name_kind(RainfallFile file) {
    return file == RainfallFile::Station ? "station" : "county";
}

hydrology::IdfTableKind table_kind(RainfallFile file) {
    switch (file) {
        case RainfallFile::Legacy:
            return hydrology::IdfTableKind::LegacyCounty;
        case RainfallFile::County:
            return hydrology::IdfTableKind::County;
        case RainfallFile::Station:
            return hydrology::IdfTableKind::Station;
    }
    return hydrology::IdfTableKind::Station;
}

RainfallFile file_for(hydrology::IdfTableKind kind) {
    switch (kind) {
        case hydrology::IdfTableKind::LegacyCounty:
            return RainfallFile::Legacy;
        case hydrology::IdfTableKind::County:
            return RainfallFile::County;
        case hydrology::IdfTableKind::Station:
            return RainfallFile::Station;
    }
    return RainfallFile::Station;
}

void create_rainfall_tables(const Database& db, RainfallFile file) {
    std::vector<std::string> columns;
    if (file == RainfallFile::Legacy) columns.push_back("COUNTY_NO INTEGER");
    columns.push_back(name_column(file) + " TEXT NOT NULL UNIQUE");
    for (const auto& c : coefficient_columns(file)) columns.push_back(c + " REAL");
    Transaction transaction(db);
    db.execute("CREATE TABLE " + coefficient_table(file) + " (" + join(columns, ", ") + ")");
    if (file == RainfallFile::Station) {
        db.execute("CREATE TABLE VACOUNTY (COUNTY_NAME TEXT NOT NULL UNIQUE)");
    }
    transaction.commit();
}

void add_rainfall_name(const Database& db, RainfallFile file, const std::string& name,
                       std::optional<int> county_no) {
    if (file == RainfallFile::Legacy) {
        db.execute(
            "INSERT INTO VARAINFALL (COUNTY_NO, COUNTY_NAME) VALUES (?, ?)",
            {county_no ? Value{static_cast<std::int64_t>(*county_no)} : Value{nullptr}, name});
    } else {
        db.execute("INSERT INTO STORMDATA (" + name_column(file) + ") VALUES (?)", {name});
    }
}

void add_noaa_county(const Database& db, const std::string& county) {
    db.execute("INSERT INTO VACOUNTY (COUNTY_NAME) VALUES (?)", {county});
}

std::filesystem::path rainfall_database_path(const ProjectContext& context, RainfallFile file) {
    std::error_code ec;
    if (!context.user_data_folder.empty()) {
        const auto user_copy = context.user_data_folder / file_name(file);
        if (std::filesystem::is_regular_file(user_copy, ec)) return user_copy;
    }
    return context.program_folder / file_name(file);
}

std::filesystem::path rainfall_import_path(const ProjectContext& context, RainfallFile file) {
    if (context.user_data_folder.empty()) {
        throw DatabaseError(
            "There is no per-user folder to import rainfall data into; nothing was imported.");
    }
    std::error_code ec;
    const auto user_copy = context.user_data_folder / file_name(file);
    if (std::filesystem::is_regular_file(user_copy, ec)) return user_copy;
    const auto shipped = context.program_folder / file_name(file);
    if (!std::filesystem::is_regular_file(shipped, ec)) {
        throw DatabaseError("Could not find file '" + shipped.string() + "'.");
    }
    std::filesystem::create_directories(context.user_data_folder, ec);
    if (ec || !std::filesystem::copy_file(shipped, user_copy, ec) || ec) {
        throw DatabaseError("Could not copy '" + shipped.string() + "' to '" + user_copy.string() +
                            "'" + (ec ? " (" + ec.message() + ")." : "."));
    }
    return user_copy;
}

bool is_user_copy(const ProjectContext& context, const std::filesystem::path& database) {
    return !context.user_data_folder.empty() &&
           database.parent_path().lexically_normal() == context.user_data_folder.lexically_normal();
}

std::optional<std::string> find_stored_name(const Database& db, RainfallFile file,
                                            const std::string& typed) {
    const std::string table = coefficient_table(file);
    const std::string name = name_column(file);
    if (db.query_text("SELECT " + name + " FROM " + table + " WHERE " + name + " = ?", {typed})) {
        return typed;
    }
    std::optional<std::string> found;
    auto statement = db.prepare("SELECT " + name + " FROM " + table);
    while (statement.step()) {
        const std::string stored = statement.text(0);
        if (!text::same_name(stored, typed)) continue;
        if (found) return std::nullopt;  // several stored spellings: the engineer must choose
        found = stored;
    }
    return found;
}

std::vector<RainfallEntry> read_rainfall_entries(const Database& db, RainfallFile file,
                                                 const std::optional<std::string>& name) {
    const auto columns = coefficient_columns(file);
    const bool legacy = file == RainfallFile::Legacy;
    std::string sql = "SELECT " + std::string(legacy ? "COUNTY_NO" : "NULL") + ", " +
                      name_column(file) + ", " + join(columns, ", ") + " FROM " +
                      coefficient_table(file);
    if (name) sql += " WHERE " + name_column(file) + " = ?";
    sql += " ORDER BY " + name_column(file) + " COLLATE NOCASE";
    auto statement = db.prepare(sql);
    if (name) statement.bind(1, std::string_view(*name));

    std::vector<RainfallEntry> entries;
    while (statement.step()) {
        RainfallEntry entry;
        if (!statement.is_null(0)) entry.county_no = static_cast<int>(statement.number(0));
        entry.name = statement.text(1);
        int c = 2;
        const auto all_set = [&](int count) {
            for (int k = 0; k < count; ++k) {
                if (statement.is_null(c + k)) return false;
            }
            return true;
        };
        if (legacy) {
            for (const int years : kLegacyStormFrequencies) {
                if (all_set(2))
                    entry.legacy[years] = {statement.number(c), statement.number(c + 1)};
                c += 2;
            }
        } else {
            for (const int years : kStormFrequencies) {
                if (all_set(3)) {
                    entry.curves[years] = {statement.number(c), statement.number(c + 1),
                                           statement.number(c + 2)};
                }
                c += 3;
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::string> stored_names(const Database& db, RainfallFile file,
                                      const std::vector<hydrology::IdfTableRow>& rows) {
    std::vector<std::string> names;
    std::vector<std::string> unknown;
    for (const auto& row : rows) {
        const auto stored = find_stored_name(db, file, row.name);
        if (stored) {
            names.push_back(*stored);
        } else {
            unknown.push_back("\"" + row.name + "\"");
        }
    }
    if (!unknown.empty()) {
        throw DatabaseError("No " + name_kind(file) + " " + join(unknown, ", ") + " in " +
                            file_name(file) + "; nothing was imported.");
    }
    return names;
}

std::vector<int> changed_storms(const RainfallEntry& stored, const hydrology::IdfTableRow& row) {
    std::vector<int> changed;
    const auto differs = [](const auto& now, const auto& incoming, int years) {
        const auto it = now.find(years);
        if (it == now.end()) return false;
        const auto in = incoming.find(years);
        return in == incoming.end() || in->second != it->second;
    };
    for (const int years : kStormFrequencies) {
        if (differs(stored.curves, row.curves, years) ||
            differs(stored.legacy, row.legacy, years)) {
            changed.push_back(years);
        }
    }
    return changed;
}

std::optional<ImportOrigin> import_origin(const Database& db, const std::string& stored_name) {
    if (!db.has_table("RAINFALL_IMPORTS")) return std::nullopt;
    auto statement = db.prepare(
        "SELECT IMPORTED_FROM, IMPORT_DATE FROM RAINFALL_IMPORTS WHERE RAINFALL_NAME = ?");
    statement.bind(1, std::string_view(stored_name));
    if (!statement.step()) return std::nullopt;
    return ImportOrigin{statement.text(0), statement.text(1)};
}

std::vector<std::string> write_coefficients(const Database& db, RainfallFile file,
                                            const std::vector<hydrology::IdfTableRow>& rows,
                                            const ImportOrigin& origin) {
    const std::vector<std::string> names = stored_names(db, file, rows);

    const auto columns = coefficient_columns(file);
    std::vector<std::string> assignments;
    for (const auto& c : columns) assignments.push_back(c + " = ?");
    auto update = db.prepare("UPDATE " + coefficient_table(file) + " SET " +
                             join(assignments, ", ") + " WHERE " + name_column(file) + " = ?");
    Transaction transaction(db);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::vector<Value> values;
        const auto& row = rows[r];
        const auto coefficient = [&](const auto& map, int years, auto member) -> Value {
            const auto it = map.find(years);
            if (it == map.end()) return nullptr;
            return it->second.*member;
        };
        if (file == RainfallFile::Legacy) {
            for (const int years : kLegacyStormFrequencies) {
                values.push_back(coefficient(row.legacy, years, &hydrology::LegacyIdfCurve::a));
                values.push_back(coefficient(row.legacy, years, &hydrology::LegacyIdfCurve::b));
            }
        } else {
            for (const int years : kStormFrequencies) {
                values.push_back(coefficient(row.curves, years, &hydrology::IdfCurve::b));
                values.push_back(coefficient(row.curves, years, &hydrology::IdfCurve::d));
                values.push_back(coefficient(row.curves, years, &hydrology::IdfCurve::e));
            }
        }
        values.push_back(names[r]);
        update.reset();
        update.bind_all(values);
        update.run();
    }
    if (!origin.file.empty()) {
        db.execute(
            "CREATE TABLE IF NOT EXISTS RAINFALL_IMPORTS (RAINFALL_NAME TEXT PRIMARY KEY, "
            "IMPORTED_FROM TEXT, IMPORT_DATE TEXT)");
        auto record = db.prepare(
            "INSERT OR REPLACE INTO RAINFALL_IMPORTS (RAINFALL_NAME, IMPORTED_FROM, IMPORT_DATE) "
            "VALUES (?, ?, ?)");
        for (const auto& name : names) {
            record.reset();
            record.bind_all({name, origin.file, origin.date});
            record.run();
        }
    }
    transaction.commit();
    return names;
}

}  // namespace pelvane::store
