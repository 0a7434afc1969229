#include "forms/outlet_messages.h"

namespace pelvane::forms {

using outlet::OutletMessage;

OutletMessageText outlet_message_text(OutletMessage message) {
    switch (message) {
        case OutletMessage::EnterEndNode:
            return {"Please enter valid Outfall/End Node value!", true};
        case OutletMessage::EnterTailwaterDepth:
            return {"Please enter valid Depth of flow value!", true};
        case OutletMessage::ProtectionNotRequired:
            return {
                " 2-Yr Outlet Velocity <= Permissible Velocity. No Outlet Protection Required. ",
                false};
        case OutletMessage::ProtectionRequired:
            return {"Outlet Protection is Required", false};
        case OutletMessage::VdotFroudeOverThree:
            return {
                "Froude Number exceeds 3. \nSpecial design outlet protection required for VDOT "
                "Drainage Manual method.",
                true};
        case OutletMessage::RiprapBasinSpecialDesign:
            return {"Special Design Outlet Protection Required for Riprap Basin Method!", true};
        case OutletMessage::ContraCostaFroude:
            return {"Contra Costa Basin is suitable for Froude No. < 3.0) ", false};
        case OutletMessage::L2h2OutOfRange:
            return {
                "L2/h2 ratio should be between 2.5 and 7 for Contra Costa Basin design!\nPlease "
                "revise value.",
                true};
        case OutletMessage::UsbrLimitsExceeded:
            return {"Discharge/velocity exceeds max value for USBR Type VI Basin", false};
        case OutletMessage::D84NotAboveD16:
            return {"D84 should be > D16", false};
    }
    return {"", false};
}

}  // namespace pelvane::forms
