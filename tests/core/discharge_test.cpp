#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "core/pipe/discharge.h"
#include "core/text/number_text.h"

using namespace pelvane::pipe;
using Status = StepOutcome::Status;

namespace {

const DischargeSettings kEnglish = DischargeSettings::for_project("ENGLISH", false);
const DischargeSettings kMetric = DischargeSettings::for_project("METRIC", false);
const DischargeSettings kLegacy = DischargeSettings::for_project("ENGLISH", true);

// Stands in for the intensity routine: i = 60 / (Tc + 5) in the given pattern, an
// empty duration becoming "5.0" as the routine does it. Remembers every duration
// it was handed; "fail" makes it fail.
struct FakeIntensity {
    std::string pattern = "0.000";
    std::vector<std::string> asked;

    IntensityLookup lookup() {
        return [this](std::string& tc) -> std::optional<std::string> {
            if (tc.empty()) tc = "5.0";
            asked.push_back(tc);
            if (tc == "fail") return std::nullopt;
            return pelvane::text::format_number(60.0 / (std::stod(tc) + 5.0), pattern);
        };
    }
};

FlowFields fields_with(std::string structure_ca, std::string structure_tc) {
    FlowFields f;
    f.structure_ca = std::move(structure_ca);
    f.structure_tc = std::move(structure_tc);
    for (auto& row : f.previous) row = {"0.0", "0.0", "0.0"};
    f.pipe_cf = "1.0";
    f.lateral_discharge = "0.0";
    return f;
}

// A pipe whose upper structure and previous pipe 1 are both set up, with the
// intensities already computed, ready for the design discharge.
struct Case {
    FlowFields fields;
    FlowIntensities intensities;
    PreviousDischarges discharges;
};

}  // namespace

TEST(Accumulation, EmptyValuesTakeTheirDefaultsAndTheSumIsItsShortestText) {
    FlowFields f;
    f.structure_ca = "0.1";
    f.previous[0].ca = "0.2";
    FlowIntensities intensities;
    FakeIntensity fake;
    ASSERT_TRUE(accumulate(f, intensities, kEnglish, fake.lookup()).ok());

    EXPECT_EQ(f.structure_tc, "5.0");
    for (const auto& row : f.previous) {
        EXPECT_EQ(row.tc, "0.0");
        EXPECT_EQ(row.flow_time, "0.0");
    }
    EXPECT_EQ(f.previous[3].ca, "0.0");
    EXPECT_EQ(f.accumulated_tc, "5.000");
    EXPECT_EQ(f.accumulated_ca, "0.3");  // not 0.30000000000000004
    EXPECT_EQ(fake.asked, std::vector<std::string>{"5.0"});
    EXPECT_EQ(intensities.structure, "6.000");
}

TEST(Accumulation, LatestArrivalTimeGovernsUnlessTheStructureTcIsLonger) {
    FlowFields f = fields_with("1.5", "5.0");
    f.previous[0] = {"2.0", "10.0", "90"};   // 11.5 min
    f.previous[2] = {"0.75", "12.0", "30"};  // 12.5 min
    FlowIntensities intensities;
    ASSERT_TRUE(accumulate(f, intensities, kMetric, FakeIntensity{}.lookup()).ok());
    EXPECT_EQ(f.accumulated_tc, "12.5000");
    EXPECT_EQ(f.accumulated_ca, "4.25");

    f.structure_tc = "13.2";
    ASSERT_TRUE(accumulate(f, intensities, kEnglish, FakeIntensity{}.lookup()).ok());
    EXPECT_EQ(f.accumulated_tc, "13.200");
}

// A text that is not a number ends the accumulation where it is read: the
// defaults are written first, the time before the C·A.
TEST(Accumulation, StopsAtTheFirstTextThatIsNoNumber) {
    FlowFields f = fields_with("1.0", "");
    f.previous[1].tc = "ten";
    f.previous[2].ca = "";
    f.accumulated_tc = "old";
    f.accumulated_ca = "old";
    FlowIntensities intensities;
    FakeIntensity fake;
    StepOutcome outcome = accumulate(f, intensities, kEnglish, fake.lookup());
    EXPECT_EQ(outcome.status, Status::NotANumber);
    EXPECT_EQ(outcome.field, "preTc2");
    EXPECT_EQ(f.structure_tc, "5.0");
    EXPECT_EQ(f.previous[2].ca, "0.0");
    EXPECT_EQ(f.accumulated_tc, "old");
    EXPECT_TRUE(fake.asked.empty());

    f.previous[1].tc = "10";
    f.previous[3].ca = "1,5";
    outcome = accumulate(f, intensities, kEnglish, fake.lookup());
    EXPECT_EQ(outcome.field, "preca4");
    EXPECT_EQ(f.accumulated_tc, "10.000");
    EXPECT_EQ(intensities.structure, "6.000");
    EXPECT_EQ(f.accumulated_ca, "old");
}

