#include <gtest/gtest.h>

#include <filesystem>

#include "forms/inlet_link.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

using namespace pelvane;
namespace support = pelvane::testing;

namespace {

std::string sample_inlets() {
    return (support::program_folder() / "samples" / "SampleInlets.gwk").string();
}

}  // namespace

TEST(InletLink, MissingFileIsShownOnceAndTheWindowGoesOn) {
    support::TempFolder folder;
    support::ScriptedUi ui;
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
    support::ScriptedUi ui;
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
    support::TempFolder folder;
    const auto path = folder / "inlets.gwk";
    std::filesystem::copy_file(sample_inlets(), path);
    store::Database::open(path).execute("UPDATE INLET SET TOTALCA2 = NULL WHERE INLET_NUMBER = ?1",
                                        {std::string("3")});

    support::ScriptedUi ui;
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
