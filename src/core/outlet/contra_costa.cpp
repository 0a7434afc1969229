#include "core/outlet/contra_costa.h"

#include "core/outlet/basin_inflow.h"

namespace pelvane::outlet {

using namespace detail;

namespace {

std::string show(double value) {
    return text::format_number(value, "0.00");
}

// Depth at the exit of a basin floor of width `floor`: the depth climbs by 0.01 from
// zero until the critical discharge of the section y·(floor + y) reaches Q; the depth
// kept is one step past the one that got there.
double exit_depth(double q, double floor, double g) {
    double y = 0.0;
    double qc = 0.0;
    for (long pass = 0; qc < q; ++pass) {
        if (pass > kMaxScanPasses) fail();
        const double area = y * (floor + y);
        const double top = floor + 2.0 * y;
        qc = power(divide(g * power(area, 3), top), 0.5);
        y = y + 0.01;
    }
    return y;
}

}  // namespace

ContraCostaResult design_contra_costa(const OutletFields& outlet, std::string_view L2byh2,
                                      std::string_view txth3, const OutletUnits& units) {
    ContraCostaResult r;
    const double g = units.constants.gravity;
    r.failed = !run_steps([&] {
        const double de = equivalent_depth(outlet);
        const double fro = inflow_froude(field_value(outlet.V_C), de, g);
        r.txtdE = show(de);
        r.txtFRo = show(fro);
        if (fro > 3.0) {
            r.message = OutletMessage::ContraCostaFroude;
            r.txtLB = r.txtL1 = r.txtL2 = r.txtL3 = r.txth1 = r.txth2 = "";
            r.txtyc = r.txtVelocityc = "";
            r.txtWbasin = "NONE";
            return;
        }
        const double floor = 2.0 * field_value(outlet.W_culvert);
        r.txtWbasin = show(floor);
        if (L2byh2.empty()) {
            r.L2byh2 = std::string(kDefaultL2byh2);
            L2byh2 = *r.L2byh2;
        }
        const double k = field_value(L2byh2);

        const double h2 = de * power(divide(1.35 * fro * fro, k), 0.546);
        const double l2 = k * h2;
        const double l3 = 3.75 * l2 * power(divide(1.0, k), 0.68);
        const double y2 = 1.3 * h2 * power(k, 0.36);
        r.txtLB = show(l2 + l3);
        r.txtL1 = show(0.5 * l2);
        r.txtL2 = show(l2);
        r.txtL3 = show(l3);
        r.txth1 = show(0.5 * h2);
        r.txth2 = show(h2);
        r.txtY2 = show(y2);
        if (txth3.empty()) r.txth3 = show(0.1 * y2);

        const double q = field_value(outlet.E_Discharge);
        const double yc = exit_depth(q, floor, g);
        r.txtyc = show(yc);
        r.txtVelocityc = show(divide(q, yc * (floor + yc)));
    });
    return r;
}

FieldExit leave_l2_h2(std::string_view typed) {
    if (typed.empty()) return {std::string(kDefaultL2byh2), std::nullopt};
    const auto ratio = text::parse_number(typed);
    if (!ratio.ok() || ratio.value < 2.5 || ratio.value > 7.0) {
        return {std::string(typed), OutletMessage::L2h2OutOfRange};
    }
    return {show(ratio.value), std::nullopt};
}

std::string leave_h3(std::string_view typed) {
    const auto first = typed.find_first_not_of(' ');
    const std::string_view kept = first == std::string_view::npos ? "" : typed.substr(first);
    const auto h3 = text::parse_number(kept);
    return h3.ok() ? show(h3.value) : std::string(kept);
}

}  // namespace pelvane::outlet
