// The sample project as the build makes it: fully designed, so a recompute finds
// nothing to change, and an inlet's larger area reaches every pipe below it.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/text/number_text.h"
#include "forms/drainage_area_form.h"
#include "forms/network_recompute.h"
#include "store/pipe_table.h"
#include "support/legacy_projects.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace pelvane::forms {
namespace {

double number(const std::string& text) {
    return text::parse_number(text).value;
}

class SampleRecompute : public ::testing::Test {
  protected:
    SampleRecompute() {
        std::filesystem::copy_file(testing::program_folder() / "samples" / "Sample.pvd", file_);
        context_ = testing::open_project_for_test(file_);
    }
    store::PipeTable pipes() const { return store::PipeTable(context_.project_connection); }
    store::PipeRecord pipe(const std::string& number) const { return *pipes().find(number); }

    testing::TempFolder folder_;
    std::filesystem::path file_ = folder_ / "Sample.pvd";
    store::ProjectContext context_;
    testing::ScriptedUi ui_;
};

TEST_F(SampleRecompute, EveryStoredValueIsWhatTheWindowsCompute) {
    const auto before = pipes().all_in_table_order();
    const RecomputeSummary summary = recompute_network(context_, ui_);
    ASSERT_TRUE(summary.complete()) << recompute_summary_text(summary);
    EXPECT_EQ(summary.recomputed, 9);
    EXPECT_EQ(summary.saved, 0) << recompute_summary_text(summary);
    EXPECT_EQ(pipes().all_in_table_order(), before);

    // The areas kept with the yard inlet and the junction box give their totals.
    for (const std::string n : {"1", "9"}) {
        const auto p = pipe(n);
        DrainageAreaForm area(context_);
        area.open({p.get("PAREABUFSTR"), p.get("PCBUFSTR"), "", ""});
        area.cmdsavearea();
        EXPECT_EQ(area.saved()->structure_area, p.get("STRUCTURE_AREA")) << n;
        EXPECT_EQ(area.saved()->structure_ca, p.get("STRUCTURE_CA")) << n;
    }
    EXPECT_EQ(pipe("9").get("PTCOPTIONSTR"), "1,0,1,0,0");
    EXPECT_GT(number(pipe("9").get("STRUCTURE_TC")), 5.0);
}

TEST_F(SampleRecompute, ALargerAreaAtTheTopReachesTheOutfall) {
    const auto before = pipes().all_in_table_order();
    // The yard inlet, the top of the left run, drains more lots: its area window is
    // saved with a larger area and the pipe is solved and saved again.
    auto yard = pipe("9");
    DrainageAreaForm area(context_);
    area.open({yard.get("PAREABUFSTR"), yard.get("PCBUFSTR"), "", ""});
    area.fields.set_text(DrainageAreaForm::row_field("Area", 6), "1.6");
    area.area_left(6);
    area.cmdsavearea();
    store::PipeRecord change;
    change.set("PAREABUFSTR", area.saved()->pareabufstr);
    change.set("STRUCTURE_AREA", area.saved()->structure_area);
    change.set("STRUCTURE_CA", area.saved()->structure_ca);
    pipes().update("9", change);
    ASSERT_TRUE(recompute_pipe(context_, ui_, "9").complete());

    const RecomputeSummary summary = recompute_network(context_, ui_);
    ASSERT_TRUE(summary.complete()) << recompute_summary_text(summary);
    std::vector<std::string> changed;
    for (const auto& c : summary.changed) {
        changed.push_back(c.pipe);
        EXPECT_GT(number(c.new_discharge), number(c.old_discharge)) << c.pipe;
    }
    // The left run down to the junction box, then the outfall pipe.
    EXPECT_EQ(changed, (std::vector<std::string>{"8", "7", "6", "1"}));
    // The added C·A arrives whole at the outfall pipe.
    const auto old_outfall = before[0];
    EXPECT_NEAR(number(pipe("1").get("ACCUMULATED_CA")) - number(old_outfall.get("ACCUMULATED_CA")),
                0.3 * (1.6 - 0.85), 1e-9);
    // The right run is untouched.
    for (const std::string n : {"2", "3", "4", "5"}) {
        EXPECT_EQ(pipe(n).get("PIPE_DISCHARGE"),
                  before[static_cast<std::size_t>(std::stoi(n) - 1)].get("PIPE_DISCHARGE"));
    }
}

}  // namespace
}  // namespace pelvane::forms
