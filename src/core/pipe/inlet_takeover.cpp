#include "core/pipe/inlet_takeover.h"

#include "core/text/number_text.h"

namespace pelvane::pipe {

StructureLocation node_out_takeover(const InletRecord& inlet) {
    return {inlet.station, inlet.offset, inlet.offset_location, inlet.top_elevation};
}

NodeInTakeover node_in_takeover(const InletRecord& inlet, std::string_view pipe_cf) {
    NodeInTakeover result;
    result.location = node_out_takeover(inlet);
    result.structure_Tc = inlet.tc;
    if (!inlet.compute_discharge) {
        // The inlet's flow was typed in its own product: its areas say nothing here.
        result.structure_area = "0.0";
        result.structure_ca = "0.0";
        return result;
    }
    result.structure_area = text::shortest_text(inlet.total_area1 + inlet.total_area2);
    result.structure_ca = text::shortest_text(inlet.total_ca1 + inlet.total_ca2);
    // A discharge needs a frequency factor; one never chosen gets the common 1.0.
    if (pipe_cf.empty() || pipe_cf == "0.0") result.pipe_cf = "1.0";
    result.recompute_discharge = true;
    return result;
}

}  // namespace pelvane::pipe
