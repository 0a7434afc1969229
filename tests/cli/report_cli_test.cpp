// The grade line, outlet protection and report commands as a user runs them.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "report/xlsx/workbook.h"
#include "support/legacy_projects.h"
#include "support/report_projects.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane::testing {
namespace {

class HglReportCli : public ::testing::Test {
  protected:
    void SetUp() override {
        make_network_project(
            file_, {},
            {pipe_row("1", "2", "1"), pipe_row("2", "3", "2"),
             pipe_row("3", "4", "2", {{"PIPE_VELOCITY", "abc"}, {"PIPE_STORM_FREQ", "25"}})});
    }
    testing::TempFolder folder_;
    std::filesystem::path file_ = folder_ / "O'Brien road.pvd";
};

TEST_F(HglReportCli, HglJsonHasNumbersStoredStringsAndNullsInRowOrder) {
    const auto r =
        run_cli({"hgl", file_.string(), "--outfall", "1", "--tailwater", "100", "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const auto out = nlohmann::json::parse(r.out);
    EXPECT_EQ(out["storm_frequency"], "25");
    const auto& rows = out["rows"];
    ASSERT_EQ(rows.size(), 4u);  // the empty row between the paths is left out
    EXPECT_EQ(rows[3]["row"], 15);
    EXPECT_EQ(rows[0]["fields"].size(), 27u);
    EXPECT_EQ(rows[0]["fields"][24], "100.00");  // as the field holds it after leaving
    EXPECT_TRUE(rows[0]["fields"][1].is_null());
    EXPECT_DOUBLE_EQ(rows[1]["fields"][4].get<double>(), 101.2);  // unrounded: 100 + 0.8 x 1.5
    EXPECT_EQ(rows[3]["fields"][10], "abc");  // a stored text that is not a number
}

TEST_F(HglReportCli, HglWritesTheWorkbookAndRefusesBadInput) {
    const std::filesystem::path out = folder_ / "hgl.xlsx";
    const auto r = run_cli(
        {"hgl", file_.string(), "--outfall", "1", "--tailwater", "99.5", "-o", out.string()});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("row 12:\t2\t10+50"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("workbook: " + out.string()), std::string::npos) << r.out;
    const auto book = report::Workbook::open(out);
    EXPECT_DOUBLE_EQ(book.cell(11, 25).number, 99.5);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"hgl", file_.string(), "--tailwater", "100"},
          {"hgl", file_.string(), "--outfall", "1", "--tailwater", "high"},
          {"hgl", file_.string(), "--outfall", "1", "--tailwater", "1", "--pdf"}}) {
        EXPECT_EQ(run_cli(args).exit_code, 2) << args.back();
    }

    const auto unknown = run_cli({"hgl", file_.string(), "--outfall", "4", "--tailwater", "1"});
    EXPECT_EQ(unknown.exit_code, 1);  // no pipe ends at 4
    EXPECT_NE(unknown.err.find("'4'"), std::string::npos) << unknown.err;
    EXPECT_EQ(
        run_cli({"hgl", (folder_ / "none.pvd").string(), "--outfall", "1", "--tailwater", "1"})
            .exit_code,
        1);
}

