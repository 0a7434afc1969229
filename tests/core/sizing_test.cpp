// Sizing against Manning's full-flow formula worked out here: each sized pipe
// carries its discharge, the next smaller standard size of its shape does not (or is
// smaller than a pipe flowing into it), and no pipe is smaller than those above it.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/network/sizing.h"
#include "core/pipe/catalogue.h"
#include "forms/size_pickers.h"

namespace pelvane::network {
namespace {

using S = SizingStatus;

struct TestPipe {
    const char* shape;
    const char* dia;
    const char* span;
    const char* rise;
    double discharge;
    double slope;
    std::vector<std::size_t> upstream;
    S expected = S::Sized;
};

struct TestNetwork {
    const char* units;
    SizingLimits limits;
    std::vector<TestPipe> pipes;
};

std::vector<StandardSize> table_of(const char* shape, const char* units) {
    std::vector<StandardSize> out;
    if (pipe::sized_by_diameter(shape)) {
        for (auto d : pipe::standard_diameters(units)) out.push_back({std::string(d), "", ""});
    } else if (const auto* picker = forms::picker_for(shape, units)) {
        for (const auto& row : picker->rows)
            out.push_back({"", std::string(row.span), std::string(row.rise)});
    }
    return out;
}

// Q = k/n · A · R^(2/3) · S^(1/2) of the full section of one barrel: k = 1.486 in US
// customary units, 1 in SI; A and R of a circle from its diameter, those of an
// ellipse as its size table lists them.
struct Full {
    double capacity;
    double largest;
};
Full full_flow(const StandardSize& size, const char* units, double slope) {
    const bool english = std::string(units) == "ENGLISH";
    const double per = english ? 12.0 : 1000.0;
    double area = 0;
    double radius = 0;
    if (!size.dia.empty()) {
        const double d = std::stod(size.dia) / per;
        area = std::numbers::pi * d * d / 4;
        radius = d / 4;
    } else {
        for (const auto& row : forms::picker_for(pipe::kElliptical, units)->rows) {
            if (row.span == size.span && row.rise == size.rise) {
                area = std::stod(std::string(row.area));
                radius = std::stod(std::string(row.hydraulic_radius));
            }
        }
    }
    const double k = english ? 1.486 : 1.0;
    const double largest = size.dia.empty() ? std::max(std::stod(size.span), std::stod(size.rise))
                                            : std::stod(size.dia);
    return {k / 0.013 * area * std::pow(radius, 2.0 / 3.0) * std::sqrt(slope), largest};
}

TEST(Sizing, SmallestStandardSizeThatCarriesTheFlowAndIsNotSmallerThanUpstream) {
    const std::vector<TestNetwork> networks = {
        {"ENGLISH",
         {},
         {{"Circular", "24", "", "", 5.0, 0.01, {}},
          {"Circular", "12", "", "", 3.0, 0.02, {}},
          {"Circular", "18", "", "", 20.0, 0.005, {0, 1}},
          {"Circular", "15", "", "", 1.0, 0.01, {2}}}},
        {"METRIC",
         {80.0, {}, {}, {}},
         {{"Circular", "1200", "", "", 0.15, 0.01, {}},
          {"Circular", "300", "", "", 0.4, 0.005, {0}}}},
        {"ENGLISH",
         {100.0, {}, 12.0, {}},
         {{"Elliptical", "", "23", "14", 40.0, 0.01, {}},
          {"Elliptical", "", "19", "30", 30.0, 0.01, {}},
          {"Box", "", "48", "24", 10.0, 0.01, {}, S::NoStandardSizes},
          {"Circular", "72", "", "", 500.0, 0.001, {}, S::NoCapacity},
          {"Circular", "18", "", "", 10.0, 0.1, {}, S::NoVelocity},
          {"Circular", "24", "", "", 2.0, 0.01, {0, 1}}}},
    };
    for (const TestNetwork& net : networks) {
        std::vector<SizingPipe> pipes;
        for (const TestPipe& p : net.pipes) {
            pipe::SectionInput s{std::to_string(p.discharge),
                                 "1",
                                 std::to_string(p.slope),
                                 "0.013",
                                 "100",
                                 p.dia,
                                 p.span,
                                 p.rise,
                                 p.shape,
                                 net.units};
            pipes.push_back({s, p.upstream, true, table_of(p.shape, net.units)});
        }
        const auto results = size_pipes(pipes, net.limits);
        for (std::size_t i = 0; i < pipes.size(); ++i) {
            SCOPED_TRACE(std::string(net.units) + " pipe " + std::to_string(i));
            ASSERT_TRUE(results[i]);
            const PipeSizing& r = *results[i];
            ASSERT_EQ(r.status, net.pipes[i].expected);
            if (r.status != S::Sized) continue;
            const double slope = net.pipes[i].slope;
            const double share = net.limits.max_full_percent / 100.0;
            const Full chosen = full_flow(r.size, net.units, slope);
            EXPECT_LE(net.pipes[i].discharge, chosen.capacity * share);
            double upstream = 0;
            for (const std::size_t u : net.pipes[i].upstream) {
                upstream =
                    std::max(upstream, full_flow(results[u]->size, net.units, slope).largest);
            }
            EXPECT_GE(chosen.largest, upstream);
            // The size before it in its table, of the same orientation.
            const auto& table = pipes[i].sizes;
            const bool upright =
                !r.size.rise.empty() && std::stod(r.size.rise) > std::stod(r.size.span);
            const auto at = std::find(table.begin(), table.end(), r.size);
            for (auto it = at; it != table.begin();) {
                const StandardSize& smaller = *--it;
                if (!smaller.dia.empty() ||
                    (std::stod(smaller.rise) > std::stod(smaller.span)) == upright) {
                    const Full f = full_flow(smaller, net.units, slope);
                    EXPECT_TRUE(f.largest < upstream || net.pipes[i].discharge > f.capacity * share)
                        << smaller.dia << smaller.span << "x" << smaller.rise;
                    break;
                }
            }
        }
    }
}

}  // namespace
}  // namespace pelvane::network
