// The rainfall databases as imports change them: lists, coefficient lookups per
// project generation, refusals, and the per-user copy.

#include "store/rainfall_database.h"

#include <gtest/gtest.h>

#include "store/design_rainfall.h"
#include "store/rainfall_lookup.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

namespace pelvane::store {
namespace {

using hydrology::IdfCurve;
using hydrology::IdfTableRow;
using hydrology::LegacyIdfCurve;
using testing::TempFolder;

IdfTableRow bde_row(const std::string& name, double b, double d, double e) {
    IdfTableRow row;
    row.name = name;
    for (const int years : hydrology::kStormFrequencies) row.curves[years] = {b * years, d, e};
    return row;
}

IdfTableRow ab_row(const std::string& name, double a, double b) {
    IdfTableRow row;
    row.name = name;
    for (const int years : hydrology::kLegacyStormFrequencies) row.legacy[years] = {a * years, b};
    return row;
}

// Small rainfall databases in a program folder of their own.
void make_databases(const std::filesystem::path& folder) {
    const std::vector<std::string> counties{"Accomack", "Pulaski", "Albemarle"};
    for (const auto file : {RainfallFile::Legacy, RainfallFile::County, RainfallFile::Station}) {
        auto db = Database::open(folder / file_name(file), Database::Mode::Create);
        create_rainfall_tables(db, file);
        if (file == RainfallFile::Station) {
            for (const auto* s : {"Stuart's Draft", "Blacksburg  ", "Abingdon 3 S",
                                  "MC Gaheysville 3 S", "Mathews 2 ENE"}) {
                add_rainfall_name(db, file, s);
            }
            for (const auto& c : counties) add_noaa_county(db, c);
            write_coefficients(db, file, {bde_row("Stuart's Draft", 10, 10, 1)});
        } else {
            for (std::size_t i = 0; i < counties.size(); ++i) {
                add_rainfall_name(db, file, counties[i], static_cast<int>(i));
            }
            if (file == RainfallFile::Legacy) {
                write_coefficients(db, file, {ab_row("Pulaski", 7, 20)});
            } else {
                write_coefficients(db, file, {bde_row("Pulaski", 3, 12, 0.8)});
            }
        }
    }
}

struct Project {
    TempFolder folder;
    ProjectContext context;
    Project() {
        make_databases(folder.path());
        context.program_folder = folder.path();
        context.county = "Pulaski";
    }
};

TEST(RainfallDatabase, LooksUpByTheProjectsGeneration) {
    Project p;
    // Release "2.1": by station, apostrophe and all.
    p.context.major_release = "2.1";
    p.context.noaa_station = "Stuart's Draft";
    ASSERT_TRUE(load_noaa_release_lists(p.context).ok());
    EXPECT_EQ(p.context.active_rainfall_database, (p.folder / "VARMNOAA.rdb").string());
    EXPECT_EQ(p.context.station_list,
              (std::vector<std::string>{"Abingdon 3 S", "Blacksburg  ", "Mathews 2 ENE",
                                        "MC Gaheysville 3 S", "Stuart's Draft"}));
    const auto station = load_coefficients(p.context, 25);
    ASSERT_TRUE(station.ok());
    EXPECT_EQ(station.set.b, 250.0);

    // Older release: by county in VARMSTORM.rdb even though a station is filled in.
    p.context.major_release = "2.0";
    ASSERT_TRUE(load_older_release_lists(p.context).ok());
    const auto county = load_coefficients(p.context, 5);
    ASSERT_TRUE(county.ok());
    EXPECT_EQ(county.set.b, 15.0);
    EXPECT_DOUBLE_EQ(county.set.e, 0.8);

    // Legacy: A and B by county; no 5-year columns.
    p.context.legacy_database_mode = true;
    ASSERT_TRUE(load_older_release_lists(p.context).ok());
    const auto legacy = load_coefficients(p.context, 100);
    ASSERT_TRUE(legacy.ok());
    EXPECT_EQ(legacy.set.a, 700.0);
    EXPECT_EQ(legacy.set.b, 20.0);
    const auto five = load_coefficients(p.context, 5);
    EXPECT_EQ(five.error,
              "The legacy rainfall database VArainfall.rdb has no 5-year coefficients.");

    p.context.county = "Nowhere";
    EXPECT_EQ(load_coefficients(p.context, 10).error,
              "No rainfall data for the county \"Nowhere\" in VArainfall.rdb.");
}

TEST(RainfallDatabase, MissingDatabaseIsAnErrorAndChangesNothing) {
    TempFolder empty;
    ProjectContext context;
    context.program_folder = empty.path();
    context.county_list = {"Kept"};
    const auto status = load_noaa_release_lists(context);
    EXPECT_NE(status.error.find("Could not find file"), std::string::npos);
    EXPECT_NE(status.error.find("VARMNOAA.rdb"), std::string::npos);
    EXPECT_EQ(context.county_list, std::vector<std::string>{"Kept"});
    context.county = "Pulaski";
    EXPECT_FALSE(load_coefficients(context, 10).ok());
}

TEST(RainfallDatabase, WritesAllNamesOrNone) {
    Project p;
    auto db = Database::open(p.folder / "VARMNOAA.rdb");
    // Typed names find their stored spelling; one unknown name refuses the set.
    EXPECT_THROW(
        write_coefficients(db, RainfallFile::Station,
                           {bde_row("Blacksburg", 1, 2, 0.5), bde_row("Atlantis", 1, 2, 3)}),
        DatabaseError);
    EXPECT_FALSE(
        read_rainfall_entries(db, RainfallFile::Station, "Blacksburg  ")[0].has_coefficients());

    const auto written =
        write_coefficients(db, RainfallFile::Station, {bde_row(" Blacksburg ", 1, 2, 0.5)});
    EXPECT_EQ(written, std::vector<std::string>{"Blacksburg  "});
    const auto entry = read_rainfall_entries(db, RainfallFile::Station, "Blacksburg  ");
    ASSERT_EQ(entry.size(), 1u);
    EXPECT_EQ(entry[0].curves.at(50).b, 50.0);

    auto legacy = Database::open(p.folder / "VArainfall.rdb", Database::Mode::ReadOnly);
    const auto rows = read_rainfall_entries(legacy, RainfallFile::Legacy);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].name, "Pulaski");
    EXPECT_EQ(rows[2].county_no, 1);
    EXPECT_EQ(rows[2].legacy.count(5), 0u);
    EXPECT_EQ(rows[2].legacy.at(2).a, 14.0);
}

