#include "store/project_table.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace pelvane::store {
namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

const std::string& TextRecord::get(Column column) const {
    static const std::string none;
    const auto it = texts_.find(column);
    return it == texts_.end() ? none : it->second;
}

void TextRecord::set(Column column, std::string text) {
    texts_[column] = std::move(text);
}

bool TextRecord::holds(Column column) const {
    return texts_.count(column) > 0;
}

std::string quoted_identifier(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

TextTable::TextTable(const Database& db, std::string table)
    : db_(db), table_(std::move(table)), columns_(db.columns_of(table_)) {
    if (columns_.empty()) {
        throw DatabaseError("The table " + table_ + " is missing from '" + db.path().string() +
                            "'.");
    }
}

const std::string* TextTable::own_column(std::string_view column) const {
    const std::string wanted = upper(column);
    const auto it = std::find_if(columns_.begin(), columns_.end(),
                                 [&](const std::string& c) { return upper(c) == wanted; });
    return it == columns_.end() ? nullptr : &*it;
}

Statement& TextTable::statement(const std::string& sql) const {
    auto it = statements_.find(sql);
    if (it == statements_.end()) it = statements_.emplace(sql, db_.prepare(sql)).first;
    it->second.reset();
    return it->second;
}

namespace {

// Runs a kept statement and leaves it reset, also when a step fails, so that it
// never holds the file open for reading between uses.
template <class Each>
void run_kept(Statement& s, const std::vector<Value>& params, Each&& each) {
    try {
        s.bind_all(params);
        while (s.step()) each(s);
    } catch (...) {
        s.reset();
        throw;
    }
    s.reset();
}

}  // namespace

std::vector<TextRecord> TextTable::select(std::string_view tail, const std::vector<Value>& params,
                                          std::size_t limit) const {
    std::string sql = "SELECT * FROM " + quoted_identifier(table_) + " " + std::string(tail);
    if (limit > 0) sql += " LIMIT " + std::to_string(limit);
    std::vector<TextRecord> rows;
    std::vector<std::optional<Column>> listed;  // of each result column, found once
    run_kept(statement(sql), params, [&](const Statement& s) {
        if (listed.empty()) {
            for (int i = 0; i < s.column_count(); ++i)
                listed.push_back(Column::find(s.column_name(i)));
        }
        TextRecord row;
        for (int i = 0; i < s.column_count(); ++i) {
            if (const auto& column = listed[static_cast<std::size_t>(i)])
                row.set(*column, s.text(i));
        }
        rows.push_back(std::move(row));
    });
    return rows;
}

void TextTable::insert(const TextRecord& record) const {
    std::string names;
    std::string marks;
    std::vector<Value> values;
    for (const auto& [column, text] : record.texts()) {
        const std::string* own = own_column(column.name());
        if (!own) continue;
        names += (names.empty() ? "" : ", ") + quoted_identifier(*own);
        marks += marks.empty() ? "?" : ", ?";
        values.emplace_back(text);
    }
    const std::string table = quoted_identifier(table_);
    if (values.empty()) {
        db_.execute("INSERT INTO " + table + " DEFAULT VALUES");
    } else {
        run_kept(statement("INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")"),
                 values, [](const Statement&) {});
    }
}

int TextTable::update(const TextRecord& record, std::string_view where,
                      const std::vector<Value>& params) const {
    std::string assignments;
    std::vector<Value> values;
    for (const auto& [column, text] : record.texts()) {
        const std::string* own = own_column(column.name());
        if (!own) continue;
        assignments += (assignments.empty() ? "" : ", ") + quoted_identifier(*own) + " = ?";
        values.emplace_back(text);
    }
    if (values.empty()) return 0;
    values.insert(values.end(), params.begin(), params.end());
    db_.execute("UPDATE " + quoted_identifier(table_) + " SET " + assignments + " WHERE " +
                    std::string(where),
                values);
    return db_.changes();
}

int TextTable::remove(std::string_view where, const std::vector<Value>& params) const {
    db_.execute("DELETE FROM " + quoted_identifier(table_) + " WHERE " + std::string(where),
                params);
    return db_.changes();
}

std::int64_t TextTable::count() const {
    Statement s = db_.prepare("SELECT count(*) FROM " + quoted_identifier(table_));
    s.step();
    return std::get<std::int64_t>(s.value(0));
}

}  // namespace pelvane::store
