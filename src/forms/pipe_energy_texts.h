#pragma once
// Captions, labels, unit labels and messages of the outlet protection window
// (`PipeEnergyForm`). The engines' own messages (need decision, scour hole) are
// worded in forms/outlet_messages.

#include <array>
#include <string>
#include <string_view>

#include "forms/field.h"

namespace pelvane::forms::pipe_energy_texts {

inline constexpr const char* kCaption = "Energy Dissipation Analysis";

// Frames of the window.
inline constexpr const char* kOutletFrame = "Outlet Data";
inline constexpr const char* kTwoYearFrame = "2-Year Flow";
inline constexpr const char* kBedFrame = "Channel Bed";
inline constexpr const char* kScourFrame = "Scour Hole";

// Menus and commands.
inline constexpr const char* kFileMenu = "&File";
inline constexpr const char* kSaveMenu = "&Save Outlet Protection";  // mnusave
inline constexpr const char* kExitMenu = "&Exit";                    // mnuexit
inline constexpr const char* kHelpMenu = "&Help";
inline constexpr const char* kHelpItem = "&Help";
inline constexpr const char* kAboutItem = "&About";
inline constexpr const char* kNeed = "Evaluate Needs";                      // cmdNeed
inline constexpr const char* kAnalyze = "Analyze Energy Dissipation";       // cmdanalyzeED
inline constexpr const char* kScourHoleSize = "Determine Scour Hole Size";  // cmdscourholesize

// The need decision, as the `outlet_protection` field shows it.
inline constexpr std::string_view kProtectionRequired = "REQUIRED!";
inline constexpr std::string_view kProtectionNotRequired = "NOT REQUIRED!";

// Messages.
inline constexpr const char* kClearQuestion = "Clear current energy dissipation computations? Y/N";
inline constexpr const char* kInputTwoYearDischarge = "Please Input 2-Yr Discharge!";
inline constexpr const char* kEndNodeBlank = "End Node cannot be blank!";

// A field's label and its unit label in English and metric projects ("" = none).
struct FieldLabel {
    FieldName field;
    std::string_view label;
    std::string_view english_unit;
    std::string_view metric_unit;
};

// clang-format off
inline constexpr std::array<FieldLabel, 25> kFieldLabels{{
    {"enodeout", "Outfall/End Node", "", ""},
    {"eDiaRise", "Pipe Diameter/Rise", "in", "mm"},
    {"E_Discharge", "Discharge", "cfs", "cms"},
    {"vhstorm_freq", "Storm Freq.", "years", "years"},
    {"dn_C", "Depth of flow at Outlet", "ft", "m"},
    {"E_Area", " Area", "sq. ft.", "sqm"},
    {"E_Peri", " Perimeter", "ft", "m"},
    {"E_HydRad", "Hydraulic Radius", "ft", "m"},
    {"V_C", "Outlet Velocity", "ft/sec", "m/sec"},
    {"FR_C", "Froude Number", "", ""},
    {"W_culvert", "Width of Basin at Outlet", "ft", "m"},
    {"dn_TW", "Depth of Flow in Tailwater Channel", "ft", "m"},
    {"C_Discharge", "2-Yr Discharge", "cfs", "cms"},
    {"velocity2", "2-Yr Outlet Velocity", "ft/sec", "m/sec"},
    {"Bed_Matl", "Natural Channel Bed Material", "", ""},
    {"D50bed", "Mean Particle Size (D50) of Channel Bed", "ft", "mm"},
    {"Velocity_NS", "Non-Scour Velocity for Soil Type", "ft/sec", "m/sec"},
    {"outlet_protection", "Outlet Protection", "", ""},
    {"D16", "(D16) Size", "ft", "m"},
    {"D84", "(D84) Size", "ft", "m"},
    {"plindex", "Plasticity Index (PI)", "", ""},
    {"txt_D", "DEPTH", "ft", "m"},
    {"txt_W", "WIDTH", "ft", "m"},
    {"txt_L", "LENGTH", "ft", "m"},
    {"txtLocation", "LOCATION OF MAX. SCOUR", "ft", "m"},
}};
// clang-format on

}  // namespace pelvane::forms::pipe_energy_texts
