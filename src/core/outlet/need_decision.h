#pragma once
// Whether an outfall needs outlet protection: the 2-year outlet velocity against the
// permissible velocity of the channel bed.

#include <optional>
#include <string_view>

#include "core/outlet/outlet_fields.h"
#include "core/outlet/outlet_messages.h"

namespace pelvane::outlet {

struct NeedDecision {
    FieldText Velocity_NS;         // "0.0" when it was empty
    std::optional<bool> required;  // set once the velocities were compared
    std::optional<OutletMessage> message;
    bool failed = false;
};

// Reads the window's texts: an empty end node or tailwater depth refuses with its
// message; otherwise protection is not required when the permissible velocity is at
// least the 2-year velocity (equal velocities need none).
NeedDecision decide_need(std::string_view enodeout, std::string_view dn_TW,
                         std::string_view velocity2, std::string_view Velocity_NS);

}  // namespace pelvane::outlet
