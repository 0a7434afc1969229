#include "core/outlet/vdot_apron.h"

#include "core/outlet/checked_math.h"

namespace pelvane::outlet {

using namespace detail;

ApronClass apron_class(double velocity_ft_s) {
    if (velocity_ft_s < 3.01) return {kLiningNotRequired, std::nullopt};
    if (velocity_ft_s < 8.01) return {" Class A1 ", 1.5};
    if (velocity_ft_s < 14.01) return {" Class I ", 2.0};
    if (velocity_ft_s < kSpecialDesignVelocity) return {" Class II ", 3.0};
    return {kSpecialDesign, std::nullopt};
}

const std::array<RiprapClass, 6>& riprap_classes() {
    static const std::array<RiprapClass, 6> table{{
        {"Class A1", 0.8},
        {"Class I", 1.1},
        {"Class II", 1.6},
        {"Class III", 2.2},
        {"Type I", 2.8},
        {"Type II", 4.5},
    }};
    return table;
}

std::optional<double> riprap_d50_ft(std::string_view class_name) {
    for (const auto& riprap : riprap_classes()) {
        if (riprap.name == class_name) return riprap.d50_ft;
    }
    return std::nullopt;
}

std::optional<std::string> size_d50_text(std::string_view class_name, const OutletUnits& units) {
    const auto d50 = riprap_d50_ft(class_name);
    if (!d50) return std::nullopt;
    return text::format_number(*d50 * units.constants.ft_to_m, "0.000");
}

VdotApronResult design_vdot_apron(const OutletFields& outlet, double outlet_barrel_area,
                                  const OutletUnits& units) {
    VdotApronResult r;
    r.txt_EC = r.txtEC_L = r.txtEC_W = r.txtEC_T = "";
    const auto& k = units.constants;
    r.failed = !run_steps([&] {
        if (field_value(outlet.FR_C) > 3.0) r.message = OutletMessage::VdotFroudeOverThree;
        const ApronClass apron = apron_class(field_value(outlet.V_C) * k.m_to_ft);
        r.txt_EC = std::string(apron.txt_EC);
        if (!apron.thickness_ft) return;
        const double d = divide(field_value(outlet.eDiaRise), k.unit_divisor);
        const double w0 = field_value(outlet.W_culvert);
        const double area_sq_ft = outlet_barrel_area * k.m_to_ft * k.m_to_ft;
        r.length = (area_sq_ft < 7.0 ? 3.0 : 5.0) * d;
        r.width = r.length < w0 + 2.0 * d ? w0 + 2.0 * d : r.length;
        r.txtEC_L = text::format_number(r.length, "0.00");
        r.txtEC_W = text::format_number(r.width, "0.00");
        r.txtEC_T = text::format_number(*apron.thickness_ft * k.ft_to_m, "0.00");
    });
    return r;
}

}  // namespace pelvane::outlet
