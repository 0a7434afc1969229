#pragma once
// The 2-year discharge of one barrel of the design pipe and its velocity at the
// outlet, which decide whether the outfall needs protection.

#include <optional>
#include <string>
#include <string_view>

#include "core/outlet/outlet_units.h"

namespace pelvane::outlet {

// Intensity-duration-frequency coefficients of the 2-year storm: i = B / (Tc + D)^E,
// in in/hr for Tc in minutes.
struct IdfCoefficients {
    double b = 0.0;
    double d = 0.0;
    double e = 0.0;
};

// What the 2-year discharge reads of a design pipe whose discharge was computed by
// the rational method: its stored texts and its number of barrels.
struct RationalPipe {
    std::string accumulated_tc;     // ACCUMULATED_TC, minutes
    std::string accumulated_ca;     // ACCUMULATED_CA, acres / hectares
    std::string pipe_cf;            // PIPE_CF, frequency factor
    std::string lateral_discharge;  // LATERAL_DISCHARGE, cfs / cms; empty counts as 0
    int barrels = 1;                // NUMOFPIPES
};

struct TwoYearDischarge {
    double value = 0.0;       // cfs / cms, one barrel
    std::string C_Discharge;  // the value in the `number format`
};

// Q2 = (QL + CA · i · Cf / Ku) / N, with i in mm/hr (times 25.4) in a metric project.
// nullopt on a text that is not a number or an arithmetic failure.
std::optional<TwoYearDischarge> two_year_discharge(const RationalPipe& pipe,
                                                   const IdfCoefficients& coefficients,
                                                   const OutletUnits& units,
                                                   std::string_view number_format);

// What the 2-year velocity reads of the design pipe, as kept by the window.
struct OutletBarrel {
    std::string pipe_shape;  // PIPE_SHAPE
    std::string eDiaRise;    // diameter (circular) or rise, in / mm
    std::string span;        // SPAN (shapes other than circular), in / mm
    std::string pipe_slope;  // PIPE_SLOPE, ft/ft / m/m
    std::string pipe_mann;   // PIPE_MANN, Manning's n
};

struct TwoYearVelocity {
    double depth = 0.0;     // depth where the scan stopped, ft / m
    double area = 0.0;      // area of flow there, sq ft / sq m
    double velocity = 0.0;  // Q2 / area, ft/s / m/s
    std::string velocity2;  // "0.00"
};

// The outlet velocity of Q2 (the `C_Discharge` text) by Manning's equation in one
// barrel, found by the shape's depth scan: circular and box barrels step 0.0001 ft
// (or m) from the invert until the barrel carries Q2 (within 0.001) or the depth
// passes 0.9999 of the rise; elliptical and arch barrels step 0.01 with the
// relative-depth curves of the section solver, or flow full when Q2 exceeds the
// full-section discharge. nullopt on a failure.
std::optional<TwoYearVelocity> two_year_velocity(const OutletBarrel& barrel,
                                                 std::string_view C_Discharge,
                                                 const OutletUnits& units);

}  // namespace pelvane::outlet
