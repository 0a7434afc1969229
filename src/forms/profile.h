#pragma once
// The profile of a run: the pipes from a chosen pipe down to a structure, placed by
// station (cumulative length from that structure) and elevation, with the grade
// line of form LD-347 computed from that structure. Every elevation drawn is a
// number of the pipe record or of its LD-347 row, so the profile and the workbook
// never disagree.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/hgl/hgl_pipe.h"
#include "forms/drawing.h"
#include "store/project_context.h"

namespace pelvane::forms {

// What a profile reads of a pipe besides what the grade line reads.
struct ProfileTexts {
    std::string pipe_slope;      // PIPE_SLOPE as stored
    std::string nodeout_topele;  // the rim of the lower structure
};

// One pipe of a run, in ft or m. Stations grow from the run's lower structure.
struct ProfilePipe {
    std::string number;
    std::string upper_node;  // NODEIN_NO
    std::string size;        // LD-347 field 6: "18", "36 X 24"
    std::string slope;       // PIPE_SLOPE as stored
    double station_down = 0.0;
    double station_up = 0.0;
    double invert_down = 0.0;             // field 3
    double invert_up = 0.0;               // PIPE_ELEIN
    double rise = 0.0;                    // field 4; the crown is the invert plus the rise
    std::optional<double> hgl_down;       // field 5, the water surface at the outlet
    std::optional<double> hgl_up;         // field 25, the water surface in the upper structure
    std::optional<double> velocity_head;  // v²/2g of field 11
    std::optional<double> rim_up;         // field 26

    std::optional<double> egl_down() const;
    std::optional<double> egl_up() const;
};

struct ProfileRun {
    std::string start;    // the pipe the run was asked from
    std::string outfall;  // the structure at station 0
    // From the outfall up: pipes[0] ends at the outfall, the last is the start pipe.
    std::vector<ProfilePipe> pipes;
    std::optional<double> outfall_rim;  // NODEOUT_TOPELE of pipes[0]
    std::optional<double> tailwater;    // LD-347 field 25 of the outfall row
    std::string length_unit;            // ft or m
    std::string size_unit;              // in or mm

    double length() const { return pipes.empty() ? 0.0 : pipes.back().station_up; }
};

// The run or, when there is none to draw, the reason in the person's words and the
// choice it is about (the start pipe, the outfall, or none: a pipe's own data).
struct ProfileOutcome {
    enum class Choice { None, Start, Outfall };
    std::optional<ProfileRun> run;
    std::string problem;
    Choice choice = Choice::None;
};

// The run from pipe `start` down to structure `outfall` ("" = to the end of the
// network below it), with the grade line computed from that structure with the
// tailwater text as typed ("" = 0.0). `pipes` and `texts` are every pipe of the
// project in table order; `units` the project's UNITS.
ProfileOutcome make_profile(std::span<const hgl::HglPipe> pipes,
                            std::span<const ProfileTexts> texts, std::string_view units,
                            std::string_view start, std::string_view outfall,
                            std::string_view tailwater);

// The same on the open project's saved pipes.
ProfileOutcome profile_of_project(const store::ProjectContext& context, std::string_view start,
                                  std::string_view outfall, std::string_view tailwater);

// The drawing: ground through the rims, each structure as a box from its lowest
// invert to its rim, inverts and crowns, HGL and EGL, the tailwater, a label per
// pipe (number, size, slope) and per structure, round ticks and the vertical
// exaggeration, chosen so that the run fills a sheet about 0.6 times as high as wide.
drawing::Drawing profile_drawing(const ProfileRun& run);

// The vertical exaggeration of `run`'s drawing.
int vertical_exaggeration(const ProfileRun& run);

// The values at `station` along the run, for the status line under the pointer: the
// pipe there and its invert, crown, HGL and EGL at that station (straight between
// its ends, as drawn); "" off the run.
std::string profile_values_at(const ProfileRun& run, double station);

}  // namespace pelvane::forms
