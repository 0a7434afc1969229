// The sample project as the build makes it: fully designed, so a recompute finds
// nothing to change.

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

}  // namespace
}  // namespace pelvane::forms
