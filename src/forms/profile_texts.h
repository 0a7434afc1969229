#pragma once
// What the profile of a run and its window say.

#include <string>
#include <string_view>

namespace pelvane::forms::profile_texts {

inline constexpr const char* kCaption = "Profile";
inline constexpr const char* kOpenProfile = "&Profile...";  // the grade line window's button
inline constexpr const char* kFromLabel = "START PIPE";
inline constexpr const char* kOutfallLabel = "OUTFALL/END NODE";
inline constexpr const char* kTailwaterLabel = "TAIL WATER ELEVATION";
inline constexpr const char* kDraw = "Draw";
inline constexpr const char* kExport = "Export...";
inline constexpr const char* kClose = "Close";
inline constexpr const char* kExportTitle = "Export Profile";

// The quantities a pipe needs to be drawn, as the pipe window names them.
inline constexpr const char* kLength = "the length";
inline constexpr const char* kInvertOut = "El. OUT";
inline constexpr const char* kInvertIn = "El. IN";
inline constexpr const char* kRise = "the size (diameter or rise)";

// Names of what is drawn, in the legend.
inline constexpr const char* kGround = "Ground (rim)";
inline constexpr const char* kInvert = "Invert";
inline constexpr const char* kCrown = "Crown";
inline constexpr const char* kHgl = "HGL";
inline constexpr const char* kEgl = "EGL";
inline constexpr const char* kTailwater = "TW";

inline std::string unknown_pipe(std::string_view pipe) {
    return "no pipe is numbered '" + std::string(pipe) + "'";
}
inline std::string no_path(std::string_view pipe, std::string_view outfall) {
    if (outfall.empty()) return "pipe '" + std::string(pipe) + "' drains in a circle";
    return "pipe '" + std::string(pipe) + "' does not drain to structure '" + std::string(outfall) +
           "'";
}
inline std::string not_reached(std::string_view pipe, std::string_view outfall) {
    return "pipe '" + std::string(pipe) + "' has no grade line row from structure '" +
           std::string(outfall) + "'";
}
inline std::string not_a_number(std::string_view pipe, std::string_view quantity) {
    return "pipe '" + std::string(pipe) + "' cannot be drawn: " + std::string(quantity) +
           " is not a number";
}

inline std::string title(std::string_view start, std::string_view outfall) {
    return "Profile from pipe " + std::string(start) + " to structure " + std::string(outfall);
}
inline std::string exaggeration(int times) {
    return "Vertical exaggeration " + std::to_string(times) + ":1";
}
inline std::string station_axis(std::string_view unit) {
    return "Station from the outfall (" + std::string(unit) + ")";
}
inline std::string elevation_axis(std::string_view unit) {
    return "Elevation (" + std::string(unit) + ")";
}

}  // namespace pelvane::forms::profile_texts