// A project may hold a name as typed where the database keeps its own spelling, or
// the other way round: the lookup finds the coefficients either way.
TEST(RainfallDatabase, LooksUpNamesWithBlanksAndCaseAside) {
    Project p;
    {
        auto db = Database::open(p.folder / "VARMNOAA.rdb");
        add_rainfall_name(db, RainfallFile::Station, "Floyd");
        write_coefficients(db, RainfallFile::Station,
                           {bde_row("Blacksburg  ", 4, 8, 0.9), bde_row("Floyd", 5, 8, 0.9)});
    }
    p.context.major_release = "2.1";
    const std::pair<const char*, double> cases[] = {
        {"blacksburg", 40.0}, {"Blacksburg  ", 40.0}, {"Floyd ", 50.0}, {" FLOYD", 50.0}};
    for (const auto& [typed, b] : cases) {
        p.context.noaa_station = typed;
        const auto loaded = load_coefficients(p.context, 10);
        ASSERT_TRUE(loaded.ok()) << typed;
        EXPECT_EQ(loaded.set.b, b) << typed;
        EXPECT_TRUE(has_coefficients(p.context, RainfallFile::Station, typed)) << typed;
    }
    EXPECT_FALSE(has_coefficients(p.context, RainfallFile::Station, "Abingdon 3 S"));
    EXPECT_FALSE(has_coefficients(p.context, RainfallFile::Station, "Atlantis"));
}

