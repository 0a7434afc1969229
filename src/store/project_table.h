#pragma once
// Rows of the project database's tables (PROJECT, PIPE, ENERGY) as texts. Every
// column holds the text shown in the window field bound to it, so a record is a
// map from column (store/columns.h) to text.
//
// Project files of different generations lack some columns, so a table is always
// read with the columns it really has: writes skip what the table lacks and reads
// of an absent column give "".

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/columns.h"
#include "store/sqlite/database.h"

namespace pelvane::store {

class TextRecord {
  public:
    // The text of a column: "" for a NULL value and for a column the record does
    // not hold (one that an older file lacks).
    const std::string& get(Column column) const;
    void set(Column column, std::string text);
    // Whether the record holds the column (a row read from a table holds the
    // table's listed columns).
    bool holds(Column column) const;
    void erase(Column column) { texts_.erase(column); }
    bool empty() const { return texts_.empty(); }

    const std::map<Column, std::string>& texts() const { return texts_; }

    bool operator==(const TextRecord&) const = default;

  private:
    std::map<Column, std::string> texts_;
};

// One table of an open project database with the columns it actually has.
// Identifiers are never taken from callers' texts into SQL: only the table's own
// column names are, and every value is a bound parameter.
class TextTable {
  public:
    // Reads the table's columns; a DatabaseError when the table does not exist.
    TextTable(const Database& db, std::string table);

    const std::string& name() const { return table_; }
    const Database& database() const { return db_; }
    // The table's columns in the table's order.
    const std::vector<std::string>& columns() const { return columns_; }
    bool has_column(Column column) const { return own_column(column.name()) != nullptr; }

    // "SELECT * FROM table " + `tail` (a WHERE and/or ORDER BY with ? parameters).
    // A column that no project table lists (one another program added) is left
    // out of the records.
    std::vector<TextRecord> select(std::string_view tail, const std::vector<Value>& params = {},
                                   std::size_t limit = 0) const;
    // Adds a row from the record's columns that the table has; the others take
    // their column defaults.
    void insert(const TextRecord& record) const;
    // Writes the record's columns that the table has into the rows matching
    // `where` (with ? parameters); columns the record does not hold keep their
    // values. Returns the number of rows changed.
    [[nodiscard]] int update(const TextRecord& record, std::string_view where,
                             const std::vector<Value>& params) const;
    [[nodiscard]] int remove(std::string_view where, const std::vector<Value>& params) const;
    std::int64_t count() const;

  private:
    // The table's spelling of a column, or null when the table lacks it.
    const std::string* own_column(std::string_view column) const;
    // The statement for `sql`, prepared on first use and kept for the table's life:
    // work that checks and adds thousands of rows prepares each statement once.
    Statement& statement(const std::string& sql) const;

    const Database& db_;
    std::string table_;
    std::vector<std::string> columns_;
    mutable std::unordered_map<std::string, Statement> statements_;
};

// An SQL identifier in double quotes (doubled inner quotes).
std::string quoted_identifier(std::string_view name);

}  // namespace pelvane::store
