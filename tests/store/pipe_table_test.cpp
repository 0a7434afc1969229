#include "store/pipe_table.h"

#include <gtest/gtest.h>

#include "store/energy_table.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

namespace pelvane::store {
namespace {

using testing::TempFolder;

std::vector<std::string> numbers_of(const std::vector<PipeRecord>& rows) {
    std::vector<std::string> numbers;
    numbers.reserve(rows.size());
    for (const auto& r : rows) numbers.push_back(r.get("PIPE_NUMBER"));
    return numbers;
}

PipeRecord pipe(std::string number, std::string node_in = "") {
    PipeRecord r;
    r.set("PIPE_NUMBER", std::move(number));
    r.set("NODEIN_NO", std::move(node_in));
    return r;
}

class PipeTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::make_current_project(file_);
        db_ = Database::open(file_);
    }
    TempFolder folder_;
    std::filesystem::path file_ = folder_ / "network.pvd";
    Database db_;
};

// The template's PIPE and ENERGY tables have exactly the program's columns, in order.
TEST_F(PipeTableTest, TemplateHasExactlyTheKnownColumnsInOrder) {
    const auto names = [](const auto& columns) {
        std::vector<std::string> out;
        out.reserve(columns.size());
        for (const Column column : columns) out.emplace_back(column.name());
        return out;
    };
    EXPECT_EQ(PipeTable(db_).columns(), names(kPipeColumns));
    EXPECT_EQ(EnergyTable(db_).columns(), names(kEnergyColumns));
}

TEST_F(PipeTableTest, EveryColumnRoundTripsAsText) {
    const PipeTable pipes(db_);
    PipeRecord record;
    for (std::size_t i = 0; i < kPipeColumns.size(); ++i) {
        // Distinct texts with a quote and blanks, so a shifted or unbound column shows.
        record.set(kPipeColumns[i], "O'Brien " + std::to_string(i) + " ");
    }
    pipes.insert(record);
    const auto back = pipes.find(record.get("PIPE_NUMBER"));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, record);
}

TEST_F(PipeTableTest, NullReadsAsEmptyTextAndAnUnknownColumnNameThrows) {
    testing::insert_row(file_, "PIPE", {{"PIPE_NUMBER", "7"}, {"PIPE_DIA", std::nullopt}});
    const auto row = PipeTable(db_).find("7");
    ASSERT_TRUE(row.has_value());
    EXPECT_TRUE(row->holds("PIPE_DIA"));
    EXPECT_EQ(row->get("PIPE_DIA"), "");
    // A name from outside the program is found whatever its letter case, as in the
    // file itself; a name that no table has throws.
    EXPECT_EQ(row->get(Column::named("pipe_number")), "7");
    EXPECT_THROW((void)Column::named("NO_SUCH_COLUMN"), std::invalid_argument);
}

TEST_F(PipeTableTest, GridOrderIsTextOrderAndTableOrderIsInsertionOrder) {
    const PipeTable pipes(db_);
    for (const char* n : {"9", "10", "2", "O'Brien 1", "1A"}) pipes.insert(pipe(n));
    EXPECT_EQ(numbers_of(pipes.all_by_number()),
              (std::vector<std::string>{"10", "1A", "2", "9", "O'Brien 1"}));
    EXPECT_EQ(numbers_of(pipes.all_in_table_order()),
              (std::vector<std::string>{"9", "10", "2", "O'Brien 1", "1A"}));
    EXPECT_EQ(pipes.count(), 5);
    // Selected columns in either order; a column the table lacks reads "".
    EXPECT_EQ(pipes.texts_in_table_order({"PIPE_NUMBER", "DESCRIPTION"}).back(),
              (std::vector<std::string>{"1A", ""}));
    EXPECT_EQ(pipes.texts_by_number({"PIPE_NUMBER"}).back(),
              (std::vector<std::string>{"O'Brien 1"}));
}

