#pragma once
// The USDA design curves of one standard pipe diameter, as the coefficient database
// holds them: with Q the discharge in cfs, A·Q² + B·Q + C is the median stone size
// and D·ln(Q) + E the apron length, both in ft.

namespace pelvane::outlet {

struct UsdaCurve {
    double a = 0.0, b = 0.0, c = 0.0;  // stone size
    double d = 0.0, e = 0.0;           // apron length

    double stone_size_ft(double q_cfs) const;
    double apron_length_ft(double q_cfs) const;  // Q must be positive
};

struct UsdaCoefficients {
    UsdaCurve high_tailwater;  // A1 … E1: tailwater at least half the diameter
    UsdaCurve low_tailwater;   // A2 … E2: lower tailwater
};

}  // namespace pelvane::outlet
