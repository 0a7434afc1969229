#include "store/sqlite/database.h"

#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace pelvane::store {
namespace {

// What a busy file is called for the person: the other program holds it.
std::string busy_message(sqlite3* db) {
    const char* file = sqlite3_db_filename(db, "main");
    return "Another program is using '" + std::string(file ? file : "") +
           "'; close the file there (or wait until it has finished) and try again.";
}

[[noreturn]] void fail(sqlite3* db, const std::string& context) {
    std::string message = context;
    if (db && (sqlite3_errcode(db) & 0xff) == SQLITE_BUSY) {
        message += (message.empty() ? "" : ": ") + busy_message(db);
    } else if (db) {
        const char* m = sqlite3_errmsg(db);
        if (m && *m) message += (message.empty() ? "" : ": ") + std::string(m);
    }
    throw DatabaseError(message);
}

}  // namespace

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    if (!db_) throw DatabaseError("The database is not open");
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) !=
        SQLITE_OK) {
        fail(db_, "");
    }
}

Statement::~Statement() {
    if (stmt_) sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_), stmt_(std::exchange(other.stmt_, nullptr)) {}

Statement& Statement::bind(int index, const Value& value) {
    int rc = SQLITE_OK;
    if (std::holds_alternative<std::nullptr_t>(value)) {
        rc = sqlite3_bind_null(stmt_, index);
    } else if (const auto* s = std::get_if<std::string>(&value)) {
        rc = sqlite3_bind_text(stmt_, index, s->data(), static_cast<int>(s->size()),
                               SQLITE_TRANSIENT);
    } else if (const auto* d = std::get_if<double>(&value)) {
        rc = sqlite3_bind_double(stmt_, index, *d);
    } else {
        rc = sqlite3_bind_int64(stmt_, index, std::get<std::int64_t>(value));
    }
    if (rc != SQLITE_OK) fail(db_, "");
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    if (sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK) {
        fail(db_, "");
    }
    return *this;
}

Statement& Statement::bind_all(const std::vector<Value>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) bind(static_cast<int>(i + 1), values[i]);
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail(db_, "");
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::column_count() const {
    return sqlite3_column_count(stmt_);
}

std::string Statement::column_name(int index) const {
    const char* n = sqlite3_column_name(stmt_, index);
    return n ? n : "";
}

bool Statement::is_null(int index) const {
    return sqlite3_column_type(stmt_, index) == SQLITE_NULL;
}

std::string Statement::text(int index) const {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
    if (!t) return "";
    return std::string(t, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, index)));
}

double Statement::number(int index) const {
    return sqlite3_column_double(stmt_, index);
}

Value Statement::value(int index) const {
    switch (sqlite3_column_type(stmt_, index)) {
        case SQLITE_NULL:
            return nullptr;
        case SQLITE_INTEGER:
            return static_cast<std::int64_t>(sqlite3_column_int64(stmt_, index));
        case SQLITE_FLOAT:
            return sqlite3_column_double(stmt_, index);
        default:
            return text(index);
    }
}

Database Database::open(const std::filesystem::path& path, Mode mode) {
    Database db;
    db.path_ = path;
    std::error_code ec;
    if (mode != Mode::Create && !std::filesystem::is_regular_file(path, ec)) {
        throw DatabaseError("Could not find file '" + path.string() + "'.");
    }
    int flags = SQLITE_OPEN_READWRITE;
    if (mode == Mode::ReadOnly) flags = SQLITE_OPEN_READONLY;
    if (mode == Mode::Create) flags |= SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.string().c_str(), &db.db_, flags, nullptr) != SQLITE_OK) {
        std::string message = "Could not open '" + path.string() + "'";
        if (db.db_) {
            message += ": " + std::string(sqlite3_errmsg(db.db_));
            sqlite3_close(db.db_);
            db.db_ = nullptr;
        }
        throw DatabaseError(message);
    }
    sqlite3_busy_timeout(db.db_, 2000);
    sqlite3_extended_result_codes(db.db_, 1);
    // SQLite opens lazily; reading the schema now turns "not a database" and an
    // empty-but-unreadable file into an error at open time.
    try {
        db.prepare("SELECT count(*) FROM sqlite_master").run();
    } catch (const DatabaseError& e) {
        // A file another program is writing is busy, not damaged.
        if ((sqlite3_errcode(db.db_) & 0xff) == SQLITE_BUSY) throw;
        throw DatabaseError("'" + path.string() + "' is not a project database file (" + e.what() +
                            ")");
    }
    return db;
}

Database::~Database() {
    close();
}

