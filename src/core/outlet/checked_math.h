#pragma once
// Arithmetic of the outlet protection methods. A method ends quietly at its first
// arithmetic or conversion failure (a division by zero, the root or logarithm of a
// negative number, an overflow, a field text that is not a number) and keeps the
// fields it wrote before that step. These helpers turn such a step into a
// StepFailure, which the method catches once at its end (run_steps).

#include <cmath>
#include <string_view>

#include "core/text/number_text.h"

namespace pelvane::outlet::detail {

struct StepFailure {};

[[noreturn]] inline void fail() {
    throw StepFailure{};
}

inline double finite(double value) {
    if (!std::isfinite(value)) fail();
    return value;
}

inline double divide(double numerator, double denominator) {
    if (denominator == 0.0) fail();
    return finite(numerator / denominator);
}

// base^exponent; a negative base with a fractional exponent and zero to a negative
// power are failures.
inline double power(double base, double exponent) {
    return finite(std::pow(base, exponent));
}

inline double natural_log(double value) {
    if (!(value > 0.0)) fail();
    return finite(std::log(value));
}

inline double arc_cos(double value) {
    if (!(value >= -1.0 && value <= 1.0)) fail();
    return std::acos(value);
}

// A field text read as a number. The empty text fails like any other text that is
// not a number; rules that give an empty field a value say so where they read it.
inline double field_value(std::string_view text) {
    const auto parsed = text::parse_number(text);
    if (!parsed.ok()) fail();
    return parsed.value;
}

// Runs the steps of a method; false when one of them failed.
template <class Steps>
bool run_steps(Steps&& steps) {
    try {
        steps();
        return true;
    } catch (const StepFailure&) {
        return false;
    }
}

// No depth scan may run away: a scan that would take more passes than this (a
// barrel or basin deeper than 100 ft at the fine step) is refused as a failure.
inline constexpr long kMaxScanPasses = 1'000'000;

}  // namespace pelvane::outlet::detail
