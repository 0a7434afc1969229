#include "cli/json_output.h"

namespace pelvane::cli {

void print_object(std::ostream& out, const JsonObject& object, bool json) {
    if (json) {
        out << json_text(object) << "\n";
        return;
    }
    for (const auto& [key, value] : object.items()) {
        out << key << ": " << (value.is_string() ? value.get<std::string>() : json_text(value, -1))
            << "\n";
    }
}

}  // namespace pelvane::cli
