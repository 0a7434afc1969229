#pragma once
// Arithmetic that can fail. A grade line step that reads a text that is not a
// number, divides by zero, overflows or raises a negative number to a fractional
// power is skipped as a whole; carrying the failure through the arithmetic lets
// each step be written as its formula and tested once at the assignment.

#include <cmath>

namespace pelvane::hgl {

class Checked {
  public:
    // Implicit, so that constants mix with checked values in formulas.
    Checked(double value) : value_(value), ok_(std::isfinite(value)) {}  // NOLINT

    static Checked failed() {
        Checked c(0.0);
        c.ok_ = false;
        return c;
    }

    bool ok() const { return ok_; }
    double value() const { return value_; }

    friend Checked operator+(Checked a, Checked b) { return both(a, b, a.value_ + b.value_); }
    friend Checked operator-(Checked a, Checked b) { return both(a, b, a.value_ - b.value_); }
    friend Checked operator*(Checked a, Checked b) { return both(a, b, a.value_ * b.value_); }
    friend Checked operator/(Checked a, Checked b) {
        if (b.ok_ && b.value_ == 0.0) return failed();
        return both(a, b, a.value_ / b.value_);
    }
    friend Checked power(Checked base, double exponent) {
        if (!base.ok_) return failed();
        return Checked(std::pow(base.value_, exponent));
    }
    friend Checked square(Checked a) { return a * a; }

  private:
    static Checked both(Checked a, Checked b, double result) {
        return a.ok_ && b.ok_ ? Checked(result) : failed();
    }

    double value_;
    bool ok_;
};

}  // namespace pelvane::hgl
