#pragma once
// The row changes a connection makes, recorded as they happen and applied again
// forwards or backwards. The project tables (PIPE, PROJECT, ENERGY) have no
// declared primary key, which SQLite's session extension needs in the library
// this program is built with, so rows are known by their rowid, taken from the
// pre-update hook. An inserted or deleted row is kept whole; an updated one keeps
// only the columns that changed, before and after, as the session extension's
// change sets do. Changes are encoded as they happen, so a recompute of a large
// network holds its step's few bytes a pipe rather than every column of every row.
//
// Applying a change first checks that the row is exactly as the change left it
// (or, backwards, as it made it); any other state is a ChangeConflict and the
// caller's transaction rolls back, so a change is applied whole or not at all.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/sqlite/database.h"

namespace pelvane::store {

struct RowImage {
    std::int64_t rowid = 0;
    std::vector<Value> values;  // the columns `columns` names, or every column in order
    std::vector<int> columns;   // positions in the table; empty: every column
    bool operator==(const RowImage&) const = default;
};

// One row inserted (no `before`), deleted (no `after`) or updated (both).
struct RowChange {
    std::string table;
    std::optional<RowImage> before;
    std::optional<RowImage> after;
    bool operator==(const RowChange&) const = default;
};

struct ChangeSet {
    // Tables the change made, as (name, CREATE statement): dropped again backwards.
    std::vector<std::pair<std::string, std::string>> created_tables;
    std::vector<RowChange> rows;  // in the order they were made
    bool empty() const { return created_tables.empty() && rows.empty(); }
};

// The stored form of a change set: the created tables, then `rows` as a ChangeLog
// encodes them. A damaged text is a DatabaseError when it is decoded.
std::string encode_changes(const std::vector<std::pair<std::string, std::string>>& created_tables,
                           std::string rows);
ChangeSet decode_changes(std::string_view bytes);

// Records every row change of the connection's main database while it lives,
// except those of `ignored` tables and SQLite's own. One log per connection.
class ChangeLog {
  public:
    ChangeLog(const Database& db, std::vector<std::string> ignored);
    ~ChangeLog();
    ChangeLog(const ChangeLog&) = delete;
    ChangeLog& operator=(const ChangeLog&) = delete;

    // The changes recorded since the last take (or clear), encoded, and forgets them.
    std::string take();
    void clear();

    // Called by SQLite before each row change.
    void record(int op, std::string_view table, std::int64_t key1, std::int64_t key2);

  private:
    void flush_pending();

    const Database& db_;
    std::vector<std::string> ignored_;
    std::string encoded_;
    // The last change, kept apart: an INSERT OR REPLACE deletes the row just before
    // it inserts it again, and the two are one change of that row.
    std::optional<RowChange> pending_;
};

// A row not as the change expects it: another program changed it since. what()
// is technical; `table()` names the table for the message shown.
class ChangeConflict : public DatabaseError {
  public:
    explicit ChangeConflict(std::string table)
        : DatabaseError("row of " + table + " changed since"), table_(std::move(table)) {}
    const std::string& table() const { return table_; }

  private:
    std::string table_;
};

enum class ChangeDirection { Forward, Backward };

// Applies the change set (Forward: as it was made) or undoes it (Backward: each
// row change inverted, last first). Call it inside a Transaction.
void apply_changes(const Database& db, const ChangeSet& changes, ChangeDirection direction);

}  // namespace pelvane::store
