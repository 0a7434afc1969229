#include <gtest/gtest.h>

#include "store/check_settings.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

namespace pelvane::store {

TEST(CheckSettings, KeptCriteriaAndGradeLineStartReadBackOverTheDefaults) {
    testing::TempFolder folder;
    const auto file = folder / "checks.pvd";
    testing::make_current_project(file);
    const Database db = Database::open(file);
    EXPECT_FALSE(has_check_settings(db));
    CheckSettings settings = read_check_settings(db, "METRIC");
    EXPECT_DOUBLE_EQ(settings.criteria[checks::CriterionKey::MinCover].limit, 3.0 * 0.3048);
    EXPECT_FALSE(settings.grade_line);

    settings.criteria[checks::CriterionKey::MinCover].limit = 1.25;
    settings.criteria[checks::CriterionKey::MaxVelocity].enabled = true;
    settings.criteria[checks::CriterionKey::CrownDrop].enabled = false;
    settings.grade_line = checks::GradeLineStart{"O'Brien 1", "98.5"};
    write_check_settings(db, settings);
    write_check_settings(db, settings);  // replaces, never adds

    const CheckSettings read = read_check_settings(db, "METRIC");
    for (std::size_t i = 0; i < checks::kCriterionCount; ++i) {
        EXPECT_EQ(read.criteria.all()[i].enabled, settings.criteria.all()[i].enabled) << i;
        EXPECT_DOUBLE_EQ(read.criteria.all()[i].limit, settings.criteria.all()[i].limit) << i;
    }
    ASSERT_TRUE(read.grade_line);
    EXPECT_EQ(read.grade_line->outfall, "O'Brien 1");
    EXPECT_EQ(read.grade_line->tailwater, "98.5");
}

}  // namespace pelvane::store
