// The pipe window's helper windows: the drainage area and the time of concentration.

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "core/text/item_list.h"
#include "forms/drainage_area_form.h"
#include "forms/time_of_concentration_form.h"
#include "support/scripted_ui.h"

using pelvane::forms::Answer;
using pelvane::forms::AreaExchange;
using pelvane::forms::DesignSession;
using pelvane::forms::DrainageAreaForm;
using pelvane::forms::FieldName;
using pelvane::forms::TcExchange;
using pelvane::forms::TimeOfConcentrationForm;
namespace texts = pelvane::forms::tc_texts;

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

class TcFormTest : public ::testing::Test {
  protected:
    TcFormTest() { context.units = "ENGLISH"; }

    TimeOfConcentrationForm opened(const TcExchange& pipe = {}) {
        TimeOfConcentrationForm form(context, session, ui);
        form.open(pipe);
        return form;
    }
    static void fill(TimeOfConcentrationForm& form,
                     std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const auto& [name, text] : values) form.fields.set_text(FieldName::named(name), text);
    }
    // The person ticks or clears a segment's box.
    static void tick(TimeOfConcentrationForm& form, int segment, bool ticked) {
        form.fields.set_text(FieldName::named("CheckTc" + std::to_string(segment)),
                             ticked ? "1" : "0");
        form.check_box_changed(segment);
    }
    static const std::string& text(const TimeOfConcentrationForm& form, FieldName name) {
        return form.fields.text(name);
    }
    // Overland flow of 100 ft at 1 % with C 0.9: 4.149 min.
    static void overland_path(TimeOfConcentrationForm& form) {
        fill(form, {{"flow_distance3", "100"},
                    {"upper_elevation3", "101"},
                    {"lower_elevation3", "100"},
                    {"rational_C_value", "0.9"}});
    }
    // Shallow concentrated flow of 100 ft at 1 % over forest.
    static void shallow_path(TimeOfConcentrationForm& form) {
        fill(form,
             {{"flow_distance1", "100"}, {"upper_elevation1", "101"}, {"lower_elevation1", "100"}});
    }

    pelvane::store::ProjectContext context;
    DesignSession session;
    pelvane::testing::ScriptedUi ui;
};

TEST_F(TcFormTest, SegmentChecksRefuseAndUntickInTheirOrder) {
    auto form = opened();
    fill(form,
         {{"flow_distance1", "100"}, {"upper_elevation1", "100"}, {"lower_elevation1", "100"}});
    tick(form, 1, true);
    EXPECT_EQ(ui.last().text, texts::kUpperBelowLower);
    EXPECT_EQ(text(form, "CheckTc1"), "0");
    EXPECT_EQ(text(form, "txtTc1"), "0.0");

    form.fields.set_text("flow_distance1", "");  // checked before the elevations
    tick(form, 1, true);
    EXPECT_EQ(ui.last().text, texts::kFlowDistanceZero);

    fill(form, {{"txtoutlet_height", "0"}, {"txttravel_length", "500"}});
    tick(form, 5, true);
    EXPECT_EQ(ui.last().text, texts::kDataValueZero);
    EXPECT_EQ(text(form, "CheckTc5"), "0");
    EXPECT_EQ(ui.shown.size(), 3u);
}

