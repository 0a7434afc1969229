// The rules that tie the section fields of the pipe window together, and the size
// pickers: which one the size help opens, the window's refusal, and what a pick does
// to the section fields. The rows are the catalogue's.

#include <gtest/gtest.h>

#include "forms/section_rules.h"
#include "forms/size_picker_form.h"
#include "support/scripted_ui.h"

using namespace pelvane;
namespace support = pelvane::testing;
using forms::FieldSet;
using forms::SizePickerForm;

namespace {

// The section fields of a pipe window as they stand after a new pipe.
FieldSet new_pipe(std::string_view units) {
    FieldSet fields{forms::field_names::kPipe};
    forms::apply_section_change(fields, forms::new_pipe_section(units));
    return fields;
}

// Text, enabled and highlighted of a change, "-" where the change leaves it alone.
std::string describe(const forms::FieldChange& c) {
    auto flag = [](const std::optional<bool>& b) { return b ? (*b ? "1" : "0") : "-"; };
    return (c.text ? "'" + *c.text + "'" : std::string("-")) + " " + flag(c.enabled) + " " +
           flag(c.highlighted);
}

}  // namespace

TEST(ShapeChosen, ArchLocksItsMaterialAndN) {
    const forms::SectionChange c = forms::shape_chosen("Arch-S-Cor", "ENGLISH");
    EXPECT_EQ(describe(c.pipe_mat), "'CMP (Small Corr.)' 0 0");
    EXPECT_EQ(describe(c.pipe_mann), "'0.024' - -");
    EXPECT_EQ(describe(c.pipe_dia), "'' 0 1");
    EXPECT_EQ(describe(c.span), "'23' 1 0");
    EXPECT_EQ(describe(c.rise), "'14' 1 0");

    const forms::SectionChange metric = forms::shape_chosen("Arch-Conc", "METRIC");
    EXPECT_EQ(describe(metric.pipe_mat), "'Concrete' 0 0");
    EXPECT_EQ(describe(metric.pipe_mann), "'0.013' - -");
    EXPECT_EQ(describe(metric.span), "'585' 1 0");
    EXPECT_EQ(describe(metric.rise), "'355' 1 0");
}

// The picker of each shape and units (any units but ENGLISH are metric), and what
// its rows give: span and rise, locked; an arch's also its material, locked, and n.
TEST(SizePickerForm, EachShapeOpensItsPickerAndAPickLocksTheSize) {
    const struct {
        const char* shape;
        const char* units;
        const char* window;
        std::size_t row;
        const char* material;  // nullptr: no arch, the material and n are left alone
        const char* n;
    } cases[] = {
        {"Elliptical", "ENGLISH", "frmEPipeSize", 3, nullptr, nullptr},
        {"Elliptical", "", "frmPipeSizeM", 0, nullptr, nullptr},
        {"Arch-Conc", "Metric", "frmPA_C_M", 0, "Concrete", "0.013"},
        {"Arch-S-Cor", "ENGLISH", "frmPA_CMP_SC_E", 0, "CMP (Small Corr.)", "0.024"},
        {"Arch-M-Cor", "METRIC", "frmPA_CMP_MC_M", 1, "CMP (Medium Corr.)", "0.027"},
        {"Arch-L-Cor", "METRIC", "frmPA_CMP_LC_M", 5, "CMP (Large Corr.)", "0.033"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shape) + " " + c.units);
        const forms::SizePicker* picker = forms::picker_for(c.shape, c.units);
        ASSERT_TRUE(picker);
        EXPECT_EQ(picker->window, c.window);
        support::ScriptedUi ui;
        SizePickerForm form(*picker, ui);
        form.select_row(c.row);
        form.select();
        EXPECT_TRUE(form.close_requested);
        ASSERT_TRUE(form.picked());
        const forms::SectionChange& change = *form.picked();
        EXPECT_EQ(change.span.text, picker->rows[c.row].span);
        EXPECT_EQ(change.rise.text, picker->rows[c.row].rise);
        EXPECT_EQ(change.span.enabled, false);
        EXPECT_EQ(change.rise.enabled, false);
        if (c.material) {
            EXPECT_EQ(change.pipe_mat.text, c.material);
            EXPECT_EQ(change.pipe_mat.enabled, false);
            EXPECT_EQ(change.pipe_mann.text, c.n);
        } else {
            EXPECT_TRUE(change.pipe_mat.empty() && change.pipe_mann.empty());
        }
        EXPECT_TRUE(change.pipe_dia.empty());
        EXPECT_TRUE(ui.shown.empty());
    }
    for (const char* shape : {"Circular", "Box", ""})
        EXPECT_FALSE(forms::picker_for(shape, "METRIC"));

    // Applied to the pipe window, the pick locks the ellipse's size; a box frees it.
    support::ScriptedUi ui;
    FieldSet fields = new_pipe("ENGLISH");
    forms::apply_section_change(fields, forms::shape_chosen("Elliptical", "ENGLISH"));
    SizePickerForm form(*forms::find_picker("frmEPipeSize"), ui);
    form.select_row(9);
    form.select();
    forms::apply_section_change(fields, *form.picked());
    EXPECT_EQ(fields.text("span"), "27");
    EXPECT_FALSE(fields.at("rise").enabled);
    forms::apply_section_change(fields, forms::shape_chosen("Box", "ENGLISH"));
    EXPECT_TRUE(fields.at("rise").enabled);
}

TEST(SizePickerForm, SelectWithoutARowRemindsAndStaysOpen) {
    support::ScriptedUi ui;
    SizePickerForm form(*forms::find_picker("frmPA_CMP_LC_M"), ui);
    ASSERT_EQ(form.list().items.size(), 34u);
    form.select();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, "Please Select Pipe Size!");
    EXPECT_FALSE(form.close_requested);
    EXPECT_FALSE(form.picked());

    form.select_row(34);  // one past the last row
    EXPECT_EQ(form.list().text, "");
    form.select();
    EXPECT_EQ(ui.shown.size(), 2u);

    form.select_row(4);
    form.cancel();
    EXPECT_TRUE(form.close_requested);
    EXPECT_FALSE(form.picked());
}
