#pragma once
// The words of the outlet protection engines' messages. The windows show them with
// the application's default title; `exclamation` tells which take the exclamation
// icon (the others have none).

#include <string_view>

#include "core/outlet/outlet_messages.h"

namespace pelvane::forms {

struct OutletMessageText {
    std::string_view text;
    bool exclamation;
};

OutletMessageText outlet_message_text(outlet::OutletMessage message);

}  // namespace pelvane::forms
