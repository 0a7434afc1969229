#include "forms/field.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <stdexcept>
#include <string>

namespace pelvane::forms {

FieldName FieldName::named(std::string_view name) {
    int row = -1;
    std::string_view base = name;
    // "Area(3)": a field of a table of rows.
    if (const auto open = name.find('('); open != std::string_view::npos && name.ends_with(')')) {
        const std::string_view digits = name.substr(open + 1, name.size() - open - 2);
        int value = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error == std::errc() && end == digits.data() + digits.size() && !digits.empty()) {
            base = name.substr(0, open);
            row = value;
        }
    }
    const std::string_view own = field_names::listed(base);
    if (own.empty()) {
        throw std::invalid_argument("\"" + std::string(name) + "\" is not a field of any window.");
    }
    FieldName field(own);
    field.row_ = row;
    return field;
}

std::string FieldName::str() const {
    std::string text(name_);
    if (row_ >= 0) text += "(" + std::to_string(row_) + ")";
    return text;
}

std::ostream& operator<<(std::ostream& out, FieldName field) {
    return out << field.str();
}

FieldName label_of(FieldName field) {
    return FieldName::named(field.str() + "_label");
}

FieldName unit_of(FieldName field) {
    return FieldName::named(field.str() + "_unit");
}

FieldName FieldSet::own(FieldName name) const {
    const auto& names = window_->names;
    if (std::find(names.begin(), names.end(), name.name()) != names.end()) return name;
    throw std::logic_error("The " + std::string(window_->title) + " window has no field \"" +
                           name.str() + "\".");
}

const Field& FieldSet::at(FieldName name) const {
    static const Field none;
    const auto it = fields_.find(own(name));
    return it == fields_.end() ? none : it->second;
}

}  // namespace pelvane::forms
