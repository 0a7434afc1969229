#pragma once
// A drawing as plain data: what is drawn where, in the drawing's own coordinates
// (stations and elevations for a profile, schematic plan units for a network).
// The forms make drawings; one painter (src/draw) draws any of them on a window,
// an image, an SVG or a PDF, so what a test checks here is what the person sees.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pelvane::forms::drawing {

struct Point {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class Dash { Solid, Dashed, Dotted };

// Widths are in points of the output (1/72 in), whatever its scale.
struct Pen {
    Rgb colour;
    double width = 1.0;
    Dash dash = Dash::Solid;
};

struct Polyline {
    Pen pen;
    std::vector<Point> points;
};

struct Box {
    Pen pen;
    std::optional<Rgb> fill;
    Point low;
    Point high;
};

// Where a label sits against its point: beside it horizontally, and above, at or
// below it, a small gap away. A vertical label reads upwards and is placed as if
// it were turned back to horizontal.
enum class HAlign { Left, Centre, Right };
enum class VAlign { Above, Middle, Below };

struct Label {
    std::string text;
    Point at;
    HAlign h = HAlign::Centre;
    VAlign v = VAlign::Above;
    bool vertical = false;
    Rgb colour;
};

struct Tick {
    double at = 0.0;
    std::string text;
};

struct LegendEntry {
    std::string text;
    Pen pen;
};

struct Drawing {
    std::string title;
    std::string subtitle;
    // The part of the plane shown; every item lies inside it.
    Point low;
    Point high;
    // Output units per drawing unit vertically over those horizontally: the
    // vertical exaggeration of a profile, 1 for a plan.
    double y_scale = 1.0;
    // Axes with ticks along the bottom and left edges (a profile has them, a plan
    // has none).
    bool axes = false;
    std::string x_title;
    std::string y_title;
    std::vector<Tick> x_ticks;
    std::vector<Tick> y_ticks;

    // Drawn in this order: boxes, lines, labels, then the legend.
    std::vector<Box> boxes;
    std::vector<Polyline> lines;
    std::vector<Label> labels;
    std::vector<LegendEntry> legend;
};

// The file types a drawing is exported to, by the name's extension (any case).
enum class Format { Svg, Png, Pdf };
std::optional<Format> format_of(const std::filesystem::path& file);
// Why a name with another extension is refused.
inline constexpr const char* kExportTypes = "the file name must end in .svg, .png or .pdf";
inline constexpr const char* kExportFilter =
    "SVG drawing (*.svg)|*.svg|PNG image (*.png)|*.png|PDF document (*.pdf)|*.pdf";

// Tick marks for [low, high] with a round step (1, 2 or 5 times a power of ten)
// giving at most `most` marks.
std::vector<double> round_ticks(double low, double high, int most);

}  // namespace pelvane::forms::drawing
