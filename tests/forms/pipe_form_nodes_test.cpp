// The structures at the ends of a pipe and its previous pipes: type resets, number
// lists, the network rules on the numbers, the take-over from other pipes and the
// inlet database, and the inlet database link itself.

#include "forms/inlet_link.h"
#include "pipe_form_fixture.h"

using namespace pelvane;

namespace pelvane::testing {
namespace {

class PipeNodesTest : public PipeFormTest {
  protected:
    // Pipe 1 runs from manhole 5 to the end wall 1; pipe 2 from manhole 7 to manhole 5.
    void make_network(const std::string& inlet_database = "") {
        make_project("ENGLISH", ProjectKind::Current, inlet_database);
        add_pipe(
            row("PIPE_NUMBER=1; NODEIN_NO=5; NODEIN_TYPE=Man Hole; NODEIN_STATION=11+00.00;"
                "NODEIN_OFFSET=6.00; NODEIN_OFFLOC=LEFT; NODEIN_TOPELE=2084.10;"
                "NODEOUT_NO=1; NODEOUT_TYPE=End Wall; NODEOUT_STATION=10+20.00;"
                "NODEOUT_OFFSET=30.00; NODEOUT_OFFLOC=RIGHT; NODEOUT_TOPELE=2076.00"));
        add_pipe(
            row("PIPE_NUMBER=O'Brien 2; NODEIN_NO=7; NODEIN_TYPE=Man Hole; NODEOUT_NO=5;"
                "NODEOUT_TYPE=Man Hole; NODEOUT_STATION=11+00.00; NODEOUT_OFFSET=6.00;"
                "NODEOUT_OFFLOC=LEFT; NODEOUT_TOPELE=2084.10"));
        add_pipe(
            row("PIPE_NUMBER=3; NODEIN_NO=11; NODEIN_TYPE=Junction Box; NODEOUT_NO=9;"
                "NODEOUT_TYPE=Man Hole"));
    }
};

// The rules and their messages are the pipe rules'; the window empties the refused
// number and hands the focus to it on the first tab.
TEST_F(PipeNodesTest, ARefusedStructureNumberIsEmptiedAndTakesTheFocus) {
    make_network();
    auto& f = open("add");
    type("nodein_type", "Man Hole");
    type("nodeout_type", "Man Hole");
    type("nodeout_no", "12");
    f.tab = 1;
    type("nodein_no", "12");
    EXPECT_EQ(ui.last().text, std::string(forms::kNodeInSameAsNodeOut));
    EXPECT_EQ(text("nodein_no"), "");
    EXPECT_EQ(f.tab, 0);
    EXPECT_EQ(f.take_focus_request(), forms::FieldName("nodein_no"));

    type("nodein_no", "14");
    type("nodeout_no", "14");
    EXPECT_EQ(ui.last().text, std::string(forms::kNodeOutSameAsNodeIn));
    EXPECT_EQ(text("nodeout_no"), "");
    EXPECT_EQ(text("nodein_no"), "14");

    type("nodein_no", "7");  // where pipe O'Brien 2 starts
    EXPECT_NE(ui.last().text.find("Pipe  - O'Brien 2 -"), std::string::npos) << ui.last().text;
    EXPECT_EQ(text("nodein_no"), "");
    EXPECT_EQ(f.take_focus_request(), forms::FieldName("nodein_no"));
}

TEST_F(PipeNodesTest, EndingAtAUsedStructureIsAllowedAndTakesItsData) {
    make_network();
    open("add");
    type("nodeout_type", "Man Hole");
    type("nodeout_no", "5");  // pipe 2 already ends there; pipe 1 starts there
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(text("nodeout_station"), "11+00.00");
    EXPECT_EQ(text("nodeout_offloc"), "LEFT");
    EXPECT_EQ(text("nodeout_topele"), "2084.10");

    // An upper structure takes its data from the pipe that ends there.
    type("nodein_type", "End Wall");
    type("nodein_no", "1");
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(text("nodein_station"), "10+20.00");
    EXPECT_EQ(text("nodein_offloc"), "RIGHT");
    EXPECT_EQ(text("nodein_topele"), "2076.00");

    // A structure no pipe joins keeps what was typed.
    type("nodeout_no", "44");
    EXPECT_EQ(text("nodeout_station"), "11+00.00");
}

TEST_F(PipeNodesTest, ChangingTheUpperTypeResetsTheStructureAndProposesTheSource) {
    make_network();
    auto& f = open("add");
    type("nodein_type", "Man Hole");
    type("nodein_no", "1");
    f.fields.set_text("structure_area", "2.5");
    f.fields.set_text("structure_discharge", "4.000");
    EXPECT_EQ(text("nodein_station"), "10+20.00");

    type("nodein_type", "Man Hole");  // left unchanged: nothing happens
    EXPECT_EQ(text("nodein_no"), "1");

    type("nodein_type", "Inlet");
    for (const char* name :
         {"nodein_no", "nodein_station", "nodein_offset", "nodein_offloc", "nodein_topele"}) {
        EXPECT_EQ(text(forms::FieldName::named(name)), "") << name;
    }
    EXPECT_EQ(text("structure_area"), "0.0");
    EXPECT_EQ(text("structure_discharge"), "0.0");
    // As if the person had chosen the source: a computed one starts from its storm.
    EXPECT_EQ(text("dischargeval"), "CRM");
    EXPECT_EQ(text("pipe_storm_freq"), "2");
    EXPECT_TRUE(f.fields.at("fra_previous").enabled);

    // Computed values are only dropped when the person agrees.
    ui.answers = {forms::Answer::No, forms::Answer::Yes};
    type("nodein_type", "Junction Box");
    EXPECT_EQ(ui.last().text, "Do you want to clear previously Computed Values? Y/N");
    EXPECT_EQ(text("dischargeval"), "CRM");
    type("nodein_type", "Man Hole");
    EXPECT_EQ(text("dischargeval"), "INP");
    EXPECT_FALSE(f.fields.at("fra_previous").enabled);

    // An emptied type changes nothing.
    type("nodein_station", "12+00.00");
    type("nodein_type", "");
    EXPECT_EQ(text("nodein_station"), "12+00.00");
}

TEST_F(PipeNodesTest, AnInletTakesItsLocationAndDrainageFromTheInletDatabase) {
    make_network(sample_inlets());
    auto& f = open("add");
    EXPECT_EQ(text("inlet_dbfile"), sample_inlets());
    type("nodein_type", "Inlet");
    f.field_entered("nodein_no");
    EXPECT_EQ(f.fields.at("nodein_no").items,
              (std::vector<std::string>{"10", "2", "3", "4", "5", "6", "7", "8"}));
    f.fields.set_text("pipe_cf", "");
    pick("nodein_no", "4");
    EXPECT_EQ(text("nodein_topele"), "2087.95");
    EXPECT_EQ(text("structure_Tc"), "9.5");
    EXPECT_EQ(text("structure_area"), "1.4");
    EXPECT_EQ(text("structure_ca"), "0.6");
    EXPECT_EQ(text("pipe_cf"), "1.0");
    EXPECT_EQ(text("accumulated_ca"), "0.6") << "the accumulation follows the take-over";

    // An inlet whose flow was typed in the inlet product brings no area.
    pick("nodein_no", "10");
    EXPECT_EQ(text("structure_ca"), "0.0");
    EXPECT_EQ(text("structure_Tc"), "12.0");

    type("nodeout_type", "Inlet");
    pick("nodeout_no", "3");
    EXPECT_EQ(text("nodeout_topele"), "2081.38");
    EXPECT_EQ(text("structure_Tc"), "12.0") << "the lower structure brings no drainage";
    EXPECT_TRUE(ui.shown.empty());
}

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
        EXPECT_EQ(f.take_focus_request(), box);
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

// The link to the inlet database, read by the pipe window.
TEST(InletLink, MissingFileIsShownOnceAndTheWindowGoesOn) {
    TempFolder folder;
    ScriptedUi ui;
    store::ProjectContext context;
    context.inlet_database = (folder / "moved away.gwk").string();
    EXPECT_FALSE(forms::open_inlet_link(context, ui));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, "Could not find file '" + context.inlet_database + "'.");

