// The drawing of a profile and the values under the pointer.

#include <algorithm>
#include <array>
#include <cmath>

#include "core/text/number_text.h"
#include "forms/profile.h"
#include "forms/profile_texts.h"

namespace pelvane::forms {
namespace {

using drawing::Dash;
using drawing::Pen;
using drawing::Point;
using drawing::Rgb;

constexpr std::string_view kElevationPattern = "0.00";

const Pen kGroundPen{{0x8b, 0x5a, 0x2b}, 1.5, Dash::Solid};
const Pen kStructurePen{{0x40, 0x40, 0x40}, 1.0, Dash::Solid};
constexpr Rgb kStructureFill{0xe4, 0xe4, 0xe4};
const Pen kInvertPen{{0x10, 0x10, 0x10}, 1.5, Dash::Solid};
const Pen kCrownPen{{0x10, 0x10, 0x10}, 1.0, Dash::Solid};
const Pen kHglPen{{0x1f, 0x5f, 0xbf}, 1.8, Dash::Solid};
const Pen kEglPen{{0xc0, 0x39, 0x2b}, 1.2, Dash::Dashed};
const Pen kTailwaterPen{{0x1f, 0x5f, 0xbf}, 1.2, Dash::Dotted};
constexpr Rgb kLabelColour{0x20, 0x20, 0x20};

// The sheet a profile is made for: its plot about 0.6 times as high as wide. The
// lowest part (below the lowest invert) holds the pipe labels.
constexpr double kSheetAspect = 0.6;
constexpr double kLabelBand = 0.6;
constexpr double kTopMargin = 0.08;
// Each structure is drawn this part of the run's length wide.
constexpr double kStructureWidth = 0.008;
constexpr std::array kExaggerations = {1,  2,  4,   5,   8,   10,  15,  20,  25,  40,
                                       50, 80, 100, 150, 200, 250, 400, 500, 800, 1000};

struct Range {
    double low = 0.0;
    double high = 0.0;
    void take(std::optional<double> value) {
        if (!value) return;
        low = std::min(low, *value);
        high = std::max(high, *value);
    }
};

// The elevations drawn, from the lowest invert to the highest rim, HGL or EGL.
Range elevation_range(const ProfileRun& run) {
    Range range{run.pipes.front().invert_down, run.pipes.front().invert_down};
    range.take(run.outfall_rim);
    for (const ProfilePipe& p : run.pipes) {
        range.take(p.invert_down);
        range.take(p.invert_up);
        range.take(p.invert_down + p.rise);
        range.take(p.invert_up + p.rise);
        range.take(p.rim_up);
        range.take(p.egl_down());
        range.take(p.egl_up());
        range.take(p.hgl_down);
        range.take(p.hgl_up);
    }
    if (range.high - range.low < 1.0) range.high = range.low + 1.0;
    return range;
}

double run_length(const ProfileRun& run) {
    return std::max(run.length(), 1.0);
}

// Adds `point`, or ends the line being drawn when there is no value there.
void extend(std::vector<drawing::Polyline>& lines, drawing::Polyline& line, double station,
            std::optional<double> elevation) {
    if (elevation) {
        line.points.push_back({station, *elevation});
        return;
    }
    if (line.points.size() > 1) lines.push_back(line);
    line.points.clear();
}

void finish(std::vector<drawing::Polyline>& lines, drawing::Polyline& line) {
    if (line.points.size() > 1) lines.push_back(line);
    line.points.clear();
}

std::string pipe_label(const ProfileRun& run, const ProfilePipe& pipe) {
    std::string label = "Pipe " + pipe.number + "  " + pipe.size + " " + run.size_unit;
    if (!pipe.slope.empty()) label += "  S " + pipe.slope;
    return label;
}

std::string elevation_text(double value) {
    return text::format_number(value, kElevationPattern);
}

}  // namespace

int vertical_exaggeration(const ProfileRun& run) {
    const Range range = elevation_range(run);
    const double fits = kSheetAspect * run_length(run) /
                        ((range.high - range.low) * (1.0 + kLabelBand + kTopMargin));
    int chosen = kExaggerations.front();
    for (const int times : kExaggerations) {
        if (times <= fits) chosen = times;
    }
    return chosen;
}

drawing::Drawing profile_drawing(const ProfileRun& run) {
    namespace t = profile_texts;
    drawing::Drawing d;
    if (run.pipes.empty()) return d;
    const Range range = elevation_range(run);
    const double height = range.high - range.low;
    const double length = run_length(run);
    const double half_width = kStructureWidth * length / 2.0;
    const int times = vertical_exaggeration(run);

    d.title = t::title(run.start, run.outfall);
    d.subtitle = t::exaggeration(times);
    d.y_scale = times;
    // Room left of the outfall for the tailwater and its label.
    d.low = {-16.0 * half_width, range.low - kLabelBand * height};
    d.high = {length + 2.0 * half_width, range.high + kTopMargin * height};
    d.axes = true;
    d.x_title = t::station_axis(run.length_unit);
    d.y_title = t::elevation_axis(run.length_unit);
    for (const double at : drawing::round_ticks(0.0, length, 12)) {
        d.x_ticks.push_back({at, text::shortest_text(at)});
    }
    for (const double at : drawing::round_ticks(d.low.y, d.high.y, 10)) {
        d.y_ticks.push_back({at, text::shortest_text(at)});
    }

    // Structures: the outfall, then the upper structure of each pipe.
    drawing::Polyline ground{kGroundPen, {}};
    const auto structure = [&](double station, const std::string& node, double bottom,
                               std::optional<double> rim) {
        extend(d.lines, ground, station, rim);
        const double top = rim.value_or(bottom);
        if (rim) {
            d.boxes.push_back({kStructurePen,
                               kStructureFill,
                               {station - half_width, bottom},
                               {station + half_width, top}});
        }
        d.labels.push_back({node,
                            {station, top},
                            drawing::HAlign::Centre,
                            drawing::VAlign::Above,
                            false,
                            kLabelColour});
    };
    const ProfilePipe& lowest = run.pipes.front();
    structure(0.0, run.outfall, lowest.invert_down, run.outfall_rim);
    for (std::size_t k = 0; k < run.pipes.size(); ++k) {
        const ProfilePipe& p = run.pipes[k];
        double bottom = p.invert_up;
        if (k + 1 < run.pipes.size()) bottom = std::min(bottom, run.pipes[k + 1].invert_down);
        structure(p.station_up, p.upper_node, bottom, p.rim_up);
    }
    finish(d.lines, ground);

    // Pipes, then the grade lines over them from the outfall up.
    drawing::Polyline hgl{kHglPen, {}};
    drawing::Polyline egl{kEglPen, {}};
    for (const ProfilePipe& p : run.pipes) {
        d.lines.push_back(
            {kInvertPen, {{p.station_down, p.invert_down}, {p.station_up, p.invert_up}}});
        d.lines.push_back(
            {kCrownPen,
             {{p.station_down, p.invert_down + p.rise}, {p.station_up, p.invert_up + p.rise}}});
        extend(d.lines, hgl, p.station_down, p.hgl_down);
        extend(d.lines, hgl, p.station_up, p.hgl_up);
        extend(d.lines, egl, p.station_down, p.egl_down());
        extend(d.lines, egl, p.station_up, p.egl_up());
        d.labels.push_back({pipe_label(run, p),
                            {(p.station_down + p.station_up) / 2.0, d.low.y},
                            drawing::HAlign::Centre,
                            drawing::VAlign::Above,
                            true,
                            kLabelColour});
    }
    finish(d.lines, hgl);
    finish(d.lines, egl);

    // A tailwater below the outfall invert (0.0 when none is given) is not drawn.
    if (run.tailwater && *run.tailwater >= lowest.invert_down) {
        d.lines.push_back({kTailwaterPen, {{d.low.x, *run.tailwater}, {0.0, *run.tailwater}}});
        d.labels.push_back({std::string(t::kTailwater) + " " + elevation_text(*run.tailwater),
                            {d.low.x, *run.tailwater},
                            drawing::HAlign::Left,
                            drawing::VAlign::Above,
                            false,
                            kTailwaterPen.colour});
    }

    d.legend = {{t::kGround, kGroundPen},
                {t::kInvert, kInvertPen},
                {t::kCrown, kCrownPen},
                {t::kHgl, kHglPen},
                {t::kEgl, kEglPen}};
    return d;
}

std::string profile_values_at(const ProfileRun& run, double station) {
    for (const ProfilePipe& p : run.pipes) {
        if (station < p.station_down || station > p.station_up) continue;
        const double span = p.station_up - p.station_down;
        const double f = span > 0.0 ? (station - p.station_down) / span : 0.0;
        const auto along = [f](std::optional<double> down,
                               std::optional<double> up) -> std::string {
            if (!down || !up) return "-";
            return elevation_text(*down + f * (*up - *down));
        };
        const double invert = p.invert_down + f * (p.invert_up - p.invert_down);
        return "Station " + elevation_text(station) + " " + run.length_unit + "   " +
               pipe_label(run, p) + "   Invert " + elevation_text(invert) + "   Crown " +
               elevation_text(invert + p.rise) + "   HGL " + along(p.hgl_down, p.hgl_up) +
               "   EGL " + along(p.egl_down(), p.egl_up()) + " " + run.length_unit;
    }
    return {};
}

}  // namespace pelvane::forms
