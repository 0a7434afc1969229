// Reading the USDA design curves from the coefficient database.

#include <gtest/gtest.h>

#include <vector>

#include "store/usda_coefficients.h"
#include "support/temp_folder.h"

using namespace pelvane;
using store::Database;

namespace {

Database coefficient_database(const pelvane::testing::TempFolder& folder) {
    auto db = Database::open(folder / "USDACOEFF.rdb", Database::Mode::Create);
    db.execute(
        "CREATE TABLE USDACOEFF (DIA TEXT, A1 DOUBLE, B1 DOUBLE, C1 DOUBLE, D1 DOUBLE, "
        "E1 DOUBLE, A2 DOUBLE, B2 DOUBLE, C2 DOUBLE, D2 DOUBLE, E2 DOUBLE)");
    db.execute("INSERT INTO USDACOEFF VALUES ('24', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10)");
    return db;
}

}  // namespace

TEST(UsdaCoefficientsStore, ReadsTheTenColumnsInOrder) {
    pelvane::testing::TempFolder folder;
    const auto db = coefficient_database(folder);
    const auto c = store::read_usda_coefficients(db, "24");
    ASSERT_TRUE(c);
    const auto& [h, l] = *c;
    EXPECT_EQ((std::vector{h.a, h.b, h.c, h.d, h.e, l.a, l.b, l.c, l.d, l.e}),
              (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(UsdaCoefficientsStore, MissingRowTableOrDatabaseGivesNothing) {
    pelvane::testing::TempFolder folder;
    const auto db = coefficient_database(folder);
    EXPECT_FALSE(store::read_usda_coefficients(db, "27"));
    EXPECT_FALSE(store::read_usda_coefficients(db, "24.0"));
    EXPECT_FALSE(store::read_usda_coefficients(db, "24' OR '1'='1"));
    db.execute("UPDATE USDACOEFF SET C2 = NULL");
    EXPECT_FALSE(store::read_usda_coefficients(db, "24"));
    db.execute("UPDATE USDACOEFF SET C2 = '2.5'");
    EXPECT_EQ(store::read_usda_coefficients(db, "24")->low_tailwater.c, 2.5);

    const auto empty = Database::open(folder / "empty.rdb", Database::Mode::Create);
    EXPECT_FALSE(store::read_usda_coefficients(empty, "24"));
    EXPECT_FALSE(store::read_usda_coefficients(Database{}, "24"));
}
