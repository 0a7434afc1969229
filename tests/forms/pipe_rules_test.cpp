#include "forms/pipe_rules.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace pelvane::forms
