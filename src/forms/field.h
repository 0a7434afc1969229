#pragma once
// The state of a window's fields as its model holds them. A view shows these and
// forwards the person's edits; it never decides anything itself.

#include <map>
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

// Fields by control name (`pipe_number`, `nodein_topele`, ...).
class FieldSet {
  public:
    Field& operator[](std::string_view name) { return fields_[std::string(name)]; }
    const Field& at(std::string_view name) const;
    bool contains(std::string_view name) const { return fields_.count(std::string(name)) > 0; }

    const std::string& text(std::string_view name) const { return at(name).text; }
    void set_text(std::string_view name, std::string text) { (*this)[name].text = std::move(text); }
    void set_enabled(std::string_view name, bool enabled) { (*this)[name].enabled = enabled; }

    const std::map<std::string, Field, std::less<>>& all() const { return fields_; }

  private:
    std::map<std::string, Field, std::less<>> fields_;
};

inline const Field& FieldSet::at(std::string_view name) const {
    static const Field empty;
    const auto it = fields_.find(name);
    return it == fields_.end() ? empty : it->second;
}

}  // namespace pelvane::forms
