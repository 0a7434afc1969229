#pragma once
// What a command prints: one JSON object with --json, otherwise one "key: value"
// line per member, in the object's order.

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

namespace pelvane::cli {

using JsonObject = nlohmann::ordered_json;

void print_object(std::ostream& out, const JsonObject& object, bool json);

// The value as JSON text (indented by `indent`, or on one line for -1). Bytes that
// are not UTF-8 (a file written by another program may store any) come out as
// U+FFFD, so printing never fails on what a project holds.
template <class Json>
std::string json_text(const Json& value, int indent = 2) {
    return value.dump(indent, ' ', false, Json::error_handler_t::replace);
}

}  // namespace pelvane::cli
