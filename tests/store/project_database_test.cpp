#include "store/project_database.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <tuple>

#include "support/error_text.h"
#include "support/file_bytes.h"
#include "support/legacy_projects.h"
#include "support/temp_folder.h"

namespace pelvane::store {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

using pelvane::testing::bytes_of;
using pelvane::testing::error_text;

void write_bytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

ProjectContext context_for_tests() {
    ProjectContext context;
    context.program_folder = testing::program_folder();
    return context;
}

TEST(CreateProjectFile, IsAByteCopyOfTheTemplateReplacingAnExistingFile) {
    TempFolder folder;
    const auto target = folder / "new.pvd";
    write_bytes(target, "an older file that is replaced");
    create_project_file(testing::program_folder(), target);
    EXPECT_EQ(bytes_of(target), bytes_of(testing::program_folder() / kTemplateFileName));

    const std::string refusal = error_text<DatabaseError>(
        [&] { create_project_file(folder.path(), folder / "other.pvd"); });
    EXPECT_NE(refusal.find((folder / "PelvaneVA21.rdb").string()), std::string::npos) << refusal;
    EXPECT_FALSE(fs::exists(folder / "other.pvd"));
}

TEST(LegacyPath, IsRecognisedByZqlAnywhereInAnyCase) {
    EXPECT_TRUE(is_legacy_path("/work/Projects/routezql.pvd"));
    EXPECT_TRUE(is_legacy_path("/work/OLD_ZQL/route.pvd"));
    EXPECT_TRUE(is_legacy_path("/work/old/ZqL7.pvd"));
    EXPECT_FALSE(is_legacy_path("/work/zq/l.pvd"));
    EXPECT_FALSE(is_legacy_path("/work/sql/route.pvd"));
}

class OpenProjectTest : public ::testing::Test {
  protected:
    TempFolder folder_;
    ProjectContext context_ = context_for_tests();
};

TEST_F(OpenProjectTest, LoadsTheFirstRecordOfANoaaReleaseFile) {
    const auto file = folder_ / "route 1.pvd";
    testing::make_current_project(
        file,
        testing::row("MAJOR_RELEASE=2.1; NOAA_STATION=Stuart's Draft; PROJECT_ID=P-1;"
                     "PROJECT_NAME=Route 1; COUNTY=Augusta; STATE=VA; UNITS=METRIC;"
                     "LOCATION=Main St; DESIGNER=J. O'Neil; INLET_DATABASE=/data/inlets.gwk"));
    testing::insert_row(file, "PROJECT", {{"PROJECT_ID", "P-0"}, {"PROJECT_NAME", "Second"}});
    open_project(context_, file);

    EXPECT_EQ(context_.database_path, file.string());
    EXPECT_TRUE(context_.project_connection.is_open());
    const ProjectContext& c = context_;
    EXPECT_EQ(std::tie(c.major_release, c.noaa_station, c.project_id, c.project_name, c.county,
                       c.state, c.units, c.location, c.designer, c.inlet_database),
              std::make_tuple("2.1", "Stuart's Draft", "P-1", "Route 1", "Augusta", "VA", "METRIC",
                              "Main St", "J. O'Neil", "/data/inlets.gwk"));
    // Never written by the details windows: the template's column default.
    EXPECT_EQ(context_.product_name, "PELVANEVA");
    EXPECT_FALSE(context_.legacy_database_mode);
    EXPECT_EQ(generation_of(context_), Generation::Noaa);
}

TEST_F(OpenProjectTest, AnEmptyProjectTableChangesNothingAndNullReadsAsEmpty) {
    const auto file = folder_ / "empty.pvd";
    testing::make_current_project(file);
    context_.units = "METRIC";
    context_.location = "kept";
    open_project(context_, file);
    EXPECT_EQ(context_.project_name, "");
    EXPECT_EQ(context_.units, "METRIC");
    EXPECT_EQ(context_.location, "kept");

    testing::insert_row(file, "PROJECT", {{"PROJECT_NAME", "Route 2"}, {"LOCATION", std::nullopt}});
    open_project(context_, file);
    EXPECT_EQ(context_.project_name, "Route 2");
    EXPECT_EQ(context_.location, "");
}

TEST_F(OpenProjectTest, OnlyTheExactText21IsTheNoaaRelease) {
    for (const std::string release : {"2.10", " 2.1", "2.1 ", "1.0", "", "2.1"}) {
        TempFolder folder;
        const auto file = folder / "release.pvd";
        testing::make_current_project(file,
                                      {{"MAJOR_RELEASE", release}, {"NOAA_STATION", "Floyd "}});
        ProjectContext context = context_for_tests();
        open_project(context, file);
        const bool noaa = release == "2.1";
        EXPECT_EQ(context.major_release, release);
        EXPECT_EQ(generation_of(context), noaa ? Generation::Noaa : Generation::Older)
            << "'" << release << "'";
        // The station is read only at the NOAA release.
        EXPECT_EQ(context.noaa_station, noaa ? "Floyd " : "") << "'" << release << "'";
    }
}

TEST_F(OpenProjectTest, ALegacyFileSkipsTheColumnsItLacks) {
    fs::create_directories(folder_ / "Old_ZqL");
    const auto file = folder_ / "Old_ZqL" / "route.pvd";
    testing::make_legacy_project(
        file, {{"PROJECT_ID", "L1"}, {"PROJECT_NAME", "Legacy"}, {"UNITS", "ENGLISH"}});
    context_.major_release = "kept release";
    context_.product_name = "kept product";
    open_project(context_, file);
    EXPECT_TRUE(context_.legacy_database_mode);
    EXPECT_EQ(generation_of(context_), Generation::Legacy);
    EXPECT_EQ(context_.project_name, "Legacy");
    EXPECT_EQ(context_.major_release, "kept release");
    EXPECT_EQ(context_.product_name, "kept product");
}

TEST_F(OpenProjectTest, TheCoefficientDatabaseIsOptional) {
    const auto program = folder_ / "program";
    fs::create_directories(program);
    context_.program_folder = program;
    const auto file = folder_ / "p.pvd";
    testing::make_current_project(file);

    open_project(context_, file);
    EXPECT_TRUE(context_.project_connection.is_open());
    EXPECT_FALSE(context_.coefficient_connection.is_open());

    Database::open(program / kCoefficientFileName, Database::Mode::Create)
        .execute("CREATE TABLE COEFF (X TEXT)");
    open_project(context_, file);
    EXPECT_TRUE(context_.coefficient_connection.is_open());

    // Close leaves the coefficient connection for the next connect to replace.
    context_.details_edit_mode = true;
    context_.project_id = "P";
    context_.project_name = "N";
    context_.county = "Floyd";
    close_project(context_);
    EXPECT_FALSE(context_.project_connection.is_open());
    EXPECT_TRUE(context_.coefficient_connection.is_open());
    EXPECT_FALSE(context_.details_edit_mode);
    EXPECT_EQ(context_.project_id, "");
    EXPECT_EQ(context_.project_name, "");
    EXPECT_EQ(context_.county, "Floyd");
}

// Each bad file is refused with a DatabaseError naming the file and the problem.
void expect_refused(const fs::path& file, const std::string& problem,
                    Access access = Access::Design) {
    const std::string what = error_text<DatabaseError>([&] { open_project_file(file, access); });
    EXPECT_NE(what.find(file.string()), std::string::npos) << what;
    EXPECT_NE(what.find(problem), std::string::npos) << what;
    EXPECT_EQ(what.find('\n'), std::string::npos) << what;
}

TEST(BadProjectFiles, AreRefusedWithAClearReason) {
    TempFolder folder;
    expect_refused(folder / "missing.pvd", "Could not find");

    const auto noise = folder / "noise.pvd";
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 7919 + 13) % 251);
    write_bytes(noise, bytes);
    expect_refused(noise, "not a project database");

    const auto empty = folder / "empty.pvd";
    write_bytes(empty, "");
    expect_refused(empty, "no PROJECT, PIPE and ENERGY tables");
    expect_refused(empty, "no PROJECT, PIPE and ENERGY tables", Access::Inspect);
    EXPECT_EQ(fs::file_size(empty), 0u) << "a refused file must be left as it was";

    const auto other = folder / "other.pvd";
    Database::open(other, Database::Mode::Create).execute("CREATE TABLE T (A TEXT)");
    expect_refused(other, "no PROJECT, PIPE and ENERGY tables");

    const auto partial = folder / "partial.pvd";
    testing::make_current_project(partial);
    Database::open(partial).execute("DROP TABLE ENERGY");
    expect_refused(partial, "no ENERGY table");
}

