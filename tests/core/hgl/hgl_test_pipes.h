#pragma once
// Pipes and cell checks shared by the grade line tests.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/hgl/hgl_pipe.h"
#include "core/hgl/hgl_row.h"

namespace pelvane::hgl::testing {

// An 18 in concrete pipe, 100 ft long, outlet invert 100.00, inlet invert 101.00,
// depth of flow 0.80, 10 cfs at 5.66 ft/sec, from a manhole without shaping whose
// top is at 108.00.
inline HglPipe make_pipe(std::string number, std::string in, std::string out) {
    HglPipe p;
    p.pipe_number = std::move(number);
    p.nodein_no = std::move(in);
    p.nodeout_no = std::move(out);
    p.pipe_dia = "18";
    p.pipe_shape = "Circular";
    p.pipe_mann = "0.013";
    p.pipe_length = "100.00";
    p.pipe_eleout = "100.00";
    p.pipe_elein = "101.00";
    p.pipe_flowdepth = "0.80";
    p.pipe_discharge = "10.00";
    p.numofpipes = "1";
    p.pipe_storm_freq = "10";
    p.nodein_type = "Man Hole";
    p.nodein_shaping = "NO";
    p.structure_ca = "0.0";
    p.pipe_i = "0.0";
    p.pipe_velocity = "5.66";
    p.pipe_skew = "0";
    p.nodein_station = "1050.00";
    p.nodein_topele = "108.00";
    return p;
}

inline double number_in(const HglCell& cell) {
    const double* value = std::get_if<double>(&cell);
    EXPECT_NE(value, nullptr) << "cell does not hold a number";
    return value ? *value : std::nan("");
}

inline std::string text_in(const HglCell& cell) {
    const std::string* value = std::get_if<std::string>(&cell);
    EXPECT_NE(value, nullptr) << "cell does not hold a text";
    return value ? *value : std::string("<not a text>");
}

// Computed values are compared to hand arithmetic within a relative 1e-12, which
// still tells 0.6667 from 2/3 and 0.453 from 0.463.
#define EXPECT_CELL_NEAR(cell, expected) \
    EXPECT_NEAR(::pelvane::hgl::testing::number_in(cell), (expected), 1e-12 * std::abs(expected))

}  // namespace pelvane::hgl::testing