TEST_F(TcFormTest, ChannelSegmentByTypedVelocityOrByDepth) {
    auto form = opened();
    fill(form, {{"flow_distance2", "120"},
                {"upper_elevation2", "10"},
                {"lower_elevation2", "9"},
                {"tgd_flow", "0"},
                {"channel_velocity", "2"}});
    tick(form, 2, true);
    EXPECT_EQ(text(form, "txtTc2"), "1.000");
    EXPECT_EQ(text(form, "slope2"), "0.0083");

    // A depth drives the velocity: 1.486 / 0.016 * 0.5^(2/3) * 0.1 = 5.851 ft/s,
    // and the time follows the velocity as shown.
    tick(form, 2, false);
    fill(form, {{"flow_distance2", "100"},
                {"upper_elevation2", "1"},
                {"lower_elevation2", "0"},
                {"tgd_flow", "0.5"}});
    tick(form, 2, true);
    EXPECT_EQ(text(form, "channel_velocity"), "5.851");
    EXPECT_EQ(text(form, "txtTc2"), "0.285");

    // A pipe segment flows full: 18 in at 1 %, 300 / 5.944 / 60 min.
    fill(form, {{"flow_distance4", "300"},
                {"upper_elevation4", "3"},
                {"lower_elevation4", "0"},
                {"gn4", "0.013"},
                {"pipe_dia", "1.5"}});
    tick(form, 4, true);
    EXPECT_EQ(text(form, "pipe_velocity"), "5.944");
    EXPECT_EQ(text(form, "txtTc4"), "0.841");
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(TcFormTest, ShortTotalAsksForTheFiveMinuteDefault) {
    auto form = opened();
    fill(form, {{"flow_distance2", "192"},
                {"upper_elevation2", "10"},
                {"lower_elevation2", "9"},
                {"channel_velocity", "1"}});
    tick(form, 2, true);
    ASSERT_EQ(text(form, "computedPTc"), "3.200");

    ui.answers.push_back(Answer::Cancel);
    form.cmdsavePTc();
    EXPECT_EQ(ui.last().text, texts::kDefaultTcQuestion);
    EXPECT_FALSE(form.close_requested);
    EXPECT_FALSE(form.saved());
    EXPECT_EQ(text(form, "computedPTc"), "3.200");

    ui.answers.push_back(Answer::Ok);
    form.cmdsavePTc();
    ASSERT_TRUE(form.close_requested);
    ASSERT_TRUE(form.saved());
    EXPECT_EQ(text(form, "computedPTc"), "5.0");
    EXPECT_EQ(form.saved()->structure_Tc, "5.0");
    EXPECT_EQ(form.saved()->Check_ComputeTc, "0");
    EXPECT_EQ(form.saved()->PTcStr, "");
}

TEST_F(TcFormTest, SegmentsAddUpAndAreComputedAgainOnReopening) {
    auto form = opened();
    overland_path(form);
    tick(form, 3, true);
    EXPECT_EQ(text(form, "slope3"), "0.0100");
    EXPECT_EQ(text(form, "txtTc3"), "4.149");
    EXPECT_EQ(text(form, "computedPTc"), "4.149");
    shallow_path(form);
    tick(form, 1, true);
    const std::string total = text(form, "computedPTc");
    form.cmdsavePTc();
    ASSERT_TRUE(form.saved());
    const TcExchange saved = *form.saved();
    EXPECT_EQ(saved.structure_Tc, total);
    EXPECT_EQ(saved.Check_ComputeTc, "1");
    EXPECT_EQ(saved.PTcoptionstr, "1,0,1,0,0");
    EXPECT_EQ(pelvane::text::split_items(saved.PTcStr, ',').size(), 15u);
    EXPECT_EQ(pelvane::text::split_items(saved.pTcStr2, ',').size(), 21u);

    // Times stored in the buffer are not trusted: the ticked segments are computed
    // again from their inputs.
    TcExchange tampered = saved;
    auto first = pelvane::text::split_items(tampered.PTcStr, ',');
    const std::string tc1 = first[6];
    first[6] = "99.000";
    tampered.PTcStr = pelvane::text::join_items(first, ',');
    auto again = opened(tampered);
    EXPECT_EQ(text(again, "CheckTc1"), "1");
    EXPECT_EQ(text(again, "CheckTc3"), "1");
    EXPECT_EQ(text(again, "CheckTc2"), "0");
    EXPECT_EQ(text(again, "txtTc1"), tc1);
    EXPECT_EQ(text(again, "txtTc3"), "4.149");
    EXPECT_EQ(text(again, "computedPTc"), total);
    EXPECT_TRUE(ui.shown.empty());

    // An unticked segment counts no more.
    tick(again, 3, false);
    EXPECT_EQ(text(again, "txtTc3"), "0.0");
    EXPECT_EQ(text(again, "computedPTc"), tc1);
}

TEST_F(TcFormTest, FlowDistanceLimitsOnLeaving) {
    struct Case {
        const char* units;
        pelvane::forms::FieldName field;
        const char* typed;
        const char* kept;
        const char* message;  // nullptr: none
    };
    for (const Case& c :
         {Case{"ENGLISH", "flow_distance1", "350", "300.000", texts::kShallowLengthFeet},
          Case{"ENGLISH", "flow_distance3", "250", "200.000", texts::kOverlandLength},
          Case{"ENGLISH", "flow_distance1", "", "0.000", nullptr},
          Case{"METRIC", "flow_distance1", "95", "90.0000", texts::kShallowLengthMetres},
          Case{"METRIC", "flow_distance3", "150", "150.0000", nullptr}}) {
        SCOPED_TRACE(std::string(c.units) + " " + c.field.str() + " " + c.typed);
        context.units = c.units;
        ui.clear();
        auto form = opened();
        form.fields.set_text(c.field, c.typed);
        form.field_left(c.field);
        EXPECT_EQ(text(form, c.field), c.kept);
        if (c.message) {
            ASSERT_EQ(ui.shown.size(), 1u);
            EXPECT_EQ(ui.last().text, c.message);
        } else {
            EXPECT_TRUE(ui.shown.empty());
        }
    }
}

}  // namespace
