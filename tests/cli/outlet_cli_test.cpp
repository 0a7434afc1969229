// pelvane outlet and pelvane report outlet as a user runs them.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "report/xlsx/workbook.h"
#include "support/legacy_projects.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace pelvane::testing {
namespace {

// A project on the program folder's Pulaski station with outfall "1" below a 24 in
// pipe whose discharge was computed and outfall "O'Brien 9" below one whose
// discharge was typed.
class OutletCli : public ::testing::Test {
  protected:
    void SetUp() override {
        make_current_project(file);
        insert_row(file, "PROJECT",
                   row("MAJOR_RELEASE=2.1; NOAA_STATION=Pulaski; PROJECT_NAME=Sample road;"
                       "UNITS=ENGLISH; DESIGNER=J. Smith"));
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
    make_legacy_project(legacy);
    insert_row(legacy, "PROJECT", {{"PROJECT_ID", "L"}, {"UNITS", "ENGLISH"}});
    const auto r = run_cli({"outlet", legacy.string(), "--node", "1", "--tailwater-depth", "0.6"});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("not offered for a legacy project database"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace pelvane::testing
