// The project's history against a small file: a table without a declared key, as
// the project tables are, edited in steps, undone and redone at random.

#include "store/history.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "support/table_dump.h"
#include "support/temp_folder.h"

namespace pelvane::store {
namespace {

using Lengths = std::map<std::string, std::string>;

Lengths lengths(const Database& db) {
    Lengths rows;
    Statement s = db.prepare("SELECT PIPE_NUMBER, PIPE_LENGTH FROM PIPE");
    while (s.step()) rows[s.text(0)] = s.text(1);
    return rows;
}

// One step setting (or, for "", deleting) the length of each pipe; committed or not.
void edit(const Database& db, const Lengths& change, bool commit = true) {
    HistoryStep step(db, "Edit " + std::to_string(change.size()));
    Transaction transaction(db);
    for (const auto& [number, length] : change) {
        if (length.empty()) {
            db.execute("DELETE FROM PIPE WHERE PIPE_NUMBER = ?", {number});
            continue;
        }
        db.execute("UPDATE PIPE SET PIPE_LENGTH = ? WHERE PIPE_NUMBER = ?", {length, number});
        if (db.changes() == 0) {
            db.execute("INSERT INTO PIPE (PIPE_NUMBER, PIPE_LENGTH) VALUES (?, ?)",
                       {number, length});
        }
    }
    if (commit) transaction.commit();
}

class HistoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        db = Database::open(file, Database::Mode::Create);
        db.execute("CREATE TABLE PIPE (PIPE_NUMBER TEXT NOT NULL UNIQUE, PIPE_LENGTH TEXT)");
    }
    testing::TempFolder folder;
    std::filesystem::path file = folder / "job.pvd";
    Database db;
};

TEST_F(HistoryTest, RandomEditsUndosAndRedosFollowTheStatesOfTheFile) {
    constexpr int kLimit = 6;
    set_history_limit(db, kLimit);
    std::vector<Lengths> states{{}};  // the states the history can reach, oldest first
    std::size_t now = 0;
    std::mt19937 random(14);
    for (int i = 0; i < 300; ++i) {
        const auto pick = [&](unsigned n) { return static_cast<int>(random() % n); };
        switch (pick(6)) {
            case 0: {
                const HistoryMove m = undo_step(db);
                ASSERT_EQ(m.result == HistoryMove::Result::Done, now > 0) << i;
                if (now > 0) --now;
                break;
            }
            case 1: {
                const HistoryMove m = redo_step(db);
                ASSERT_EQ(m.result == HistoryMove::Result::Done, now + 1 < states.size()) << i;
                if (now + 1 < states.size()) ++now;
                break;
            }
            case 2:  // a closed and reopened file keeps its history
                db = Database::open(file);
                break;
            default: {
                Lengths change;
                for (int k = pick(3); k >= 0; --k) {
                    change["O'Brien " + std::to_string(pick(5))] =
                        pick(3) == 0 ? "" : std::to_string(pick(400));
                }
                const bool commit = pick(8) != 0;
                edit(db, change, commit);
                Lengths next = states[now];
                for (const auto& [number, length] : change) {
                    length.empty() ? (void)next.erase(number) : (void)(next[number] = length);
                }
                if (!commit || next == states[now]) break;
                states.resize(++now);
                states.push_back(next);
                if (states.size() > kLimit + 1) {
                    states.erase(states.begin());
                    --now;
                }
            }
        }
        ASSERT_EQ(lengths(db), states[now]) << "after action " << i;
    }
}

TEST_F(HistoryTest, RowsWrittenAgainWithTheirValuesAreNoStep) {
    db.execute("CREATE TABLE RAIN (YEARS INTEGER PRIMARY KEY, COEF REAL)");
    for (int i = 0; i < 2; ++i) {
        HistoryStep step(db, "Rain");
        Transaction transaction(db);
        db.execute("INSERT OR REPLACE INTO RAIN VALUES (10, 0.0)");
        transaction.commit();
    }
    EXPECT_EQ(read_history(db).size(), 1u);
}

TEST_F(HistoryTest, UndoOfRowsAnotherProgramChangedIsRefusedAndChangesNothing) {
    edit(db, {{"1", "10"}, {"2", "20"}});
    edit(db, {{"1", "11"}, {"2", "21"}});
    Database::open(file).execute("UPDATE PIPE SET PIPE_LENGTH = '12' WHERE PIPE_NUMBER = '1'");
    const std::string before = testing::table_dump(db);
    // Undone last first, pipe 2 goes back before pipe 1 is found changed.
    const HistoryMove m = undo_step(db);
    EXPECT_EQ(m.result, HistoryMove::Result::Conflict);
    EXPECT_EQ(m.command, "Edit 2");
    EXPECT_EQ(m.conflict_table, "PIPE");
    EXPECT_EQ(testing::table_dump(db), before);
    EXPECT_FALSE(read_history(db).back().undone);
}

// Files keep the history the first release wrote: numbers in eight bytes, both
// whole images of an updated row.
TEST_F(HistoryTest, AStepOfTheFirstReleaseIsStillUndone) {
    edit(db, {{"1", "10"}});
    std::string bytes(1, '\1');
    const auto number = [&bytes](std::uint64_t n) {
        for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<char>((n >> (8 * i)) & 0xff));
    };
    const auto text = [&](std::string_view t) {
        number(t.size());
        bytes.append(t);
    };
    number(0);  // no created tables
    text("PIPE");
    for (const char* length : {"10", "11"}) {
        bytes += '\1';
        number(1);  // rowid
        number(2);
        bytes += 't';
        text("1");
        bytes += 't';
        text(length);
    }
    db.execute("UPDATE PIPE SET PIPE_LENGTH = '11'");
    db.execute("INSERT INTO PROJECT_HISTORY (TIME, COMMAND, CHANGES) VALUES ('', 'Old', ?)",
               {bytes});
    EXPECT_EQ(undo_step(db).result, HistoryMove::Result::Done);
    EXPECT_EQ(lengths(db), (Lengths{{"1", "10"}}));
}

}  // namespace
}  // namespace pelvane::store
