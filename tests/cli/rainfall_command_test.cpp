// pelvane rainfall and pelvane intensity, run as an engineer would, against copies
// of the shipped rainfall databases.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "core/hydrology/intensity.h"
#include "core/hydrology/noaa_fit.h"
#include "core/text/number_text.h"
#include "store/sqlite/database.h"
#include "support/file_bytes.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane {
namespace {

using testing::run_cli;

using testing::bytes_of;

const std::string kExport = testing::pulaski_export().string();

struct Folder {
    testing::TempFolder program;
    testing::TempFolder home;  // the user's data folder, which imports write
    Folder() {
        for (const auto* f : {"VArainfall.rdb", "VARMSTORM.rdb", "VARMNOAA.rdb"}) {
            std::filesystem::copy_file(testing::program_folder() / f, program / f);
        }
    }
    testing::CliResult run(std::vector<std::string> args) const {
        args.push_back("--program-folder");
        args.push_back(program.path().string());
        return run_cli(args, home.path());
    }
    // A project file of the given release, station, county and units.
    std::string project(const std::string& name, const std::string& release,
                        const std::string& station, const std::string& county,
                        const std::string& units) const {
        const auto path = program / name;
        std::filesystem::copy_file(testing::program_folder() / "PelvaneVA21.rdb", path);
        auto db = store::Database::open(path);
        db.execute(
            "INSERT INTO PROJECT (MAJOR_RELEASE, NOAA_STATION, PROJECT_ID, PROJECT_NAME, COUNTY, "
            "UNITS) VALUES (?, ?, '1', 'Test', ?, ?)",
            {release, station, county, units});
        return path.string();
    }
};

// The coefficients the import must have written: the export fitted in-process.
hydrology::NoaaFit expected_fit() {
    const auto table = hydrology::parse_noaa_export(bytes_of(kExport));
    return hydrology::fit_noaa_export(table.value()).value();
}

TEST(RainfallCommand, ImportNoaaThenIntensityFollowsTheFittedCurve) {
    Folder f;
    const std::string project = f.project("p.pvd", "2.1", "Stuart's Draft", "Pulaski", "ENGLISH");

    // Before the import the station has no coefficients, and the command says so.
    auto before = f.run({"intensity", project, "--freq", "10", "--tc", "15"});
    EXPECT_EQ(before.exit_code, 1);
    EXPECT_NE(before.err.find("\"Stuart's Draft\""), std::string::npos) << before.err;
    EXPECT_NE(before.err.find("pelvane rainfall import-noaa"), std::string::npos);

    auto imported =
        f.run({"rainfall", "import-noaa", "--station", "stuart's draft", kExport, "--yes"});
    ASSERT_EQ(imported.exit_code, 0) << imported.err;
    EXPECT_NE(imported.out.find("10-year: B "), std::string::npos);
    EXPECT_NE(imported.out.find("\"Stuart's Draft\" were written"), std::string::npos);

    const auto fit = expected_fit();
    const auto& ten = fit.frequencies[2].curve.curve;
    const auto shown = f.run({"rainfall", "show", "--station", "Stuart's Draft", "--json"});
    const auto rows = nlohmann::json::parse(shown.out)[0]["rows"];
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["coefficients"]["10"]["B"].get<double>(), ten.b);

    auto english = f.run({"intensity", project, "--freq", "10", "--tc", "15"});
    ASSERT_EQ(english.exit_code, 0) << english.err;
    EXPECT_EQ(english.out, text::format_number(hydrology::idf_intensity(ten, 15), "0.000") + "\n");

    // The import went to the user's folder; another one has only the shipped copy.
    testing::TempFolder empty;
    const auto elsewhere = f.run({"intensity", project, "--freq", "10", "--tc", "15",
                                  "--user-folder", empty.path().string()});
    EXPECT_EQ(elsewhere.exit_code, 1);

    const std::string metric = f.project("m.pvd", "2.1", "Stuart's Draft", "Pulaski", "METRIC");
    const auto mm =
        nlohmann::json::parse(f.run({"intensity", metric, "--freq", "10", "--json"}).out);
    EXPECT_EQ(mm["tc"], "5.0");
    EXPECT_EQ(mm["intensity"],
              text::format_number(hydrology::idf_intensity(ten, 5) * 25.4, "0.0000"));
}

TEST(RainfallCommand, BadInputEndsTheCommandAndChangesNothing) {
    Folder f;
    const std::string noaa_before = bytes_of(f.program / "VARMNOAA.rdb");
    const std::string bad = (f.program / "bad.csv").string();
    std::string text = bytes_of(kExport);
    text.replace(text.find("0.914"), 5, "n/a");
    std::ofstream(bad, std::ios::binary) << text;

    auto refused = f.run({"rainfall", "import-noaa", "--station", "Pulaski", bad});
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_NE(refused.err.find("\"n/a\" on line 17 is not a positive number"), std::string::npos)
        << refused.err;
    auto unknown = f.run({"rainfall", "import-noaa", "--station", "Atlantis", kExport});
    EXPECT_EQ(unknown.exit_code, 1);
    EXPECT_NE(unknown.err.find("No station \"Atlantis\""), std::string::npos) << unknown.err;
    auto table = f.run({"rainfall", "import-table", bad});
    EXPECT_EQ(table.exit_code, 1);
    EXPECT_EQ(bytes_of(f.program / "VARMNOAA.rdb"), noaa_before);

    testing::TempFolder empty;
    auto missing = run_cli({"rainfall", "show", "--program-folder", empty.path().string()});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.err.find("Could not find file"), std::string::npos);
}

}  // namespace
}  // namespace pelvane
