#pragma once
// What the outlet protection and dissipator windows do with an outlet method's
// result: write the fields it returned and show its message.

#include <optional>
#include <string>
#include <string_view>

#include "core/outlet/outlet_fields.h"
#include "forms/field.h"
#include "forms/outlet_messages.h"
#include "forms/ui.h"

namespace pelvane::forms {

// A field the method returned; one it left untouched (nullopt) keeps its text.
inline void write_field(FieldSet& fields, FieldName name, const outlet::FieldText& text) {
    if (text) fields.set_text(name, *text);
}

// The method's message, if any, with its icon and the application's title.
inline void show_outlet_message(Ui& ui, std::optional<outlet::OutletMessage> message) {
    if (!message) return;
    const OutletMessageText m = outlet_message_text(*message);
    ui.message(std::string(m.text), m.exclamation ? Icon::Exclamation : Icon::None);
}

}  // namespace pelvane::forms
