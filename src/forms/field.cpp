#include "forms/field.h"

#include <stdexcept>

namespace pelvane::forms {
namespace {

[[noreturn]] void no_such_field(std::string_view window, std::string_view name) {
    throw std::logic_error("The " + std::string(window) + " window has no field \"" +
                           std::string(name) + "\".");
}

}  // namespace

void FieldSet::declare(std::string_view window, std::span<const std::string_view> names) {
    for (const std::string_view name : names) fields_.try_emplace(std::string(name));
    window_ = window;
}

Field& FieldSet::find(std::string_view name) {
    const auto it = fields_.find(name);
    if (it != fields_.end()) return it->second;
    // Until declare() names the window, its constructor is still making its fields.
    if (window_.empty()) return fields_[std::string(name)];
    no_such_field(window_, name);
}

const Field& FieldSet::at(std::string_view name) const {
    const auto it = fields_.find(name);
    if (it != fields_.end()) return it->second;
    if (window_.empty()) {
        static const Field none;
        return none;
    }
    no_such_field(window_, name);
}

}  // namespace pelvane::forms
