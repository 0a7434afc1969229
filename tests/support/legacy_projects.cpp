#include "support/legacy_projects.h"

#include "store/project_database.h"
#include "store/sqlite/database.h"
#include "support/temp_folder.h"

namespace pelvane::testing {
namespace {

using store::Database;

void drop_columns(const std::filesystem::path& file, const std::string& table,
                  const std::vector<std::string>& columns) {
    const auto db = Database::open(file);
    for (const auto& column : columns) {
        // SQLite keeps an indexed column; older files had no index on it anyway.
        db.execute("DROP INDEX IF EXISTS " + table + "_" + column);
        db.execute("ALTER TABLE " + table + " DROP COLUMN " + column);
    }
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

RowValues row(std::string_view spec) {
    RowValues values;
    while (!trimmed(spec).empty()) {
        const auto end = spec.find(';');
        const std::string_view pair = spec.substr(0, end);
        const auto equals = pair.find('=');
        values.emplace_back(std::string(trimmed(pair.substr(0, equals))),
                            std::string(trimmed(pair.substr(equals + 1))));
        spec = end == std::string_view::npos ? std::string_view() : spec.substr(end + 1);
    }
    return values;
}

RowValues with(RowValues values, const std::string& column, std::optional<std::string> value) {
    for (auto& [name, text] : values) {
        if (name == column) {
            text = std::move(value);
            return values;
        }
    }
    values.emplace_back(column, std::move(value));
    return values;
}

void make_current_project(const std::filesystem::path& file, const RowValues& project) {
    std::filesystem::copy_file(program_folder() / "PelvaneVA21.rdb", file,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    if (!project.empty()) insert_row(file, "PROJECT", project);
}

void make_legacy_project(const std::filesystem::path& file, const RowValues& project) {
    make_current_project(file);
    drop_columns(
        file, "PROJECT",
        {"NOAA_STATION", "PRODUCT_NAME", "MAJOR_RELEASE", "MINOR_RELEASE", "RELEASE_DATE"});
    drop_columns(file, "PIPE", {"PRENODE4", "PRECA4", "PRETC4", "PREFLOWTIME4", "DISCHARGEVAL"});
    if (!project.empty()) insert_row(file, "PROJECT", project);
}

void make_older_release_project(const std::filesystem::path& file, const RowValues& project) {
    make_current_project(file);
    drop_columns(file, "PROJECT", {"NOAA_STATION"});
    if (!project.empty()) insert_row(file, "PROJECT", project);
}

store::ProjectContext open_project_for_test(const std::filesystem::path& file) {
    store::ProjectContext context;
    context.program_folder = program_folder();
    store::open_project(context, file);
    return context;
}

void insert_row(const std::filesystem::path& file, const std::string& table,
                const RowValues& values) {
    std::string names;
    std::string marks;
    std::vector<store::Value> params;
    for (const auto& [column, text] : values) {
        names += (names.empty() ? "" : ", ") + column;
        marks += marks.empty() ? "?" : ", ?";
        if (text) {
            params.emplace_back(*text);
        } else {
            params.emplace_back(nullptr);
        }
    }
    Database::open(file).execute("INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")",
                                 params);
}

std::optional<std::string> first_value(const std::filesystem::path& file, const std::string& table,
                                       const std::string& column) {
    const auto db = Database::open(file, Database::Mode::ReadOnly);
    auto s = db.prepare("SELECT " + column + " FROM " + table + " ORDER BY rowid LIMIT 1");
    if (!s.step() || s.is_null(0)) return std::nullopt;
    return s.text(0);
}

}  // namespace pelvane::testing
