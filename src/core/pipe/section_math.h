#pragma once
// Checked arithmetic of the section solvers. A division by zero, an overflow, the
// root of a negative number, an arccos argument outside [-1, 1] or a fractional power
// of a negative number ends the computation with an ArithmeticFailure, which the
// solvers turn into "Invalid Data Input Error". Plain doubles would carry on with
// NaN or infinity and could keep a depth scan running for ever.

#include <cmath>
#include <stdexcept>
#include <string>

namespace pelvane::pipe {

class ArithmeticFailure : public std::runtime_error {
  public:
    explicit ArithmeticFailure(const std::string& what) : std::runtime_error(what) {}
};

[[noreturn]] inline void arithmetic_failure(const std::string& what) {
    throw ArithmeticFailure(what);
}

// Every computed value passes through here: infinity or NaN means an overflow.
inline double finite(double value) {
    if (!std::isfinite(value)) arithmetic_failure("overflow");
    return value;
}

inline double divide(double numerator, double denominator) {
    if (denominator == 0.0) arithmetic_failure("division by zero");
    return finite(numerator / denominator);
}

inline double square(double value) {
    return finite(value * value);
}

inline double root(double value) {
    if (value < 0.0) arithmetic_failure("square root of a negative number");
    return std::sqrt(value);
}

inline double arccos(double value) {
    if (!(value >= -1.0 && value <= 1.0)) arithmetic_failure("arccos argument outside [-1, 1]");
    return std::acos(value);
}

inline double power(double base, double exponent) {
    if (base < 0.0 && exponent != std::floor(exponent)) {
        arithmetic_failure("fractional power of a negative number");
    }
    if (base == 0.0 && exponent < 0.0) arithmetic_failure("division by zero");
    return finite(std::pow(base, exponent));
}

}  // namespace pelvane::pipe
