#include "core/hgl/pipe_row.h"

#include <algorithm>
#include <string>

#include "core/pipe/full_section.h"
#include "core/pipe/section_math.h"
#include "core/text/number_text.h"

namespace pelvane::hgl {
namespace {

constexpr double kPi = 3.14159265358979;
// The fitted exponents are used as the form writes them, not as 2/3 and 8/3.
constexpr double kRadiusExponent = 0.6667;
constexpr double kDiameterExponent = 2.6667;
constexpr double kMaxBendK = 0.7;

// A record text that must hold a number; an empty text fails like any other.
Checked record_number(std::string_view text) {
    const auto parsed = text::parse_number(text);
    return parsed.ok() ? Checked(parsed.value) : Checked::failed();
}

// A record text that counts as 0 when empty.
Checked record_number_or_zero(std::string_view text) {
    const auto parsed = text::parse_number(text);
    if (parsed.empty()) return 0.0;
    return parsed.ok() ? Checked(parsed.value) : Checked::failed();
}

void set(double& working, Checked value) {
    if (value.ok()) working = value.value();
}

void put(HglCell& cell, Checked value) {
    if (value.ok()) cell = value.value();
}

// (q · n / (k · A · R^(2/3)))² of the whole section flowing full, with Manning's
// constant k of the units (1.486 English, 1.0 metric: the section solves' own).
Checked full_manning_slope(const HglPipe& pipe, Checked q, double n, double unit_divisor,
                           double manning_k) {
    const bool circular = pipe.pipe_shape == "Circular";
    const Checked diameter = circular ? record_number(pipe.pipe_dia) / unit_divisor : 0.0;
    const Checked span = circular ? 0.0 : record_number(pipe.span) / unit_divisor;
    const Checked rise = circular ? 0.0 : record_number(pipe.rise) / unit_divisor;
    if (!diameter.ok() || !span.ok() || !rise.ok()) return Checked::failed();
    try {
        const pipe::FullSection full = pipe::full_section(
            pipe::section_kind(pipe.pipe_shape), diameter.value(), span.value(), rise.value());
        return square(q * n / (manning_k * full.area * power(Checked(full.radius), 2.0 / 3.0)));
    } catch (const pipe::ArithmeticFailure&) {
        return Checked::failed();
    }
}

}  // namespace

Checked cell_number(const HglCell& cell) {
    if (const double* number = std::get_if<double>(&cell)) return *number;
    if (const std::string* text = std::get_if<std::string>(&cell)) {
        return record_number_or_zero(*text);
    }
    return 0.0;
}

double bend_coefficient(double angle) {
    double k = 0.0;
    if (angle == 0.0) {
        k = 0.0;
    } else if (angle == 90.0) {
        k = kMaxBendK;
    } else {
        k = -0.00006 * angle * angle + 0.0127 * angle + 0.0078;
    }
    return std::min(k, kMaxBendK);
}

HglFields compute_pipe_row(const HglPipe& pipe, std::span<const HglPipe* const> inflows,
                           const HglCell& downstream_hgl, const HglConstants& constants,
                           HglWorking& w) {
    HglRow row;
    auto field = [&row](int n) -> HglCell& { return row.field(n); };
    auto read = [&row](int n) { return cell_number(row.field(n)); };
    const double u = constants.unit_divisor;
    const double two_g = 2.0 * constants.gravity;
    const double k_friction = constants.friction_k;
    const bool circular = pipe.pipe_shape == "Circular";

    // The upper structure and the outlet invert, as stored.
    field(1) = text_cell(pipe.nodein_no);
    field(2) = text_cell(pipe.nodein_station);
    field(3) = text_cell(pipe.pipe_eleout);

    // Size and rise.
    field(6) = text_cell(circular ? pipe.pipe_dia : pipe.span + " X " + pipe.rise);
    set(w.rise, record_number(circular ? pipe.pipe_dia : pipe.rise));
    put(field(4), Checked(w.rise) / u);

    // Water surface at the outlet: the tailwater or downstream structure's level when
    // it stands above both the 0.8-rise level and the flow depth, else the higher.
    set(w.outlet_crown, read(3) + 0.8 * Checked(w.rise) / u);
    set(w.outlet_depth, read(3) + record_number(pipe.pipe_flowdepth));
    if (const Checked downstream = cell_number(downstream_hgl); downstream.ok()) {
        const double level = downstream.value();
        if (level > w.outlet_crown && level > w.outlet_depth) {
            field(5) = level;
        } else {
            field(5) = w.outlet_crown > w.outlet_depth ? w.outlet_crown : w.outlet_depth;
        }
    }

    // Discharge of one barrel, length and friction slope.
    put(field(7), record_number(pipe.pipe_discharge) / record_number(pipe.numofpipes));
    const std::string length = text::trim(pipe.pipe_length);
    field(8) = length.empty() ? HglCell{0.0} : HglCell{length};
    field(9) = 0.0;
    set(w.manning_n, record_number(pipe.pipe_mann));
    const Checked q = read(7);
    if (constants.friction == FrictionRule::FullManning) {
        put(field(9), full_manning_slope(pipe, q, w.manning_n, u, constants.manning_k));
    } else if (circular) {
        set(w.diameter, record_number(pipe.pipe_dia) / u);
        put(field(9),
            square(q * w.manning_n / (k_friction * power(Checked(w.diameter), kDiameterExponent))));
    } else {
        set(w.span, record_number(pipe.span));
        const Checked s = w.span;
        const Checked h = w.rise;
        if (pipe.pipe_shape == "Elliptical") {
            set(w.area, kPi * s * h / 4.0 / (u * u));
            set(w.wetted_perimeter, kPi * (s + h) / 2.0);
            set(w.hydraulic_radius, Checked(w.area) / (Checked(w.wetted_perimeter) / u));
        } else if (pipe.pipe_shape == "Box" || pipe.pipe_shape == "Rectangulr") {
            // The top side of a box is not wetted.
            set(w.area, s * h / (u * u));
            set(w.hydraulic_radius, s * h / (s + 2.0 * h) / u);
        } else {
            // The arch shapes, by their fitted area and radius.
            set(w.area, 0.781 * power(s * h / (u * u), 1.003));
            set(w.hydraulic_radius, 0.241 * power(s * h / (u * u), 0.4965));
        }
        put(field(9), k_friction * square(q * w.manning_n /
                                          (Checked(w.area) *
                                           power(Checked(w.hydraulic_radius), kRadiusExponent))));
    }
    put(field(10), read(8) * read(9));
    field(11) = text_cell(pipe.pipe_velocity);
    put(field(12), 0.25 * square(read(11)) / two_g);

    // Inflows: the main inflow has the largest discharge × velocity; a lateral that
    // carries more than a tenth of this barrel's discharge may govern the bend loss.
    // On ties the earlier pipe stays.
    double largest_product = 0.0;
    double main_velocity = 0.0;
    double governing_loss = 0.0;
    double governing_angle = 0.0;
    double governing_k = 0.0;
    for (const HglPipe* inflow : inflows) {
        set(w.inflow_velocity, record_number_or_zero(text::trim(inflow->pipe_velocity)));
        set(w.inflow_discharge, record_number_or_zero(text::trim(inflow->pipe_discharge)));
        set(w.inflow_angle, record_number_or_zero(inflow->pipe_skew));
        if (const Checked product = Checked(w.inflow_discharge) * w.inflow_velocity;
            product.ok() && product.value() > largest_product) {
            largest_product = product.value();
            main_velocity = w.inflow_velocity;
        }
        if (const Checked tenth = 0.1 * q; tenth.ok() && w.inflow_discharge > tenth.value()) {
            set(w.bend_k, bend_coefficient(w.inflow_angle));
            set(w.bend_loss, w.bend_k * square(Checked(w.inflow_velocity)) / two_g);
            if (w.bend_loss > governing_loss) {
                governing_loss = w.bend_loss;
                governing_angle = w.inflow_angle;
                governing_k = w.bend_k;
            }
        }
    }
    field(13) = main_velocity;
    put(field(14), square(Checked(main_velocity)) / two_g);
    put(field(15), 0.35 * read(14));
    field(16) = governing_angle;
    field(17) = governing_k;
    field(18) = governing_loss;
    put(field(19), read(12) + read(15) + read(18));

    // Inlet flow raises the junction loss by 30 % when it is at least a fifth of the
    // barrel discharge; shaping halves it.
    if (pipe.nodein_type == "Inlet") {
        put(field(20),
            record_number_or_zero(pipe.structure_ca) * record_number_or_zero(pipe.pipe_i));
    } else {
        field(20) = 0.0;
    }
    if (const Checked inlet = read(20), threshold = 0.2 * read(7); inlet.ok() && threshold.ok()) {
        put(field(21), inlet.value() >= threshold.value() ? read(19) * 1.3 : read(19));
    }
    field(22) = text_cell(pipe.nodein_shaping);
    put(field(23), pipe.nodein_shaping == "YES" ? 0.5 * read(21) : read(21));

    // Total loss and the water surface in the upper structure, never below the flow
    // depth at the pipe's inlet.
    put(field(24), read(10) + read(23));
    put(field(25), read(5) + read(24));
    if (const Checked floor = record_number(pipe.pipe_elein) + record_number(pipe.pipe_flowdepth);
        floor.ok() && read(25).ok() && read(25).value() < floor.value()) {
        field(25) = floor.value();
    }

    field(26) = text_cell(pipe.nodein_topele);
    if (const Checked top = read(26), hgl = read(25); top.ok() && hgl.ok()) {
        field(27) = std::string(top.value() >= hgl.value() ? "O.K." : "ADJUST");
    }
    return row.fields;
}

}  // namespace pelvane::hgl
