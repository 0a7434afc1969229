// The program folder's other databases: the inlet database and the USDA design
// curves of the coefficient database.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "store/inlet_database.h"
#include "store/usda_coefficients.h"
#include "support/error_text.h"
#include "support/temp_folder.h"

using namespace pelvane;
using pelvane::testing::error_text;
using pelvane::testing::TempFolder;
using store::Database;
using store::DatabaseError;

namespace {

std::filesystem::path sample_inlets() {
    return pelvane::testing::program_folder() / "samples" / "SampleInlets.gwk";
}

// A copy of the sample with `sql` run on it (one statement, with parameters).
std::filesystem::path changed_copy(const TempFolder& folder, const std::string& sql,
                                   const std::vector<store::Value>& params = {}) {
    const auto path = folder / "inlets.gwk";
    std::filesystem::copy_file(sample_inlets(), path);
    Database::open(path).execute(sql, params);
    return path;
}

std::string open_failure(const std::filesystem::path& path) {
    return error_text<DatabaseError>([&] { store::open_inlet_database(path); });
}

std::string read_failure(const std::filesystem::path& path, const std::string& number) {
    return error_text<DatabaseError>(
        [&] { store::find_inlet(store::open_inlet_database(path), number); });
}

Database coefficient_database(const TempFolder& folder) {
    auto db = Database::open(folder / "USDACOEFF.rdb", Database::Mode::Create);
    db.execute(
        "CREATE TABLE USDACOEFF (DIA TEXT, A1 DOUBLE, B1 DOUBLE, C1 DOUBLE, D1 DOUBLE, "
        "E1 DOUBLE, A2 DOUBLE, B2 DOUBLE, C2 DOUBLE, D2 DOUBLE, E2 DOUBLE)");
    db.execute("INSERT INTO USDACOEFF VALUES ('24', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10)");
    return db;
}

}  // namespace

TEST(InletDatabase, DetailOfAnInlet) {
    const Database db = store::open_inlet_database(sample_inlets());
    const auto inlet = store::find_inlet(db, "4");
    ASSERT_TRUE(inlet);
    const auto& i = *inlet;
    EXPECT_EQ(std::tie(i.inlet_number, i.station, i.offset, i.offset_location, i.top_elevation,
                       i.tc, i.total_discharge),
              std::make_tuple("4", "12+00.00", "14.00", "RIGHT", "2087.95", "9.5", "3.36"));
    EXPECT_EQ(std::tie(i.total_area1, i.total_area2, i.total_ca1, i.total_ca2, i.compute_discharge),
              std::make_tuple(0.30, 1.10, 0.27, 0.33, true));

    const auto typed = store::find_inlet(db, "10");
    ASSERT_TRUE(typed);
    EXPECT_FALSE(typed->compute_discharge);
    EXPECT_FALSE(store::find_inlet(db, "9")) << "no such inlet";
    EXPECT_FALSE(store::find_inlet(db, "4 ")) << "numbers match exactly";
}

TEST(InletDatabase, NumberWithAnApostrophe) {
    TempFolder folder;
    const auto path = changed_copy(
        folder, "UPDATE INLET SET INLET_NUMBER = ?1 WHERE INLET_NUMBER = '5'", {"O'Brien 1"});
    const Database db = store::open_inlet_database(path);
    EXPECT_EQ(store::inlet_numbers(db).back(), "O'Brien 1");
    const auto inlet = store::find_inlet(db, "O'Brien 1");
    ASSERT_TRUE(inlet);
    EXPECT_EQ(inlet->station, "12+00.00");
    EXPECT_EQ(inlet->offset_location, "LEFT");
}

TEST(InletDatabase, StoredValuesOfAnotherTypeAreRead) {
    TempFolder folder;
    const auto path = changed_copy(folder,
                                   "UPDATE INLET SET STATION = NULL, TOP_ELEVATION = 2087.5, "
                                   "OFFSET = 14, TOTALCA1 = ' 0.5', COMPUTE_DISCHARGE = -1 "
                                   "WHERE INLET_NUMBER = '4'");
    const auto inlet = store::find_inlet(store::open_inlet_database(path), "4");
    ASSERT_TRUE(inlet);
    EXPECT_EQ(inlet->station, "") << "a missing text reads as empty";
    EXPECT_EQ(inlet->top_elevation, "2087.5");
    EXPECT_EQ(inlet->offset, "14");
    EXPECT_DOUBLE_EQ(inlet->total_ca1, 0.5);
    EXPECT_TRUE(inlet->compute_discharge) << "any non-zero is yes";
}

TEST(InletDatabase, MissingOrBadNumbersFailTheRead) {
    TempFolder folder;
    const auto path =
        changed_copy(folder, "UPDATE INLET SET TOTALAREA2 = NULL WHERE INLET_NUMBER = '6'");
    Database::open(path).execute_script(
        "UPDATE INLET SET TOTALCA1 = 'n/a' WHERE INLET_NUMBER = '7';"
        "UPDATE INLET SET COMPUTE_DISCHARGE = NULL WHERE INLET_NUMBER = '8'");
    const std::string null_area = read_failure(path, "6");
    EXPECT_NE(null_area.find("TOTALAREA2"), std::string::npos) << null_area;
    EXPECT_NE(null_area.find("inlet 6"), std::string::npos) << null_area;
    const std::string bad_ca = read_failure(path, "7");
    EXPECT_NE(bad_ca.find("TOTALCA1"), std::string::npos) << bad_ca;
    const std::string null_flag = read_failure(path, "8");
    EXPECT_NE(null_flag.find("COMPUTE_DISCHARGE"), std::string::npos) << null_flag;
    EXPECT_EQ(read_failure(path, "2"), "") << "other inlets are fine";
}

TEST(InletDatabase, FilesThatCannotBeOpened) {
    TempFolder folder;
    const auto missing = folder / "gone.gwk";
    EXPECT_EQ(open_failure(missing), "Could not find file '" + missing.string() + "'.");

    const auto text = folder / "notes.gwk";
    std::ofstream(text) << "inlet 2 at 10+50\n";
    EXPECT_EQ(open_failure(text), "'" + text.string() + "' is not an inlet database file.");

    const auto empty = folder / "empty.mwp";
    std::ofstream(empty).flush();
    EXPECT_EQ(open_failure(empty), "'" + empty.string() + "' has no INLET table.");

    const auto other = folder / "other.gwk";
    Database::open(other, Database::Mode::Create).execute("CREATE TABLE PIPE (PIPE_NUMBER TEXT)");
    EXPECT_EQ(open_failure(other), "'" + other.string() + "' has no INLET table.");
}

TEST(UsdaCoefficientsStore, ReadsTheTenColumnsInOrder) {
    TempFolder folder;
    const auto db = coefficient_database(folder);
    const auto c = store::read_usda_coefficients(db, "24");
    ASSERT_TRUE(c);
    const auto& [h, l] = *c;
    EXPECT_EQ((std::vector{h.a, h.b, h.c, h.d, h.e, l.a, l.b, l.c, l.d, l.e}),
              (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(UsdaCoefficientsStore, MissingRowTableOrDatabaseGivesNothing) {
    TempFolder folder;
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
