#pragma once
// Test rows written compactly: row("PIPE_NUMBER=1; NODEIN_NO=S1; FLOW_TIME=") gives
// the column texts in order (blanks around ';' and '=' dropped, an empty value kept).

#include <string>
#include <string_view>

#include "support/legacy_projects.h"

namespace pelvane::testing {

inline std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

inline RowValues row(std::string_view spec) {
    RowValues values;
    while (!trimmed(spec).empty()) {
        const auto end = spec.find(';');
        const std::string_view pair = spec.substr(0, end);
        const auto equals = pair.find('=');
        values.emplace_back(std::string(trimmed(pair.substr(0, equals))),
                            std::string(trimmed(pair.substr(equals + 1))));
        spec = end == std::string_view::npos ? std::string_view() : spec.substr(end + 1);
    }
    return values;
}

}  // namespace pelvane::testing
