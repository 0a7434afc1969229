#pragma once
// Taking a linked inlet's data over into the pipe window: the location of either
// end's structure, and for the upper structure its drainage area, C·A and time of
// concentration as the inlet-design product computed them.

#include <optional>
#include <string>
#include <string_view>

namespace pelvane::pipe {

// The columns of an inlet the pipe window reads. Location and time are copied as the
// texts stored (a missing value reads as ""); the areas and C·A are numbers.
struct InletRecord {
    std::string inlet_number;
    std::string total_discharge;  // read with the rest but not used by the pipe window
    std::string station;
    std::string offset;           // ft or m
    std::string offset_location;  // "RIGHT" or "LEFT"
    std::string top_elevation;    // ft or m
    std::string tc;               // minutes
    double total_area1 = 0.0;     // acres or hectares
    double total_area2 = 0.0;
    double total_ca1 = 0.0;  // C·A, acres or hectares
    double total_ca2 = 0.0;
    // The inlet product computed the inlet's discharge from its areas: only then do
    // its areas and C·A describe the structure.
    bool compute_discharge = false;
};

// Location fields of a structure (`nodein_station` ... or `nodeout_station` ...).
struct StructureLocation {
    std::string station;
    std::string offset;
    std::string offset_location;
    std::string top_elevation;
};

struct NodeInTakeover {
    StructureLocation location;
    std::string structure_Tc;
    std::string structure_area;
    std::string structure_ca;
    // The new `pipe_cf`, when it changes.
    std::optional<std::string> pipe_cf;
    // The discharge has to be computed again from the new C·A.
    bool recompute_discharge = false;
};

// The upper structure is an inlet: location and Tc always; with compute_discharge the
// summed areas and C·A (shortest texts), Cf "1.0" when it was "" or "0.0", and a
// recomputation; without it area and C·A "0.0".
NodeInTakeover node_in_takeover(const InletRecord& inlet, std::string_view pipe_cf);

// The lower structure is an inlet: its location only.
StructureLocation node_out_takeover(const InletRecord& inlet);

}  // namespace pelvane::pipe