    EXPECT_TRUE(forms::linked_inlet_numbers(context, ui).empty());
    EXPECT_FALSE(forms::linked_inlet(context, ui, "2"));
    EXPECT_EQ(ui.shown.size(), 1u) << "later steps work on without inlet data";
}

TEST(InletLink, ListAndDetailOfTheLinkedFile) {
    ScriptedUi ui;
    store::ProjectContext context;
    context.inlet_database = sample_inlets();
    ASSERT_TRUE(forms::open_inlet_link(context, ui));
    EXPECT_EQ(forms::linked_inlet_numbers(context, ui).size(), 8u);
    const auto inlet = forms::linked_inlet(context, ui, "7");
    ASSERT_TRUE(inlet);
    EXPECT_EQ(inlet->station, "13+40.00");
    EXPECT_EQ(inlet->offset_location, "LEFT");
    EXPECT_FALSE(forms::linked_inlet(context, ui, "77"));
    EXPECT_TRUE(ui.shown.empty());

    // Unlinking the project closes the connection when the window loads again.
    context.inlet_database.clear();
    EXPECT_FALSE(forms::open_inlet_link(context, ui));
    EXPECT_FALSE(context.inlet_connection.is_open());
}

TEST(InletLink, ReadFailureShowsItsDescriptionWithExclamation) {
    TempFolder folder;
    const auto path = folder / "inlets.gwk";
    std::filesystem::copy_file(sample_inlets(), path);
    store::Database::open(path).execute("UPDATE INLET SET TOTALCA2 = NULL WHERE INLET_NUMBER = ?1",
                                        {std::string("3")});

    ScriptedUi ui;
    store::ProjectContext context;
    // Linked relative to the project file, as the sample links its inlet file.
    context.database_path = (folder / "Project.pvd").string();
    context.inlet_database = "inlets.gwk";
    ASSERT_TRUE(forms::open_inlet_link(context, ui));
    EXPECT_FALSE(forms::linked_inlet(context, ui, "3"));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().icon, forms::Icon::Exclamation);
    EXPECT_NE(ui.last().text.find("TOTALCA2"), std::string::npos) << ui.last().text;
    EXPECT_TRUE(forms::linked_inlet(context, ui, "2")) << "the link stays usable";
}

}  // namespace
}  // namespace pelvane::testing
