#pragma once
// What every window model has besides its own fields and commands: the fields,
// the field that should get the focus after an event, the selected tab, and
// whether the window asked to be closed. The view reads these after each event.

#include <string>

#include "forms/field.h"

namespace pelvane::forms {

struct FormModel {
    explicit FormModel(const field_names::Window& window) : fields(window) {}

    FieldSet fields;
    std::string focus_request;  // field to focus after this event ("" = leave it)
    int tab = 0;                // selected tab of a window with tabs
    bool close_requested = false;

    void request_focus(FieldName name) { focus_request = name.str(); }
    std::string take_focus_request() {
        std::string f;
        f.swap(focus_request);
        return f;
    }
};

}  // namespace pelvane::forms
