#include "core/outlet/usbr_basin.h"

#include "core/outlet/basin_inflow.h"

namespace pelvane::outlet {

using namespace detail;

const std::array<UsbrRow, 17>& usbr_dimension_table() {
    // clang-format off
    static const std::array<UsbrRow, 17> table{{
        {4, {3.08, 1.5, 0.67, 1.67, 5.42, 2.33, 3.08, 0.33, 1.08, 0.5, 0.5, 0.5, 0.5, 0.25}},
        {5, {3.83, 1.92, 0.83, 2.08, 6.67, 2.92, 3.83, 0.42, 1.42, 0.5, 0.5, 0.5, 0.5, 0.25}},
        {6, {4.58, 2.25, 1, 2.5, 8, 3.42, 4.58, 0.5, 1.67, 0.5, 0.5, 0.5, 0.5, 0.25}},
        {7, {5.42, 2.58, 1.17, 2.92, 9.42, 4, 5.42, 0.5, 1.92, 0.5, 0.5, 0.5, 0.5, 0.25}},
        {8, {6.17, 3, 1.33, 3.33, 10.67, 4.58, 6.17, 0.58, 2.17, 0.5, 0.58, 0.58, 0.5, 0.25}},
        {9, {6.92, 3.42, 1.5, 3.75, 12, 5.17, 6.92, 0.67, 2.5, 0.58, 0.58, 0.67, 0.58, 0.25}},
        {10, {7.58, 3.75, 1.67, 4.17, 13.42, 5.75, 7.67, 0.75, 2.75, 0.67, 0.67, 0.75, 0.67, 0.25}},
        {11, {8.42, 4.17, 1.83, 4.58, 14.58, 6.33, 8.42, 0.83, 3, 0.67, 0.75, 0.75, 0.67, 0.33}},
        {12, {9.17, 4.5, 2, 5, 16, 6.83, 9.17, 0.92, 3, 0.67, 0.83, 0.83, 0.75, 0.33}},
        {13, {10.17, 4.92, 2.17, 5.42, 17.33, 7.42, 10, 1, 3, 0.67, 0.92, 0.83, 0.83, 0.33}},
        {14, {10.75, 5.25, 2.33, 5.83, 18.67, 8, 10.75, 1.08, 3, 0.67, 1, 0.92, 0.92, 0.42}},
        {15, {11.5, 5.58, 2.5, 6.25, 20, 8.5, 11.5, 1.17, 3, 0.67, 1, 1, 1, 0.42}},
        {16, {12.25, 6, 2.67, 6.67, 21.33, 9.08, 12.25, 1.25, 3, 0.75, 1, 1, 1, 0.5}},
        {17, {13, 6.33, 2.83, 7.08, 21.5, 9.67, 13, 1.33, 3, 0.75, 1.08, 1, 1, 0.5}},
        {18, {13.75, 6.67, 3, 7.5, 23.92, 10.25, 13.75, 1.33, 3, 0.75, 1.08, 1.08, 1.08, 0.58}},
        {19, {14.58, 7.08, 3.17, 7.92, 25.33, 10.83, 14.58, 1.42, 3, 0.83, 1.17, 1.08, 1.08, 0.58}},
        {20, {15.33, 7.5, 3.33, 8.33, 26.58, 11.42, 15.33, 1.5, 3, 0.83, 1.17, 1.17, 1.17, 0.67}},
    }};
    // clang-format on
    return table;
}

namespace {

std::string show(double value) {
    return text::format_number(value, "0.00");
}

// The first row at least as wide as W (widths in the project's unit); a wider basin
// takes the last row.
const UsbrRow& row_for_width(double width, double ft_to_m) {
    const auto& table = usbr_dimension_table();
    for (const auto& row : table) {
        if (row.width * ft_to_m >= width) return row;
    }
    return table.back();
}

}  // namespace

UsbrBasinResult design_usbr_basin(const OutletFields& outlet, const OutletUnits& units) {
    UsbrBasinResult r;
    const double g = units.constants.gravity;
    const double ft_to_m = units.constants.ft_to_m;
    r.failed = !run_steps([&] {
        const double q = field_value(outlet.E_Discharge);
        const double v = field_value(outlet.V_C);
        if (q > kUsbrMaxDischarge || v > kUsbrMaxVelocity) {
            r.message = OutletMessage::UsbrLimitsExceeded;
            return;
        }
        r.USBRsize.fill("");
        const double de = equivalent_depth(outlet);
        const double fro = inflow_froude(v, de, g);
        r.txtdE = show(de);
        r.txtFRo = show(fro);
        const double ho = finite(de + v * v / (2.0 * g));
        r.txtHo = show(ho);

        const double ratio = text::round_half_even(0.0331 * fro * fro + 0.151 * fro + 0.0929, 2);
        double width = text::round_half_even(divide(ho, ratio) + 0.5, 0);
        if (width < 4.0 * ft_to_m) width = 4.0 * ft_to_m;
        r.width = width;
        r.USBRsize[0] = show(width);
        const UsbrRow& row = row_for_width(width, ft_to_m);
        for (std::size_t i = 0; i < row.dimensions.size(); ++i) {
            r.USBRsize[i + 1] = show(row.dimensions[i] * ft_to_m);
        }

        const double loss =
            text::round_half_even(ho * (-1.1179 * fro * fro + 17.087 * fro + 10.37) / 100.0, 2);
        const double he = ho - loss;
        r.txtHL = show(loss);
        r.txtHe = show(he);

        double depth = 0.01;
        double basin_velocity = 0.0;
        for (long pass = 0;; ++pass) {
            if (pass > kMaxScanPasses) fail();
            basin_velocity = divide(divide(q, width), depth);
            const double energy = finite(depth + basin_velocity * basin_velocity / (2.0 * g));
            if (!(energy > he) || depth > ho) break;
            depth = depth + 0.01;
        }
        r.txtdB = show(depth);
        r.txtVB = show(basin_velocity);
    });
    return r;
}

}  // namespace pelvane::outlet
