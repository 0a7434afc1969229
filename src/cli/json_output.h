#pragma once
// What a command prints: one JSON object with --json, otherwise one "key: value"
// line per member, in the object's order.

#include <nlohmann/json.hpp>
#include <ostream>

namespace pelvane::cli {

using JsonObject = nlohmann::ordered_json;

void print_object(std::ostream& out, const JsonObject& object, bool json);

}  // namespace pelvane::cli
