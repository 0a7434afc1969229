// The help pages as the program folder holds them: every page the windows open
// exists, and every link between pages (with its #anchor) leads somewhere.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "forms/input_conventions.h"
#include "forms/pipe_form_texts.h"
#include "store/project_context.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

std::string read(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(HelpPages, EveryPageTheWindowsOpenAndEveryLinkExists) {
    store::ProjectContext context;
    context.program_folder = testing::program_folder();
    for (const char* topic : {"", "projects", "rainfall", "pipes", "outlet"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(help_page_path(context, topic))) << topic;
    }
    const std::string svg =
        read(context.program_folder / std::string(pipe_form_texts::kDeflectionPicture));
    EXPECT_NE(svg.find(std::string(pipe_form_texts::kDeflectionTitle)), std::string::npos);

    const auto folder = context.program_folder / "help";
    const std::regex link(R"re(href="([^"#:]*)(#[^"]*)?")re");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".html") continue;
        const std::string page = read(entry.path());
        for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it) {
            const std::string target = (*it)[1].str();
            const auto target_path = target.empty() ? entry.path() : folder / target;
            SCOPED_TRACE(entry.path().filename().string() + " -> " + (*it)[0].str());
            ASSERT_TRUE(std::filesystem::is_regular_file(target_path));
            if ((*it)[2].matched) {
                const std::string id = (*it)[2].str().substr(1);
                EXPECT_NE(read(target_path).find("id=\"" + id + "\""), std::string::npos);
            }
        }
    }
}

}  // namespace
}  // namespace pelvane::forms
