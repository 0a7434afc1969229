#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "core/text/number_text.h"
#include "forms/size_pickers.h"

using namespace pelvane::forms;

namespace {

const SizePicker& picker(std::string_view window) {
    const SizePicker* p = find_picker(window);
    if (!p) throw std::runtime_error("no picker " + std::string(window));
    return *p;
}

std::string row_text(std::string_view window, std::size_t index) {
    return picker(window).rows[index].list_text();
}

}  // namespace

TEST(SizePickers, WhichPickerTheSizeHelpOpens) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Elliptical", "ENGLISH", "frmEPipeSize"},  {"Elliptical", "", "frmPipeSizeM"},
        {"Arch-Conc", "Metric", "frmPA_C_M"},       {"Arch-S-Cor", "ENGLISH", "frmPA_CMP_SC_E"},
        {"Arch-L-Cor", "METRIC", "frmPA_CMP_LC_M"},
    };
    for (const auto& [shape, units, window] : cases) {
        const SizePicker* p = picker_for(shape, units);
        ASSERT_TRUE(p) << shape << " " << units;
        EXPECT_EQ(p->window, window);
    }
    for (const char* shape : {"Circular", "Box", ""}) EXPECT_FALSE(picker_for(shape, "METRIC"));
}

TEST(PickedSize, SpanAndRiseLockedArchAlsoMaterial) {
    const SectionChange ellipse = picked_size(picker("frmEPipeSize"), row_text("frmEPipeSize", 3));
    EXPECT_EQ(ellipse.span.text, "19");
    EXPECT_EQ(ellipse.rise.text, "30");
    EXPECT_EQ(ellipse.span.enabled, false);
    EXPECT_EQ(ellipse.rise.enabled, false);
    EXPECT_TRUE(ellipse.pipe_mat.empty() && ellipse.pipe_mann.empty() && ellipse.pipe_dia.empty());

    const SectionChange arch = picked_size(picker("frmPA_CMP_MC_M"), row_text("frmPA_CMP_MC_M", 1));
    EXPECT_EQ(arch.span.text, "1168");
    EXPECT_EQ(arch.rise.text, "914");
    EXPECT_EQ(arch.pipe_mat.text, "CMP (Medium Corr.)");
    EXPECT_EQ(arch.pipe_mat.enabled, false);
    EXPECT_EQ(arch.pipe_mann.text, "0.027");
    EXPECT_EQ(picked_size(picker("frmPA_C_M"), "457\t280").pipe_mann.text, "0.013");
    EXPECT_EQ(picked_size(picker("frmPA_CMP_SC_E"), "17\t13").pipe_mat.text, "CMP (Small Corr.)");
    EXPECT_EQ(picked_size(picker("frmPA_CMP_LC_E"), "73\t55").pipe_mann.text, "0.033");
}
