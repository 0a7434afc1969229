#include "core/outlet/usda_method.h"

#include <cmath>
#include <string>

#include "core/outlet/checked_math.h"

namespace pelvane::outlet {

using namespace detail;

double UsdaCurve::stone_size_ft(double q_cfs) const {
    return a * q_cfs * q_cfs + b * q_cfs + c;
}

double UsdaCurve::apron_length_ft(double q_cfs) const {
    return d * std::log(q_cfs) + e;
}

UsdaApronResult design_usda_apron(std::string_view C_Discharge, const OutletFields& outlet,
                                  const std::optional<UsdaCoefficients>& curves,
                                  const OutletUnits& units) {
    UsdaApronResult r;
    r.usdastorm_freq = "2";
    r.L_ROP = r.W_ROP = r.D50_size = r.Thickness_Apron = "";
    const auto& k = units.constants;
    r.failed = !run_steps([&] {
        if (!curves) fail();
        const double q_cfs = field_value(C_Discharge) * power(k.m_to_ft, 3);
        if (!(q_cfs > 0.0)) fail();  // the length curve takes ln Q
        const double outlet_size = divide(field_value(outlet.eDiaRise), k.unit_divisor);
        const double tailwater = field_value(outlet.dn_TW);

        r.high_tailwater = tailwater >= 0.5 * outlet_size;
        const UsdaCurve& curve = r.high_tailwater ? curves->high_tailwater : curves->low_tailwater;
        // The curves give feet; the stone size is kept in the project's length unit.
        double d50 = finite(curve.stone_size_ft(q_cfs) * k.ft_to_m);
        double length = finite(curve.apron_length_ft(q_cfs) * k.ft_to_m);
        const double shortest =
            (r.high_tailwater ? kUsdaHighTailwaterMinLength : kUsdaLowTailwaterMinLength) *
            outlet_size;
        if (length < shortest) length = shortest;
        const double w0 = field_value(outlet.W_culvert);
        const double width = r.high_tailwater ? w0 + length / 2.5 : w0 + length;
        r.L_ROP = text::format_number(length, "0.0");
        r.W_ROP = text::format_number(width, "0.0");

        if (d50 < kUsdaMinStoneFt * k.ft_to_m) d50 = kUsdaMinStoneFt * k.ft_to_m;
        r.D50_size = text::format_number(d50, units.english ? "0.0" : "0.000");
        r.Thickness_Apron = text::format_number(2.0 * d50, "0.0");
    });
    return r;
}

}  // namespace pelvane::outlet
