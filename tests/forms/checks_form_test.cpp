#include <gtest/gtest.h>

#include "forms/checks_form.h"
#include "store/check_settings.h"
#include "support/legacy_projects.h"
#include "support/report_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {

// The panel on a pipe whose upper rim leaves 0.5 ft of cover: the violation with its
// value, limit and source, the grid's mark, a refused limit, and the grade line
// start kept with the criteria.
TEST(ChecksForm, ListsMarksEditsAndKeepsTheCriteria) {
    testing::TempFolder folder;
    const auto file = folder / "checks.pvd";
    testing::make_network_project(
        file, {}, {testing::pipe_row("O'Brien 1", "2", "1", {{"NODEIN_TOPELE", "103.00"}})});
    store::ProjectContext context = testing::open_project_for_test(file);
    testing::ScriptedUi ui;
    ChecksForm form(context, ui);
    form.open();
    EXPECT_TRUE(store::has_check_settings(context.project_connection));
    ASSERT_EQ(form.violation_count(), 1u) << form.status();
    const ViolationRow row = form.violation_row(0);
    EXPECT_EQ(row.pipe, "O'Brien 1");
    EXPECT_EQ(row.structure, "2");
    EXPECT_EQ(row.value, "cover 0.50 ft");
    EXPECT_EQ(row.limit, "3.00 ft");
    EXPECT_NE(row.source.find("HEC-22 §9.2.4"), std::string::npos);
    EXPECT_NE(form.status().find("skipped"), std::string::npos);
    EXPECT_EQ(form.pipe_marks("O'Brien 1"), "Design checks: min_cover");

    const std::size_t cover = static_cast<std::size_t>(checks::CriterionKey::MinCover);
    EXPECT_FALSE(form.set_limit(cover, "three"));
    EXPECT_EQ(ui.texts().back(),
              "The limit of \"Minimum cover (rim minus crown)\" (criterion 6) must be a number of "
              "0 or more; it stays 3 ft.");
    EXPECT_TRUE(form.set_limit(cover, "0.25"));
    form.set_outfall("1");
    form.set_tailwater("high");
    EXPECT_FALSE(form.save());
    EXPECT_NE(ui.texts().back().find("Tailwater elevation must be a number"), std::string::npos);
    form.set_tailwater("104");
    EXPECT_TRUE(form.save());

    // The grade line now runs from 1 and rises above the rim; the cover passes.
    ChecksForm again(context, ui);
    again.load();
    again.run();
    ASSERT_EQ(again.violation_count(), 1u) << again.status();
    EXPECT_EQ(again.violation_row(0).rule, "Grade line above the rim or within the freeboard");
    EXPECT_EQ(again.criteria_rows()[cover].limit, "0.25");
    EXPECT_TRUE(again.criteria_rows()[static_cast<std::size_t>(checks::CriterionKey::MinSize)]
                    .source.ends_with("(unverified)"));
}

}  // namespace pelvane::forms
