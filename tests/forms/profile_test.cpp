// The profile of a run: stations, elevations and labels against the grade line
// engine, and the runs that cannot be drawn.

#include "forms/profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

#include "core/hgl/grade_line.h"
#include "core/hgl/hgl_test_pipes.h"
#include "core/hgl/run.h"

namespace pelvane::forms {
namespace {

// An 18 in pipe (hgl_test_pipes.h) with its own length and inverts.
hgl::HglPipe pipe(std::string number, std::string in, std::string out, std::string length,
                  std::string el_in, std::string el_out) {
    hgl::HglPipe p = hgl::testing::make_pipe(std::move(number), std::move(in), std::move(out));
    p.pipe_length = std::move(length);
    p.pipe_elein = std::move(el_in);
    p.pipe_eleout = std::move(el_out);
    p.nodein_topele = "112.5";
    return p;
}

// Three pipes from D down to OUT, and a branch E -> B that is not on the run; the
// lowest pipe is larger and faster, the highest has no velocity.
std::vector<hgl::HglPipe> network() {
    std::vector<hgl::HglPipe> pipes = {
        pipe("1", "B", "OUT", "100", "101.0", "100.0"), pipe("4", "E", "B", "30", "103.0", "101.3"),
        pipe("2", "C", "B", "50", "102.0", "101.2"), pipe("3", "D", "C", "80", "104.0", "102.2")};
    pipes[0].pipe_dia = "24";
    pipes[0].pipe_velocity = "6.5";
    pipes[3].pipe_velocity = "";
    return pipes;
}
const std::vector<ProfileTexts> kTexts = {
    {"0.01000", "106.0"}, {"", ""}, {"0.01600", ""}, {"0.02250", ""}};

TEST(Profile, DrawsTheRunWithTheGradeLineEngineNumbers) {
    const auto pipes = network();
    const ProfileOutcome made = make_profile(pipes, kTexts, "ENGLISH", "3", "OUT", "101.50");
    ASSERT_TRUE(made.run) << made.problem;
    const ProfileRun& run = *made.run;
    const hgl::HglResult engine = hgl::compute_grade_line(pipes, "OUT", "101.50", "ENGLISH");
    const auto row_of = [&engine](const std::string& node) {
        return *std::find_if(engine.rows.begin(), engine.rows.end(), [&node](const auto& row) {
            return std::get_if<std::string>(&row.field(1)) && row.field(1) == hgl::HglCell{node};
        });
    };

    struct Expected {
        std::string number;
        std::string node;
        double station_down, station_up, invert_up;
    };
    const Expected expected[] = {
        {"1", "B", 0, 100, 101.0}, {"2", "C", 100, 150, 102.0}, {"3", "D", 150, 230, 104.0}};
    ASSERT_EQ(run.pipes.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        const ProfilePipe& p = run.pipes[k];
        const hgl::HglRow row = row_of(expected[k].node);
        SCOPED_TRACE(p.number);
        EXPECT_EQ(p.number, expected[k].number);
        EXPECT_EQ(p.station_down, expected[k].station_down);
        EXPECT_EQ(p.station_up, expected[k].station_up);
        EXPECT_EQ(p.invert_up, expected[k].invert_up);
        EXPECT_EQ(p.invert_down, std::stod(hgl::testing::text_in(row.field(3))));
        EXPECT_EQ(p.rise, hgl::testing::number_in(row.field(4)));
        EXPECT_EQ(p.hgl_down, hgl::testing::number_in(row.field(5)));
        EXPECT_EQ(p.hgl_up, hgl::testing::number_in(row.field(25)));
        EXPECT_EQ(p.rim_up, 112.5);
    }
    // The EGL lies a velocity head above the HGL; a pipe without a velocity has none.
    EXPECT_NEAR(*run.pipes[0].egl_up() - *run.pipes[0].hgl_up, 6.5 * 6.5 / 64.4, 1e-9);
    EXPECT_FALSE(run.pipes[2].egl_down());
    EXPECT_EQ(run.outfall_rim, 106.0);
    EXPECT_EQ(run.tailwater, 101.5);
    EXPECT_EQ(hgl::longest_run_start(pipes, "OUT"), 3u);

    const drawing::Drawing d = profile_drawing(run);
    EXPECT_EQ(d.subtitle,
              "Vertical exaggeration " + std::to_string(vertical_exaggeration(run)) + ":1");
    EXPECT_EQ(d.y_scale, vertical_exaggeration(run));
    // The HGL runs from the outfall up, pipe by pipe, from field 5 to field 25.
    const auto hgl = std::find_if(d.lines.begin(), d.lines.end(), [](const auto& line) {
        return line.pen.colour == drawing::Rgb{0x1f, 0x5f, 0xbf} && line.points.size() == 6;
    });
    ASSERT_NE(hgl, d.lines.end());
    EXPECT_EQ(hgl->points[3], (drawing::Point{150, *run.pipes[1].hgl_up}));
    const auto labelled = [&d](const std::string& text) {
        return std::any_of(d.labels.begin(), d.labels.end(),
                           [&text](const auto& label) { return label.text == text; });
    };
    EXPECT_TRUE(labelled("Pipe 3  18 in  S 0.02250"));
    EXPECT_TRUE(labelled("TW 101.50"));
    EXPECT_TRUE(labelled("OUT"));
    EXPECT_EQ(d.x_ticks.front().text, "0");

    const std::string at = profile_values_at(run, 125.0);
    EXPECT_NE(at.find("Pipe 2"), std::string::npos) << at;
    EXPECT_NE(at.find("Invert 101.60"), std::string::npos) << at;
    EXPECT_EQ(profile_values_at(run, 231.0), "");
}

TEST(Profile, RefusesARunItCannotDraw) {
    auto pipes = network();
    pipes[2].pipe_elein = "abc";
    struct Case {
        std::string start, outfall;
        ProfileOutcome::Choice choice;
        std::string problem;
    } const cases[] = {
        {"9", "OUT", ProfileOutcome::Choice::Start, "no pipe is numbered '9'"},
        {"4", "C", ProfileOutcome::Choice::Outfall, "pipe '4' does not drain to structure 'C'"},
        {"3", "", ProfileOutcome::Choice::None, "pipe '2' cannot be drawn: El. IN is not a number"},
    };
    for (const Case& c : cases) {
        const ProfileOutcome made = make_profile(pipes, kTexts, "ENGLISH", c.start, c.outfall, "");
        EXPECT_FALSE(made.run) << c.start;
        EXPECT_EQ(made.choice, c.choice) << c.start;
        EXPECT_EQ(made.problem, c.problem);
    }
    // Without a structure the run goes down to the end of the network.
    const ProfileOutcome made = make_profile(pipes, kTexts, "ENGLISH", "4", "", "");
    ASSERT_TRUE(made.run);
    EXPECT_EQ(made.run->outfall, "OUT");
    EXPECT_EQ(made.run->length(), 130.0);
}

}  // namespace
}  // namespace pelvane::forms