TEST_F(HglReportCli, ReportsWriteTheirWorkbooks) {
    const std::filesystem::path ld229 = folder_ / "ld229.xlsx";
    auto r = run_cli({"report", "ld229", file_.string(), "-o", ld229.string(), "--json"});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    auto out = nlohmann::json::parse(r.out);
    EXPECT_EQ(out["workbook"], ld229.string());
    EXPECT_EQ(out["skipped_cells"], 0);
    EXPECT_FALSE(out.contains("pdf"));
    auto book = report::Workbook::open(ld229);
    EXPECT_EQ(book.cell(14, 1).text, "3");

    const std::filesystem::path pipe = folder_ / "pipe 2";  // the workbook ending is added
    r = run_cli({"report", "pipe", file_.string(), "--pipe", "2", "-o", pipe.string()});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    book = report::Workbook::open(folder_ / "pipe 2.xlsx");
    EXPECT_EQ(book.cell(11, 3).text, "2");

    const std::filesystem::path empty = folder_ / "empty.pvd";
    make_network_project(empty, {}, {});
    const auto none = run_cli({"report", "ld229", empty.string(), "-o", pipe.string()});
    EXPECT_EQ(none.exit_code, 1);
    EXPECT_NE(none.err.find("No pipes to Display in LD229 Report!"), std::string::npos);
    EXPECT_EQ(run_cli({"report", "pipe", file_.string(), "-o", pipe.string()}).exit_code, 2);
}

// A project on the program folder's Pulaski station with outfall "1" below a 24 in
// pipe whose discharge was computed and outfall "O'Brien 9" below one whose
// discharge was typed.
class OutletCli : public ::testing::Test {
  protected:
    void SetUp() override {
        make_current_project(file,
                             row("MAJOR_RELEASE=2.1; NOAA_STATION=Pulaski;"
                                 "PROJECT_NAME=Sample road; UNITS=ENGLISH; DESIGNER=J. Smith"));
        RowValues pipe =
            row("PIPE_NUMBER=1; NODEIN_NO=2; NODEOUT_NO=1; PIPE_SHAPE=Circular; PIPE_DIA=24;"
                "NUMOFPIPES=1; PIPE_SLOPE=0.02; PIPE_MANN=0.013; PIPE_STORM_FREQ=10; PIPE_CF=1.0;"
                "DISCHARGEVAL=CRM; ACCUMULATED_TC=12.5; ACCUMULATED_CA=3.1; PIPE_DISCHARGE=16.27;"
                "PIPE_FLOWDEPTH=1.013; PIPE_AREAFLOW=1.611; PIPE_WP=3.192; HYD_RADIUS=0.505;"
                "PIPE_VELOCITY=10.100; FROUDE_NO=2.060");
        insert_row(file, "PIPE", pipe);
        pipe[0].second = "2";
        pipe[2].second = "O'Brien 9";
        pipe[10].second = "INP";
        insert_row(file, "PIPE", pipe);
    }
    std::vector<std::string> outlet(const std::string& node, const std::string& tailwater) const {
        return {"outlet", file.string(), "--node", node, "--tailwater-depth", tailwater};
    }

    TempFolder folder;
    std::filesystem::path file = folder / "sample.pvd";
};

TEST_F(OutletCli, RequiredProtectionDesignsEveryDissipator) {
    const auto r = run_cli(
        with(outlet("1", "0.6"), {"--bed", "Fine Gravel", "--d16", "0.005", "--d84", "0.05",
                                  "--class", "Class II", "--l2h2", "4", "--h3", " 0.3", "--json"}));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    const auto& fields = json["fields"];
    EXPECT_EQ(json["messages"], nlohmann::json::array({"Outlet Protection is Required"}));
    // Every option reaches its field; every method is designed.
    const std::pair<const char*, const char*> given[] = {
        {"E_Discharge", "16.27"},    {"dn_TW", "0.600"}, {"D16", "0.005"},
        {"VDOT_Riprap", "Class II"}, {"L2byh2", "4.00"}, {"txth3", "0.30"}};
    for (const auto& [name, text] : given) EXPECT_EQ(fields[name], text) << name;
    for (const char* name : {"txt_L", "txt_EC", "L_ROP", "L_Basin", "txtLB", "txtHo"}) {
        EXPECT_FALSE(fields[name].get<std::string>().empty()) << name;
    }
    EXPECT_EQ(fields["USBRsize"].size(), 15u);
    // Nothing is saved without --save.
    EXPECT_FALSE(first_value(file, "ENERGY", "ENODEOUT_NO"));
}

