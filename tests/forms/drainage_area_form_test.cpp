#include <gtest/gtest.h>

#include "core/text/item_list.h"
#include "forms/drainage_area_form.h"

using pelvane::forms::AreaExchange;
using pelvane::forms::DesignSession;
using pelvane::forms::DrainageAreaForm;
using pelvane::forms::FieldName;

namespace {

constexpr int kLawns = 11;  // "0.25 - 0.35"
constexpr int kPaved = 8;   // "0.90 - 0.95"

FieldName cell(FieldName column, int row) {
    return DrainageAreaForm::row_field(column, row);
}

class DrainageAreaFormTest : public ::testing::Test {
  protected:
    DrainageAreaFormTest() { context.units = "ENGLISH"; }

    DrainageAreaForm opened(const AreaExchange& pipe = {}) {
        DrainageAreaForm form(context, session);
        form.open(pipe);
        return form;
    }
    static void type(DrainageAreaForm& form, FieldName column, int row, std::string text) {
        form.fields.set_text(cell(column, row), std::move(text));
        if (column == "Area") {
            form.area_left(row);
        } else {
            form.c_left(row);
        }
    }
    // Lawns 2 at C 0.35 and paved 1.5 at C 0.9.
    static void two_rows(DrainageAreaForm& form) {
        type(form, "Area", kLawns, "2");
        type(form, "Cval", kLawns, "0.35");
        type(form, "Area", kPaved, "1.5");
        type(form, "Cval", kPaved, "0.9");
    }
    static const std::string& text(const DrainageAreaForm& form, FieldName column, int row) {
        return form.fields.text(cell(column, row));
    }

    pelvane::store::ProjectContext context;
    DesignSession session;
};

TEST_F(DrainageAreaFormTest, FreshWindowShowsEveryCAtTheLowEndOfItsRange) {
    const auto form = opened();
    ASSERT_EQ(form.row_count(), 15);
    EXPECT_EQ(text(form, "Cval", 0), "0.80");
    EXPECT_EQ(text(form, "Cval", kLawns), "0.25");
    EXPECT_EQ(form.fields.text("TCA"), "0");
    EXPECT_EQ(session.number_format, "0.000");
}

TEST_F(DrainageAreaFormTest, CIsHeldInsideTheRowsRangeWhenLeft) {
    auto form = opened();
    type(form, "Area", kLawns, "2");
    type(form, "Cval", kLawns, "0.95");
    EXPECT_EQ(text(form, "Cval", kLawns), "0.35");
    EXPECT_EQ(text(form, "CA", kLawns), "0.7");
    type(form, "Cval", kLawns, "0.1");
    EXPECT_EQ(text(form, "Cval", kLawns), "0.25");
    EXPECT_EQ(text(form, "CA", kLawns), "0.5");
    type(form, "Cval", kLawns, "0.3");
    EXPECT_EQ(text(form, "Cval", kLawns), "0.30");
    EXPECT_EQ(text(form, "CA", kLawns), "0.6");
    type(form, "Cval", kLawns, ".");  // a lone point is no value
    EXPECT_EQ(text(form, "Cval", kLawns), "0.25");
}

TEST_F(DrainageAreaFormTest, AreaIsFormattedAndAZeroAreaClearsItsRow) {
    auto form = opened();
    type(form, "Area", 0, " 2 ");
    EXPECT_EQ(text(form, "Area", 0), "2.000");
    EXPECT_EQ(text(form, "CA", 0), "1.6");
    EXPECT_EQ(form.fields.text("TAREA"), "2");
    type(form, "Area", 0, "0");
    EXPECT_EQ(text(form, "Area", 0), "");
    EXPECT_EQ(text(form, "CA", 0), "");
    EXPECT_EQ(form.fields.text("TAREA"), "0");
    EXPECT_EQ(form.fields.text("TCA"), "0");
}

TEST_F(DrainageAreaFormTest, SaveHandsBackTheRowsAndReopeningRestoresThem) {
    auto form = opened();
    two_rows(form);
    EXPECT_EQ(text(form, "CA", kPaved), "1.35");
    EXPECT_EQ(form.fields.text("TCA"), "2.05");  // totals are shortest texts
    form.cmdsavearea();
    ASSERT_TRUE(form.close_requested);
    ASSERT_TRUE(form.saved());
    const AreaExchange saved = *form.saved();
    EXPECT_EQ(saved.structure_area, "3.5");
    EXPECT_EQ(saved.structure_ca, "2.05");
    const auto areas = pelvane::text::split_items(saved.pareabufstr, ',');
    ASSERT_EQ(areas.size(), 15u);
    EXPECT_EQ(areas[kPaved], "1.500");
    EXPECT_EQ(areas[kLawns], "2.000");
    EXPECT_EQ(areas[0], "");
    EXPECT_EQ(pelvane::text::split_items(saved.pcbufstr, ',')[kPaved], "0.90");

    const auto again = opened(saved);
    EXPECT_EQ(text(again, "Area", kPaved), "1.500");
    EXPECT_EQ(text(again, "Cval", kLawns), "0.35");
    EXPECT_EQ(text(again, "CA", 0), "");
    EXPECT_EQ(again.fields.text("TCA"), "2.05");

    auto cancelled = opened(saved);
    type(cancelled, "Area", 0, "4");
    cancelled.cmdcancelarea();
    EXPECT_TRUE(cancelled.close_requested);
    EXPECT_FALSE(cancelled.saved());
}

}  // namespace