TEST(Intensities, EachDurationIsHandedToTheIntensityRoutine) {
    FlowFields f = fields_with("1.0", "");
    f.previous[0] = {"2.0", "10.5", "45"};  // 11.25 min
    f.previous[1] = {"", "", ""};
    f.accumulated_tc = "";
    f.pipe_i = "kept";
    FlowIntensities intensities;
    FakeIntensity fake;
    ASSERT_TRUE(compute_intensities(f, intensities, kEnglish, fake.lookup()).ok());
    EXPECT_EQ(fake.asked, (std::vector<std::string>{"5.0", "11.25", "0", "0", "0", "5.0"}));
    // The routine's rewrite of an empty duration shows in the window's own fields.
    EXPECT_EQ(f.structure_tc, "5.0");
    EXPECT_EQ(f.accumulated_tc, "5.0");
    EXPECT_EQ(intensities.structure, "6.000");
    EXPECT_EQ(intensities.previous[0], "3.692");
    EXPECT_EQ(intensities.previous[1], "12.000");
    EXPECT_EQ(f.pipe_i, "6.000");

    // A failing run keeps the text it would have replaced; legacy asks three rows.
    fake.asked.clear();
    f.accumulated_tc = "fail";
    intensities.previous[3] = "untouched";
    ASSERT_TRUE(compute_intensities(f, intensities, kLegacy, fake.lookup()).ok());
    EXPECT_EQ(fake.asked.size(), 5u);
    EXPECT_EQ(f.pipe_i, "6.000");
    EXPECT_EQ(intensities.previous[3], "untouched");

    f.previous[2].tc = "x";
    const StepOutcome outcome = compute_intensities(f, intensities, kEnglish, fake.lookup());
    EXPECT_EQ(outcome.field, "preTc3");
}

// With no previous pipes and no lateral discharge the design discharge is the
// larger of the whole area at the accumulated time's intensity and the structure
// at its own (they differ when the intensity field was last computed for another
// storm or time).
TEST(DesignDischarge, NoPreviousPipesGivesTheLargerRationalDischarge) {
    FlowFields f = fields_with("2.0", "10.0");
    f.accumulated_ca = "2";
    f.accumulated_tc = "10.000";
    f.pipe_cf = "1.1";
    FlowIntensities intensities;
    intensities.structure = "5.200";

    f.pipe_i = "5.000";
    ASSERT_TRUE(design_discharge(f, intensities, {}, kEnglish).ok());
    EXPECT_EQ(f.pipe_discharge, "11.440");  // 1.1 * 5.2 * 2

    f.pipe_i = "5.500";
    ASSERT_TRUE(design_discharge(f, intensities, {}, kEnglish).ok());
    EXPECT_EQ(f.pipe_discharge, "12.100");  // 1.1 * 5.5 * 2
}

// Previous pipe 1 (C·A 2.0 arriving at 11 min) already carries 30 cfs, far more
// than the rational discharge of the accumulated area.
Case heavy_previous_pipe() {
    Case c;
    c.fields = fields_with("0.5", "5.0");
    c.fields.previous[0] = {"2.0", "10.0", "60"};
    c.fields.accumulated_ca = "2.5";
    c.fields.accumulated_tc = "11.000";
    c.fields.pipe_i = "4.000";
    c.fields.lateral_discharge = "1.5";
    c.intensities.structure = "6.000";
    c.intensities.previous = {"4.000", "12.000", "12.000", "12.000"};
    c.discharges = {"30.000", "", "", ""};
    return c;
}

// A structure of C·A 3.0 at 5 min and a small previous pipe of C·A 1.0 arriving at
// 15 min: the structure's full area with the share of the previous pipe's that has
// arrived by 5 min governs.
Case partial_area_at_structure_tc() {
    Case c;
    c.fields = fields_with("3.0", "5.0");
    c.fields.previous[0] = {"1.0", "14.0", "60"};
    c.fields.accumulated_ca = "4";
    c.fields.accumulated_tc = "15.000";
    c.fields.pipe_i = "4.000";
    c.intensities.structure = "6.000";
    c.intensities.previous = {"4.000", "", "", ""};
    c.discharges = {"0.010", "", "", ""};
    return c;
}

// The duration ratios are rounded to 3 decimals before use: 5 / 15 gives 0.333,
// so the partial-area candidate is 3 * 6 + 0.333 * 6 * 1 = 19.998 rather than 20.
TEST(DesignDischarge, DurationRatiosAreRoundedToThreeDecimals) {
    Case c = partial_area_at_structure_tc();
    ASSERT_TRUE(design_discharge(c.fields, c.intensities, c.discharges, kEnglish).ok());
    EXPECT_EQ(c.fields.pipe_discharge, "19.998");
}

TEST(DesignDischarge, APreviousPipeCarriesAtLeastItsOwnDischargeOn) {
    Case c = heavy_previous_pipe();
    ASSERT_TRUE(design_discharge(c.fields, c.intensities, c.discharges, kEnglish).ok());
    // 1.5 + 30 + 1.000 * 4 * 0.5 at the previous pipe's arrival.
    EXPECT_EQ(c.fields.pipe_discharge, "33.500");
    EXPECT_GE(std::stod(c.fields.pipe_discharge), 30.0 + 1.5);
}

