#pragma once
// What the outlet protection engines have to tell the person, as a status; the
// windows word each one (forms/outlet_messages).

namespace pelvane::outlet {

enum class OutletMessage {
    EnterEndNode,
    EnterTailwaterDepth,
    ProtectionNotRequired,
    ProtectionRequired,
    VdotFroudeOverThree,
    RiprapBasinSpecialDesign,
    ContraCostaFroude,
    L2h2OutOfRange,
    UsbrLimitsExceeded,
    D84NotAboveD16,
};

}  // namespace pelvane::outlet
