// Choosing the previous pipes of a pipe: the network rules and the take-over of
// the chosen pipe's accumulated values.

#include "pipe_form_fixture.h"

using namespace pelvane;

namespace pelvane::testing {
namespace {

class PreviousPipesTest : public PipeFormTest {
  protected:
    // Pipes A and O'Brien 1 drain into pipe 3; pipe 9 drains nowhere yet.
    void make_network() {
        make_project();
        add_pipe(
            row("PIPE_NUMBER=A; ACCUMULATED_CA=1.2; ACCUMULATED_TC=9.000; FLOW_TIME=30.000;"
                "PIPE_DISCHARGE=7.500"));
        add_pipe(row("PIPE_NUMBER=O'Brien 1; ACCUMULATED_CA=0.8"));
        add_pipe(
            row("PIPE_NUMBER=9; ACCUMULATED_CA=0.45; ACCUMULATED_TC=6.500; FLOW_TIME=;"
                "PIPE_DISCHARGE=2.000"));
        add_pipe(
            row("PIPE_NUMBER=3; DISCHARGEVAL=CRM; STRUCTURE_CA=0.3; STRUCTURE_TC=5.000;"
                "PRENODE1=A; PRENODE2=O'Brien 1; PRECA1=1.2; PRECA2=0.8"));
    }
};

// The rules and their messages are the pipe rules'; the window empties the refused
// box, takes its rows back and hands the focus to it on its tab.
TEST_F(PreviousPipesTest, ARefusedPipeEmptiesItsBoxAndTakesTheFocus) {
    make_network();
    const struct {
        const char* mode;
        const char* pipe;
        const char* box;
        const char* chosen;
        const char* says;
    } cases[] = {
        {"edit", "3", "prenode3", "3", "Invalid Pipe Number!"},
        {"edit", "3", "prenode3", "A", "already been used as a Previous Pipe!"},
        {"add", "", "prenode1", "O'Brien 1", "Previous Pipe for Pipe  - 3 -"},
        {"edit", "A", "prenode1", "3", "circle A \u2192 3 \u2192 A."},
    };
    for (const auto& c : cases) {
        auto& f = open(c.mode, c.pipe);
        if (std::string(c.mode) == "add") type("pipe_number", "12");
        const std::string kept = text("prenode1");
        const auto box = forms::FieldName::named(c.box);
        pick(box, c.chosen);
        EXPECT_NE(ui.last().text.find(c.says), std::string::npos) << ui.last().text;
        EXPECT_EQ(text(box), "") << c.chosen;
        EXPECT_EQ(text(forms::FieldName::named(std::string("preca") + c.box[7])), "0.0")
            << c.chosen;
        EXPECT_EQ(f.tab, 1);
        EXPECT_EQ(f.take_focus_request(), c.box);
        if (std::string(c.box) != "prenode1") {
            EXPECT_EQ(text("prenode1"), kept);
        }
    }
}

TEST_F(PreviousPipesTest, TheChosenPipeHandsOnItsAccumulatedValues) {
    make_network();
    open("edit", "3");
    pick("prenode3", "9");
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(text("preca3"), "0.45");
    EXPECT_EQ(text("preTc3"), "6.500");
    EXPECT_EQ(text("preflowtime3"), "0.0") << "an empty value hands on 0.0";
    // The structure's and all three previous pipes' C·A.
    EXPECT_EQ(text("accumulated_ca"), "2.75");

    // Leaving the box with the number already taken over does nothing more.
    type("prenode3", "9");
    EXPECT_TRUE(ui.shown.empty());

    // A number that is no saved pipe hands on nothing.
    pick("prenode3", "77");
    EXPECT_EQ(text("prenode3"), "77");
    EXPECT_EQ(text("preca3"), "0.0");
    EXPECT_EQ(text("accumulated_ca"), "2.3");
}

}  // namespace
}  // namespace pelvane::testing
