#include "support/table_dump.h"

#include <variant>

namespace pelvane::testing {

std::string table_dump(const store::Database& db) {
    std::string dump;
    auto tables = db.prepare(
        "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
        "'PROJECT_HISTORY%' ORDER BY name");
    while (tables.step()) {
        dump += tables.text(1) + "\n";
        auto rows = db.prepare("SELECT rowid, * FROM \"" + tables.text(0) + "\" ORDER BY rowid");
        while (rows.step()) {
            for (int i = 0; i < rows.column_count(); ++i) {
                const store::Value v = rows.value(i);
                dump += std::holds_alternative<std::nullptr_t>(v) ? "NULL"
                        : std::holds_alternative<std::string>(v)  ? "'" + rows.text(i) + "'"
                                                                  : rows.text(i);
                dump += "|";
            }
            dump += "\n";
        }
    }
    return dump;
}

}  // namespace pelvane::testing
