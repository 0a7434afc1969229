#include <gtest/gtest.h>

#include "forms/size_picker_form.h"
#include "support/scripted_ui.h"

using namespace pelvane;
namespace support = pelvane::testing;
using forms::FieldSet;
using forms::SizePickerForm;

namespace {

const forms::SizePicker& picker(std::string_view window) {
    return *forms::find_picker(window);
}

// The section fields of a pipe window as they stand after a new pipe.
FieldSet new_pipe(std::string_view units) {
    FieldSet fields{forms::field_names::kPipe};
    forms::apply_section_change(fields, forms::new_pipe_section(units));
    return fields;
}

}  // namespace

// The picker's rows and the section rules are the catalogue's; here the window's
// list, its refusal and what a pick does to the pipe window's fields.
TEST(SizePickerForm, SelectWithoutARowRemindsAndStaysOpen) {
    support::ScriptedUi ui;
    SizePickerForm form(picker("frmPA_CMP_LC_M"), ui);
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

TEST(SizePickerForm, PickingAnEllipseLocksSpanAndRiseAndABoxFreesThem) {
    support::ScriptedUi ui;
    FieldSet fields = new_pipe("ENGLISH");
    forms::apply_section_change(fields, forms::shape_chosen("Elliptical", "ENGLISH"));

    SizePickerForm form(picker("frmEPipeSize"), ui);
    form.select_row(9);
    form.select();
    EXPECT_TRUE(form.close_requested);
    ASSERT_TRUE(form.picked());
    forms::apply_section_change(fields, *form.picked());
    EXPECT_EQ(fields.text("span"), "27");
    EXPECT_FALSE(fields.at("rise").enabled);
    EXPECT_TRUE(ui.shown.empty());

    forms::apply_section_change(fields, forms::shape_chosen("Box", "ENGLISH"));
    EXPECT_TRUE(fields.at("rise").enabled);
}
