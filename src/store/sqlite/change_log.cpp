// The pre-update hook is declared only with this switch; Debian's libsqlite3 is
// built with it.
#define SQLITE_ENABLE_PREUPDATE_HOOK 1

#include "store/sqlite/change_log.h"

#include <sqlite3.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace pelvane::store {
namespace {

// The first byte of a stored change set, changed with its layout.
constexpr char kFormatVersion = 1;
enum Tag : char { kNull = 'n', kInteger = 'i', kReal = 'r', kText = 't' };

class Writer {
  public:
    void byte(char b) { out_.push_back(b); }
    void number(std::uint64_t n) {
        for (int i = 0; i < 8; ++i) out_.push_back(static_cast<char>((n >> (8 * i)) & 0xff));
    }
    void text(std::string_view t) {
        number(t.size());
        out_.append(t);
    }
    void value(const Value& v) {
        if (std::holds_alternative<std::nullptr_t>(v)) {
            byte(kNull);
        } else if (const auto* i = std::get_if<std::int64_t>(&v)) {
            byte(kInteger);
            number(static_cast<std::uint64_t>(*i));
        } else if (const auto* d = std::get_if<double>(&v)) {
            byte(kReal);
            number(std::bit_cast<std::uint64_t>(*d));
        } else {
            byte(kText);
            text(std::get<std::string>(v));
        }
    }
    void image(const std::optional<RowImage>& row) {
        byte(row ? 1 : 0);
        if (!row) return;
        number(static_cast<std::uint64_t>(row->rowid));
        number(row->values.size());
        for (const Value& v : row->values) value(v);
    }
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

class Reader {
  public:
    explicit Reader(std::string_view in) : in_(in) {}
    bool done() const { return at_ == in_.size(); }
    char byte() {
        need(1);
        return in_[at_++];
    }
    std::uint64_t number() {
        need(8);
        std::uint64_t n = 0;
        for (int i = 0; i < 8; ++i) {
            n |= static_cast<std::uint64_t>(static_cast<unsigned char>(in_[at_ + i])) << (8 * i);
        }
        at_ += 8;
        return n;
    }
    std::string text() {
        const std::uint64_t size = number();
        need(size);
        std::string t(in_.substr(at_, size));
        at_ += size;
        return t;
    }
    Value value() {
        switch (byte()) {
            case kNull:
                return nullptr;
            case kInteger:
                return static_cast<std::int64_t>(number());
            case kReal:
                return std::bit_cast<double>(number());
            case kText:
                return text();
            default:
                damaged();
        }
    }
    std::optional<RowImage> image() {
        if (byte() == 0) return std::nullopt;
        RowImage row;
        row.rowid = static_cast<std::int64_t>(number());
        const std::uint64_t count = number();
        need(count);  // at least a byte a value
        for (std::uint64_t i = 0; i < count; ++i) row.values.push_back(value());
        return row;
    }

