// The pre-update hook is declared only with this switch; Debian's libsqlite3 is
// built with it.
#define SQLITE_ENABLE_PREUPDATE_HOOK 1

#include "store/sqlite/change_log.h"

#include <sqlite3.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace pelvane::store {
namespace {

// The first byte of a stored change set, changed with its layout. Release 1 kept
// numbers in eight bytes and every column of an updated row; it is still read.
constexpr char kFirstFormat = 1;
constexpr char kFormatVersion = 2;
enum Tag : char { kNull = 'n', kInteger = 'i', kReal = 'r', kText = 't' };
enum Kind : char { kInsert = 'I', kDelete = 'D', kUpdate = 'U' };

// Numbers in seven-bit groups, low first; integers zig-zagged so that small
// negative ones stay short too.
class Writer {
  public:
    explicit Writer(std::string& out) : out_(out) {}
    void byte(char b) { out_.push_back(b); }
    void number(std::uint64_t n) {
        while (n >= 0x80) {
            out_.push_back(static_cast<char>((n & 0x7f) | 0x80));
            n >>= 7;
        }
        out_.push_back(static_cast<char>(n));
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
            const auto u = static_cast<std::uint64_t>(*i);
            number(*i < 0 ? ~(u << 1) : u << 1);
        } else if (const auto* d = std::get_if<double>(&v)) {
            byte(kReal);
            const auto bits = std::bit_cast<std::uint64_t>(*d);
            for (int k = 0; k < 8; ++k) out_.push_back(static_cast<char>((bits >> (8 * k)) & 0xff));
        } else {
            byte(kText);
            text(std::get<std::string>(v));
        }
    }
    // A whole row: rowid, column count, values.
    void image(const RowImage& row) {
        number(static_cast<std::uint64_t>(row.rowid));
        number(row.values.size());
        for (const Value& v : row.values) value(v);
    }
    void change(const RowChange& c) {
        text(c.table);
        if (!c.before) {
            byte(kInsert);
            image(*c.after);
        } else if (!c.after) {
            byte(kDelete);
            image(*c.before);
        } else {
            byte(kUpdate);
            number(static_cast<std::uint64_t>(c.before->rowid));
            number(static_cast<std::uint64_t>(c.after->rowid));
            number(c.after->columns.size());
            for (std::size_t k = 0; k < c.after->columns.size(); ++k) {
                number(static_cast<std::uint64_t>(c.after->columns[k]));
                value(c.before->values[k]);
                value(c.after->values[k]);
            }
        }
    }

  private:
    std::string& out_;
};

class Reader {
  public:
    Reader(std::string_view in, bool compact) : in_(in), compact_(compact) {}
    bool done() const { return at_ == in_.size(); }
    char byte() {
        need(1);
        return in_[at_++];
    }
    std::uint64_t number() {
        if (!compact_) return fixed();
        std::uint64_t n = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const auto b = static_cast<unsigned char>(byte());
            n |= static_cast<std::uint64_t>(b & 0x7f) << shift;
            if ((b & 0x80) == 0) return n;
        }
        damaged();
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
            case kInteger: {
                const std::uint64_t u = number();
                if (!compact_) return static_cast<std::int64_t>(u);
                return static_cast<std::int64_t>((u & 1) ? ~(u >> 1) : u >> 1);
            }
            case kReal:
                return std::bit_cast<double>(fixed());
            case kText:
                return text();
            default:
                damaged();
        }
    }
    RowImage image() {
        RowImage row;
        row.rowid = static_cast<std::int64_t>(number());
        const std::uint64_t count = number();
        need(count);  // at least a byte a value
        for (std::uint64_t i = 0; i < count; ++i) row.values.push_back(value());
        return row;
    }
    // Release 1: a presence byte before each of the two whole images.
    std::optional<RowImage> first_format_image() {
        if (byte() == 0) return std::nullopt;
        return image();
    }
    RowChange change() {
        RowChange c;
        c.table = text();
        if (!compact_) {
            c.before = first_format_image();
            c.after = first_format_image();
            return c;
        }
        switch (byte()) {
            case kInsert:
                c.after = image();
                return c;
            case kDelete:
                c.before = image();
                return c;
            case kUpdate: {
                RowImage before, after;
                before.rowid = static_cast<std::int64_t>(number());
                after.rowid = static_cast<std::int64_t>(number());
                const std::uint64_t count = number();
                need(count);
                for (std::uint64_t i = 0; i < count; ++i) {
                    const auto column = static_cast<int>(number());
                    before.columns.push_back(column);
                    after.columns.push_back(column);
                    before.values.push_back(value());
                    after.values.push_back(value());
                }
                c.before = std::move(before);
                c.after = std::move(after);
                return c;
            }
            default:
                damaged();
        }
    }

  private:
    std::uint64_t fixed() {
        need(8);
        std::uint64_t n = 0;
        for (int i = 0; i < 8; ++i) {
            n |= static_cast<std::uint64_t>(static_cast<unsigned char>(in_[at_ + i])) << (8 * i);
        }
        at_ += 8;
        return n;
    }
    void need(std::uint64_t size) const {
        if (size > in_.size() - at_) damaged();
    }
    [[noreturn]] static void damaged() {
        throw DatabaseError("The project's history is damaged and cannot be read.");
    }
    std::string_view in_;
    bool compact_;
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

