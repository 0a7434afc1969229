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

TEST(SizePickers, WindowsTitlesListsAndRowCounts) {
    struct Expected {
        const char* window;
        const char* title;
        const char* list;
        std::size_t rows;
    };
    const Expected expected[] = {
        {"frmEPipeSize", "Elliptical Pipe Sizes", "Epipelist", 30},
        {"frmPipeSizeM", "Elliptical Pipe Sizes (Metric)", "EpipelistM", 29},
        {"frmPA_C_E", "Concrete Pipe Arch Sizes (English)", "PA_C_E_list", 17},
        {"frmPA_C_M", "Concrete Pipe Arch Sizes (Metric)", "PA_C_M_list", 17},
        {"frmPA_CMP_SC_E", "CMP Pipe Arch Sizes (Small Corrugations)", "PA_Cmp1_E_list", 12},
        {"frmPA_CMP_SC_M", "CMP Pipe Arch Sizes Metric (Small Corrugations)", "PA_Cmp1_M_list", 12},
        {"frmPA_CMP_MC_E", "CMP Pipe Arch Sizes (Medium Corrugations)", "PA_Cmp2_E_list", 15},
        {"frmPA_CMP_MC_M", "CMP Pipe Arch Sizes Metric (Medium Corrugations)", "PA_Cmp2_M_list",
         15},
        {"frmPA_CMP_LC_E", "CMP Pipe Arch Sizes (Large Corrugations)", "PA_Cmp3_E_list", 34},
        {"frmPA_CMP_LC_M", "CMP Pipe Arch Sizes Metric (Large Corrugations)", "PA_Cmp3_M_list", 34},
    };
    ASSERT_EQ(size_pickers().size(), std::size(expected));
    for (const Expected& e : expected) {
        const SizePicker& p = picker(e.window);
        EXPECT_EQ(p.title, e.title);
        EXPECT_EQ(p.list, e.list);
        EXPECT_EQ(p.rows.size(), e.rows) << e.window;
    }
}

TEST(SizePickers, ExactRowsAsListTexts) {
    // The texts are shown as stored, trailing zeros and all.
    EXPECT_EQ(row_text("frmEPipeSize", 16), "60\t38\t12.440\t0.969");
    EXPECT_EQ(row_text("frmPipeSizeM", 16), "1535\t975\t1.176\t0.298");
    EXPECT_EQ(row_text("frmPA_C_E", 5), "43.75\t26.62\t6.4\t0.68");
    EXPECT_EQ(row_text("frmPA_CMP_LC_M", 33), "5055\t3073\t12.17\t0.908");
}

TEST(SizePickers, EveryFieldIsANumberAndAreasNeverShrink) {
    // Guards the tables against a slipped digit or a swapped row.
    for (const SizePicker& p : size_pickers()) {
        double previous_area = 0.0;
        for (const SizeRow& row : p.rows) {
            for (const std::string_view field : row.columns()) {
                EXPECT_TRUE(pelvane::text::parse_number(field).ok()) << p.window << " " << field;
            }
            const double area = pelvane::text::parse_number(row.area).value;
            EXPECT_GE(area, previous_area) << p.window << " " << row.list_text();
            previous_area = area;
        }
    }
}

TEST(SizePickers, EllipsesComeInUprightTwins) {
    for (const char* window : {"frmEPipeSize", "frmPipeSizeM"}) {
        std::set<std::pair<std::string_view, std::string_view>> sizes;
        for (const SizeRow& row : picker(window).rows) sizes.insert({row.span, row.rise});
        std::vector<std::string> without_twin;
        for (const auto& [span, rise] : sizes) {
            if (!sizes.count({rise, span})) without_twin.push_back(std::string(span));
        }
        const auto expected = std::string(window) == "frmPipeSizeM"
                                  ? std::vector<std::string>{"1535"}
                                  : std::vector<std::string>{};
        EXPECT_EQ(without_twin, expected) << window;
    }
}

TEST(SizePickers, ColumnCaptionsByWindow) {
    using Captions = std::array<std::string_view, 4>;
    EXPECT_EQ(picker("frmEPipeSize").captions,
              (Captions{"Span (Inch)", "Rise (Inch)", "Area Full (Sq. Ft.)", "Hyd. Rad. (Ft.)"}));
    EXPECT_EQ(picker("frmPA_CMP_LC_E").captions, picker("frmEPipeSize").captions);
    EXPECT_EQ(picker("frmPA_C_E").captions,
              (Captions{"Span (in)", "Rise (in)", "Area Full (Sq.Ft.)", "Hyd. Rad. (Ft.)"}));
    for (const SizePicker& p : size_pickers()) {
        if (!p.metric) continue;
        EXPECT_EQ(p.captions[0], "Span (mm)") << p.window;
        EXPECT_EQ(p.captions[1], "Rise (mm)") << p.window;
        EXPECT_EQ(p.captions[2], "Area Full (Sq.M.)") << p.window;
    }
}

TEST(SizePickers, WhichPickerTheSizeHelpOpens) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Elliptical", "ENGLISH", "frmEPipeSize"},  {"Elliptical", "METRIC", "frmPipeSizeM"},
        {"Elliptical", "", "frmPipeSizeM"},         {"Arch-Conc", "ENGLISH", "frmPA_C_E"},
        {"Arch-Conc", "Metric", "frmPA_C_M"},       {"Arch-S-Cor", "ENGLISH", "frmPA_CMP_SC_E"},
        {"Arch-S-Cor", "METRIC", "frmPA_CMP_SC_M"}, {"Arch-M-Cor", "ENGLISH", "frmPA_CMP_MC_E"},
        {"Arch-M-Cor", "METRIC", "frmPA_CMP_MC_M"}, {"Arch-L-Cor", "ENGLISH", "frmPA_CMP_LC_E"},
        {"Arch-L-Cor", "METRIC", "frmPA_CMP_LC_M"},
    };
    for (const auto& [shape, units, window] : cases) {
        const SizePicker* p = picker_for(shape, units);
        ASSERT_TRUE(p) << shape << " " << units;
        EXPECT_EQ(p->window, window);
    }
    for (const char* shape : {"Circular", "Box", "Rectangulr", ""}) {
        EXPECT_FALSE(picker_for(shape, "ENGLISH")) << shape;
        EXPECT_FALSE(picker_for(shape, "METRIC")) << shape;
    }
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

TEST(PickedSize, ShortTextsGiveEmptyFields) {
    const SectionChange one = picked_size(picker("frmEPipeSize"), "23");
    EXPECT_EQ(one.span.text, "23");
    EXPECT_EQ(one.rise.text, "");
    const SectionChange none = picked_size(picker("frmEPipeSize"), "");
    EXPECT_EQ(none.span.text, "");
    EXPECT_EQ(none.rise.text, "");
}
