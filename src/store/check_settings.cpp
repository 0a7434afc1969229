#include "store/check_settings.h"

#include <cstdint>
#include <string>

#include "core/text/number_text.h"

namespace pelvane::store {
namespace {

constexpr const char* kTable = "DESIGN_CHECKS";
constexpr const char* kCreateTable =
    "CREATE TABLE IF NOT EXISTS DESIGN_CHECKS (NAME TEXT PRIMARY KEY, "
    "ENABLED INTEGER NOT NULL, VALUE TEXT)";
// Rows beside the criteria: where the review's grade line starts.
constexpr std::string_view kOutfallRow = "grade_line_outfall";
constexpr std::string_view kTailwaterRow = "grade_line_tailwater";

// A table of that name that another program made differently is refused by name,
// before a statement could fail on it with the database's own wording.
void check_columns(const Database& project) {
    if (!project.has_table(kTable)) return;
    for (const char* column : {"NAME", "ENABLED", "VALUE"}) {
        if (!project.has_column(kTable, column)) {
            throw DatabaseError(
                "The design criteria kept in the project file cannot be used: its " +
                std::string(kTable) + " table has no " + column +
                " column. Delete the table to start again from the defaults.");
        }
    }
}

}  // namespace

bool has_check_settings(const Database& project) {
    return project.has_table(kTable);
}

CheckSettings read_check_settings(const Database& project, std::string_view units) {
    CheckSettings settings{checks::Criteria::defaults(units), std::nullopt};
    if (!has_check_settings(project)) return settings;
    check_columns(project);
    auto statement = project.prepare("SELECT NAME, ENABLED, VALUE FROM DESIGN_CHECKS");
    checks::GradeLineStart start;
    while (statement.step()) {
        const std::string name = statement.text(0);
        const bool enabled = statement.number(1) != 0.0;
        const std::string value = statement.text(2);
        if (name == kOutfallRow) {
            start.outfall = value;
        } else if (name == kTailwaterRow) {
            start.tailwater = value;
        } else if (const auto key = settings.criteria.find(name)) {
            checks::Criterion& criterion = settings.criteria[*key];
            criterion.enabled = enabled;
            const text::ParsedNumber limit = text::parse_number(value);
            if (criterion.quantity != checks::Quantity::None && limit.ok()) {
                criterion.limit = limit.value;
            }
        }
    }
    if (!start.outfall.empty()) settings.grade_line = start;
    return settings;
}

void write_check_settings(const Database& project, const CheckSettings& settings) {
    check_columns(project);
    Transaction transaction(project);
    project.execute(kCreateTable);
    project.execute("DELETE FROM DESIGN_CHECKS");
    auto insert =
        project.prepare("INSERT INTO DESIGN_CHECKS (NAME, ENABLED, VALUE) VALUES (?, ?, ?)");
    const auto row = [&insert](std::string_view name, bool enabled, const std::string& value) {
        insert.reset();
        insert.bind_all({std::string(name), static_cast<std::int64_t>(enabled ? 1 : 0), value});
        insert.run();
    };
    for (const checks::Criterion& c : settings.criteria.all()) {
        row(c.name, c.enabled,
            c.quantity == checks::Quantity::None ? std::string() : text::shortest_text(c.limit));
    }
    if (settings.grade_line) {
        row(kOutfallRow, true, settings.grade_line->outfall);
        row(kTailwaterRow, true, settings.grade_line->tailwater);
    }
    transaction.commit();
}

}  // namespace pelvane::store
