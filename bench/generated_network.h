#pragma once
// Generated branching networks for the grade line benchmarks.

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/hgl/hgl_pipe.h"
#include "core/text/number_text.h"

namespace pelvane::bench {

using pelvane::hgl::HglPipe;
using pelvane::text::format_number;

// Pipe k runs from structure k + 1 down to a structure a few numbers below, so the
// network is a tree of long runs with many side branches; one shape in four is not
// circular and one structure in three is an inlet. Structure 1 is the outfall.
inline std::vector<HglPipe> branching_network(int pipe_count) {
    std::mt19937 random(42);
    const char* shapes[] = {"Circular", "Elliptical", "Box", "Arch-Conc"};
    std::vector<double> invert(static_cast<std::size_t>(pipe_count) + 2, 100.0);
    std::vector<HglPipe> pipes;
    pipes.reserve(static_cast<std::size_t>(pipe_count));
    for (int k = 1; k <= pipe_count; ++k) {
        const int node = k + 1;
        const int reach = std::min(node - 1, 8);
        const int parent = node - 1 - static_cast<int>(random() % static_cast<unsigned>(reach));
        invert[static_cast<std::size_t>(node)] = invert[static_cast<std::size_t>(parent)] + 0.6;

        HglPipe p;
        p.pipe_number = std::to_string(k);
        p.nodein_no = std::to_string(node);
        p.nodeout_no = std::to_string(parent);
        p.pipe_shape = shapes[k % 4];
        p.pipe_dia = "24";
        p.span = "36";
        p.rise = "24";
        p.pipe_mann = "0.013";
        p.pipe_length = format_number(50.0 + static_cast<double>(random() % 200), "0.00");
        p.pipe_eleout = format_number(invert[static_cast<std::size_t>(parent)] + 0.1, "0.00");
        p.pipe_elein = format_number(invert[static_cast<std::size_t>(node)], "0.00");
        p.pipe_flowdepth = format_number(0.5 + 0.01 * static_cast<double>(random() % 80), "0.000");
        p.pipe_discharge = format_number(2.0 + 0.1 * static_cast<double>(random() % 300), "0.000");
        p.numofpipes = "1";
        p.pipe_storm_freq = "10";
        p.nodein_type = k % 3 == 0 ? "Inlet" : "Man Hole";
        p.nodein_shaping = k % 5 == 0 ? "YES" : "NO";
        p.structure_ca = format_number(0.1 * static_cast<double>(random() % 20), "0.00");
        p.pipe_i = "6.50";
        p.pipe_velocity = format_number(2.0 + 0.05 * static_cast<double>(random() % 120), "0.000");
        p.pipe_skew = std::to_string(random() % 4 * 30);
        p.nodein_station = format_number(100.0 * k, "0.00");
        p.nodein_topele = format_number(invert[static_cast<std::size_t>(node)] + 6.0, "0.00");
        pipes.push_back(std::move(p));
    }
    return pipes;
}

}  // namespace pelvane::bench
