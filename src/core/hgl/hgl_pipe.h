#pragma once
// What the grade line reads of one PIPE record, and the constants of a run.

#include <array>
#include <cstddef>
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

// Every text of a pipe, in the order above: to copy, pack or compare a pipe text by
// text.
inline constexpr std::array<std::string HglPipe::*, 23> kHglPipeTexts = {
    &HglPipe::pipe_number,    &HglPipe::nodein_no,      &HglPipe::nodeout_no,
    &HglPipe::pipe_dia,       &HglPipe::pipe_shape,     &HglPipe::pipe_mann,
    &HglPipe::span,           &HglPipe::rise,           &HglPipe::pipe_length,
    &HglPipe::pipe_eleout,    &HglPipe::pipe_elein,     &HglPipe::pipe_flowdepth,
    &HglPipe::pipe_discharge, &HglPipe::numofpipes,     &HglPipe::pipe_storm_freq,
    &HglPipe::nodein_type,    &HglPipe::nodein_shaping, &HglPipe::structure_ca,
    &HglPipe::pipe_i,         &HglPipe::pipe_velocity,  &HglPipe::pipe_skew,
    &HglPipe::nodein_station, &HglPipe::nodein_topele,
};
// Whether no member appears twice in a list of members.
template <typename Members>
constexpr bool each_listed_once(const Members& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            if (texts[i] == texts[j]) return false;
        }
    }
    return true;
}
static_assert(sizeof(HglPipe) == kHglPipeTexts.size() * sizeof(std::string) &&
                  each_listed_once(kHglPipeTexts),
              "every text of a pipe is listed, once");

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
