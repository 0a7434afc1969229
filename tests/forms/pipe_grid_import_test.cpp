#include "forms/pipe_grid_import.h"

#include <gtest/gtest.h>

#include <sstream>

#include "forms/pipe_grid_csv.h"
#include "forms/pipe_grid_test_network.h"
#include "forms/pipe_rules.h"

namespace pelvane::forms {
namespace {

using testing::TestNetwork;

// Reading these lines back is the export/import round trip below.
TEST(PipeGridCsv, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(csv_line({"", "plain", " blanks ", "a,b", "say \"x\"", "1\n2", "O'Brien"}),
              ",plain, blanks ,\"a,b\",\"say \"\"x\"\"\",\"1\n2\",O'Brien\n");
}

// Expects the import to be refused at `line` with `message`, and nothing added.
void expect_refused(TestNetwork& net, const std::string& csv, int line,
                    const std::string& message) {
    const auto before = net.numbers();
    try {
        import_pipes(net.context(), csv);
        ADD_FAILURE() << "accepted: " << csv;
    } catch (const ImportError& e) {
        EXPECT_EQ(e.line(), line) << e.what();
        EXPECT_EQ(e.message(), message);
    }
    EXPECT_EQ(net.numbers(), before);
}

TEST(PipeGridImport, AddsEveryRowAsANewPipeOfTheProject) {
    TestNetwork net;
    net.add({"1", "S2", "S1", {}});
    const std::string csv =
        "pipe_number,NodeIn_No,NODEOUT_NO,PRENODE1,PRENODE2,PIPE_DIA,PROJECT_ID\n"
        "3,S4,S2,,,15,OTHER\n"
        // Its previous pipe is further down the list.
        "2,S3,S2,O'Brien 4,,18,OTHER\n"
        "O'Brien 4,S5,S3,,,15,\n";
    EXPECT_EQ(import_pipes(net.context(), csv), 3);
    EXPECT_EQ(net.numbers(), (std::vector<std::string>{"1", "3", "2", "O'Brien 4"}));
    EXPECT_EQ(net.value("2", "PRENODE1"), "O'Brien 4");
    EXPECT_EQ(net.value("2", "PIPE_DIA"), "18");
    EXPECT_EQ(net.value("3", "PROJECT_ID"), "R9");
    EXPECT_EQ(net.value("O'Brien 4", "PROJECT_ID"), "R9");
    EXPECT_EQ(net.value("O'Brien 4", "PIPE_MAT"), "");
}

TEST(PipeGridImport, TheFirstRefusedRowNamesItsLineWithThePipeWindowsMessage) {
    TestNetwork net;
    net.add({{"1", "S2", "S1", {"2"}}, {"2", "S3", "S2", {}}});
    const std::string header = "PIPE_NUMBER,NODEIN_NO,NODEOUT_NO,PRENODE1,PRENODE2\n";
    const std::string good = "10,S10,S2,,\n";
    expect_refused(net, header + good + "2,S9,S2,,\n", 3,
                   "2 already exists in the database! Please enter a valid unique Pipe Number");
    expect_refused(net, header + good + ",S9,S2,,\n", 3, std::string(kPipeNumberBlank));
    expect_refused(net, header + good + "11,S9,S9,,\n", 3, std::string(kNodeInSameAsNodeOut));
    // The node is used by a pipe of the same list.
    expect_refused(net, header + good + "\n11,S10,S2,,\n", 4,
                   "This Node IN Structure has already been used for Pipe  - 10 - Please choose "
                   "a different value!");
    expect_refused(net, header + good + "11,S11,S2,11,\n", 3, std::string(kPreviousPipeIsItself));
    expect_refused(net, header + good + "11,S11,S2,10,10\n", 3, std::string(kPreviousPipeRepeated));
    expect_refused(net, header + "11,S11,S2,10,\n" + "12,S12,S2,,10\n" + good, 3,
                   "This Pipe has already been used as a Previous Pipe for Pipe  - 11 - Please "
                   "choose a different value!");
    expect_refused(net, header + good + "11,S11,S2,12,\n", 3,
                   "the previous pipe 12 is not a pipe of the project");
}

TEST(PipeGridImport, RefusesAHeaderOrRowItCannotRead) {
    TestNetwork net(true);
    expect_refused(net, "", 1, "the file has no header line");
    expect_refused(net, "PIPE_NUMBER,COLOUR\n1,red\n", 1,
                   "\"COLOUR\" is not a column of the PIPE table");
    expect_refused(net, "PIPE_NUMBER,pipe_number\n1,1\n", 1,
                   "the column PIPE_NUMBER is named twice");
    expect_refused(net, "NODEIN_NO\nS1\n", 1, "the header must name the PIPE_NUMBER column");
    expect_refused(net, "PIPE_NUMBER,NODEIN_NO\n1,S1\n2\n", 3, "1 values for 2 columns");
    // A legacy file has no fourth previous pipe: an empty one is fine, a value is not.
    expect_refused(net, "PIPE_NUMBER,PRENODE4\n1,\n2,1\n", 3,
                   "this project's PIPE table has no column PRENODE4");
    EXPECT_EQ(import_pipes(net.context(), "PIPE_NUMBER,PRENODE4\n1,\n"), 1);
}

TEST(PipeGridImport, ExportThenImportGivesTheSamePipes) {
    TestNetwork from;
    TestNetwork to;
    store::PipeRecord odd;
    for (std::size_t i = 0; i < store::kPipeColumns.size(); ++i) {
        odd.set(store::kPipeColumns[i], "v" + std::to_string(i));
    }
    odd.set("PROJECT_ID", "R9");
    odd.set("PIPE_NUMBER", "O'Brien, \"10\"");
    odd.set("NODEIN_NO", " lead and trail ");
    odd.set("NODEOUT_NO", "X");
    odd.set("PIPE_SUMMARY", "two\nlines");
    odd.set("PCBUFSTR", "0.3,0.5,,");
    for (const char* column : {"PRENODE1", "PRENODE2", "PRENODE3", "PRENODE4"}) {
        odd.set(column, "");
    }
    odd.set("PRENODE2", "9");
    from.pipes().insert(odd);
    from.add({{"9", "A", " lead and trail ", {}}, {"10", "B", "A", {}}});

    std::ostringstream csv;
    export_pipes(from.db(), csv);
    EXPECT_EQ(csv.str().substr(0, 24), "PROJECT_ID,PIPE_NUMBER,N");
    EXPECT_EQ(import_pipes(to.context(), csv.str()), 3);
    EXPECT_EQ(to.pipes().all_by_number(), from.pipes().all_by_number());

    std::ostringstream again;
    export_pipes(to.db(), again);
    EXPECT_EQ(again.str(), csv.str());
}

}  // namespace
}  // namespace pelvane::forms