TEST_F(OutletCli, NotRequiredStopsAtTheDecisionAndSaveKeepsTheRecord) {
    const auto r = run_cli(with(outlet("1", "0.6"), {"--save"}));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("outlet_protection: NOT REQUIRED!\n"), std::string::npos);
    EXPECT_NE(r.out.find("message:  2-Yr Outlet Velocity <= Permissible Velocity. No Outlet "
                         "Protection Required. \nmessage: Record Saved\n"),
              std::string::npos);
    EXPECT_EQ(r.out.find("txt_EC"), std::string::npos);
    EXPECT_EQ(first_value(file, "ENERGY", "OUTLET_PROTECT"), "NOT REQUIRED!");
    EXPECT_EQ(first_value(file, "ENERGY", "EFLOW_DEPTH"), "0.600");
}

TEST_F(OutletCli, TypedDischargeNeedsQ2AndRefusalsSayWhy) {
    struct Case {
        std::vector<std::string> args;
        int exit_code;
        std::string says;
    };
    const Case cases[] = {
        {outlet("O'Brien 9", "0.5"), 1, "Please Input 2-Yr Discharge! (give it with --q2)"},
        {with(outlet("1", "0.5"), {"--q2", "4"}), 1,
         "--q2 is for a design pipe whose discharge was typed"},
        {outlet("7", "0.5"), 1, "no pipe ends at node \"7\" (end nodes: 1, O'Brien 9)"},
        {with(outlet("1", "0.6"), {"--bed", "Fine Sand", "--l2h2", "2.49"}), 2,
         "L2/h2 ratio should be between 2.5 and 7"},
        {with(outlet("1", "0.6"), {"--bed", "Clay (PI 5-16)", "--d16", "1"}), 1, "give --pi"},
        {with(outlet("1", "0.6"), {"--bed", "Gravel"}), 2, "Boulders, Large Cobbles"},
    };
    for (const Case& c : cases) {
        const auto r = run_cli(c.args);
        EXPECT_EQ(r.exit_code, c.exit_code) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
}

TEST_F(OutletCli, ReportWritesTheWorkbookOfARequiredOutfall) {
    const auto out = folder / "O'Brien outlet.xlsx";
    std::vector<std::string> args = outlet("1", "0.6");
    args[0] = "outlet";
    args.insert(args.begin(), "report");
    const auto r = run_cli(
        with(args, {"--bed", "Fine Sand", "--class", "Type I", "-o", out.string(), "--json"}));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["skipped_cells"], 0);
    EXPECT_FALSE(json.contains("pdf"));
    const auto book = report::Workbook::open(out);
    EXPECT_EQ(book.cell(1, 3).text, "Sample road");
    EXPECT_EQ(book.cell(8, 9).text, "Fine Sand");
    EXPECT_DOUBLE_EQ(book.cell(43, 9).number, 2.8);  // Type I stone

    const auto refused = run_cli({"report", "outlet", file.string(), "--node", "1",
                                  "--tailwater-depth", "0.6", "-o", out.string()});
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_NE(refused.err.find("outlet protection is not required at node \"1\""),
              std::string::npos);

    const auto usage = run_cli({"report", "outlet", file.string(), "--node", "1"});
    EXPECT_EQ(usage.exit_code, 2);
    EXPECT_NE(usage.err.find("pelvane report outlet FILE.pvd --node N"), std::string::npos);
}

TEST_F(OutletCli, ALegacyProjectDatabaseHasNoOutletProtection) {
    std::filesystem::create_directories(folder / "ZQL");
    const auto legacy = folder / "ZQL" / "route.pvd";
    make_legacy_project(legacy, {{"PROJECT_ID", "L"}, {"UNITS", "ENGLISH"}});
    const auto r = run_cli({"outlet", legacy.string(), "--node", "1", "--tailwater-depth", "0.6"});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("not offered for a legacy project database"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace pelvane::testing
