#pragma once
// What every window model has besides its own fields and commands: the fields,
// the field that should get the focus after an event, the selected tab, and
// whether the window asked to be closed. The view reads these after each event.

#include <optional>
#include <utility>

#include "forms/field.h"

namespace pelvane::forms {

struct FormModel {
    explicit FormModel(const field_names::Window& window) : fields(window) {}

    FieldSet fields;
    std::optional<FieldName> focus_request;  // field to focus after this event, if any
    int tab = 0;                             // selected tab of a window with tabs
    bool close_requested = false;

    void request_focus(FieldName name) { focus_request = name; }
    std::optional<FieldName> take_focus_request() { return std::exchange(focus_request, {}); }
};

}  // namespace pelvane::forms
