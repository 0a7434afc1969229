#pragma once
// The message of the `Error` that `action` throws, for checking a refusal's words
// in one expression; "" when nothing is thrown, which no refusal's words match.

#include <string>

namespace pelvane::testing {

template <class Error, class Action>
std::string error_text(Action&& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

}  // namespace pelvane::testing