Database::Database(Database&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)),
      path_(std::move(other.path_)),
      listener_(std::exchange(other.listener_, nullptr)) {}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
        path_ = std::move(other.path_);
        listener_ = std::exchange(other.listener_, nullptr);
    }
    return *this;
}

void Database::close() {
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

Statement Database::prepare(std::string_view sql) const {
    return Statement(db_, sql);
}

void Database::execute(std::string_view sql, const std::vector<Value>& params) const {
    Statement s = prepare(sql);
    s.bind_all(params);
    s.run();
}

void Database::execute_script(std::string_view sql) const {
    if (!db_) throw DatabaseError("The database is not open");
    char* error = nullptr;
    const std::string script(sql);
    if (sqlite3_exec(db_, script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "SQL script failed";
        sqlite3_free(error);
        throw DatabaseError(message);
    }
}

std::optional<std::string> Database::query_text(std::string_view sql,
                                                const std::vector<Value>& params) const {
    Statement s = prepare(sql);
    s.bind_all(params);
    if (!s.step()) return std::nullopt;
    return s.text(0);
}

bool Database::has_table(std::string_view table) const {
    return query_text(
               "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 "
               "COLLATE NOCASE",
               {std::string(table)})
        .has_value();
}

std::vector<std::string> Database::columns_of(std::string_view table) const {
    std::vector<std::string> names;
    Statement s = prepare("SELECT name FROM pragma_table_info(?1)");
    s.bind(1, table);
    while (s.step()) names.push_back(s.text(0));
    return names;
}

bool Database::has_column(std::string_view table, std::string_view column) const {
    Statement s = prepare("SELECT 1 FROM pragma_table_info(?1) WHERE name = ?2 COLLATE NOCASE");
    s.bind(1, table).bind(2, column);
    return s.step();
}

int Database::changes() const {
    return db_ ? sqlite3_changes(db_) : 0;
}

std::int64_t Database::last_insert_rowid() const {
    return db_ ? sqlite3_last_insert_rowid(db_) : 0;
}

void Database::write_blob(const std::string& table, const std::string& column, std::int64_t rowid,
                          std::string_view bytes) const {
    // Pieces of a megabyte: each goes through the page cache on its own.
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    sqlite3_blob* blob = nullptr;
    if (sqlite3_blob_open(db_, "main", table.c_str(), column.c_str(), rowid, 1, &blob) !=
        SQLITE_OK) {
        fail(db_, table);
    }
    // Closed after a failure's message is taken, which closing would replace.
    std::unique_ptr<sqlite3_blob, int (*)(sqlite3_blob*)> handle(blob, sqlite3_blob_close);
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        const std::size_t piece = std::min(kPiece, bytes.size() - at);
        if (sqlite3_blob_write(blob, bytes.data() + at, static_cast<int>(piece),
                               static_cast<int>(at)) != SQLITE_OK) {
            fail(db_, table);
        }
    }
    if (sqlite3_blob_close(handle.release()) != SQLITE_OK) fail(db_, table);
}

bool Database::read_only() const {
    return db_ && sqlite3_db_readonly(db_, "main") == 1;
}

void Database::lock_for_writing() const {
    execute("PRAGMA locking_mode = EXCLUSIVE");
    // In exclusive locking mode the lock an empty write transaction takes is kept
    // after its COMMIT.
    execute("BEGIN EXCLUSIVE");
    execute("COMMIT");
}

bool Database::in_transaction() const {
    return db_ && sqlite3_get_autocommit(db_) == 0;
}

Transaction::Transaction(const Database& db) : db_(db), nested_(db.in_transaction()) {
    db_.execute(nested_ ? "SAVEPOINT nested_change" : "BEGIN EXCLUSIVE");
}

Transaction::~Transaction() {
    if (!done_) {
        try {
            if (nested_) {
                db_.execute("ROLLBACK TO nested_change");
                db_.execute("RELEASE nested_change");
            } else {
                db_.execute("ROLLBACK");
            }
        } catch (...) {
        }
        // The history hears of the whole change only: a savepoint rolled back inside
        // it leaves rows its step recorded, so an undo of that step finds them
        // changed and refuses rather than applying part of it.
        if (CommitListener* listener = db_.commit_listener(); listener && !nested_) {
            listener->rolled_back();
        }
    }
}

void Transaction::commit() {
    if (CommitListener* listener = db_.commit_listener(); listener && !nested_) {
        listener->before_commit(db_);
    }
    db_.execute(nested_ ? "RELEASE nested_change" : "COMMIT");
    done_ = true;
}

}  // namespace pelvane::store
