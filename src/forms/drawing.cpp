#include "forms/drawing.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace pelvane::forms::drawing {

std::optional<Format> format_of(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".svg") return Format::Svg;
    if (extension == ".png") return Format::Png;
    if (extension == ".pdf") return Format::Pdf;
    return std::nullopt;
}

std::vector<double> round_ticks(double low, double high, int most) {
    std::vector<double> ticks;
    if (!(high > low) || most < 2) return ticks;
    const double rough = (high - low) / (most - 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10.0 * power;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    }
    for (double at = std::ceil(low / step) * step; at <= high + step * 1e-9; at += step) {
        // Written as a multiple of the step, so 0.30000000000000004 does not appear.
        ticks.push_back(std::round(at / step) * step);
    }
    return ticks;
}

}  // namespace pelvane::forms::drawing
