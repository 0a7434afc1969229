// The calculation commands as an engineer runs them: pelvane section (whose numbers
// the section tests pin; these check the options, the output forms and the exit
// codes, and what the tool refuses for every command), and pelvane rainfall and
// pelvane intensity against copies of the shipped rainfall databases.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "core/hydrology/intensity.h"
#include "core/hydrology/noaa_fit.h"
#include "core/text/number_text.h"
#include "support/file_bytes.h"
#include "support/legacy_projects.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane {
namespace {

using testing::run_cli;
using testing::with;

using testing::bytes_of;

const std::string kExport = testing::pulaski_export().string();

struct Folder {
    testing::TempFolder program;
    testing::TempFolder home;  // the user's data folder, which imports write
    Folder() {
        testing::copy_program_files(program.path(),
                                    {"VArainfall.rdb", "VARMSTORM.rdb", "VARMNOAA.rdb"});
    }
    testing::CliResult run(std::vector<std::string> args) const {
        args.push_back("--program-folder");
        args.push_back(program.path().string());
        return run_cli(args, home.path());
    }
    // A project file of the NOAA release on the station Stuart's Draft.
    std::string project(const std::string& name, const std::string& units) const {
        const auto path = program / name;
        testing::make_current_project(
            path, testing::row("MAJOR_RELEASE=2.1; NOAA_STATION=Stuart's Draft; PROJECT_ID=1; "
                               "PROJECT_NAME=Test; COUNTY=Pulaski; UNITS=" +
                               units));
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
    const std::string project = f.project("p.pvd", "ENGLISH");

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

    const std::string metric = f.project("m.pvd", "METRIC");
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

const std::vector<std::string> kCircular18 = {"section", "--shape",  "Circular", "--dia",
                                              "18",      "--slope",  "0.01",     "--n",
                                              "0.013",   "--length", "100"};

TEST(SectionCli, JsonPlainTextAndBarrels) {
    const auto r = run_cli(with(kCircular18, {"--discharge", "5", "--json"}));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json.size(), 13u);
    EXPECT_EQ(json["PIPE_FLOWDEPTH"], "0.729");

    // Barrels share the discharge.
    const auto two = run_cli(with(kCircular18, {"--discharge", "10", "--barrels", "2", "--json"}));
    EXPECT_EQ(nlohmann::json::parse(two.out), json);

    // Plain output: one "NAME: value" line per result, in table order.
    const auto plain = run_cli(with(kCircular18, {"--discharge", "5"}));
    EXPECT_EQ(
        plain.out.rfind("CAPACITY: 10.504\nFLOW_TYPE: PARTIAL FLOW\nPIPE_FLOWDEPTH: 0.729\n", 0),
        0u)
        << plain.out;
    EXPECT_EQ(std::count(plain.out.begin(), plain.out.end(), '\n'), 13);
}

TEST(SectionCli, ASolverFailureKeepsWhatWasWrittenAndExitsOne) {
    const auto r = run_cli(with(kCircular18, {"--discharge", "0", "--json"}));
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(nlohmann::json::parse(r.out),
              nlohmann::json::parse(R"({"CAPACITY": "10.504", "FLOW_TYPE": "PARTIAL FLOW",
        "PIPE_FLOWDEPTH": "0.000", "PIPE_AREAFLOW": "0.000",
        "error": "Invalid Data Input Error"})"));
    // One line on stderr saying why.
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_NE(r.err.find("Invalid Data Input Error (division by zero"), std::string::npos) << r.err;

    const auto plain = run_cli(with(kCircular18, {"--discharge", "abc"}));
    EXPECT_EQ(plain.exit_code, 1);
    EXPECT_EQ(plain.out, "error: Invalid Data Input Error\n");
    EXPECT_NE(plain.err.find("PIPE_DISCHARGE is not a number"), std::string::npos) << plain.err;
}

// A wrong command line ends with the usage line; the names of the tool's lists are
// taken in any letter case; every command explains itself with --help.
TEST(SectionCli, MissingOrUnknownOptionsAndValuesAreUsageErrors) {
    const struct {
        std::vector<std::string> args;
        std::string said;
    } cases[] = {
        {{"section", "--shape", "Circular", "--dia", "18", "--discharge", "5", "--n", "0.013",
          "--length", "100"},
         "usage: pelvane section"},  // no slope
        {with(kCircular18, {"--discharge", "5", "--colour", "red"}), "usage: pelvane section"},
        {{"section", "--shape", "Box", "--span", "48", "--discharge", "5", "--slope", "0.01", "--n",
          "0.013", "--length", "100"},
         "usage: pelvane section"},  // a box needs --rise
        {with(kCircular18, {"--discharge", "5", "--units", "feet"}),
         "--units \"feet\" is not one of ENGLISH or METRIC"},
        {{"section", "--shape", "oval", "--dia", "18", "--discharge", "5", "--slope", "0.01", "--n",
          "0.013", "--length", "100"},
         "--shape \"oval\" is not one of Circular, Elliptical"},
    };
    for (const auto& c : cases) {
        const auto r = run_cli(c.args);
        EXPECT_EQ(r.exit_code, 2) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    }
    const std::vector<std::string> lower = {
        "section", "--shape",  "circular", "--dia",       "18", "--slope", "0.01",   "--n",
        "0.013",   "--length", "100",      "--discharge", "5",  "--units", "english"};
    const auto typed = run_cli(lower);
    EXPECT_EQ(typed.exit_code, 0) << typed.err;
    EXPECT_EQ(typed.out,
              run_cli(with(kCircular18, {"--discharge", "5", "--units", "ENGLISH"})).out);

    std::istringstream usage(run_cli({"--help"}).out);
    int commands = 0;
    for (std::string line; std::getline(usage, line);) {
        if (line.rfind("  ", 0) != 0 || line.rfind("   ", 0) == 0) continue;
        const std::string name = line.substr(2, line.find(' ', 2) - 2);
        const auto help = run_cli({name, "--help"});
        EXPECT_EQ(help.exit_code, 0) << name << ": " << help.err;
        EXPECT_EQ(help.out.rfind("usage: pelvane " + name + " ", 0), 0u) << help.out;
        ++commands;
    }
    EXPECT_GT(commands, 15);
}

}  // namespace
}  // namespace pelvane
