#pragma once
// A thin RAII layer over SQLite. Every statement is prepared with parameters:
// values never become part of SQL text, so a pipe number such as O'Brien 1 or the
// station Stuart's Draft needs no special handling anywhere.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace pelvane::store {

class Database;

// Told by a Transaction before it commits and after it rolls back: the project's
// history (store/history.h) adds its step to the change before COMMIT, so the step
// and the change it records are one change of the file.
class CommitListener {
  public:
    virtual void before_commit(const Database& db) = 0;
    virtual void rolled_back() = 0;

  protected:
    CommitListener() = default;
    ~CommitListener() = default;
    CommitListener(const CommitListener&) = default;
    CommitListener& operator=(const CommitListener&) = default;
};

// A failing database step. what() is the description shown to the engineer.
class DatabaseError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A bound parameter or a column value. Records of this program hold text; numbers
// appear only in the rainfall and coefficient databases.
using Value = std::variant<std::nullptr_t, std::string, double, std::int64_t>;

class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds parameter `index` (1-based).
    Statement& bind(int index, const Value& value);
    Statement& bind(int index, std::string_view text);
    Statement& bind_all(const std::vector<Value>& values);

    // Advances to the next row; false when there are no more rows.
    bool step();
    // Runs a statement that returns no rows (or ignores them).
    void run();
    void reset();

    int column_count() const;
    std::string column_name(int index) const;
    bool is_null(int index) const;
    // The column as text; NULL reads as "" (numbers in their SQLite text form).
    std::string text(int index) const;
    double number(int index) const;
    Value value(int index) const;

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

class Database {
  public:
    enum class Mode { ReadWrite, ReadOnly, Create };

    // Opens a file that must exist (ReadWrite, ReadOnly) or may be created (Create).
    // A file that is not a SQLite database is refused here, not at the first query.
    static Database open(const std::filesystem::path& path, Mode mode = Mode::ReadWrite);

    Database() = default;
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool is_open() const { return db_ != nullptr; }
    void close();
    const std::filesystem::path& path() const { return path_; }

    Statement prepare(std::string_view sql) const;
    // Runs one parameterised statement that returns no rows.
    void execute(std::string_view sql, const std::vector<Value>& params = {}) const;
    // Runs a script of several statements without parameters (schema files only).
    void execute_script(std::string_view sql) const;
    // First column of the first row as text, or nullopt when there is no row.
    std::optional<std::string> query_text(std::string_view sql,
                                          const std::vector<Value>& params = {}) const;

    bool has_table(std::string_view table) const;
    std::vector<std::string> columns_of(std::string_view table) const;
    bool has_column(std::string_view table, std::string_view column) const;
    int changes() const;
    std::int64_t last_insert_rowid() const;
    // Writes `bytes` over the blob in `column` of row `rowid` of `table`, which holds
    // a blob of that size already (zeroblob(n)). SQLite then never holds the whole
    // value in memory, as it does for a blob bound to an INSERT: a large network's
    // history step is tens of megabytes.
    void write_blob(const std::string& table, const std::string& column, std::int64_t rowid,
                    std::string_view bytes) const;
    bool read_only() const;
    // Whether a transaction is open on this connection.
    bool in_transaction() const;

    // Takes the file's write lock now and keeps it until the connection closes, so
    // that a command that writes either has the file to itself from the start or is
    // refused once, at once, instead of waiting out another program's reading again
    // at every step. A DatabaseError saying that another program is using the file
    // when it cannot be had.
    void lock_for_writing() const;

    // The listener of this connection's transactions (one at a time; nullptr for none).
    void set_commit_listener(CommitListener* listener) const { listener_ = listener; }
    CommitListener* commit_listener() const { return listener_; }

    // The SQLite connection, for the change log of store/sqlite only.
    sqlite3* handle() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
    std::filesystem::path path_;
    mutable CommitListener* listener_ = nullptr;
};

// Runs a group of statements as one change: commit() keeps it; leaving the scope
// without commit() rolls everything back, so a failure half-way changes nothing.
// It takes the whole file at its start (BEGIN EXCLUSIVE): while another program
// reads the file, a change of many rows would otherwise wait for it at every page
// it has to write out, and then fail at the end all the same.
//
// Inside another transaction it is a savepoint of it: work that keeps itself whole
// (a network recompute) can then be part of a larger change (a sizing that
// recomputes the network after each pass), which the outer transaction keeps or
// rolls back as a whole.
class Transaction {
  public:
    explicit Transaction(const Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

  private:
    const Database& db_;
    bool nested_ = false;
    bool done_ = false;
};

}  // namespace pelvane::store
