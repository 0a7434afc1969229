#pragma once
// Seeded random pipe sections, typed as an engineer would: the scanners compared.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "core/pipe/section.h"
#include "core/text/number_text.h"

namespace pelvane::testing {

// Random pipes: sizes 12-144 in or 300-3600 mm, slopes 0.0001-0.1, n 0.009-0.030,
// one to three barrels, and a discharge from a millionth of a rough capacity
// estimate to three times it.
class RandomSections {
  public:
    explicit RandomSections(std::uint64_t seed) : rng_(seed) {}

    pipe::SectionInput next(const std::string& shape) {
        const bool english = uniform(0, 1) < 0.5;
        const double divisor = english ? 12.0 : 1000.0;
        const auto size = [&] {
            return english ? text::round_half_away(uniform(12, 144), 1)
                           : text::round_half_away(uniform(300, 3600), 0);
        };
        const double slope =
            text::round_half_away(std::exp(uniform(std::log(1e-4), std::log(0.1))), 6);
        const double mann = text::round_half_away(uniform(0.009, 0.030), 4);
        const double barrels = uniform(0, 1) < 0.7 ? 1 : (uniform(0, 1) < 0.6 ? 2 : 3);

        pipe::SectionInput in;
        in.shape = shape;
        in.units = english ? "ENGLISH" : "METRIC";
        in.slope = text::shortest_text(slope);
        in.mann = text::shortest_text(mann);
        in.length = text::shortest_text(text::round_half_away(uniform(10, 600), 2));
        in.barrels = text::shortest_text(barrels);
        double b = 0, h = 0;
        if (shape == "Circular") {
            b = h = size();
            in.dia = text::shortest_text(b);
        } else {
            b = size();
            h = size();
            in.span = text::shortest_text(b);
            in.rise = text::shortest_text(h);
        }
        const double k = english ? 1.486 : 1.0;
        const double area = 0.8 * (b / divisor) * (h / divisor);
        const double radius = std::min(b, h) / divisor / 4.0;
        const double estimate = k / mann * area * std::pow(radius, 2.0 / 3.0) * std::sqrt(slope);
        // Half of them spread over six decades, half near and beyond capacity.
        const double ratio = uniform(0, 1) < 0.5 ? std::exp(uniform(std::log(1e-6), std::log(3.0)))
                                                 : uniform(0.05, 2.5);
        in.discharge = significant(ratio * estimate * barrels);
        return in;
    }

    // Six significant digits, as a person would type them.
    static std::string significant(double value) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.6g", value);
        return text::shortest_text(text::parse_number(buffer).value);
    }

    double uniform(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng_);
    }

  private:
    std::mt19937_64 rng_;
};

}  // namespace pelvane::testing
