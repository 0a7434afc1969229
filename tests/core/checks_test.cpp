#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/checks/checks.h"

using namespace pelvane::checks;

namespace {

// A network as a test changes it: the pipes as records, packed when reviewed.
struct Network {
    std::vector<CheckPipe> pipes;
    std::string units;
    std::optional<GradeLineStart> grade_line;
};

// Two 18 in and 24 in pipes from A through B to the outfall C that meet every
// default criterion: crowns drop 0.10 ft at B, cover 3.5 ft or more, 5 cfs well
// inside the capacities, the grade line far below the rims.
Network passing_network() {
    CheckPipe first;
    first.hgl = {"1",   "A",     "B",      "18",  "Circular", "0.013",   "",      "",
                 "100", "99.00", "100.00", "0.8", "5.0",      "1",       "10",    "Junction Box",
                 "NO",  "",      "",       "5.0", "0",        "1+00.00", "105.00"};
    first.nodeout_station = "2+00.00";
    first.nodeout_topele = "104.50";
    first.capacity = "10.0";
    first.flow_type = "PARTIAL FLOW";
    first.froude_no = "0.8";
    CheckPipe second = first;
    second.hgl.pipe_number = "2";
    second.hgl.nodein_no = "B";
    second.hgl.nodeout_no = "C";
    second.hgl.pipe_dia = "24";
    second.hgl.pipe_elein = "98.40";
    second.hgl.pipe_eleout = "97.40";
    second.hgl.nodein_station = "200";
    second.hgl.nodein_topele = "104.5";
    second.nodeout_station = "3+00.00";
    second.nodeout_topele = "103.00";
    return Network{{first, second}, "ENGLISH", GradeLineStart{"C", "98.00"}};
}

// "rule pipe structure" of each violation found.
std::vector<std::string> found(const Network& network, const Criteria& criteria) {
    CheckInput input{{}, network.units, network.grade_line};
    for (const CheckPipe& pipe : network.pipes) input.pipes.emplace_back(pipe);
    std::vector<std::string> out;
    for (const Violation& v : run_checks(input, criteria)) {
        out.push_back(std::string(rule_id(v.rule)) + " " + v.pipe.value_or("-") + " " +
                      v.structure.value_or("-"));
    }
    return out;
}

struct Case {
    const char* what;
    std::function<void(Network&, Criteria&)> change;
    std::vector<std::string> expected;
};

}  // namespace

TEST(DesignChecks, EachRuleFlagsTheNetworkThatBreaksItAndOnlyThatOne) {
    const std::vector<Case> cases = {
        {"passes", [](Network&, Criteria&) {}, {}},
        {"full-flow velocity 2.26 ft/s",
         [](Network& in, Criteria&) { in.pipes[0].capacity = "4.0"; },
         {"min_velocity 1 -"}},
        {"velocity 5 over a maximum of 4",
         [](Network&, Criteria& c) {
             c[CriterionKey::MaxVelocity].enabled = true;
             c[CriterionKey::MaxVelocity].limit = 4.0;
         },
         {"max_velocity 1 -", "max_velocity 2 -"}},
        {"18 in under a minimum of 20 in",
         [](Network&, Criteria& c) { c[CriterionKey::MinSize].limit = 20.0; },
         {"min_size 1 -"}},
        {"15 in below 18 in",
         [](Network& in, Criteria&) { in.pipes[1].hgl.pipe_dia = "15"; },
         {"size_decrease 2 B"}},
        {"crown 0.30 ft above",
         [](Network& in, Criteria&) { in.pipes[1].hgl.pipe_elein = "98.80"; },
         {"crown_drop 2 B"}},
        {"cover 2.5 ft",
         [](Network& in, Criteria&) { in.pipes[0].hgl.nodein_topele = "104.00"; },
         {"min_cover 1 A"}},
        {"tailwater within the freeboard at B",
         [](Network& in, Criteria&) { in.grade_line->tailwater = "103.30"; },
         {"hgl_rim 2 B"}},
        {"12 cfs over a capacity of 10",
         [](Network& in, Criteria&) {
             in.pipes[0].hgl.pipe_discharge = "12.0";
             in.pipes[0].flow_type = "PRESSURE FLOW";
         },
         {"pressure_flow 1 -"}},
        {"Froude 1.5 into B",
         [](Network& in, Criteria&) { in.pipes[0].froude_no = "1.5"; },
         {"supercritical_inflow 1 B"}},
        {"rim of B 104.60 against 104.50, station 2+00 as 200 agrees",
         [](Network& in, Criteria&) { in.pipes[1].hgl.nodein_topele = "104.60"; },
         {"structure_mismatch 2 B"}},
        {"301 ft of 18 in",
         [](Network& in, Criteria&) { in.pipes[0].hgl.pipe_length = "301"; },
         {"max_spacing 1 -"}},
        // A box's top side is wetted when it flows full: the form's friction is 58 % of
        // Manning's, and its grade line stays under the rims where the exact one does not.
        {"48 x 24 box at 200 cfs",
         [](Network& in, Criteria& c) {
             in.pipes[1].hgl.pipe_shape = "Box";
             in.pipes[1].hgl.pipe_dia = "";
             in.pipes[1].hgl.span = "48";
             in.pipes[1].hgl.rise = "24";
             in.pipes[1].hgl.pipe_discharge = "200";
             in.pipes[1].capacity = "250";
             c[CriterionKey::HglFreeboard].limit = 0.0;
         },
         {"exact_hgl_rim 2 B", "exact_hgl_rim 1 A"}},
    };
    for (const Case& c : cases) {
        Network input = passing_network();
        Criteria criteria = Criteria::defaults(input.units);
        c.change(input, criteria);
        EXPECT_EQ(found(input, criteria), c.expected) << c.what;
        // Turned off, a rule finds nothing.
        for (Criterion& item : criteria.all()) item.enabled = false;
        EXPECT_TRUE(found(input, criteria).empty()) << c.what;
    }
}

TEST(DesignChecks, GradeLineRulesNeedAStartAndSpacingBandsFollowTheSize) {
    Network input = passing_network();
    input.grade_line->tailwater = "110.00";
    const Criteria criteria = Criteria::defaults(input.units);
    EXPECT_EQ(found(input, criteria).size(), 2u);
    input.grade_line.reset();
    EXPECT_TRUE(found(input, criteria).empty());

    // 25 in falls between the table's bands and takes the shorter spacing; metric
    // sizes are banded in inches.
    EXPECT_EQ(criteria.spacing_band(25.0), CriterionKey::Spacing24);
    EXPECT_EQ(criteria.spacing_band(27.0), CriterionKey::Spacing36);
    EXPECT_EQ(Criteria::defaults("METRIC").spacing_band(1500.0), CriterionKey::Spacing54);
    EXPECT_EQ(Criteria::defaults("METRIC").spacing_band(1524.0), CriterionKey::SpacingLarger);
}
