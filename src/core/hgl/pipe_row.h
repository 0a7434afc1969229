#pragma once
// The grade line row of one pipe: water surface at its outlet, friction loss along
// it, the losses at its upper structure and the water surface there.

#include <span>

#include "core/hgl/checked_number.h"
#include "core/hgl/hgl_pipe.h"
#include "core/hgl/hgl_row.h"

namespace pelvane::hgl {

// Working values a run carries from row to row. Every assignment of a row is a step
// of its own: one that cannot be evaluated (a text that is not a number, a division
// by zero, an overflow) is skipped, so a working value keeps what an earlier row
// left in it and a cell stays empty. A run starts with all of them at 0.
struct HglWorking {
    double rise = 0.0;              // H, in or mm
    double outlet_crown = 0.0;      // E1 = invert + 0.8 rise, ft or m
    double outlet_depth = 0.0;      // E2 = invert + depth of flow, ft or m
    double manning_n = 0.0;         // n
    double span = 0.0;              // S, in or mm
    double diameter = 0.0;          // D of a circular pipe, ft or m
    double area = 0.0;              // A, ft² or m²
    double wetted_perimeter = 0.0;  // P of an elliptical pipe, in or mm
    double hydraulic_radius = 0.0;  // R, ft or m
    double inflow_velocity = 0.0;   // Vp of the inflow pipe at hand, ft/sec or m/sec
    double inflow_discharge = 0.0;  // Qp, cfs or cms
    double inflow_angle = 0.0;      // θ, degrees
    double bend_k = 0.0;            // k of the lateral at hand
    double bend_loss = 0.0;         // h of the lateral at hand, ft or m
};

// Bend coefficient of a lateral entering at `angle` degrees: none for a straight
// entry, 0.7 for exactly a right angle, otherwise the fitted curve (at most 0.7).
double bend_coefficient(double angle);

// Computes the row of `pipe`. `inflows` are the pipes ending at its upper structure
// (other than itself) in table order; `downstream_hgl` is field 25 of the row of the
// structure at its lower end, read like any cell (empty is 0, a text must be a
// number or the steps reading it are skipped).
HglFields compute_pipe_row(const HglPipe& pipe, std::span<const HglPipe* const> inflows,
                           const HglCell& downstream_hgl, const HglConstants& constants,
                           HglWorking& working);

// A cell read as a number: empty reads 0, a number its value, a text that is a
// number its value; any other text fails.
Checked cell_number(const HglCell& cell);

}  // namespace pelvane::hgl