TEST(RainfallDatabase, ImportsGoToThePerUserCopyOnly) {
    Project p;
    EXPECT_THROW(rainfall_import_path(p.context, RainfallFile::County), DatabaseError);
    TempFolder user;
    p.context.user_data_folder = user / "rainfall";
    const auto shipped = p.folder / "VARMSTORM.rdb";
    const auto copy = user / "rainfall" / "VARMSTORM.rdb";

    EXPECT_EQ(rainfall_database_path(p.context, RainfallFile::County), shipped);
    // A writable program folder still stays as installed: the import copies first.
    EXPECT_EQ(rainfall_import_path(p.context, RainfallFile::County), copy);
    ASSERT_TRUE(std::filesystem::exists(copy));
    {
        auto db = Database::open(copy);
        write_coefficients(db, RainfallFile::County, {bde_row("Accomack", 2, 9, 0.7)});
    }
    // From now on the copy is read and written, and the program folder is untouched.
    EXPECT_EQ(rainfall_database_path(p.context, RainfallFile::County), copy);
    EXPECT_EQ(rainfall_import_path(p.context, RainfallFile::County), copy);
    p.context.county = "Accomack";
    ASSERT_TRUE(load_older_release_lists(p.context).ok());
    EXPECT_EQ(load_coefficients(p.context, 2).set.b, 4.0);
    auto original = Database::open(shipped, Database::Mode::ReadOnly);
    EXPECT_FALSE(
        read_rainfall_entries(original, RainfallFile::County, "Accomack")[0].has_coefficients());
}

std::vector<std::string> design_rainfall_columns(const Database& db) {
    std::vector<std::string> names;
    auto statement = db.prepare("SELECT name FROM pragma_table_info('DESIGN_RAINFALL')");
    while (statement.step()) names.push_back(statement.text(0));
    return names;
}

TEST(RainfallDatabase, ProjectKeepsTheCoefficientsItsPipesWereSolvedWith) {
    Project p;
    TempFolder user;
    p.context.user_data_folder = user / "rainfall";
    p.context.major_release = "2.1";
    p.context.noaa_station = "stuart's draft";
    const auto project = p.folder / "p.pvd";
    testing::make_current_project(project);
    p.context.project_connection = Database::open(project);
    const Database& db = p.context.project_connection;
    const auto template_columns = design_rainfall_columns(db);
    ASSERT_FALSE(template_columns.empty());
    // A file made before the record gets the template's table on the first record.
    db.execute("DROP TABLE DESIGN_RAINFALL");
    EXPECT_TRUE(check_design_rainfall(p.context).recorded.empty());
    record_design_rainfall(p.context, {10, 25});
    EXPECT_EQ(design_rainfall_columns(db), template_columns);
    const auto recorded = recorded_design_rainfall(db);
    ASSERT_EQ(recorded.size(), 2u);
    EXPECT_EQ(recorded[0].name, "Stuart's Draft");
    EXPECT_EQ(recorded[1].coefficients.b, 250.0);
    EXPECT_EQ(recorded[1].source, kProgramFolderSource);
    EXPECT_TRUE(check_design_rainfall(p.context).changed.empty());

    // An import that keeps the 10-year coefficients and changes the 25-year ones.
    IdfTableRow row;
    row.name = "Stuart's Draft";
    row.curves = {{10, {100, 10, 1}}, {25, {1, 2, 0.5}}};
    write_coefficients(Database::open(rainfall_import_path(p.context, RainfallFile::Station)),
                       RainfallFile::Station, {row}, {"new.csv", "2026-12-05"});
    auto check = check_design_rainfall(p.context);
    EXPECT_EQ(check.changed, std::vector<int>{25});
    ASSERT_EQ(check.current.size(), 2u);
    EXPECT_EQ(check.current[1].source, kUserImportSource);
    EXPECT_EQ(check.current[1].origin.file, "new.csv");

    // Another station without coefficients changes every recorded storm.
    p.context.noaa_station = "Abingdon 3 S";
    check = check_design_rainfall(p.context);
    EXPECT_EQ(check.changed, (std::vector<int>{10, 25}));
    EXPECT_TRUE(check.current.empty());
}

}  // namespace
}  // namespace pelvane::store
