// The network rules on pipe numbers, structures and previous pipes, and the grid's
// import of a pipe list, which applies them row by row.

#include "forms/pipe_rules.h"

#include <gtest/gtest.h>

#include <array>

#include "forms/pipe_grid_csv.h"
#include "forms/pipe_grid_import.h"
#include "forms/pipe_grid_test_network.h"

namespace pelvane::forms {
namespace {

using testing::TestNetwork;

// 1 <- 2 <- 3 and 1 <- 4 (pipe 1 lists 2 and 4; pipe 2 lists 3), plus a pipe with
// an apostrophe that lists nothing.
void build(TestNetwork& net) {
    net.add({{"1", "S2", "S1", {"2", "4"}},
             {"2", "S3", "S2", {"3"}},
             {"3", "S4", "S3", {}},
             {"4", "S5", "S2", {}},
             {"O'Brien 1", "S6", "S2", {}}});
}

Refusal exclamation(std::string text) {
    return Refusal{std::move(text), Icon::Exclamation};
}

TEST(PipeRules, NewPipeNumberMustBeGivenAndUnused) {
    TestNetwork net;
    build(net);
    const auto pipes = net.pipes();
    EXPECT_EQ(check_new_pipe_number(pipes, ""), Refusal{std::string(kPipeNumberBlank)});
    EXPECT_EQ(check_new_pipe_number(pipes, "O'Brien 1"),
              Refusal{"O'Brien 1 already exists in the database! Please enter a valid unique "
                      "Pipe Number"});
    EXPECT_EQ(check_new_pipe_number(pipes, "O'Brien 2"), std::nullopt);
    // Numbers are texts: "01" is not "1".
    EXPECT_EQ(check_new_pipe_number(pipes, "01"), std::nullopt);
}

TEST(PipeRules, AStructureStartsOnePipeButMayEndSeveral) {
    TestNetwork net;
    build(net);
    const auto pipes = net.pipes();
    EXPECT_EQ(check_node_in(pipes, "S3", "S9", ""),
              exclamation("This Node IN Structure has already been used for Pipe  - 2 - Please "
                          "choose a different value!"));
    // A pipe keeping its own structure while it is edited.
    EXPECT_EQ(check_node_in(pipes, "S3", "S9", "S3"), std::nullopt);
    // Pipe 1, saved as starting at S2, coming back to it after another choice.
    EXPECT_EQ(check_node_in(pipes, "S2", "S9", "S8", "1"), std::nullopt);
    EXPECT_EQ(check_node_in(pipes, "", "S9", "S3"), std::nullopt);
    EXPECT_EQ(check_node_in(pipes, "S7", "S7", ""), Refusal{std::string(kNodeInSameAsNodeOut)});
    EXPECT_EQ(check_node_out("S7", "S7"), Refusal{std::string(kNodeOutSameAsNodeIn)});
    // S2 already ends three pipes.
    EXPECT_EQ(check_node_out("S7", "S2"), std::nullopt);
    EXPECT_EQ(check_node_out("", ""), std::nullopt);
}

TEST(PipeRules, APipeIsThePreviousPipeOfOnePipeAtMost) {
    TestNetwork net;
    build(net);
    const auto pipes = net.pipes();
    const std::vector<std::string> others{"", "3", ""};
    EXPECT_EQ(check_previous_pipe(pipes, "9", "9", others, "", false),
              Refusal{std::string(kPreviousPipeIsItself)});
    EXPECT_EQ(check_previous_pipe(pipes, "9", "3", others, "", false),
              Refusal{std::string(kPreviousPipeRepeated)});
    EXPECT_EQ(check_previous_pipe(pipes, "9", "4", others, "", false),
              exclamation("This Pipe has already been used as a Previous Pipe for Pipe  - 1 - "
                          "Please choose a different value!"));
    // Pipe 1 being edited keeps its own previous pipe 4.
    EXPECT_EQ(check_previous_pipe(pipes, "1", "4", others, "4", false), std::nullopt);
    // Pipe 1 moving its previous pipe 2 to another row: 2 still drains into 1 alone.
    EXPECT_EQ(check_previous_pipe(pipes, "1", "2", others, "", false, "1"), std::nullopt);
    EXPECT_EQ(check_previous_pipe(pipes, "9", "O'Brien 1", others, "", false), std::nullopt);
    EXPECT_EQ(check_previous_pipe(pipes, "9", "", others, "", false), std::nullopt);
}

// 1 <- 2 <- 3: pipe 3's flow reaches 1 through 2, so 1 (or 2) as a previous pipe of
// 3 closes a circle, named from 3 down. Pipe 2 already names pipe 9, which is not
// saved yet; a legacy project's fourth row is no link.
TEST(PipeRules, APreviousPipeThatReceivesThePipesFlowClosesACircle) {
    TestNetwork net;
    build(net);
    net.add({{"5", "S7", "S8", {"9"}}, {"6", "S9", "S10", {"", "", "", "5"}}});
    const auto pipes = net.pipes();
    const struct {
        std::string pipe, chosen;
        bool legacy;
        std::optional<std::string> circle;
    } cases[] = {
        {"3", "1", false, "3 \u2192 2 \u2192 1 \u2192 3"}, {"3", "2", false, "3 \u2192 2 \u2192 3"},
        {"9", "6", false, "9 \u2192 5 \u2192 6 \u2192 9"}, {"9", "6", true, std::nullopt},
        {"3", "O'Brien 1", false, std::nullopt},           {"1", "3", false, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto refused = check_previous_pipe_loop(pipes, c.pipe, c.chosen, c.legacy);
        ASSERT_EQ(refused.has_value(), c.circle.has_value()) << c.pipe << " <- " << c.chosen;
        if (!refused) continue;
        EXPECT_EQ(refused->message, "Pipe " + c.chosen + " receives the flow of pipe " + c.pipe +
                                        ", so it cannot be its previous pipe: the flow would "
                                        "run in a circle " +
                                        *c.circle + ". Please choose a different value!");
        EXPECT_EQ(refused->icon, Icon::Exclamation);
    }
}

TEST(PipeRules, LegacyModeLooksAtThreePreviousPipes) {
    TestNetwork net;
    net.add({{"1", "A", "B", {"", "", "", "7"}}, {"7", "C", "A", {}}});
    EXPECT_EQ(previous_pipe_columns(true),
              (std::vector<store::Column>{"PRENODE1", "PRENODE2", "PRENODE3"}));
    EXPECT_EQ(pipe_listing(net.pipes(), "7", false), "1");
    EXPECT_EQ(pipe_listing(net.pipes(), "7", true), std::nullopt);
    EXPECT_EQ(check_delete(net.pipes(), "7", true), std::nullopt);
    EXPECT_TRUE(check_delete(net.pipes(), "7", false).has_value());
}

TEST(PipeRules, ANewPipeMeetsTheRulesInTheWindowsOrder) {
    TestNetwork net;
    build(net);
    const auto pipes = net.pipes();
    const auto check = [&](const testing::TestPipe& p) {
        const auto refused = check_new_pipe(pipes, testing::pipe_record(p), false);
        return refused ? std::optional<Refusal>(refused->refusal) : std::nullopt;
    };
    // The number is looked at before anything else.
    EXPECT_EQ(check({"3", "S3", "S3", {"3"}})->message,
              "3 already exists in the database! Please enter a valid unique Pipe Number");
    EXPECT_EQ(check({"9", "S3", "S3", {"3"}})->message, kNodeInSameAsNodeOut);
    EXPECT_EQ(check({"9", "S3", "S8", {"9"}})->message,
              "This Node IN Structure has already been used for Pipe  - 2 - Please choose a "
              "different value!");
    EXPECT_EQ(check({"9", "", "S8", {"O'Brien 1", "9"}})->message, kPreviousPipeIsItself);
    EXPECT_EQ(check({"9", "", "S8", {"O'Brien 1", "", "O'Brien 1"}})->message,
              kPreviousPipeRepeated);
    EXPECT_EQ(check({"9", "", "S8", {"", "", "", "3"}})->message,
              "This Pipe has already been used as a Previous Pipe for Pipe  - 2 - Please choose "
              "a different value!");
    EXPECT_EQ(check({"9", "S8", "S2", {"O'Brien 1"}}), std::nullopt);
}

TEST(PipeRules, RenumberChangesTheNumberAndEveryReference) {
    TestNetwork net;
    net.add({{"5", "A", "B", {}},
             {"6", "C", "B", {"5"}},
             {"8", "D", "B", {"x", "5"}},
             {"9", "E", "B", {"x", "y", "5", "5"}}});
    EXPECT_EQ(renumber_pipe(net.db(), "5", "7", false), 1);
    EXPECT_EQ(net.numbers(), (std::vector<std::string>{"7", "6", "8", "9"}));
    EXPECT_EQ(net.value("6", "PRENODE1"), "7");
    EXPECT_EQ(net.value("8", "PRENODE2"), "7");
    EXPECT_EQ(net.value("9", "PRENODE3"), "7");
    EXPECT_EQ(net.value("9", "PRENODE4"), "7");
    EXPECT_EQ(net.value("8", "PRENODE1"), "x");

    // Legacy database mode leaves the fourth previous pipe alone.
    EXPECT_EQ(renumber_pipe(net.db(), "7", "O'Brien 7", true), 1);
    EXPECT_EQ(net.value("9", "PRENODE3"), "O'Brien 7");
    EXPECT_EQ(net.value("9", "PRENODE4"), "7");
}

TEST(PipeRules, AFailingRenumberChangesNothing) {
    TestNetwork net;
    net.add({{"5", "A", "B", {}}, {"6", "C", "B", {"5", "", "5"}}});
    // The third reference cannot be written: the number and the first reference
    // written before it must come back too.
    net.db().execute(
        "CREATE TRIGGER refuse BEFORE UPDATE OF PRENODE3 ON PIPE "
        "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    EXPECT_THROW(static_cast<void>(renumber_pipe(net.db(), "5", "7", false)), store::DatabaseError);
    EXPECT_EQ(net.numbers(), (std::vector<std::string>{"5", "6"}));
    EXPECT_EQ(net.value("6", "PRENODE1"), "5");
    EXPECT_EQ(net.value("6", "PRENODE3"), "5");
    // A number that is taken fails at the first statement.
    EXPECT_THROW(static_cast<void>(renumber_pipe(net.db(), "5", "6", false)), store::DatabaseError);
    EXPECT_EQ(net.numbers(), (std::vector<std::string>{"5", "6"}));
}

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
    // The node is used by a pipe of the same list.
    expect_refused(net, header + good + "\n11,S10,S2,,\n", 4,
                   "This Node IN Structure has already been used for Pipe  - 10 - Please choose "
                   "a different value!");
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

// One list with a fault in each row: every problem is reported at once, with its
// line and column, and nothing is written, with or without a dry run.
TEST(PipeGridImport, RefusesWhatThePipeWindowWouldNotTakeNamingLineAndColumn) {
    TestNetwork net;
    net.add({"1", "S1", "S0", {}});
    const std::string csv =
        "PIPE_NUMBER,NODEIN_NO,NODEOUT_NO,NODEIN_TYPE,PIPE_SHAPE,PIPE_DIA,SPAN,RISE,"
        "PIPE_LENGTH,PIPE_ELEIN,PIPE_ELEOUT,PIPE_SLOPE,PIPE_STORM_FREQ,DISCHARGEVAL,PRENODE1\n"
        "2,S2,S1,Manhole,Circular,18,,,abc,,,,10,,\n"
        "3,S3,S1,,Round,,,,1e308,,,,3,AUTO,\n"
        "4,S4,S1,,circular,20,,,,,,,,,\n"
        "5,S5,S1,,Elliptical,,25,14,,,,,,,\n"
        "6,S6,S1,,,,,,100,101.25,100,0.02,,,\n"
        "7,S7,S1,,,,,,100,100,100.5,,,,\n"
        "8,S8,S8,,,,,,,,,,,,99\n"
        // A and B start where the other ends.
        "A,SA,SB,,,,,,,,,,,,\n"
        "B,SB,SA,,,,,,,,,,,,\n";
    const std::vector<std::vector<std::string>> expected{
        {"2", "PIPE_LENGTH", "pipe length \"abc\" is not a number"},
        {"2", "NODEIN_TYPE",
         "node-in type \"Manhole\" is not in the list: Inlet, Man Hole, Junction Box, End "
         "Section, End Wall, Other"},
        {"3", "PIPE_LENGTH",
         "pipe length 1e308 is out of range: it must be more than 0 and at most 10000 ft"},
        {"3", "PIPE_SHAPE",
         "shape \"Round\" is not in the list: Circular, Elliptical, Box, Arch-Conc, Arch-S-Cor, "
         "Arch-M-Cor, Arch-L-Cor"},
        {"3", "PIPE_STORM_FREQ", "storm frequency \"3\" is not in the list: 2, 5, 10, 25, 50, 100"},
        {"3", "DISCHARGEVAL", "discharge source \"AUTO\" is not in the list: INP, CRM"},
        {"4", "PIPE_DIA",
         "diameter 20 is not a standard diameter: 12, 15, 18, 21, 24, 27, 30, 36, 42, 48, 54, 60, "
         "66, 72"},
        {"5", "SPAN",
         "span 25 and rise 14 are not a size of the Elliptical table (the size help of the pipe "
         "window lists them)"},
        {"6", "PIPE_SLOPE",
         "pipe slope 0.02 disagrees with the slope 0.01250 of the inverts and the length"},
        {"7", "PIPE_ELEOUT",
         "Pipe El. OUT must be less than Pipe El.IN! (El. IN 100, El. OUT 100.5)"},
        {"8", "NODEIN_NO", std::string(kNodeInSameAsNodeOut)},
        {"9", "",
         "the pipes A, B form a loop: each drains into the next and the last into the "
         "first"},
    };
    for (const ImportMode mode : {ImportMode::DryRun, ImportMode::Write}) {
        try {
            import_pipes(net.context(), csv, mode);
            ADD_FAILURE() << "accepted";
        } catch (const ImportError& e) {
            std::vector<std::vector<std::string>> found;
            for (const ImportProblem& p : e.problems()) {
                found.push_back({std::to_string(p.line), p.column, p.message});
            }
            EXPECT_EQ(found, expected);
        }
        EXPECT_EQ(net.numbers(), std::vector<std::string>{"1"});
    }
}

// What the window would have filled in: the list's spelling, the slope of the
// inverts, the discharge source of the node-in type. A dry run writes nothing.
TEST(PipeGridImport, CompletesAPipeAsThePipeWindowWould) {
    TestNetwork net;
    const std::string csv =
        "PIPE_NUMBER,NODEIN_NO,NODEOUT_NO,NODEIN_TYPE,PIPE_SHAPE,PIPE_LENGTH,PIPE_ELEIN,"
        "PIPE_ELEOUT,PIPE_SLOPE\n"
        "1,S1,S0, inlet ,CIRCULAR,80,100.5,100,\n"
        "2,S2,S1,Man Hole,Box,80,100.5,100,0.00625\n";
    EXPECT_EQ(import_pipes(net.context(), csv, ImportMode::DryRun), 2);
    EXPECT_TRUE(net.numbers().empty());
    EXPECT_EQ(import_pipes(net.context(), csv), 2);
    for (const auto& [pipe, column, text] :
         std::vector<std::array<std::string, 3>>{{"1", "NODEIN_TYPE", "Inlet"},
                                                 {"1", "PIPE_SHAPE", "Circular"},
                                                 {"1", "PIPE_SLOPE", "0.00625"},
                                                 {"1", "DISCHARGEVAL", "CRM"},
                                                 {"2", "PIPE_SLOPE", "0.00625"},
                                                 {"2", "DISCHARGEVAL", "INP"}}) {
        EXPECT_EQ(net.value(pipe, column), text) << pipe << " " << column;
    }
}

}  // namespace
}  // namespace pelvane::forms
