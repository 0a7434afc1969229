#pragma once
// The state of a window's fields as its model holds them. A view shows these and
// forwards the person's edits; it never decides anything itself.
//
// A field is named by a `FieldName`, which exists only for a name that some window
// lists in forms/field_names.h: a name written in the code is checked by the
// compiler (`fields.text("pipe_number")` compiles, a misspelt one does not), and a
// name that comes from outside goes through `FieldName::named`, which throws. Each
// window's FieldSet also knows its own list, and naming a field of another window
// throws std::logic_error naming both, in every build.

#include <compare>
#include <iosfwd>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/field_names.h"

namespace pelvane::forms {

class FieldName {
  public:
    // A field named in the code. A name that no window lists is not a constant
    // expression, so it does not compile.
    template <std::size_t N>
    consteval FieldName(const char (&name)[N]) : name_(checked(std::string_view(name, N - 1))) {}

    // A name read at run time, such as "pipe_number" or "Area(3)"; a name that no
    // window lists throws std::invalid_argument.
    static FieldName named(std::string_view name);

    // This field in row `row` of a window's table of rows ("Area(3)").
    constexpr FieldName in_row(int row) const {
        FieldName f = *this;
        f.row_ = row;
        return f;
    }

    // The listed name, without a row.
    constexpr std::string_view name() const { return name_; }
    // The name as the view knows its control: "pipe_number", "Area(3)".
    std::string str() const;

    friend constexpr bool operator==(FieldName a, FieldName b) = default;
    friend constexpr auto operator<=>(FieldName a, FieldName b) {
        if (const auto c = a.name_ <=> b.name_; c != 0) return c;
        return a.row_ <=> b.row_;
    }

  private:
    constexpr explicit FieldName(std::string_view listed) : name_(listed) {}
    static constexpr std::string_view checked(std::string_view name) {
        const std::string_view own = field_names::listed(name);
        if (own.empty()) throw "not a field of any window";
        return own;
    }

    std::string_view name_;
    int row_ = -1;  // no row
};

// Writes the name as the view knows it, for messages and test output.
std::ostream& operator<<(std::ostream& out, FieldName field);

// The label and the unit label shown beside a field ("D16_label", "D16_unit").
FieldName label_of(FieldName field);
FieldName unit_of(FieldName field);

struct Field {
    std::string text;
    bool enabled = true;
    bool visible = true;
    // Shown with the light-blue background of a size field that does not apply.
    bool highlighted = false;
    // Items of a list or combo box, in list order.
    std::vector<std::string> items;

    bool checked() const { return text == "1"; }
};

// One window's fields by control name (`pipe_number`, `nodein_topele`, ...). A field
// that has not been written yet reads as an empty, enabled, visible field.
class FieldSet {
  public:
    explicit FieldSet(const field_names::Window& window) : window_(&window) {}

    Field& operator[](FieldName name) { return fields_[own(name)]; }
    const Field& at(FieldName name) const;

    const std::string& text(FieldName name) const { return at(name).text; }
    void set_text(FieldName name, std::string text) { (*this)[name].text = std::move(text); }
    void set_enabled(FieldName name, bool enabled) { (*this)[name].enabled = enabled; }

    // The fields written so far.
    const std::map<FieldName, Field>& all() const { return fields_; }

  private:
    // `name` when this window lists it; otherwise throws std::logic_error.
    FieldName own(FieldName name) const;

    const field_names::Window* window_;
    std::map<FieldName, Field> fields_;
};

}  // namespace pelvane::forms
