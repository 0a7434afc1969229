#include "core/outlet/need_decision.h"

#include "core/outlet/checked_math.h"

namespace pelvane::outlet {

using namespace detail;

NeedDecision decide_need(std::string_view enodeout, std::string_view dn_TW,
                         std::string_view velocity2, std::string_view Velocity_NS) {
    NeedDecision d;
    if (enodeout.empty()) {
        d.message = OutletMessage::EnterEndNode;
        return d;
    }
    if (dn_TW.empty()) {
        d.message = OutletMessage::EnterTailwaterDepth;
        return d;
    }
    if (Velocity_NS.empty()) {
        d.Velocity_NS = "0.0";
        Velocity_NS = *d.Velocity_NS;
    }
    d.failed = !run_steps([&] {
        const double v2 = field_value(velocity2);
        const double permissible = field_value(Velocity_NS);
        d.required = !(permissible >= v2);
        d.message =
            *d.required ? OutletMessage::ProtectionRequired : OutletMessage::ProtectionNotRequired;
    });
    return d;
}

}  // namespace pelvane::outlet
