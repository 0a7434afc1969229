#pragma once
// The messages of the outlet protection engines. The windows show them with the
// application's default title; `exclamation` tells which take the exclamation icon
// (the others have none).

#include <string_view>

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

struct MessageText {
    std::string_view text;
    bool exclamation;
};

MessageText message_text(OutletMessage message);

}  // namespace pelvane::outlet
