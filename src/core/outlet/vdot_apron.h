#pragma once
// The VDOT Drainage Manual riprap apron and the VDOT riprap classes.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/outlet/outlet_fields.h"
#include "core/outlet/outlet_messages.h"
#include "core/outlet/outlet_units.h"

namespace pelvane::outlet {

// The apron class texts as the window shows them; the three classes carry one blank
// on each side and the first text ends with a closing typographic quotation mark.
inline constexpr std::string_view kLiningNotRequired = "Lining Not Required\u201D";
inline constexpr std::string_view kSpecialDesign = "Special Design Reqd.";

// Outlet velocity (ft/s, unrounded) from which an apron is a special design.
inline constexpr double kSpecialDesignVelocity = 19.01;

struct ApronClass {
    std::string_view txt_EC;
    std::optional<double> thickness_ft;  // the three riprap classes only
};

// The apron class of an outlet velocity in ft/s.
ApronClass apron_class(double velocity_ft_s);

// A VDOT standard riprap class and its median stone size.
struct RiprapClass {
    std::string_view name;
    double d50_ft;
};
const std::array<RiprapClass, 6>& riprap_classes();
// nullopt when the text is none of the classes (compared exactly).
std::optional<double> riprap_d50_ft(std::string_view class_name);

// `sizeD50` when a class is chosen: its D50 in the project's length unit, "0.000";
// nullopt (the field keeps its text) for a text that is not a class.
std::optional<std::string> size_d50_text(std::string_view class_name, const OutletUnits& units);

struct VdotApronResult {
    FieldText txt_EC, txtEC_L, txtEC_W, txtEC_T;
    std::optional<OutletMessage> message;  // Froude number above 3; the design goes on
    double length = 0.0;                   // ft or m, when designed
    double width = 0.0;
    bool failed = false;
};

// Designs the apron from the outlet's Froude number, velocity, size and width and the
// `outlet barrel area` (sq ft or sq m): L = 3·D (area under 7 sq ft) or 5·D, width L
// but at least W0 + 2·D.
VdotApronResult design_vdot_apron(const OutletFields& outlet, double outlet_barrel_area,
                                  const OutletUnits& units);

}  // namespace pelvane::outlet