// Exact halves go to the even neighbour: 6.5 / 8 = 0.8125 -> 0.812 (not 0.813),
// and 13 / 16 = 0.8125 -> 0.812 for an arrival time.
TEST(DesignDischarge, RatioHalvesGoToTheEvenNeighbour) {
    FlowFields f = fields_with("2.0", "6.5");
    f.previous[0] = {"10.0", "8.0", "0"};
    f.accumulated_ca = "12";
    f.accumulated_tc = "8.000";
    f.pipe_i = "8.000";
    FlowIntensities intensities;
    intensities.structure = "10.000";
    intensities.previous = {"8.000", "", "", ""};
    ASSERT_TRUE(design_discharge(f, intensities, {"20.000", "", "", ""}, kEnglish).ok());
    EXPECT_EQ(f.pipe_discharge, "101.200");  // 10 * 2 + 0.812 * 10 * 10

    // Row 2 governs at 16 min; row 1 arrives at 13 min with a heavy discharge.
    f = fields_with("10.0", "5.0");
    f.previous[0] = {"0.0", "13.0", "0"};
    f.previous[1] = {"0.0", "16.0", "0"};
    f.accumulated_ca = "10";
    f.accumulated_tc = "16.000";
    f.pipe_i = "1.000";
    intensities.structure = "1.000";
    intensities.previous = {"10.000", "1.000", "", ""};
    ASSERT_TRUE(design_discharge(f, intensities, {"50.000", "", "", ""}, kEnglish).ok());
    EXPECT_EQ(f.pipe_discharge, "131.200");  // 50 + 0.812 * 10 * 10
}

TEST(DesignDischarge, FailuresEndTheStepAfterTheDefaults) {
    Case c = heavy_previous_pipe();
    c.fields.pipe_discharge = "old";
    c.fields.pipe_cf = "";
    c.discharges[1] = "n/a";
    StepOutcome outcome = design_discharge(c.fields, c.intensities, c.discharges, kEnglish);
    EXPECT_EQ(outcome.status, Status::NotANumber);
    EXPECT_EQ(outcome.field, "Q_2");
    EXPECT_EQ(c.fields.pipe_cf, "1.00");
    EXPECT_EQ(c.fields.pipe_discharge, "old");

    c = heavy_previous_pipe();
    c.intensities.previous[2] = "?";
    EXPECT_EQ(design_discharge(c.fields, c.intensities, c.discharges, kEnglish).field, "I_3");

    c = heavy_previous_pipe();
    c.fields.accumulated_tc = "0";
    outcome = design_discharge(c.fields, c.intensities, c.discharges, kEnglish);
    EXPECT_EQ(outcome.status, Status::Arithmetic);
    EXPECT_EQ(outcome.field, "accumulated_Tc");

    c = heavy_previous_pipe();
    c.fields.pipe_i = "1e308";
    c.fields.accumulated_ca = "1e10";
    EXPECT_EQ(design_discharge(c.fields, c.intensities, c.discharges, kEnglish).status,
              Status::Arithmetic);
    EXPECT_EQ(c.fields.pipe_discharge, "");
}

// By hand: take over previous pipe 1 (C·A 2 arriving at 12 min, 9 cfs); row 2
// names a pipe that no longer exists, so its stale values are cleared; then
// Compute Intensity. i = 60 / (Tc + 5): 6.000 at 5 min, 3.529 at 12 min.
TEST(RecomputeFlow, TakesOverEveryPreviousPipeAgainThenComputesTheIntensities) {
    FlowFields f = fields_with("1.0", "5.0");
    f.previous[0] = {"0.5", "6.0", "10"};
    f.previous[1] = {"7.0", "30.0", "0"};
    f.previous[2] = {"0.0", "0.0", "0.0"};
    std::array<PreviousPipeLink, kPreviousPipeRows> links;
    links[0].state = PreviousPipeLink::State::Found;
    links[0].pipe = {"2.0", "10.000", "120", "9.000"};
    links[1].state = PreviousPipeLink::State::Missing;
    FlowIntensities intensities;
    FakeIntensity fake;

    ASSERT_TRUE(recompute_flow(f, intensities, links, kEnglish, fake.lookup()).ok());
    EXPECT_EQ(std::tie(f.previous[0].ca, f.previous[1].ca, f.previous[1].tc, f.accumulated_ca,
                       f.accumulated_tc, f.pipe_i, intensities.previous[0]),
              std::make_tuple("2.0", "0.0", "0.0", "3", "12.000", "3.529", "3.529"));
    // Largest: 9 + 1.000 * 3.529 * 1.0 at the previous pipe's arrival.
    EXPECT_EQ(f.pipe_discharge, "12.529");
}
