// The pipe window's small rules: the catalogue of shapes and materials, the slope,
// the storm frequency factor, the checks before a solve, and the inlet takeover.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/pipe/catalogue.h"
#include "core/pipe/discharge_solve.h"
#include "core/pipe/inlet_takeover.h"
#include "core/pipe/slope.h"
#include "core/pipe/storm_frequency.h"

using namespace pelvane::pipe;

namespace {

InletRecord inlet(bool compute) {
    InletRecord r;
    r.inlet_number = "2";
    r.station = "10+50.00";
    r.offset = "14.00";
    r.offset_location = "RIGHT";
    r.top_elevation = "2081.42";
    r.tc = "7.5";
    r.total_area1 = 0.32;
    r.total_area2 = 0.85;  // 0.32 + 0.85 is 1.1700000000000002 in binary
    r.total_ca1 = 0.288;
    r.total_ca2 = 0.298;
    r.compute_discharge = compute;
    return r;
}

}  // namespace

TEST(CatalogueShapes, ArchesAndStoredNames) {
    EXPECT_FALSE(find_shape(kStoredRectangular)) << "not offered in the list";
    EXPECT_TRUE(find_shape("Circular")->uses_diameter);
    EXPECT_FALSE(find_shape("Box")->uses_diameter);
    for (const char* arch : {"Arch-Conc", "Arch-S-Cor", "Arch-M-Cor", "Arch-L-Cor"}) {
        EXPECT_TRUE(is_arch(arch)) << arch;
    }
    for (const char* other : {"Circular", "Elliptical", "Box", "Rectangulr", ""}) {
        EXPECT_FALSE(is_arch(other)) << other;
    }
    EXPECT_EQ(shown_shape("Rectangulr"), "Box");
    EXPECT_EQ(shown_shape("Elliptical"), "Elliptical");
    EXPECT_EQ(shown_material("CMP"), "CMP (Small Corr.)");
}

TEST(ManningN, MaterialOnAFreeShape) {
    EXPECT_EQ(manning_n("CMP (Medium Corr.)", "Box"), "0.027");
    EXPECT_EQ(manning_n("Plastic", "Elliptical"), "0.012");
    EXPECT_EQ(manning_n("Other", "Circular"), "0.017");
    EXPECT_FALSE(manning_n("", "Box")) << "no row: n is left alone";
    EXPECT_FALSE(manning_n("Steel", "Circular"));
}

TEST(SizeLeft, FillsAnEmptySpanOrRiseByUnits) {
    EXPECT_EQ(size_left_fill(SizeField::Span, "Elliptical", "ENGLISH", ""), "23");
    EXPECT_EQ(size_left_fill(SizeField::Rise, "Box", "ENGLISH", ""), "14");
    // Not the 585 x 355 a shape change starts from.
    EXPECT_EQ(size_left_fill(SizeField::Span, "Arch-Conc", "METRIC", ""), "5060");
    EXPECT_EQ(size_left_fill(SizeField::Rise, "Arch-Conc", "METRIC", ""), "3080");
}

// The factors themselves are the manual's table; a frequency outside it has none.
TEST(StormFrequency, FactorPerFrequency) {
    EXPECT_EQ(frequency_factor("25"), "1.1");
    EXPECT_FALSE(frequency_factor("20"));
    EXPECT_FALSE(frequency_factor(""));
}

TEST(SolveChecks, DischargeIsCheckedBeforeTheSlope) {
    EXPECT_EQ(solve_refusal("0.000", "0.01"), SolveRefusal::NoDischarge);
    EXPECT_EQ(solve_refusal("-1.5", "0.01"), SolveRefusal::NoDischarge);
    EXPECT_EQ(solve_refusal("", "0.01"), SolveRefusal::NoDischarge);
    EXPECT_EQ(solve_refusal("lots", "0.01"), SolveRefusal::NoDischarge);
    EXPECT_EQ(solve_refusal("0", "0"), SolveRefusal::NoDischarge);

    EXPECT_EQ(solve_refusal("12.500", "0.00000"), SolveRefusal::NoSlope);
    EXPECT_EQ(solve_refusal("12.500", "-0.002"), SolveRefusal::NoSlope);
    EXPECT_EQ(solve_refusal("12.500", "steep"), SolveRefusal::NoSlope);
    EXPECT_EQ(solve_refusal("12.500", "0.00500"), SolveRefusal::None);
    EXPECT_EQ(solve_refusal("12.500", ""), SolveRefusal::None);
}

TEST(PipeSlope, EachOutcomeAndItsText) {
    using Status = PipeSlope::Status;
    struct Case {
        const char* length;
        const char* in;
        const char* out;
        Status status;
        const char* text;
    };
    const Case cases[] = {
        {"250", "2081.2", "2079.95", Status::Computed, "0.00500"},
        {"100", "-1", "-1.5", Status::Computed, "0.00500"},
        {"", "2081.2", "2079.95", Status::Incomplete, "0.0"},
        // An empty text counts before one that is no number.
        {"x", "", "2079.95", Status::Incomplete, "0.0"},
        {"250", "2081.2", "2081.2", Status::NotFalling, "0.0"},
        {"0", "2081.2", "2079.95", Status::NoLength, "0.0"},
        {"250", "2081.2", "1,5", Status::Unreadable, ""},
    };
    for (const Case& c : cases) {
        const PipeSlope slope = pipe_slope(c.length, c.in, c.out);
        EXPECT_EQ(slope.status, c.status) << c.length << " " << c.in << " " << c.out;
        EXPECT_EQ(slope.text, c.text) << c.length << " " << c.in << " " << c.out;
    }
}

TEST(NodeInTakeover, ComputedInletBringsItsDrainage) {
    const NodeInTakeover t = node_in_takeover(inlet(true), "1.1");
    EXPECT_EQ(std::tie(t.location.station, t.location.offset, t.location.offset_location,
                       t.location.top_elevation, t.structure_Tc, t.structure_area, t.structure_ca),
              std::make_tuple("10+50.00", "14.00", "RIGHT", "2081.42", "7.5", "1.17", "0.586"));
    EXPECT_FALSE(t.pipe_cf) << "a chosen factor stays";
    EXPECT_TRUE(t.recompute_discharge);
    EXPECT_EQ(node_out_takeover(inlet(true)).top_elevation, "2081.42");
}

TEST(NodeInTakeover, FrequencyFactorOnlyWhenNoneWasChosen) {
    EXPECT_EQ(node_in_takeover(inlet(true), "").pipe_cf, "1.0");
    EXPECT_EQ(node_in_takeover(inlet(true), "0.0").pipe_cf, "1.0");
    EXPECT_FALSE(node_in_takeover(inlet(true), "1.25").pipe_cf);
    EXPECT_FALSE(node_in_takeover(inlet(false), "").pipe_cf);
}

TEST(NodeInTakeover, TypedInletZeroesTheDrainageButKeepsLocationAndTc) {
    const NodeInTakeover t = node_in_takeover(inlet(false), "1.0");
    EXPECT_EQ(t.structure_area, "0.0");
    EXPECT_EQ(t.structure_ca, "0.0");
    EXPECT_EQ(t.structure_Tc, "7.5");
    EXPECT_EQ(t.location.station, "10+50.00");
    EXPECT_FALSE(t.recompute_discharge);
}
