// The structures at the ends of a pipe: type resets, number lists, the network
// rules on the numbers and the take-over from other pipes and the inlet database.

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
    EXPECT_EQ(f.take_focus_request(), "nodein_no");

    type("nodein_no", "14");
    type("nodeout_no", "14");
    EXPECT_EQ(ui.last().text, std::string(forms::kNodeOutSameAsNodeIn));
    EXPECT_EQ(text("nodeout_no"), "");
    EXPECT_EQ(text("nodein_no"), "14");

    type("nodein_no", "7");  // where pipe O'Brien 2 starts
    EXPECT_NE(ui.last().text.find("Pipe  - O'Brien 2 -"), std::string::npos) << ui.last().text;
    EXPECT_EQ(text("nodein_no"), "");
    EXPECT_EQ(f.take_focus_request(), "nodein_no");
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

}  // namespace
}  // namespace pelvane::testing
