#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "core/text/item_list.h"
#include "forms/time_of_concentration_form.h"
#include "support/scripted_ui.h"

using pelvane::forms::Answer;
using pelvane::forms::DesignSession;
using pelvane::forms::Icon;
using pelvane::forms::TcExchange;
using pelvane::forms::TimeOfConcentrationForm;
namespace texts = pelvane::forms::tc_texts;

namespace {

constexpr const char* kFallow = "Fallow,Contour cropped,woodland (0.152)";

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
        for (const auto& [name, text] : values) form.fields.set_text(name, text);
    }
    // The person ticks or clears a segment's box.
    static void tick(TimeOfConcentrationForm& form, int segment, bool ticked) {
        form.fields.set_text("CheckTc" + std::to_string(segment), ticked ? "1" : "0");
        form.check_box_changed(segment);
    }
    static const std::string& text(const TimeOfConcentrationForm& form, const char* name) {
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

TEST_F(TcFormTest, FreshWindowFollowsTheUnits) {
    for (const auto& [units, format, length, velocity] :
         std::vector<std::tuple<const char*, const char*, const char*, const char*>>{
             {"ENGLISH", "0.000", "ft", "ft/sec"}, {"METRIC", "0.0000", "m", "m/sec"}}) {
        context.units = units;
        const auto form = opened();
        EXPECT_EQ(session.number_format, format);
        EXPECT_EQ(text(form, "length_unit"), length);
        EXPECT_EQ(text(form, "velocity_unit"), velocity);
        EXPECT_EQ(text(form, "computedPTc"), "0.0");
        EXPECT_EQ(form.fields.at("landuse_type").items.size(), 8u);
    }
}

TEST_F(TcFormTest, SeelyeSegmentAndTheTotal) {
    auto form = opened();
    overland_path(form);
    tick(form, 3, true);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(text(form, "slope3"), "0.0100");
    EXPECT_EQ(text(form, "txtTc3"), "4.149");
    EXPECT_EQ(text(form, "computedPTc"), "4.149");
    tick(form, 3, false);
    EXPECT_EQ(text(form, "txtTc3"), "0.0");
    EXPECT_EQ(text(form, "computedPTc"), "0.000");
}

TEST_F(TcFormTest, SegmentChecksRefuseAndUntickInTheirOrder) {
    auto form = opened();
    fill(form,
         {{"flow_distance1", "100"}, {"upper_elevation1", "100"}, {"lower_elevation1", "100"}});
    tick(form, 1, true);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.last().text, texts::kUpperBelowLower);
    EXPECT_EQ(ui.last().title, "Error");
    EXPECT_EQ(ui.last().icon, Icon::Exclamation);
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

TEST_F(TcFormTest, FailingArithmeticIsADataError) {
    auto form = opened();
    fill(form, {{"flow_distance2", "120"},
                {"upper_elevation2", "10"},
                {"lower_elevation2", "9"},
                {"tgd_flow", "0.5"},
                {"gn", "0"}});
    tick(form, 2, true);
    EXPECT_EQ(ui.last().text, texts::kDataError);
    EXPECT_EQ(ui.last().title, "Error");
    EXPECT_EQ(text(form, "CheckTc2"), "0");
    EXPECT_EQ(text(form, "txtTc2"), "0.0");
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

TEST_F(TcFormTest, KirpichUsesTheChosenSurfaceFactor) {
    auto form = opened();
    fill(form, {{"txtoutlet_height", "10"}, {"txttravel_length", "500"}});
    tick(form, 5, true);
    const double natural = std::stod(text(form, "txtTc5"));
    tick(form, 5, false);
    form.fields.set_text("surface_type", "Concrete channels");
    form.choose("surface_type");
    EXPECT_EQ(text(form, "txtsurface_factor"), "0.2");
    tick(form, 5, true);
    EXPECT_EQ(text(form, "txtsurface_factor"), "0.2");
    EXPECT_NEAR(std::stod(text(form, "txtTc5")), 0.2 * natural, 0.001);
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
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.last().question);
    EXPECT_EQ(ui.last().text, texts::kDefaultTcQuestion);
    EXPECT_EQ(ui.last().buttons, pelvane::forms::Buttons::OkCancel);
    EXPECT_EQ(ui.last().icon, Icon::Exclamation);
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

TEST_F(TcFormTest, SavedSegmentsAreComputedAgainOnReopening) {
    auto form = opened();
    shallow_path(form);
    tick(form, 1, true);
    overland_path(form);
    tick(form, 3, true);
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
    const auto again = opened(tampered);
    EXPECT_EQ(text(again, "CheckTc1"), "1");
    EXPECT_EQ(text(again, "CheckTc3"), "1");
    EXPECT_EQ(text(again, "CheckTc2"), "0");
    EXPECT_EQ(text(again, "txtTc1"), tc1);
    EXPECT_EQ(text(again, "txtTc3"), "4.149");
    EXPECT_EQ(text(again, "computedPTc"), total);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(TcFormTest, LandCoverWithCommasSurvivesTheBuffer) {
    auto form = opened();
    form.fields.set_text("landuse_type", kFallow);
    form.choose("landuse_type");
    EXPECT_EQ(text(form, "intercept_coeff"), "0.152");
    shallow_path(form);
    tick(form, 1, true);
    fill(form, {{"flow_distance3", "200"},
                {"upper_elevation3", "102"},
                {"lower_elevation3", "100"},
                {"rational_C_value", "0.21"}});
    tick(form, 3, true);
    fill(form, {{"gn", "0.020"}, {"channel_velocity", "1.5"}});
    form.cmdsavePTc();
    ASSERT_TRUE(form.saved());
    EXPECT_EQ(pelvane::text::split_items(form.saved()->PTcStr, ',').size(), 15u);

    const auto again = opened(*form.saved());
    EXPECT_EQ(text(again, "landuse_type"), kFallow);
    EXPECT_EQ(text(again, "intercept_coeff"), "0.152");
    EXPECT_EQ(text(again, "txtTc1"), text(form, "txtTc1"));
    EXPECT_EQ(text(again, "gn"), "0.020");
    EXPECT_EQ(text(again, "channel_velocity"), "1.5");
    EXPECT_EQ(text(again, "computedPTc"), text(form, "computedPTc"));
}

TEST_F(TcFormTest, BuffersWrittenWithPlainCommasStillRead) {
    const TcExchange legacy{
        std::string("100.000,101.000,100.000,1.000,") + kFallow +
            ",0.152,0.0,120.000,10.000,9.000,0.0083,0.016,0.0,2.000,1.000",
        "100.000,101.000,100.000,0.0100,Paved,0.9,4.149,,,Natural basin with well defined "
        "channel,1.0,0.0,,,,,0.016,,,0.0,5.149",
        "0,1,1,0,0", "5.149", "1"};
    const auto form = opened(legacy);
    EXPECT_EQ(text(form, "landuse_type"), kFallow);
    EXPECT_EQ(text(form, "intercept_coeff"), "0.152");
    EXPECT_EQ(text(form, "channel_velocity"), "2.000");
    EXPECT_EQ(text(form, "soil_type"), "Paved");
    EXPECT_EQ(text(form, "txtTc1"), "0.0");
    EXPECT_EQ(text(form, "txtTc2"), "1.000");
    EXPECT_EQ(text(form, "txtTc3"), "4.149");
    EXPECT_EQ(text(form, "computedPTc"), "5.149");
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(TcFormTest, FlowDistanceLimitsOnLeaving) {
    struct Case {
        const char* units;
        const char* field;
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
        SCOPED_TRACE(std::string(c.units) + " " + c.field + " " + c.typed);
        context.units = c.units;
        ui.clear();
        auto form = opened();
        form.fields.set_text(c.field, c.typed);
        form.field_left(c.field);
        EXPECT_EQ(text(form, c.field), c.kept);
        if (c.message) {
            ASSERT_EQ(ui.shown.size(), 1u);
            EXPECT_EQ(ui.last().text, c.message);
            EXPECT_EQ(ui.last().icon, Icon::Exclamation);
        } else {
            EXPECT_TRUE(ui.shown.empty());
        }
    }
}

TEST_F(TcFormTest, LeavingFieldsFormatsAndShowsTheSlope) {
    auto form = opened();
    shallow_path(form);
    form.field_left("lower_elevation1");
    EXPECT_EQ(text(form, "lower_elevation1"), "100.000");
    EXPECT_EQ(text(form, "slope1"), "1.0000");  // percent
    form.fields.set_text("upper_elevation2", "5");
    form.field_left("upper_elevation2");
    EXPECT_EQ(text(form, "upper_elevation2"), "5.000");
    form.fields.set_text("lower_elevation2", "4");
    form.field_left("lower_elevation2");  // no flow distance yet
    EXPECT_EQ(ui.last().text, texts::kSlopeDivideByZero);
    EXPECT_EQ(text(form, "slope2"), "");
    form.fields.set_text("gn", ".0125");
    form.field_left("gn");
    EXPECT_EQ(text(form, "gn"), "0.013");
}

TEST_F(TcFormTest, GeometryOrVelocityDrivesASegmentNeverBoth) {
    auto form = opened();
    fill(form, {{"channel_velocity", "3"}, {"tgd_flow", "0.25"}});
    form.field_left("tgd_flow");
    EXPECT_EQ(text(form, "tgd_flow"), "0.250");
    EXPECT_EQ(text(form, "channel_velocity"), "0.0");
    fill(form, {{"pipe_dia", "1.5"}, {"pipe_velocity", "4"}});
    form.field_left("pipe_velocity");
    EXPECT_EQ(text(form, "pipe_velocity"), "4.000");
    EXPECT_EQ(text(form, "pipe_dia"), "0.0");
    form.fields.set_text("channel_velocity", "0");
    form.field_left("channel_velocity");
    EXPECT_EQ(text(form, "tgd_flow"), "0.250");  // zero drives nothing
}

TEST_F(TcFormTest, CancelHandsBackNothing) {
    auto form = opened();
    overland_path(form);
    tick(form, 3, true);
    form.cmdcancelPTc();
    EXPECT_TRUE(form.close_requested);
    EXPECT_FALSE(form.saved());
}

}  // namespace
