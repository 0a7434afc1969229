#pragma once
// The state of a window's fields as its model holds them. A view shows these and
// forwards the person's edits; it never decides anything itself.

#include <initializer_list>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelvane::forms {

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

// Fields by control name (`pipe_number`, `nodein_topele`, ...). A window's model
// declares its fields once, in its constructor: the fields the constructor makes
// and those it names in declare(), which closes the set. From then on, naming a
// field the window does not have is a mistake in the program, and throws
// std::logic_error naming the field and the window, in every build.
class FieldSet {
  public:
    // Adds the fields `names`, empty, and closes the set of the window `window` (its
    // name in errors).
    void declare(std::string_view window, std::span<const std::string_view> names);
    void declare(std::string_view window, std::initializer_list<std::string_view> names) {
        declare(window, std::span<const std::string_view>(names.begin(), names.size()));
    }

    Field& operator[](std::string_view name) { return find(name); }
    const Field& at(std::string_view name) const;
    bool contains(std::string_view name) const { return fields_.count(name) > 0; }

    const std::string& text(std::string_view name) const { return at(name).text; }
    void set_text(std::string_view name, std::string text) { find(name).text = std::move(text); }
    void set_enabled(std::string_view name, bool enabled) { find(name).enabled = enabled; }

    const std::map<std::string, Field, std::less<>>& all() const { return fields_; }

  private:
    Field& find(std::string_view name);

    std::string window_;
    std::map<std::string, Field, std::less<>> fields_;
};

}  // namespace pelvane::forms
