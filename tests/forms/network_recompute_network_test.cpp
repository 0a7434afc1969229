// Network recompute over a generated branching network: the same as solving pipe by
// pipe in flow order, and consistent along every link.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/network/flow_order.h"
#include "core/text/number_text.h"
#include "forms/network_recompute.h"
#include "network_recompute_fixture.h"
#include "support/scripted_ui.h"

namespace pelvane::forms {
namespace {

using testing::NetworkProject;

constexpr int kPipes = 90;

std::vector<std::size_t> flow_order_of(const std::vector<store::PipeRecord>& rows) {
    std::vector<network::PipeLinks> links;
    for (const auto& r : rows) {
        links.push_back(
            {r.get("PIPE_NUMBER"),
             {r.get("PRENODE1"), r.get("PRENODE2"), r.get("PRENODE3"), r.get("PRENODE4")}});
    }
    const network::PipeNetwork network(std::move(links), false);
    return network::flow_order(network).order;
}

TEST(NetworkRecomputeBranching, EqualsSolvingPipeByPipeInFlowOrder) {
    NetworkProject whole;
    whole.add(testing::branching_network(kPipes));
    NetworkProject by_hand;
    by_hand.add(testing::branching_network(kPipes));

    testing::ScriptedUi ui;
    const RecomputeSummary summary = recompute_network(whole.context(), ui);
    ASSERT_TRUE(summary.complete()) << recompute_summary_text(summary);
    EXPECT_EQ(summary.recomputed, kPipes);
    EXPECT_EQ(summary.saved, kPipes);

    // Pipe by pipe, each saved before the next one takes it over.
    const auto rows = by_hand.rows();
    for (const std::size_t i : flow_order_of(rows)) {
        const RecomputeSummary one =
            recompute_pipe(by_hand.context(), ui, rows[i].get("PIPE_NUMBER"));
        ASSERT_TRUE(one.complete()) << recompute_summary_text(one);
    }
    EXPECT_EQ(whole.rows(), by_hand.rows());
}

TEST(NetworkRecomputeBranching, EveryLinkCarriesWhatThePipeAboveHands) {
    NetworkProject project;
    project.add(testing::branching_network(kPipes));
    testing::ScriptedUi ui;
    ASSERT_TRUE(recompute_network(project.context(), ui).complete());

    std::map<std::string, store::PipeRecord> by_number;
    for (auto& r : project.rows()) by_number[r.get("PIPE_NUMBER")] = r;
    int computed = 0;
    for (const auto& [number, pipe] : by_number) {
        EXPECT_EQ(pipe.get("FLOW_TYPE").empty(), false) << number;
        if (pipe.get("DISCHARGEVAL") != "CRM") {
            EXPECT_EQ(pipe.get("PIPE_DISCHARGE"), pipe.get("STRUCTURE_DISCHARGE")) << number;
            continue;
        }
        ++computed;
        double ca = text::parse_number(pipe.get("STRUCTURE_CA")).value;
        double largest_q = 0.0;
        for (int k = 1; k <= 4; ++k) {
            const std::string& previous = pipe.get("PRENODE" + std::to_string(k));
            if (previous.empty()) continue;
            const auto& above = by_number.at(previous);
            const std::string n = std::to_string(k);
            EXPECT_EQ(pipe.get("PRECA" + n), above.get("ACCUMULATED_CA")) << number;
            EXPECT_EQ(pipe.get("PRETC" + n), above.get("ACCUMULATED_TC")) << number;
            EXPECT_EQ(pipe.get("PREFLOWTIME" + n), above.get("FLOW_TIME")) << number;
            ca += text::parse_number(above.get("ACCUMULATED_CA")).value;
            largest_q = std::max(largest_q, text::parse_number(above.get("PIPE_DISCHARGE")).value);
        }
        EXPECT_NEAR(text::parse_number(pipe.get("ACCUMULATED_CA")).value, ca, 1e-9) << number;
        // A pipe carries at least what any one pipe above it brings, plus its lateral flow.
        const double lateral = text::parse_number(pipe.get("LATERAL_DISCHARGE")).value;
        EXPECT_GE(text::parse_number(pipe.get("PIPE_DISCHARGE")).value, largest_q + lateral - 5e-4)
            << number;
    }
    EXPECT_GT(computed, kPipes / 2);
}

TEST(NetworkRecomputeBranching, AChangedInletReachesTheOutfall) {
    NetworkProject project;
    project.add(testing::branching_network(kPipes));
    testing::ScriptedUi ui;
    ASSERT_TRUE(recompute_network(project.context(), ui).complete());
    const auto before = project.rows();

    // N80 lies four links above the outfall N1 (N80 → N27 → N9 → N3 → N1), and its
    // own area is edited as in the pipe window, which saves only that pipe.
    ASSERT_EQ(project.text("N80", "DISCHARGEVAL"), "CRM");
    project.set("N80", "STRUCTURE_CA", "3.0");
    const RecomputeSummary summary = recompute_network(project.context(), ui);
    ASSERT_TRUE(summary.complete());
    std::vector<std::string> changed;
    for (const auto& c : summary.changed) changed.push_back(c.pipe);
    EXPECT_EQ(changed, (std::vector<std::string>{"N80", "N27", "N9", "N3", "N1"}));
    for (const auto& c : summary.changed) {
        EXPECT_GT(text::parse_number(c.new_discharge).value,
                  text::parse_number(c.old_discharge).value)
            << c.pipe;
    }
    EXPECT_EQ(summary.saved, 5);
    // The added area arrives whole at the outfall.
    const auto area = [&](const std::vector<store::PipeRecord>& rows, const char* number) {
        for (const auto& r : rows) {
            if (r.get("PIPE_NUMBER") == number) {
                return text::parse_number(r.get("ACCUMULATED_CA")).value;
            }
        }
        return -1.0;
    };
    EXPECT_EQ(project.text("N80", "ACCUMULATED_CA"), "3");
    EXPECT_NEAR(area(project.rows(), "N1") - area(before, "N1"), 3.0 - area(before, "N80"), 1e-9);
    // Nothing beside that path moved.
    const auto after = project.rows();
    int differing = 0;
    for (std::size_t i = 0; i < after.size(); ++i) differing += after[i] == before[i] ? 0 : 1;
    EXPECT_EQ(differing, 5);
}

}  // namespace
}  // namespace pelvane::forms
