#include <gtest/gtest.h>

#include <fstream>

#include "forms/input_conventions.h"
#include "store/project_context.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

using namespace pelvane::forms;
using pelvane::testing::ScriptedUi;
using pelvane::testing::TempFolder;

namespace {

// Types `keys` into a field the way the key filter lets them through.
std::string type_into(std::string text, const std::string& keys, bool signed_field) {
    for (const char k : keys) {
        const int end = static_cast<int>(text.size());
        if (filter_numeric_key(text, end, 0, static_cast<char32_t>(k), signed_field) ==
            KeyAction::Accept) {
            text.push_back(k);
        }
    }
    return text;
}

}  // namespace

TEST(KeyFilter, OnePointMinusInSignedFieldsEnterMovesOn) {
    EXPECT_EQ(type_into("", "1.2.3", false), "1.23");
    EXPECT_EQ(type_into("", "-12", false), "12");
    EXPECT_EQ(type_into("", "12-3-", true), "12-3-");
    // "1.25" with ".25" selected: the typed point replaces the selection.
    EXPECT_EQ(filter_numeric_key("1.25", 1, 3, U'.', false), KeyAction::Accept);
    EXPECT_EQ(filter_numeric_key("1.25", 2, 2, U'.', false), KeyAction::Swallow);
    EXPECT_EQ(filter_numeric_key("12", 2, 0, U'\r', false), KeyAction::NextField);
    EXPECT_EQ(filter_numeric_key("12", 2, 0, 8, false), KeyAction::Accept);  // Backspace
    EXPECT_EQ(filter_numeric_key("12", 2, 0, U',', false), KeyAction::Swallow);
    EXPECT_EQ(filter_numeric_key("12", 2, 0, U'e', true), KeyAction::Swallow);
}

TEST(FormatOnLeave, NumbersTakeThePatternOtherTextsStay) {
    EXPECT_EQ(format_on_leave("2", "0.000"), "2.000");
    EXPECT_EQ(format_on_leave("", "0.000"), "");
    EXPECT_EQ(format_on_leave("abc", "0.000"), "abc");
    EXPECT_EQ(format_on_leave(" 1.23456 ", "0.00"), "1.23");
}

TEST(ListCheck, PrefixesAcceptedOtherTextsResetWithTheMessage) {
    const std::vector<std::string> units{"ENGLISH", "METRIC"};
    ScriptedUi ui;
    for (std::string ok : {"", "MET", "METRIC", "E"}) {
        EXPECT_FALSE(list_check(ok, units, ui));
    }
    EXPECT_TRUE(ui.shown.empty());

    std::string bad = "X";
    EXPECT_TRUE(list_check(bad, units, ui));
    EXPECT_EQ(bad, "ENGLISH");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, "Value not present in the list... Please enter a valid value..");

    std::string lower = "metric";  // the case counts
    EXPECT_TRUE(list_check(lower, units, ui));
}

TEST(OpenPages, HelpFromTheProgramFolderAndAConfigurableNoaaServer) {
    TempFolder folder;
    pelvane::store::ProjectContext context;
    context.program_folder = folder.path();
    ScriptedUi ui;
    open_help(ui, context);
    open_noaa_page(ui, context);
    ASSERT_EQ(ui.opened.size(), 2u);
    EXPECT_EQ(ui.opened[0], (folder.path() / "help" / "index.html").string());
    EXPECT_EQ(ui.opened[1], "https://hdsc.nws.noaa.gov/hdsc/pfds/pfds_map_cont.html?bkmrk=va");

    std::ofstream(folder / "noaa_server.txt") << "http://mirror.example.org/\n";
    EXPECT_EQ(noaa_page_address(context),
              "http://mirror.example.org/hdsc/pfds/pfds_map_cont.html?bkmrk=va");
}
