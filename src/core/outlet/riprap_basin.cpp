#include "core/outlet/riprap_basin.h"

#include "core/outlet/basin_inflow.h"
#include "core/outlet/vdot_apron.h"

namespace pelvane::outlet {

using namespace detail;

namespace {

// Tailwater coefficient C0 of the pool depth for r = TW / dE.
double riprap_basin_c0(double tailwater_ratio) {
    if (tailwater_ratio < 0.75) return 1.4;
    if (tailwater_ratio < 1.0) return 4.0 * tailwater_ratio - 1.6;
    return 2.4;
}

}  // namespace

RiprapBasinResult design_riprap_basin(const OutletFields& outlet, std::string_view riprap_class,
                                      const OutletUnits& units) {
    RiprapBasinResult r;
    const double g = units.constants.gravity;
    const auto show = [](double value) { return text::format_number(value, "0.00"); };
    r.failed = !run_steps([&] {
        const double de = equivalent_depth(outlet);
        r.txtdE = show(de);
        const double fro = inflow_froude(field_value(outlet.V_C), de, g);
        r.txtFRo = show(fro);
        if (field_value(*r.txtFRo) > 3.0) {
            r.message = OutletMessage::RiprapBasinSpecialDesign;
            return;
        }
        r.D_Pool = r.L_Pool = r.L_Basin = r.L_Apron = "";
        r.T_StoneA = r.T_StoneB = r.W_Exit = r.V_Exit = "";

        const double c0 = riprap_basin_c0(divide(field_value(outlet.dn_TW), de));
        const auto d50_ft = riprap_d50_ft(riprap_class);
        if (!d50_ft) fail();
        const double d50 = *d50_ft * units.constants.ft_to_m;
        const double hs_ratio = 0.86 * power(divide(d50, de), -0.55) * fro - c0;
        const double hs = hs_ratio < 0.0 ? 0.0 : de * hs_ratio;
        r.sizeD50 = text::format_number(d50, "0.000");

        const double w0 = field_value(outlet.W_culvert);
        const double pool = 10.0 * hs < 3.0 * w0 ? 3.0 * w0 : 10.0 * hs;
        const double basin = 15.0 * hs < 4.0 * w0 ? 4.0 * w0 : 15.0 * hs;
        r.L_Pool = show(pool);
        r.L_Basin = show(basin);
        r.D_Pool = show(hs);
        r.L_Apron = show(basin - pool);
        r.T_StoneA = show(3.0 * d50);
        r.T_StoneB = show(2.0 * d50);

        const double exit_width = w0 + 0.6667 * basin;
        r.W_Exit = show(exit_width);

        // Critical depth at the exit and the velocity there.
        const double q = field_value(outlet.E_Discharge);
        const double yc = power(divide(q * q / g, exit_width * exit_width), 0.33333);
        r.V_Exit = show(divide(q, yc * (exit_width + 2.0 * yc)));
    });
    return r;
}

}  // namespace pelvane::outlet
