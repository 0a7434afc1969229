#pragma once
// Result of reading or fitting rainfall data: a value, or the reason there is none
// as a sentence the engineer can act on.

#include <optional>
#include <string>
#include <utility>

namespace pelvane::hydrology {

template <class T>
class IdfResult {
  public:
    IdfResult(T value) : value_(std::move(value)) {}  // NOLINT: implicit on purpose
    // Moved from; clang-tidy 14 takes it for a copy inside a class template.
    static IdfResult failure(std::string error) {  // NOLINT(performance-unnecessary-value-param)
        IdfResult r;
        r.error_ = std::move(error);
        return r;
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    T& value() { return *value_; }
    const T* operator->() const { return &*value_; }
    const std::string& error() const { return error_; }

  private:
    IdfResult() = default;
    std::optional<T> value_;
    std::string error_;
};

}  // namespace pelvane::hydrology
