// The conventions every window's fields share (keys, formats, lists, ranges) and the
// help pages the windows open.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "forms/input_conventions.h"
#include "forms/input_refusals.h"
#include "forms/pipe_form_texts.h"
#include "store/project_context.h"
#include "support/file_bytes.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

using namespace pelvane::forms;
using pelvane::testing::bytes_of;
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
    EXPECT_TRUE(ui.shown.empty());
    // Where nothing opens it, the person is told where the page is.
    ui.opens = false;
    open_help(ui, context, "pipes");
    EXPECT_TRUE(ui.last().text.ends_with((folder.path() / "help" / "pipes.html").string()));

    std::ofstream(folder / "noaa_server.txt") << "http://mirror.example.org/\n";
    EXPECT_EQ(noaa_page_address(context),
              "http://mirror.example.org/hdsc/pfds/pfds_map_cont.html?bkmrk=va");
}

TEST(InputRanges, RefusesWhatIsNoNumberOrOutsideItsRangeNamingTheFieldAndTheRange) {
    const struct {
        const char* column;
        const char* text;
        const char* units;
        std::optional<std::string> refusal;
    } cases[] = {
        {"PIPE_LENGTH", "1e308", "ENGLISH",
         "pipe length 1e308 is out of range: it must be more than 0 and at most 10000 ft"},
        {"PIPE_LENGTH", "0", "ENGLISH",
         "pipe length 0 is out of range: it must be more than 0 and at most 10000 ft"},
        {"PIPE_LENGTH", "3000", "METRIC", std::nullopt},
        {"PIPE_LENGTH", "3100", "METRIC",
         "pipe length 3100 is out of range: it must be more than 0 and at most 3048 m"},
        {"PIPE_ELEIN", "-12.5", "ENGLISH", std::nullopt},
        {"PIPE_MANN", "13", "ENGLISH",
         "Manning's n 13 is out of range: it must be at least 0.009 and at most 0.06"},
        {"NUMOFPIPES", "2.5", "ENGLISH", "number of barrels 2.5 is not a whole number"},
        {"STRUCTURE_TC", "ten", "ENGLISH", "structure Tc \"ten\" is not a number"},
        {"PCBUFSTR", "0.30,,1.5", "ENGLISH",
         "runoff coefficient C 1.5 is out of range: it must be at least 0 and at most 1"},
        {"PCBUFSTR", "0.30,,0.9", "ENGLISH", std::nullopt},
        {"STRUCTURE_AREA", "", "ENGLISH", std::nullopt},
        {"PIPE_SUMMARY", "anything", "ENGLISH", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(input_refusal_text(c.column, c.text, c.units), c.refusal)
            << c.column << " " << c.text;
    }
}

// The help pages as the program folder holds them: every page the windows open
// exists, and every link between pages (with its #anchor) leads somewhere.
TEST(HelpPages, EveryPageTheWindowsOpenAndEveryLinkExists) {
    pelvane::store::ProjectContext context;
    context.program_folder = pelvane::testing::program_folder();
    for (const char* topic : {"", "projects", "rainfall", "pipes", "outlet"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(help_page_path(context, topic))) << topic;
    }
    const std::string svg =
        bytes_of(context.program_folder / std::string(pipe_form_texts::kDeflectionPicture));
    EXPECT_NE(svg.find(std::string(pipe_form_texts::kDeflectionTitle)), std::string::npos);

    const auto folder = context.program_folder / "help";
    const std::regex link(R"re(href="([^"#:]*)(#[^"]*)?")re");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".html") continue;
        const std::string page = bytes_of(entry.path());
        for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it) {
            const std::string target = (*it)[1].str();
            const auto target_path = target.empty() ? entry.path() : folder / target;
            SCOPED_TRACE(entry.path().filename().string() + " -> " + (*it)[0].str());
            ASSERT_TRUE(std::filesystem::is_regular_file(target_path));
            if ((*it)[2].matched) {
                const std::string id = (*it)[2].str().substr(1);
                EXPECT_NE(bytes_of(target_path).find("id=\"" + id + "\""), std::string::npos);
            }
        }
    }
}
