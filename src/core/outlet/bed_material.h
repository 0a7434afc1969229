#pragma once
// Natural channel-bed materials below an outlet and their permissible (non-scour)
// velocities.

#include <array>
#include <string_view>

#include "core/outlet/outlet_fields.h"
#include "core/outlet/outlet_units.h"

namespace pelvane::outlet {

// One material of the `Bed_Matl` list. Granular materials have a permissible velocity
// V = a·y² + b·y + c ft/s at the outlet depth y in ft; cohesive soils a fixed one.
struct BedMaterial {
    std::string_view name;
    std::string_view d50_english;  // mean particle size text, ft
    std::string_view d50_metric;   // mean particle size text, mm
    bool granular;
    double a, b, c;     // granular curve
    double fixed_ft_s;  // cohesive soils
};

// The list in its order; the first is the default material.
const std::array<BedMaterial, 16>& bed_materials();
const BedMaterial* find_bed_material(std::string_view name);

// The clay bed, whose scour hole uses the plasticity index instead of D16 and D84.
inline constexpr std::string_view kClayBed = "Clay (PI 5-16)";

// What choosing (or re-applying) a bed material writes.
struct BedMaterialResult {
    FieldText plindex;                  // always "5.0"
    FieldText D16, D84;                 // "0.01" and "0.1" for clay in an English project
    FieldText D50bed;                   // the material's size text in the project's units
    FieldText Velocity_NS;              // permissible velocity, "0.00"
    FieldText outlet_protection;        // emptied: the need must be evaluated again
    double permissible_velocity = 0.0;  // ft/s or m/s, kept by the window
    bool clay = false;                  // plindex applies, D16 and D84 do not
    bool failed = false;
};

// From the material name and the outlet depth `dn_C` (ft or m). An unknown material or
// a depth that is not a number ends it after `plindex`.
BedMaterialResult apply_bed_material(std::string_view material, std::string_view dn_C,
                                     const OutletUnits& units);

}  // namespace pelvane::outlet
