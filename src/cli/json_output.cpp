#include "cli/json_output.h"

namespace pelvane::cli {

void print_object(std::ostream& out, const JsonObject& object, bool json) {
    if (json) {
        out << object.dump(2) << "\n";
        return;
    }
    for (const auto& [key, value] : object.items()) {
        out << key << ": " << (value.is_string() ? value.get<std::string>() : value.dump()) << "\n";
    }
}

}  // namespace pelvane::cli