TEST(BadProjectFiles, PipesSharingANumberAreRefusedUnlessOnlyInspected) {
    TempFolder folder;
    const auto file = folder / "shared.pvd";
    testing::make_current_project(file);
    {
        const Database db = Database::open(file);
        // The PIPE table as another program may write it: without its unique key.
        db.execute_script(
            "CREATE TABLE P AS SELECT * FROM PIPE; DROP TABLE PIPE; ALTER TABLE P RENAME TO PIPE;");
        for (const char* number : {"O'Brien 1", "7", "8", "O'Brien 1", "7"}) {
            db.execute("INSERT INTO PIPE (PIPE_NUMBER) VALUES (?1)", {std::string(number)});
        }
    }
    for (const Access access : {Access::Design, Access::Compute}) {
        expect_refused(file, "more than one pipe numbered 7 and O'Brien 1.", access);
    }
    EXPECT_NO_THROW(open_project_file(file, Access::Inspect));
}

TEST(BadProjectFiles, AFileAnotherProgramIsReadingIsRefusedAtOnceForWriting) {
    TempFolder folder;
    const auto file = folder / "busy.pvd";
    testing::make_current_project(file);
    const Database reader = Database::open(file, Database::Mode::ReadOnly);
    reader.execute("BEGIN");
    auto reading = reader.prepare("SELECT count(*) FROM PIPE");
    ASSERT_TRUE(reading.step());
    const Database writer = Database::open(file);
    for (const auto& write : std::vector<std::function<void()>>{
             [&] { writer.lock_for_writing(); }, [&] { Transaction change(writer); }}) {
        EXPECT_EQ(error_text<DatabaseError>(write),
                  "Another program is using '" + file.string() +
                      "'; close the file there (or wait until it has finished) and try again.");
    }
}

// A transaction opened inside another is part of it: its rollback undoes only its own
// writing, and what it keeps stays only if the outer one commits.
TEST(Transactions, OneOpenedInsideAnotherIsPartOfIt) {
    TempFolder folder;
    const auto file = folder / "nested.pvd";
    testing::make_current_project(file);
    const Database db = Database::open(file);
    for (const bool keep : {false, true}) {
        Transaction outer(db);
        for (const char* number : {"1", "2", "O'Brien 3"}) {
            Transaction inner(db);
            db.execute("INSERT INTO PIPE (PIPE_NUMBER) VALUES (?1)", {std::string(number)});
            if (number[0] != '2') inner.commit();
        }
        if (keep) outer.commit();
    }
    EXPECT_EQ(db.query_text("SELECT group_concat(PIPE_NUMBER, ',') FROM PIPE"), "1,O'Brien 3");
}

}  // namespace
}  // namespace pelvane::store