  private:
    void need(std::uint64_t size) const {
        if (size > in_.size() - at_) damaged();
    }
    [[noreturn]] static void damaged() {
        throw DatabaseError("The project's history is damaged and cannot be read.");
    }
    std::string_view in_;
    std::size_t at_ = 0;
};

// A REAL column keeps a whole number as an integer in the file, which the pre-update
// hook reports as such, while a SELECT reads it as a REAL again.
bool same_value(const Value& a, const Value& b) {
    const auto* i = std::get_if<std::int64_t>(&a);
    const auto* d = std::get_if<double>(&b);
    if (!i || !d) {
        i = std::get_if<std::int64_t>(&b);
        d = std::get_if<double>(&a);
    }
    if (i && d) return static_cast<double>(*i) == *d;
    return a == b;
}

// Whether two images are of the same row with the same values.
bool same_row(const std::optional<RowImage>& a, const std::optional<RowImage>& b) {
    if (!a || !b) return !a && !b;
    return a->rowid == b->rowid && a->values.size() == b->values.size() &&
           std::equal(a->values.begin(), a->values.end(), b->values.begin(), same_value);
}

Value value_of(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
        case SQLITE_NULL:
            return nullptr;
        case SQLITE_INTEGER:
            return static_cast<std::int64_t>(sqlite3_value_int64(v));
        case SQLITE_FLOAT:
            return sqlite3_value_double(v);
        default: {
            // Project tables hold no blobs; one would come back as text.
            const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
            return std::string(t ? t : "", static_cast<std::size_t>(sqlite3_value_bytes(v)));
        }
    }
}

RowImage image_of(sqlite3* db, std::int64_t rowid, bool after) {
    RowImage row{rowid, {}};
    const int count = sqlite3_preupdate_count(db);
    for (int i = 0; i < count; ++i) {
        sqlite3_value* v = nullptr;
        const int rc = after ? sqlite3_preupdate_new(db, i, &v) : sqlite3_preupdate_old(db, i, &v);
        row.values.push_back(rc == SQLITE_OK && v ? value_of(v) : Value(nullptr));
    }
    return row;
}

void preupdate(void* log, sqlite3* /*db*/, int op, const char* database, const char* table,
               sqlite3_int64 key1, sqlite3_int64 key2) {
    if (std::strcmp(database, "main") != 0) return;
    static_cast<ChangeLog*>(log)->record(op, table, key1, key2);
}

std::string quoted(const std::string& name) {
    std::string q = "\"";
    for (const char c : name) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

// The row with this rowid as it is now, or nullopt.
std::optional<RowImage> current_row(const Database& db, const std::string& table,
                                    std::int64_t rowid) {
    Statement s = db.prepare("SELECT * FROM " + quoted(table) + " WHERE rowid = ?");
    s.bind(1, Value(rowid));
    if (!s.step()) return std::nullopt;
    RowImage row{rowid, {}};
    for (int i = 0; i < s.column_count(); ++i) row.values.push_back(s.value(i));
    return row;
}

// Whether the row is as `expected` says: its recorded columns hold the same values
// (a column added since by a conversion is not compared).
bool row_matches(const std::optional<RowImage>& now, const RowImage& expected) {
    if (!now || now->values.size() < expected.values.size()) return false;
    return std::equal(expected.values.begin(), expected.values.end(), now->values.begin(),
                      same_value);
}

void apply_row(const Database& db, const std::string& table, const std::optional<RowImage>& from,
               const std::optional<RowImage>& to) {
    const std::vector<std::string> columns = db.columns_of(table);
    const std::string name = quoted(table);
    if (columns.empty()) throw ChangeConflict(table);
    if (from) {
        if (!row_matches(current_row(db, table, from->rowid), *from)) throw ChangeConflict(table);
    }
    if (to && (!from || from->rowid != to->rowid)) {
        if (current_row(db, table, to->rowid)) throw ChangeConflict(table);
        if (to->values.size() > columns.size()) throw ChangeConflict(table);
    }
    if (!to) {
        if (from) db.execute("DELETE FROM " + name + " WHERE rowid = ?", {from->rowid});
        return;
    }
    std::string names = "rowid";
    std::string marks = "?";
    std::string assignments = "rowid = ?";
    for (std::size_t i = 0; i < to->values.size(); ++i) {
        names += ", " + quoted(columns[i]);
        marks += ", ?";
        assignments += ", " + quoted(columns[i]) + " = ?";
    }
    std::vector<Value> params{to->rowid};
    params.insert(params.end(), to->values.begin(), to->values.end());
    if (!from) {
        db.execute("INSERT INTO " + name + " (" + names + ") VALUES (" + marks + ")", params);
    } else {
        params.emplace_back(from->rowid);
        db.execute("UPDATE " + name + " SET " + assignments + " WHERE rowid = ?", params);
    }
}

}  // namespace

std::string encode_changes(const ChangeSet& changes) {
    Writer w;
    w.byte(kFormatVersion);
    w.number(changes.created_tables.size());
    for (const auto& [name, sql] : changes.created_tables) {
        w.text(name);
        w.text(sql);
    }
    for (const RowChange& c : changes.rows) {
        w.text(c.table);
        w.image(c.before);
        w.image(c.after);
    }
    return w.take();
}

ChangeSet decode_changes(std::string_view bytes) {
    Reader r(bytes);
    if (r.byte() != kFormatVersion) {
        throw DatabaseError(
            "The project's history was written by a newer release and cannot be read.");
    }
    ChangeSet changes;
    const std::uint64_t tables = r.number();
    for (std::uint64_t i = 0; i < tables && !r.done(); ++i) {
        std::string name = r.text();
        changes.created_tables.emplace_back(std::move(name), r.text());
    }
    while (!r.done()) {
        RowChange c;
        c.table = r.text();
        c.before = r.image();
        c.after = r.image();
        changes.rows.push_back(std::move(c));
    }
    return changes;
}

ChangeLog::ChangeLog(const Database& db, std::vector<std::string> ignored)
    : db_(db), ignored_(std::move(ignored)) {
    sqlite3_preupdate_hook(db_.handle(), preupdate, this);
}

ChangeLog::~ChangeLog() {
    sqlite3_preupdate_hook(db_.handle(), nullptr, nullptr);
}

void ChangeLog::record(int op, std::string_view table, std::int64_t key1, std::int64_t key2) {
    if (table.starts_with("sqlite_") ||
        std::find(ignored_.begin(), ignored_.end(), table) != ignored_.end()) {
        return;
    }
    sqlite3* db = db_.handle();
    // INSERT OR REPLACE deletes the row it replaces just before: one change of that row.
    if (op == SQLITE_INSERT && !rows_.empty() && rows_.back().table == table &&
        !rows_.back().after && rows_.back().before && rows_.back().before->rowid == key2) {
        rows_.back().after = image_of(db, key2, true);
        if (same_row(rows_.back().before, rows_.back().after)) rows_.pop_back();
        return;
    }
    RowChange change{std::string(table), std::nullopt, std::nullopt};
    if (op != SQLITE_INSERT) change.before = image_of(db, key1, false);
    if (op != SQLITE_DELETE) change.after = image_of(db, key2, true);
    // A row written with the values it had is no change.
    if (!same_row(change.before, change.after)) rows_.push_back(std::move(change));
}

void apply_changes(const Database& db, const ChangeSet& changes, ChangeDirection direction) {
    if (direction == ChangeDirection::Forward) {
        for (const auto& [name, sql] : changes.created_tables) {
            if (db.has_table(name)) throw ChangeConflict(name);
            db.execute(sql);
        }
        for (const RowChange& c : changes.rows) apply_row(db, c.table, c.before, c.after);
        return;
    }
    for (auto c = changes.rows.rbegin(); c != changes.rows.rend(); ++c) {
        apply_row(db, c->table, c->after, c->before);
    }
    for (const auto& [name, sql] : changes.created_tables) {
        // Rows another program added since keep the table.
        if (db.query_text("SELECT 1 FROM " + quoted(name) + " LIMIT 1")) {
            throw ChangeConflict(name);
        }
        db.execute("DROP TABLE " + quoted(name));
    }
}

}  // namespace pelvane::store
