#pragma once
// What the grade line reads of one PIPE record, and the constants of a run.

#include <string>
#include <string_view>

#include "core/gravity.h"
#include "core/pipe/section_state.h"
#include "core/units.h"

namespace pelvane::hgl {

// The PIPE texts the grade line reads, exactly as stored (NULL as ""). Sizes
// (pipe_dia, span, rise) are in in / mm; elevations, depths, lengths and stations in
// ft / m; discharges in cfs / cms; velocities in ft/sec / m/sec; pipe_skew in
// degrees; pipe_i in in/hr / mm/hr; structure_ca in acres / hectares.
struct HglPipe {
    std::string pipe_number;
    std::string nodein_no;
    std::string nodeout_no;
    std::string pipe_dia;
    std::string pipe_shape;
    std::string pipe_mann;
    std::string span;
    std::string rise;
    std::string pipe_length;
    std::string pipe_eleout;
    std::string pipe_elein;
    std::string pipe_flowdepth;
    std::string pipe_discharge;
    std::string numofpipes;
    std::string pipe_storm_freq;
    std::string nodein_type;
    std::string nodein_shaping;
    std::string structure_ca;
    std::string pipe_i;
    std::string pipe_velocity;
    std::string pipe_skew;
    std::string nodein_station;
    std::string nodein_topele;
};

// How a run takes the friction slope of a pipe. Ld347 is the form's own rule: K of
// 0.453 (English) or 0.312 (metric) in both of its formulas, and a box whose top side
// is not wetted. FullManning is Manning's equation on the whole section flowing
// full (every side wetted) with Manning's constant of the units; it is the check
// on the form, whose rule understates the friction of boxes and of every
// non-circular metric section.
enum class FrictionRule { Ld347, FullManning };

// Constants of one run, chosen from the project's units (anything but "ENGLISH" is
// metric). The grade line uses its own gravity (not the outlet windows' metric one).
struct HglConstants {
    double gravity = gravity::kEnglish;  // g, ft/sec² or m/sec²
    double unit_divisor = 12.0;          // u, in -> ft or mm -> m
    double friction_k = 0.453;           // K of the friction slope formulas
    FrictionRule friction = FrictionRule::Ld347;
    double manning_k = 0.0;  // Manning's constant of the units, for FullManning

    static HglConstants for_units(std::string_view units) {
        HglConstants constants;
        if (!is_english(units)) constants = HglConstants{gravity::kMetric, 1000.0, 0.312};
        constants.manning_k =
            pipe::SectionConstants::for_units(units, pipe::GravityKind::CircularBox).manning_k;
        return constants;
    }
};

}  // namespace pelvane::hgl
