#include "store/energy_table.h"

#include <gtest/gtest.h>

#include "support/legacy_projects.h"
#include "support/temp_folder.h"

namespace pelvane::store {
namespace {

class EnergyTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::make_current_project(file_);
        db_ = Database::open(file_);
    }
    testing::TempFolder folder_;
    std::filesystem::path file_ = folder_ / "outlets.pvd";
    Database db_;
};

TEST_F(EnergyTableTest, SaveAddsToAnEmptyTableThenKeepsEditingThatRecord) {
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

}  // namespace
}  // namespace pelvane::store
