#include "core/outlet/design_pipe.h"

#include "core/outlet/checked_math.h"

namespace pelvane::outlet {

using namespace detail;

BarrelShape barrel_shape(std::string_view pipe_shape) {
    if (pipe_shape == "Circular") return BarrelShape::Circular;
    if (pipe_shape == "Elliptical") return BarrelShape::Elliptical;
    if (pipe_shape == "Box" || pipe_shape == "Rectangulr") return BarrelShape::Box;
    return BarrelShape::Arch;
}

std::optional<std::size_t> design_pipe_index(const std::vector<std::string>& discharges) {
    std::optional<std::size_t> best;
    double largest = 0.0;
    for (std::size_t i = 0; i < discharges.size(); ++i) {
        const auto q = text::parse_number(discharges[i]);
        if (!q.ok()) continue;
        if (!best || q.value > largest) {
            best = i;
            largest = q.value;
        }
    }
    return best;
}

std::optional<double> outlet_barrel_area(std::string_view pipe_shape, int barrels,
                                         std::string_view eDiaRise, std::string_view W_culvert,
                                         const OutletUnits& units) {
    std::optional<double> area;
    run_steps([&] {
        const double n = barrels;
        const double d = divide(field_value(eDiaRise), units.constants.unit_divisor);
        switch (barrel_shape(pipe_shape)) {
            case BarrelShape::Circular:
                area = finite(n * kPi * d * d / 4.0);
                break;
            case BarrelShape::Elliptical:
                area = finite(n * kPi * field_value(W_culvert) * d / 4.0);
                break;
            case BarrelShape::Box:
                area = finite(n * field_value(W_culvert) * d);
                break;
            case BarrelShape::Arch:
                area = finite(n * 0.781 * power(field_value(W_culvert) * d, 1.003));
                break;
        }
    });
    return area;
}

}  // namespace pelvane::outlet
