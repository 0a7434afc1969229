#pragma once
// Captions, frames, labels, unit labels and messages of the dissipator window
// (`frmEnergyDissipation`). The designs' own messages are worded in
// forms/outlet_messages.

#include <array>
#include <string_view>

#include "core/outlet/usda_method.h"
#include "forms/field.h"

namespace pelvane::forms::energy_dissipation_texts {

inline constexpr const char* kCaption = "Energy Dissipation Analysis";
inline constexpr const char* kMethodsFrame = "Energy Dissipation Design Methods";
inline constexpr const char* kVdotFrame = "VDOT DRAINAGE MANUAL";
inline constexpr const char* kUsdaFrame = "USDA METHOD";
inline constexpr const char* kRiprapBasinFrame = "RIPRAP BASIN";
inline constexpr const char* kContraCostaFrame = "CONTRA COSTA BASIN";
inline constexpr const char* kContraCostaDimensions = "BASIN DIMENSIONS";
inline constexpr const char* kUsbrFrame = "USBR TYPE V1";
inline constexpr const char* kUsbrDimensions = "BASIN DIMENSIONS (TABLE 9-2)";
inline constexpr const char* kRiprapList = "VDOT STD. RIPRAP";
inline constexpr const char* kWidthAtOutletNote = "2 x Width at outlet";

// Menus and commands.
inline constexpr const char* kFileMenu = "&File";
inline constexpr const char* kAnalyzeMenu = "Analyze &Energy Dissipation";
inline constexpr const char* kResultsMenu = "Outlet Protection &Results";
inline constexpr const char* kExitMenu = "E&xit";
inline constexpr const char* kHelpMenu = "&Help";
inline constexpr const char* kHelpItem = "&Help";
inline constexpr const char* kAboutItem = "&About";
inline constexpr const char* kAnalyze = "Analyze Energy Dissipation";  // cmdanalyze
inline constexpr const char* kResults = "Outlet Protection Results";   // Cmdresults
inline constexpr const char* kExit = "Exit";                           // cmdExit

inline constexpr const char* kSaveChanges = "Save Changes?";

// The status line when the USDA method found no design curves.
inline constexpr const char* kUsdaNoDatabase =
    "USDA method: no coefficient database (USDACOEFF.rdb) in the program folder";
inline constexpr const char* kUsdaNoCurvesHead = "USDA method: no coefficient data for a ";
inline constexpr const char* kUsdaNoCurvesTail = " in pipe";
// Under the USDA frame at all times, as on the report.
inline constexpr std::string_view kUsdaApproximation = outlet::kUsdaApproximationNote;

// Labels of the 15 elements of `USBRsize`: the width, then the basin's dimensions.
inline constexpr std::array<std::string_view, 15> kUsbrSizeLabels{"Width of basin",
                                                                  "h1",
                                                                  "h2",
                                                                  "h3",
                                                                  "h4",
                                                                  "L",
                                                                  "L1",
                                                                  "L2",
                                                                  "W1",
                                                                  "W2",
                                                                  "t1",
                                                                  "t2",
                                                                  "t3",
                                                                  "t4",
                                                                  "t5"};

// A field's label and unit label. Units: 'L' a length (ft / m), 'V' a velocity
// (ft/sec / m/sec), 'Q' a discharge (cfs / cms), 'Y' years, 0 none.
struct FieldLabel {
    FieldName field;
    std::string_view label;
    char unit;
};

// clang-format off
inline constexpr std::array<FieldLabel, 4> kVdotLabels{{
    {"txt_EC", "Outlet Protection", 0},
    {"txtEC_L", "Length Of Apron", 'L'},
    {"txtEC_W", "Width Of Apron", 'L'},
    {"txtEC_T", "Thickness Of Apron", 'L'},
}};
inline constexpr std::array<FieldLabel, 6> kUsdaLabels{{
    {"usdastorm_freq", "Storm Frequency", 'Y'},
    {"C_Discharge", "Check Discharge /barrel", 'Q'},
    {"L_ROP", "Length of Rock Outlet Protection", 'L'},
    {"W_ROP", "Width of Rock Outlet Protection", 'L'},
    {"D50_size", "D50 Riprap Size", 'L'},
    {"Thickness_Apron", "Thickness of Apron", 'L'},
}};
inline constexpr std::array<FieldLabel, 12> kRiprapBasinLabels{{
    {"VDOT_Riprap", "VDOT STD. RIPRAP", 0},
    {"txtdE_basin", "Equivalent Depth", 'L'},
    {"txtFRo_basin", "FRo", 0},
    {"sizeD50", "D50 Stone Size", 'L'},
    {"D_Pool", "Depth of Pool below Outlet", 'L'},
    {"L_Pool", "Length of Pool", 'L'},
    {"L_Basin", "Length of Basin", 'L'},
    {"L_Apron", "Length of Apron", 'L'},
    {"T_StoneA", "Thickness of Riprap on the Apron", 'L'},
    {"T_StoneB", "Thickness of Riprap on the Rest of Basin", 'L'},
    {"W_Exit", "Width of Basin at Exit", 'L'},
    {"V_Exit", "Velocity at Exit", 'V'},
}};
inline constexpr std::array<FieldLabel, 14> kContraCostaLabels{{
    {"L2byh2", "L2/h2 Ratio", 0},
    {"txtdE_contra", "Equivalent Depth", 'L'},
    {"txtFRo_contra", "FRo", 0},
    {"txtWbasin", "Width of Basin Floor", 'L'},
    {"txtY2", "Max. Water Surface Depth w/o TW", 'L'},
    {"txth1", "Height of the small baffle (0.5 x h2)", 'L'},
    {"txth2", "Height of the large baffle", 'L'},
    {"txth3", "Height of the end sill (h3)", 'L'},
    {"txtL1", "Length from culvert exit to small baffle", 'L'},
    {"txtL2", "Length from culvert exit to large baffle", 'L'},
    {"txtL3", "Length from the large baffle to the end sill", 'L'},
    {"txtLB", "Length of Basin", 'L'},
    {"txtyc", "Exit Depth", 'L'},
    {"txtVelocityc", "Exit Velocity", 'V'},
}};
inline constexpr std::array<FieldLabel, 7> kUsbrLabels{{
    {"txtdE_usbr", "Equivalent Depth", 'L'},
    {"txtFRo_usbr", "FRo", 0},
    {"txtHo", "Energy at end of culvert", 'L'},
    {"txtHL", "Energy loss", 'L'},
    {"txtHe", "Ho - HL", 'L'},
    {"txtdB", "Flow depth in basin", 'L'},
    {"txtVB", "Exit velocity", 'V'},
}};
// clang-format on

inline std::string_view unit_text(char unit, bool english) {
    switch (unit) {
        case 'L':
            return english ? "ft" : "m";
        case 'V':
            return english ? "ft/sec" : "m/sec";
        case 'Q':
            return english ? "cfs" : "cms";
        case 'Y':
            return "years";
        default:
            return "";
    }
}

}  // namespace pelvane::forms::energy_dissipation_texts
