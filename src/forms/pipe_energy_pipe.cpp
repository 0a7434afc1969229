// The outlet protection window's design pipe: loading it for an end node, the
// 2-year discharge and outlet velocity of one barrel, and the coefficient diameter.

#include "core/outlet/coefficient_diameter.h"
#include "core/outlet/design_pipe.h"
#include "core/outlet/two_year_flow.h"
#include "core/text/number_text.h"
#include "forms/pipe_energy_form.h"
#include "store/pipe_table.h"
#include "store/rainfall_lookup.h"

namespace pelvane::forms {
namespace {

// A barrel count that is empty or not a number counts as one barrel; a count is
// read as a whole number, halves going to the even neighbour.
int barrel_count(std::string_view numofpipes) {
    const auto parsed = text::parse_number(numofpipes);
    if (!parsed.ok()) return 1;
    return static_cast<int>(text::round_half_even(parsed.value, 0));
}

constexpr const char* kTwoYearNotComputed = "2-year discharge not computed: ";

}  // namespace

void PipeEnergyForm::load_design_pipe(const std::string& node) {
    std::vector<store::PipeRecord> pipes;
    try {
        pipes = store::PipeTable(context_.project_connection).ending_at(node);
    } catch (const store::DatabaseError& e) {
        ui_.message(e.what(), Icon::Exclamation);
        return;
    }
    std::vector<std::string> discharges;
    discharges.reserve(pipes.size());
    for (const auto& pipe : pipes) discharges.push_back(pipe.get("PIPE_DISCHARGE"));
    const auto design = outlet::design_pipe_index(discharges);
    if (!design) {
        // No design pipe: nothing is loaded, and nothing computed later may come
        // from the pipe of another node.
        pipe_ = DesignPipe{};
        return;
    }
    const store::PipeRecord& p = pipes[*design];
    const double length_conversion = session_.unit_constants.unit_divisor;

    pipe_ = DesignPipe{};
    pipe_.pipe_shape = p.get("PIPE_SHAPE");
    const bool circular = pipe_.pipe_shape == "Circular";
    fields.set_text("eDiaRise",
                    p.get(circular ? store::Column("PIPE_DIA") : store::Column("RISE")));
    if (!circular) pipe_.span = p.get("SPAN");
    const auto width = text::parse_number(circular ? p.get("PIPE_DIA") : pipe_.span);
    // A size that is no number leaves the outlet width and the rest unloaded.
    if (!width.ok()) return;
    fields.set_text("W_culvert", text::shortest_text(width.value / length_conversion));

    pipe_.barrels = barrel_count(p.get("NUMOFPIPES"));
    pipe_.pipe_slope = p.get("PIPE_SLOPE");
    pipe_.pipe_mann = p.get("PIPE_MANN");
    pipe_.dischargeval = p.get("DISCHARGEVAL");
    pipe_.accumulated_tc = p.get("ACCUMULATED_TC");
    pipe_.accumulated_ca = p.get("ACCUMULATED_CA");
    pipe_.pipe_cf = p.get("PIPE_CF");
    pipe_.lateral_discharge = p.get("LATERAL_DISCHARGE");

    fields.set_text("E_Discharge",
                    text::format_number(text::parse_number(p.get("PIPE_DISCHARGE")).value, "0.00"));
    fields.set_text("vhstorm_freq", p.get("PIPE_STORM_FREQ"));
    fields.set_text("dn_C", p.get("PIPE_FLOWDEPTH"));
    fields.set_text("E_Peri", p.get("PIPE_WP"));
    fields.set_text("E_Area", p.get("PIPE_AREAFLOW"));
    fields.set_text("E_HydRad", p.get("HYD_RADIUS"));
    fields.set_text("V_C", p.get("PIPE_VELOCITY"));
    fields.set_text("FR_C", p.get("FROUDE_NO"));

    if (const auto area =
            outlet::outlet_barrel_area(pipe_.pipe_shape, pipe_.barrels, fields.text("eDiaRise"),
                                       fields.text("W_culvert"), units())) {
        session_.outlet_barrel_area = *area;
    }
}

void PipeEnergyForm::compute_two_year_discharge() {
    fields.set_enabled("C_Discharge", false);
    fields.set_text("status", "");
    const auto years = text::parse_number(fields.text("usdastorm_freq"));
    if (!years.ok()) return;
    const auto loaded =
        store::load_coefficients(context_, static_cast<int>(text::round_half_even(years.value, 0)));
    if (!loaded.ok()) {
        // The rule is to end quietly; the status line still says why nothing came.
        fields.set_text("status", kTwoYearNotComputed + loaded.error);
        return;
    }
    const auto& c = loaded.set;
    const outlet::RationalPipe rational{pipe_.accumulated_tc, pipe_.accumulated_ca, pipe_.pipe_cf,
                                        pipe_.lateral_discharge, pipe_.barrels};
    const auto q2 =
        outlet::two_year_discharge(rational, {c.b, c.d, c.e}, units(), session_.number_format);
    if (q2) fields.set_text("C_Discharge", q2->C_Discharge);
}

void PipeEnergyForm::compute_two_year_velocity() {
    const outlet::OutletBarrel barrel{pipe_.pipe_shape, fields.text("eDiaRise"), pipe_.span,
                                      pipe_.pipe_slope, pipe_.pipe_mann};
    if (const auto v2 = outlet::two_year_velocity(barrel, fields.text("C_Discharge"), units())) {
        fields.set_text("velocity2", v2->velocity2);
    }
}

void PipeEnergyForm::compute_coefficient_diameter() {
    const auto diameter = outlet::coefficient_diameter(fields.text("eDiaRise"), units());
    if (!diameter) return;
    if (diameter->eDiaRise) fields.set_text("eDiaRise", *diameter->eDiaRise);
    session_.coefficient_diameter = diameter->inches;
}

}  // namespace pelvane::forms
