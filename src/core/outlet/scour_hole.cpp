#include "core/outlet/scour_hole.h"

#include "core/outlet/bed_material.h"
#include "core/outlet/checked_math.h"

namespace pelvane::outlet {

using namespace detail;

namespace {

// α, β and θ of one dimension of the hole.
struct ScourCoefficients {
    double alpha, beta, theta;
};

struct ScourSet {
    ScourCoefficients depth, width, length;
};

constexpr ScourSet kGranular{{2.27, 0.39, 0.06}, {6.94, 0.53, 0.08}, {17.1, 0.47, 0.10}};
constexpr ScourSet kClay{{0.86, 0.18, 0.10}, {3.55, 0.17, 0.07}, {2.82, 0.33, 0.10}};

// (t / 316)^θ for t = 30 minutes.
constexpr double kTimeBase = 0.0949;

std::string_view d16_when_empty(const OutletUnits& units) {
    return units.english ? "0.1" : "0.01";
}
std::string_view d84_when_empty(const OutletUnits& units) {
    return units.english ? "0.2" : "0.02";
}

}  // namespace

ScourHoleResult size_scour_hole(std::string_view bed_material, std::string_view D16,
                                std::string_view D84, std::string_view plindex,
                                const OutletFields& outlet, const OutletUnits& units) {
    ScourHoleResult r;
    r.clay = bed_material == kClayBed;
    const auto& k = units.constants;
    r.failed = !run_steps([&] {
        // Each dimension is Rc · (α / grading) · parameter^β · 0.0949^θ.
        const ScourSet* set = &kGranular;
        double grading = 1.0;
        double parameter = 0.0;
        if (r.clay) {
            if (plindex.empty()) {
                r.plindex = leave_plindex(plindex);
                return;
            }
            set = &kClay;
            const double pi_value = field_value(plindex);
            const double tau_c = 0.042 * std::tan((30.0 + 1.73 * pi_value) * kPi / 180.0);
            const double v = divide(field_value(outlet.E_Discharge), field_value(outlet.E_Area));
            parameter = divide(1.94 * v * v * k.m_to_ft * k.m_to_ft, tau_c);
        } else {
            if (D16.empty()) r.D16 = std::string(d16_when_empty(units));
            if (D84.empty()) r.D84 = std::string(d84_when_empty(units));
            const double d16 = field_value(r.D16 ? *r.D16 : D16);
            const double d84 = field_value(r.D84 ? *r.D84 : D84);
            if (d16 >= d84) {
                r.message = OutletMessage::D84NotAboveD16;
                return;
            }
            grading = power(divide(d84, d16), 1.0 / 3.0);
            const double q = field_value(outlet.E_Discharge);
            const double area = field_value(outlet.E_Area);
            parameter = divide(q, area * power(k.gravity * field_value(outlet.E_HydRad), 0.5));
        }
        const double rc = field_value(outlet.E_HydRad);
        if (rc == 0.0) fail();  // no flow to scour with, for clay as for granular beds
        const auto dimension = [&](const ScourCoefficients& c) {
            return finite(rc * (c.alpha / grading) * power(parameter, c.beta) *
                          power(kTimeBase, c.theta));
        };
        r.depth = dimension(set->depth);
        r.width = dimension(set->width);
        r.length = dimension(set->length);
        r.txt_D = text::format_number(r.depth, "0.00");
        r.txt_W = text::format_number(r.width, "0.00");
        r.txt_L = text::format_number(r.length, "0.00");
        r.txtLocation = text::format_number(0.4 * r.length, "0.00");
    });
    return r;
}

std::string leave_d16(std::string_view typed, const OutletUnits& units) {
    return std::string(typed.empty() ? d16_when_empty(units) : typed);
}

std::string leave_d84(std::string_view typed, const OutletUnits& units) {
    return std::string(typed.empty() ? d84_when_empty(units) : typed);
}

std::string leave_plindex(std::string_view typed) {
    if (typed.empty()) return "5.0";
    const auto pi_value = text::parse_number(typed);
    if (pi_value.ok() && pi_value.value < 5.0) return "5.0";
    if (pi_value.ok() && pi_value.value > 16.0) return "16.0";
    return std::string(typed);
}

}  // namespace pelvane::outlet
