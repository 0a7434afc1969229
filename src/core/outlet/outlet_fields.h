#pragma once
// The outlet protection window's fields that the dissipator designs and the scour
// hole read, as the window shows them. The engines convert a text at the step that
// reads it, so a field that is empty or not a number ends a method exactly there.

#include <optional>
#include <string>

namespace pelvane::outlet {

// Members have initializers so that a caller may name only the fields a method reads.
struct OutletFields {
    std::string pipe_shape{};   // PIPE_SHAPE of the design pipe (kept by the window)
    std::string eDiaRise{};     // diameter or rise, in / mm
    std::string E_Discharge{};  // design discharge of the pipe Q, cfs / cms
    std::string dn_C{};         // depth of flow at the outlet, ft / m
    std::string V_C{};          // outlet velocity, ft/s / m/s
    std::string FR_C{};         // Froude number at the outlet
    std::string E_Area{};       // area of flow at the outlet, sq ft / sq m
    std::string E_HydRad{};     // hydraulic radius at the outlet, ft / m
    std::string W_culvert{};    // width at the outlet (one barrel), ft / m
    std::string dn_TW{};        // depth of flow in the tailwater channel, ft / m
};

// A field a method writes: nullopt when the method did not touch it (the field keeps
// its text), "" when the method cleared it.
using FieldText = std::optional<std::string>;

}  // namespace pelvane::outlet
