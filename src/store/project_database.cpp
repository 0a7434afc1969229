#include "store/project_database.h"

#include "store/pipe_table.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "store/file_replace.h"
#include "store/pipe_table.h"

namespace pelvane::store {
namespace {

namespace fs = std::filesystem;

std::string quoted(const fs::path& file) {
    return "'" + file.string() + "'";
}

bool has_write_permission(const fs::path& file) {
    std::error_code ec;
    const fs::perms p = fs::status(file, ec).permissions();
    if (ec) return false;
    // Checked on the bits, because a program run by the superuser could write
    // a file marked read-only and would otherwise never refuse it.
    return (p & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) !=
           fs::perms::none;
}

}  // namespace

bool project_file_writable(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec) && has_write_permission(file);
}

std::string_view generation_name(Generation generation) {
    switch (generation) {
        case Generation::Legacy:
            return "legacy";
        case Generation::Older:
            return "older";
        case Generation::Noaa:
            return "noaa";
    }
    return "older";
}

bool is_legacy_path(std::string_view path) {
    std::string lower(path);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("zql") != std::string::npos;
}

Generation generation_of(const ProjectContext& context) {
    if (context.legacy_database_mode) return Generation::Legacy;
    return context.major_release == kNoaaRelease ? Generation::Noaa : Generation::Older;
}

void create_project_file(const fs::path& program_folder, const fs::path& target) {
    const fs::path source = program_folder / kTemplateFileName;
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) {
        throw DatabaseError("Could not find file " + quoted(source) + ".");
    }
    check_replaceable(target);
    // A damaged template is found here, so that it is named (not the new file)
    // and an existing project under the target name is left alone.
    try {
        const Database sound = open_project_file(source, Access::Inspect);
        const auto verdict = sound.query_text("PRAGMA quick_check");
        if (verdict != "ok") throw DatabaseError(verdict.value_or("it cannot be checked"));
    } catch (const DatabaseError& e) {
        throw DatabaseError("The project template " + quoted(source) + " is damaged (" + e.what() +
                            "); " + quoted(target) + " was not changed.");
    }
    // A project another program is using is not replaced under it. A file that
    // does not open as a database is replaced like any other file.
    std::optional<Database> existing;
    try {
        if (fs::is_regular_file(target, ec)) existing = Database::open(target);
    } catch (const DatabaseError&) {
    }
    if (existing) {
        existing->lock_for_writing();
        existing->close();
    }
    replace_file_with_copy(target, source);
}

Database open_project_file(const fs::path& file, Access access) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        throw DatabaseError("Could not find file " + quoted(file) + ".");
    }
    if (access == Access::Design && !has_write_permission(file)) {
        throw DatabaseError(quoted(file) +
                            " is read-only; a project database must be writable to work on it.");
    }
    Database db = Database::open(
        file, access == Access::Design ? Database::Mode::ReadWrite : Database::Mode::ReadOnly);
    if (access == Access::Design && db.read_only()) {
        throw DatabaseError(
            quoted(file) +
            " cannot be written; a project database must be writable to work on it.");
    }
    std::vector<std::string> missing;
    for (const char* table : {"PROJECT", "PIPE", "ENERGY"}) {
        if (!db.has_table(table)) missing.emplace_back(table);
    }
    if (missing.size() == 3) {
        throw DatabaseError(quoted(file) +
                            " is not a project database file: it has no PROJECT, PIPE and ENERGY "
                            "tables.");
    }
    if (!missing.empty()) {
        std::string names;
        for (const auto& t : missing) names += (names.empty() ? "" : " and ") + t;
        throw DatabaseError(quoted(file) + " is not a complete project database file: it has no " +
                            names + " table.");
    }
    if (access != Access::Inspect) {
        const auto shared = PipeTable(db).duplicate_numbers();
        if (!shared.empty()) {
            std::string numbers;
            for (std::size_t i = 0; i < shared.size(); ++i) {
                numbers += (i == 0 ? "" : i + 1 == shared.size() ? " and " : ", ") + shared[i];
            }
            throw DatabaseError(quoted(file) + " has more than one pipe numbered " + numbers +
                                ". A pipe number must name one pipe, so the project cannot be "
                                "designed, graded or reported until each has a number of its own.");
        }
    }
    return db;
}

void connect(ProjectContext& context, Access access) {
    context.project_connection = open_project_file(context.database_path, access);
    if (access == Access::Design) {
        try {
            add_lookup_indexes(context.project_connection);
        } catch (const DatabaseError&) {
            // The indexes only make the network checks faster: a file that another
            // program holds open still opens, and a later opening adds them.
        }
    }
    const fs::path coefficients = context.program_folder / kCoefficientFileName;
    std::error_code ec;
    if (fs::is_regular_file(coefficients, ec)) {
        context.coefficient_connection = Database::open(coefficients, Database::Mode::ReadOnly);
    } else {
        context.coefficient_connection.close();
    }
}

std::optional<TextRecord> first_project_record(const Database& db) {
    auto rows = TextTable(db, "PROJECT").select("ORDER BY rowid", {}, 1);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

void load_project_record(ProjectContext& context) {
    const auto record = first_project_record(context.project_connection);
    if (!record) return;
    const auto read = [&](Column column, std::string& value) {
        if (record->holds(column)) value = record->get(column);
    };
    read("MAJOR_RELEASE", context.major_release);
    if (context.major_release == kNoaaRelease) read("NOAA_STATION", context.noaa_station);
    read("PROJECT_ID", context.project_id);
    read("PROJECT_NAME", context.project_name);
    read("COUNTY", context.county);
    read("STATE", context.state);
    read("UNITS", context.units);
    read("LOCATION", context.location);
    read("DESIGNER", context.designer);
    read("INLET_DATABASE", context.inlet_database);
    read("PRODUCT_NAME", context.product_name);
}

void open_project(ProjectContext& context, const fs::path& file, Access access) {
    context.database_path = fs::absolute(file).lexically_normal().string();
    context.legacy_database_mode = is_legacy_path(context.database_path);
    connect(context, access);
    load_project_record(context);
}

void close_project(ProjectContext& context) {
    try {
        context.project_connection.close();
        context.rainfall_connection.close();
    } catch (const std::exception&) {
        throw DatabaseError(std::string(kDatabaseCloseError));
    }
    context.details_edit_mode = false;
    context.project_id.clear();
    context.project_name.clear();
}

}  // namespace pelvane::store
