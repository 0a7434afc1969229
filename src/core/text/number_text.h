#pragma once
// Number texts: the one place where field texts become numbers and numbers become
// field texts. Every record column holds text, so the exact digits written here are
// what the engineer sees, what is saved and what is printed on the forms.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace pelvane::text {

// Outcome of reading a field text as a number. An empty field and a field holding
// something that is not a number are different failures: most rules give the empty
// field a default and refuse the other.
struct ParsedNumber {
    enum class Status { Ok, Empty, NotANumber };
    Status status = Status::Empty;
    double value = 0.0;

    bool ok() const { return status == Status::Ok; }
    bool empty() const { return status == Status::Empty; }
};

// Reads a field text. "" is Empty. Otherwise surrounding blanks are trimmed and
// what is left must be a decimal number: optional sign, digits with at most one
// point (".5" and "5." are numbers), optional exponent ("1e3", "2.5E-2"). A text
// of blanks only, thousands separators, a value beyond the double range and
// anything else are NotANumber.
ParsedNumber parse_number(std::string_view text);

// Convenience for rules that treat an empty field as a given value and refuse
// garbage: returns `when_empty` for "", the value for a number, and sets `ok` to
// false (value 0) for anything else.
double number_or(std::string_view text, double when_empty, bool* ok = nullptr);

// Formats with a display pattern: "0", "0.0", "0.00", "0.000", "0.0000", "0.00000",
// "#0.000", "#0.0000" (a leading "#" changes nothing: at least one digit is always
// shown before the point). Rounds half away from zero on the value's
// 15-significant-digit decimal form, so 2.675 gives "2.68" and 1.0005 at three
// decimals gives "1.001"; a negative value that rounds to zero prints unsigned.
// Non-finite values print "NaN", "Infinity" or "-Infinity".
std::string format_number(double value, std::string_view pattern);

// format_number's text for a pattern of `decimals` decimals (pattern_decimals),
// written into `buffer` without building a std::string, for a finite value below
// 10^15 in magnitude (the usual case); returns the text, which lies within the
// buffer, or an empty view when format_number must give it. For callers writing
// many numbers.
using NumberBuffer = std::array<char, 32>;
std::string_view format_number_into(NumberBuffer& buffer, double value, int decimals);

// Number of decimals a pattern shows ("0.000" -> 3, "#0.0000" -> 4, "0" -> 0).
int pattern_decimals(std::string_view pattern);

// Shortest text: the 15-significant-digit form with trailing zeros removed
// (1.5 -> "1.5", 3 -> "3", 2.05 -> "2.05", 0.1 + 0.2 -> "0.3"). Values from 1e-5
// up to below 1e15 in magnitude print positionally; others in the exponent form
// "1.5E+16", "2E-07".
std::string shortest_text(double value);

// Rounds to `decimals` places on the 15-significant-digit decimal form.
double round_half_away(double value, int decimals);
// Same, but an exact half (on that decimal form) goes to the even neighbour:
// 0.0125 -> 0.012, 0.0135 -> 0.014, 2.665 -> 2.66. Used where a computation rounds
// an intermediate value; display texts use format_number.
double round_half_even(double value, int decimals);

// Trims blanks (spaces and tabs) from both ends.
std::string trim(std::string_view text);

}  // namespace pelvane::text