// The table position of an image's k-th value.
int column_at(const RowImage& row, std::size_t k) {
    return row.columns.empty() ? static_cast<int>(k) : row.columns[k];
}

// The change from one whole image of a row to another, keeping only the columns
// that differ; nullopt when nothing does.
std::optional<RowChange> update_of(std::string_view table, const RowImage& before,
                                   const RowImage& after) {
    RowChange change{std::string(table), RowImage{before.rowid, {}, {}},
                     RowImage{after.rowid, {}, {}}};
    const std::size_t count = std::min(before.values.size(), after.values.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (same_value(before.values[i], after.values[i])) continue;
        change.before->columns.push_back(static_cast<int>(i));
        change.after->columns.push_back(static_cast<int>(i));
        change.before->values.push_back(before.values[i]);
        change.after->values.push_back(after.values[i]);
    }
    if (change.after->columns.empty() && before.rowid == after.rowid) return std::nullopt;
    return change;
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
    RowImage row{rowid, {}, {}};
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
    RowImage row{rowid, {}, {}};
    for (int i = 0; i < s.column_count(); ++i) row.values.push_back(s.value(i));
    return row;
}

// Whether the row is as `expected` says: the columns it names hold the same values
// (a column added since by a conversion is not compared).
bool row_matches(const std::optional<RowImage>& now, const RowImage& expected) {
    if (!now) return false;
    for (std::size_t k = 0; k < expected.values.size(); ++k) {
        const auto at = static_cast<std::size_t>(column_at(expected, k));
        if (at >= now->values.size() || !same_value(now->values[at], expected.values[k])) {
            return false;
        }
    }
    return true;
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
    }
    for (std::size_t k = 0; to && k < to->values.size(); ++k) {
        if (static_cast<std::size_t>(column_at(*to, k)) >= columns.size()) {
            throw ChangeConflict(table);
        }
    }
    if (!to) {
        if (from) db.execute("DELETE FROM " + name + " WHERE rowid = ?", {from->rowid});
        return;
    }
    std::string names = "rowid";
    std::string marks = "?";
    std::string assignments = "rowid = ?";
    for (std::size_t k = 0; k < to->values.size(); ++k) {
        const std::string& column = columns[static_cast<std::size_t>(column_at(*to, k))];
        names += ", " + quoted(column);
        marks += ", ?";
        assignments += ", " + quoted(column) + " = ?";
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

std::string encode_changes(const std::vector<std::pair<std::string, std::string>>& created_tables,
                           std::string rows) {
    std::string header;
    Writer w(header);
    w.byte(kFormatVersion);
    w.number(created_tables.size());
    for (const auto& [name, sql] : created_tables) {
        w.text(name);
        w.text(sql);
    }
    // In place: the rows of a large step are tens of megabytes, not copied again.
    rows.insert(0, header);
    return rows;
}

ChangeSet decode_changes(std::string_view bytes) {
    const char format = bytes.empty() ? '\0' : bytes.front();
    if (format != kFirstFormat && format != kFormatVersion) {
        throw DatabaseError(
            "The project's history was written by a newer release and cannot be read.");
    }
    Reader r(bytes.substr(1), format == kFormatVersion);
    ChangeSet changes;
    const std::uint64_t tables = r.number();
    for (std::uint64_t i = 0; i < tables && !r.done(); ++i) {
        std::string name = r.text();
        changes.created_tables.emplace_back(std::move(name), r.text());
    }
    while (!r.done()) changes.rows.push_back(r.change());
    return changes;
}

ChangeLog::ChangeLog(const Database& db, std::vector<std::string> ignored)
    : db_(db), ignored_(std::move(ignored)) {
    sqlite3_preupdate_hook(db_.handle(), preupdate, this);
}

ChangeLog::~ChangeLog() {
    sqlite3_preupdate_hook(db_.handle(), nullptr, nullptr);
}

void ChangeLog::flush_pending() {
    if (!pending_) return;
    Writer(encoded_).change(*pending_);
    pending_.reset();
}

std::string ChangeLog::take() {
    flush_pending();
    return std::exchange(encoded_, {});
}

void ChangeLog::clear() {
    pending_.reset();
    encoded_.clear();
}

void ChangeLog::record(int op, std::string_view table, std::int64_t key1, std::int64_t key2) {
    if (table.starts_with("sqlite_") ||
        std::find(ignored_.begin(), ignored_.end(), table) != ignored_.end()) {
        return;
    }
    sqlite3* db = db_.handle();
    if (op == SQLITE_INSERT && pending_ && pending_->table == table && !pending_->after &&
        pending_->before && pending_->before->rowid == key2) {
        pending_ = update_of(table, *pending_->before, image_of(db, key2, true));
        return;
    }
    flush_pending();
    if (op == SQLITE_UPDATE) {
        pending_ = update_of(table, image_of(db, key1, false), image_of(db, key2, true));
        return;
    }
    RowChange change{std::string(table), std::nullopt, std::nullopt};
    if (op == SQLITE_DELETE) change.before = image_of(db, key1, false);
    if (op == SQLITE_INSERT) change.after = image_of(db, key2, true);
    pending_ = std::move(change);
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
