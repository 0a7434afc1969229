#pragma once
// The design pipe of an outfall and its outlet barrels.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/outlet/outlet_units.h"

namespace pelvane::outlet {

// How the outlet computations treat a PIPE_SHAPE text: "Circular", "Elliptical",
// "Box" or the stored "Rectangulr"; any other shape is an arch.
enum class BarrelShape { Circular, Elliptical, Box, Arch };
BarrelShape barrel_shape(std::string_view pipe_shape);

// The design pipe among the pipes that end at an outfall, given their PIPE_DISCHARGE
// texts in record order: the largest discharge, the first one on a tie. A pipe whose
// discharge is empty or not a number is no candidate; nullopt when none is left.
std::optional<std::size_t> design_pipe_index(const std::vector<std::string>& discharges);

// The `outlet barrel area`, sq ft or sq m: the full-section area of all barrels of the
// design pipe. D (or the rise R) is `eDiaRise` over the length conversion and W is
// `W_culvert` (the span of one barrel, ft or m). nullopt when a text is not a number.
std::optional<double> outlet_barrel_area(std::string_view pipe_shape, int barrels,
                                         std::string_view eDiaRise, std::string_view W_culvert,
                                         const OutletUnits& units);

}  // namespace pelvane::outlet
