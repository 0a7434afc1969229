#pragma once
// The working values one section solve shares between its shape routine and its
// depth searches, and the constants of each unit system.

#include <string_view>

namespace pelvane::pipe {

// Every solve starts from a cleared set, so nothing of an earlier pipe can leak into
// this one: a value a routine reads before computing it (the velocity of an empty
// pipe, say) reads 0.
struct SectionState {
    // Inputs: discharge of one barrel Q (cfs / cms), diameter D, span B and rise H
    // (ft / m), Manning's n, slope S (ft/ft / m/m), length L (ft / m).
    double Q = 0.0, D = 0.0, B = 0.0, H = 0.0, n = 0.0, S = 0.0, L = 0.0;
    // Constants of the routine: Manning constant K, friction factor F, gravity g
    // (ft/s² / m/s²).
    double K = 0.0, F = 0.0, g = 0.0;
    // The section at the last computed depth y: area A, wetted perimeter P, hydraulic
    // radius R, velocity V and discharge Qc.
    double A = 0.0, P = 0.0, R = 0.0, V = 0.0, Qc = 0.0, y = 0.0;
};

// Which gravity a routine uses: the circular and box routines and the elliptical and
// arch routines were each calibrated with their own value.
enum class GravityKind { CircularBox, EllipticalArch };

struct SectionConstants {
    double unit_divisor;  // in -> ft (12) or mm -> m (1000)
    double manning_k;
    double friction_f;
    double gravity;
    std::string_view number_format;  // the display pattern the solve leaves in place

    // Any units text other than "ENGLISH" is metric.
    static SectionConstants for_units(std::string_view units, GravityKind kind);
};

}  // namespace pelvane::pipe
