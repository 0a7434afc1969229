#include "store/history.h"

#include <algorithm>
#include <map>

#include "store/sqlite/change_log.h"

namespace pelvane::store {
namespace {

constexpr std::string_view kCreateHistory =
    "CREATE TABLE IF NOT EXISTS PROJECT_HISTORY (STEP INTEGER PRIMARY KEY, "
    "TIME TEXT NOT NULL, COMMAND TEXT NOT NULL, CHANGES BLOB NOT NULL, "
    "UNDONE INTEGER NOT NULL DEFAULT 0)";
constexpr std::string_view kCreateSettings =
    "CREATE TABLE IF NOT EXISTS PROJECT_HISTORY_SETTINGS (NAME TEXT PRIMARY KEY, VALUE TEXT)";
constexpr std::string_view kLimitSetting = "STEP_LIMIT";

// Table name → CREATE statement of every table of the file.
std::map<std::string, std::string> tables_of(const Database& db) {
    std::map<std::string, std::string> tables;
    Statement s = db.prepare("SELECT name, sql FROM sqlite_master WHERE type = 'table'");
    while (s.step()) tables.emplace(s.text(0), s.text(1));
    return tables;
}

bool is_history_table(std::string_view name) {
    return name == kHistoryTable || name == kHistorySettingsTable;
}

void drop_oldest(const Database& db, int limit) {
    db.execute(
        "DELETE FROM PROJECT_HISTORY WHERE STEP NOT IN "
        "(SELECT STEP FROM PROJECT_HISTORY ORDER BY STEP DESC LIMIT ?)",
        {static_cast<std::int64_t>(limit)});
}

std::optional<HistoryEntry> one_step(const Database& db, std::string_view where_order) {
    if (!db.has_table(kHistoryTable)) return std::nullopt;
    Statement s = db.prepare("SELECT STEP, TIME, COMMAND, UNDONE FROM PROJECT_HISTORY " +
                             std::string(where_order) + " LIMIT 1");
    if (!s.step()) return std::nullopt;
    return HistoryEntry{static_cast<int>(s.number(0)), s.text(1), s.text(2), s.number(3) != 0};
}

HistoryMove move(const Database& db, const std::optional<HistoryEntry>& step,
                 ChangeDirection direction) {
    if (!step) return {};
    HistoryMove moved{HistoryMove::Result::Done, step->command, {}};
    Transaction transaction(db);
    const auto bytes = db.query_text("SELECT CHANGES FROM PROJECT_HISTORY WHERE STEP = ?",
                                     {static_cast<std::int64_t>(step->number)});
    try {
        apply_changes(db, decode_changes(bytes.value_or("")), direction);
    } catch (const ChangeConflict& e) {
        moved.result = HistoryMove::Result::Conflict;
        moved.conflict_table = e.table();
        return moved;  // the transaction rolls back whatever was applied
    }
    db.execute("UPDATE PROJECT_HISTORY SET UNDONE = ? WHERE STEP = ?",
               {static_cast<std::int64_t>(direction == ChangeDirection::Backward ? 1 : 0),
                static_cast<std::int64_t>(step->number)});
    transaction.commit();
    return moved;
}

}  // namespace

class HistoryStep::Recorder final : public CommitListener {
  public:
    Recorder(const Database& db, std::string command)
        : db_(db),
          command_(std::move(command)),
          tables_(tables_of(db)),
          log_(db, {std::string(kHistoryTable), std::string(kHistorySettingsTable)}) {
        db_.set_commit_listener(this);
    }
    ~Recorder() { db_.set_commit_listener(nullptr); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    void before_commit(const Database& db) override {
        std::string rows = log_.take();
        if (rows.empty()) return;
        std::vector<std::pair<std::string, std::string>> created;
        for (const auto& [name, sql] : tables_of(db)) {
            if (!tables_.contains(name) && !is_history_table(name)) created.emplace_back(name, sql);
        }
        db.execute(kCreateHistory);
        db.execute("DELETE FROM PROJECT_HISTORY WHERE UNDONE = 1");
        const std::string changes = encode_changes(created, std::move(rows));
        db.execute(
            "INSERT INTO PROJECT_HISTORY (TIME, COMMAND, CHANGES) VALUES "
            "(strftime('%Y-%m-%dT%H:%M:%SZ', 'now'), ?, zeroblob(?))",
            {command_, static_cast<std::int64_t>(changes.size())});
        db.write_blob(std::string(kHistoryTable), "CHANGES", db.last_insert_rowid(), changes);
        drop_oldest(db, history_limit(db));
        tables_ = tables_of(db);
    }

    void rolled_back() override { log_.clear(); }

  private:
    const Database& db_;
    std::string command_;
    std::map<std::string, std::string> tables_;
    ChangeLog log_;
};

HistoryStep::HistoryStep(const Database& db, std::string command) {
    // A step inside another command's step belongs to that one.
    if (db.is_open() && !db.commit_listener()) {
        recorder_ = std::make_unique<Recorder>(db, std::move(command));
    }
}

HistoryStep::~HistoryStep() = default;

std::vector<HistoryEntry> read_history(const Database& db) {
    std::vector<HistoryEntry> steps;
    if (!db.has_table(kHistoryTable)) return steps;
    Statement s =
        db.prepare("SELECT STEP, TIME, COMMAND, UNDONE FROM PROJECT_HISTORY ORDER BY STEP");
    while (s.step()) {
        steps.push_back({static_cast<int>(s.number(0)), s.text(1), s.text(2), s.number(3) != 0});
    }
    return steps;
}

std::optional<HistoryEntry> step_to_undo(const Database& db) {
    return one_step(db, "WHERE UNDONE = 0 ORDER BY STEP DESC");
}

std::optional<HistoryEntry> step_to_redo(const Database& db) {
    return one_step(db, "WHERE UNDONE = 1 ORDER BY STEP");
}

HistoryMove undo_step(const Database& db) {
    return move(db, step_to_undo(db), ChangeDirection::Backward);
}

HistoryMove redo_step(const Database& db) {
    return move(db, step_to_redo(db), ChangeDirection::Forward);
}

void clear_history(const Database& db) {
    db.execute("DROP TABLE IF EXISTS PROJECT_HISTORY");
}

int history_limit(const Database& db) {
    if (!db.has_table(kHistorySettingsTable)) return kDefaultHistoryLimit;
    const auto value = db.query_text("SELECT VALUE FROM PROJECT_HISTORY_SETTINGS WHERE NAME = ?",
                                     {std::string(kLimitSetting)});
    if (!value) return kDefaultHistoryLimit;
    try {
        return std::max(1, std::stoi(*value));
    } catch (const std::exception&) {
        return kDefaultHistoryLimit;
    }
}

void set_history_limit(const Database& db, int limit) {
    limit = std::max(1, limit);
    if (limit == history_limit(db)) return;
    Transaction transaction(db);
    db.execute(kCreateSettings);
    db.execute("INSERT OR REPLACE INTO PROJECT_HISTORY_SETTINGS (NAME, VALUE) VALUES (?, ?)",
               {std::string(kLimitSetting), std::to_string(limit)});
    if (db.has_table(kHistoryTable)) drop_oldest(db, limit);
    transaction.commit();
}

}  // namespace pelvane::store