TEST_F(PipeTableTest, UpdateWritesInPlaceSoRenumberingKeepsTableOrder) {
    const PipeTable pipes(db_);
    pipes.insert(pipe("1", "A"));
    pipes.insert(pipe("2", "B"));
    pipes.insert(pipe("3", "C"));

    PipeRecord renumber;
    renumber.set("PIPE_NUMBER", "99");
    ASSERT_TRUE(pipes.update("1", renumber));
    PipeRecord edit = *pipes.find("2");
    edit.set("PIPE_LENGTH", "120.000");
    ASSERT_TRUE(pipes.update("2", edit));

    EXPECT_EQ(numbers_of(pipes.all_in_table_order()), (std::vector<std::string>{"99", "2", "3"}));
    // Columns the record does not hold keep their values.
    EXPECT_EQ(pipes.find("99")->get("NODEIN_NO"), "A");
    EXPECT_EQ(pipes.find("2")->get("PIPE_LENGTH"), "120.000");
    EXPECT_FALSE(pipes.exists("1"));
}

TEST_F(PipeTableTest, MissingNumbersAndBadNumbersAreReported) {
    const PipeTable pipes(db_);
    pipes.insert(pipe("O'Brien 1"));
    EXPECT_TRUE(pipes.exists("O'Brien 1"));
    EXPECT_FALSE(pipes.find("O'Brien").has_value());
    EXPECT_FALSE(pipes.update("5", pipe("5")));
    EXPECT_FALSE(pipes.remove("5"));
    EXPECT_THROW(pipes.insert(pipe("O'Brien 1")), DatabaseError);
    EXPECT_THROW(pipes.insert(pipe("")), DatabaseError);
    EXPECT_THROW(static_cast<void>(pipes.update("O'Brien 1", pipe(""))), DatabaseError);
    EXPECT_TRUE(pipes.remove("O'Brien 1"));
    EXPECT_EQ(pipes.count(), 0);
}

TEST_F(PipeTableTest, EnergySaveAddsToAnEmptyTableThenKeepsEditingThatRecord) {
    const EnergyTable energy(db_);
    EXPECT_FALSE(energy.first().has_value());

    EnergyRecord record;
    for (std::size_t i = 0; i < kEnergyColumns.size(); ++i) {
        record.set(kEnergyColumns[i], "v" + std::to_string(i) + "'");
    }
    energy.save_first(record);
    EXPECT_EQ(energy.first(), record);

    EnergyRecord change;
    change.set("ENODEOUT_NO", "O'Brien 2");
    change.set("OUTLET_PROTECT", "REQUIRED!");
    energy.save_first(change);
    EXPECT_EQ(energy.count(), 1);
    const auto back = energy.first();
    EXPECT_EQ(back->get("ENODEOUT_NO"), "O'Brien 2");
    EXPECT_EQ(back->get("OUTLET_PROTECT"), "REQUIRED!");
    EXPECT_EQ(back->get("TXT_EC"), record.get("TXT_EC"));
}

TEST(LegacyPipeTable, WritesOnlyTheColumnsTheFileHas) {
    TempFolder folder;
    const auto file = folder / "oldzql.pvd";
    testing::make_legacy_project(file);
    const auto db = Database::open(file);
    const PipeTable pipes(db);
    EXPECT_EQ(pipes.columns().size(), kPipeColumns.size() - 5);
    EXPECT_FALSE(pipes.has_column("PRENODE4"));
    EXPECT_FALSE(pipes.has_column("DISCHARGEVAL"));

    PipeRecord record = pipe("1", "N1");
    record.set("PRENODE4", "3");
    record.set("DISCHARGEVAL", "CRM");
    record.set("STRUCTURE_INPUT", "0");
    pipes.insert(record);
    ASSERT_TRUE(pipes.update("1", record));
    const auto back = pipes.find("1");
    ASSERT_TRUE(back.has_value());
    EXPECT_FALSE(back->holds("PRENODE4"));
    EXPECT_EQ(back->get("DISCHARGEVAL"), "");
    EXPECT_EQ(back->get("STRUCTURE_INPUT"), "0");
    // The fourth previous pipe is simply not searched in such a file.
    EXPECT_EQ(pipes.first_number_where_any({"PRENODE4"}, "3"), std::nullopt);
}

}  // namespace
}  // namespace pelvane::store
