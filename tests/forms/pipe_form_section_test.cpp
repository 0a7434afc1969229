// The pipe itself: the number check, the slope rule, and the section through the
// catalogue and its help windows.

#include "pipe_form_fixture.h"

using namespace pelvane;

namespace pelvane::testing {
namespace {

class PipeSectionTest : public PipeFormTest {};

TEST_F(PipeSectionTest, ANewNumberIsCheckedWhenTheLengthIsReached) {
    make_project();
    add_pipe({{"PIPE_NUMBER", "O'Brien 1"}});
    auto& f = open("add");
    f.tab = 2;
    f.field_entered("pipe_length");
    EXPECT_EQ(ui.last().text,
              "pipe number can't be blank. Please enter a valid unique Pipe Number!");
    EXPECT_EQ(f.tab, 0);
    EXPECT_EQ(f.take_focus_request(), "pipe_number");

    f.fields.set_text("pipe_number", "O'Brien 1");
    f.field_entered("pipe_length");
    EXPECT_EQ(ui.last().text,
              "O'Brien 1 already exists in the database! Please enter a valid unique Pipe Number");
    EXPECT_EQ(text("pipe_number"), "");
    EXPECT_EQ(f.take_focus_request(), "pipe_number");

    ui.clear();
    f.fields.set_text("pipe_number", "O'Brien 2");
    f.field_entered("pipe_length");
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(PipeSectionTest, SlopeFollowsTheLengthAndInvertElevations) {
    make_project();
    open("add");
    type("pipe_number", "8");
    type("pipe_length", "");
    EXPECT_EQ(text("pipe_slope"), "0.0") << "an empty length: no slope and no message";
    type("pipe_length", "250");
    EXPECT_EQ(text("pipe_length"), "250.000");
    type("pipe_elein", "2081.2");
    EXPECT_EQ(text("pipe_slope"), "0.0");
    type("pipe_eleout", "2081.2");
    EXPECT_EQ(ui.last().text, "Pipe El. OUT must be less than Pipe El.IN!");
    EXPECT_EQ(text("pipe_slope"), "0.0");
    EXPECT_EQ(ui.shown.size(), 1u);

    type("pipe_eleout", "2079.95");
    EXPECT_EQ(text("pipe_eleout"), "2079.950");
    EXPECT_EQ(text("pipe_slope"), "0.00500");
    type("pipe_elein", "-1");  // a pipe below the datum still has to fall
    EXPECT_EQ(text("pipe_elein"), "-1.000");
    EXPECT_EQ(text("pipe_slope"), "0.0");
    EXPECT_EQ(ui.shown.size(), 2u);
}

TEST_F(PipeSectionTest, ShapeAndMaterialFollowTheCatalogue) {
    make_project();
    auto& f = open("add");
    pick("pipe_shape", "Arch-S-Cor");
    EXPECT_EQ(text("pipe_mann"), "0.024");
    EXPECT_FALSE(f.fields.at("pipe_mat").enabled);
    EXPECT_EQ(text("status_section"), "Arch-S-Cor - CMP (Small Corr.)");

    pick("pipe_shape", "Elliptical");
    pick("pipe_mat", "Brick");
    EXPECT_EQ(text("pipe_mann"), "0.017");
    type("span", "");
    EXPECT_EQ(text("span"), "23");
}

TEST_F(PipeSectionTest, SizeHelpOpensThePickerOfTheShapeAndTakesThePickedSize) {
    make_project("METRIC");
    auto& f = open("add");
    f.pipeshape_help();
    EXPECT_TRUE(windows.opened.empty()) << "a circular pipe has no picker";

    pick("pipe_shape", "Arch-M-Cor");
    windows.picker = [](forms::SizePickerForm& picker) {
        picker.select_row(2);
        picker.select();
    };
    f.pipeshape_help();
    ASSERT_EQ(windows.opened, (std::vector<std::string>{"frmPA_CMP_MC_M"}));
    EXPECT_EQ(text("span"), "1346");
    EXPECT_FALSE(f.fields.at("span").enabled);

    // Cancel changes nothing.
    windows.picker = [](forms::SizePickerForm& picker) { picker.cancel(); };
    f.pipeshape_help();
    EXPECT_EQ(text("span"), "1346");

    f.pipeskew_help();
    EXPECT_EQ(windows.opened.back(), "frmskew");
}

}  // namespace
}  // namespace pelvane::testing
