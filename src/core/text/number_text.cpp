#include "core/text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace pelvane::text {
namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// A finite double as a decimal: value = (negative ? -1 : 1) * 0.digits * 10^point,
// i.e. `point` digits stand before the decimal point (point may be <= 0 or beyond
// the digit count).
struct Decimal {
    bool negative = false;
    std::string digits;  // no leading zeros unless the value is zero ("0")
    int point = 1;

    bool is_zero() const { return digits.find_first_not_of('0') == std::string::npos; }
};

// The value's 15-significant-digit decimal form, which is what the rounding rules
// and the shortest text operate on.
Decimal to_decimal15(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    Decimal d;
    const char* p = buffer;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p) {
        if (is_digit(*p)) d.digits.push_back(*p);
    }
    const int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;
    d.point = exponent + 1;
    if (d.is_zero()) {
        d.digits = "0";
        d.point = 1;
    }
    return d;
}

enum class Tie { AwayFromZero, ToEven };

// Rounds the decimal to `decimals` places after the point, in place.
void round_decimal(Decimal& d, int decimals, Tie tie) {
    const int keep = d.point + decimals;  // significant digits that survive
    if (keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d.digits = "0";
        d.point = 1;
        return;
    }
    const char first_dropped = d.digits[keep];
    bool round_up = false;
    if (first_dropped > '5') {
        round_up = true;
    } else if (first_dropped == '5') {
        const bool beyond_half = d.digits.find_first_not_of('0', keep + 1) != std::string::npos;
        if (tie == Tie::AwayFromZero || beyond_half) {
            round_up = true;
        } else {
            const bool last_kept_odd = keep > 0 && ((d.digits[keep - 1] - '0') % 2 == 1);
            round_up = last_kept_odd;
        }
    }
    std::string kept = d.digits.substr(0, keep);
    if (round_up) {
        int i = keep - 1;
        while (i >= 0 && kept[i] == '9') {
            kept[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++kept[i];
        } else {
            kept.insert(kept.begin(), '1');
            ++d.point;
        }
    }
    if (kept.empty() || kept.find_first_not_of('0') == std::string::npos) {
        d.digits = "0";
        d.point = 1;
        return;
    }
    d.digits = kept;
}

// Positional text with exactly `decimals` digits after the point.
std::string positional(const Decimal& d, int decimals) {
    std::string out;
    if (d.negative && !d.is_zero()) out.push_back('-');
    const int n = static_cast<int>(d.digits.size());
    if (d.point <= 0) {
        out.push_back('0');
    } else {
        for (int i = 0; i < d.point; ++i) out.push_back(i < n ? d.digits[i] : '0');
    }
    if (decimals > 0) {
        out.push_back('.');
        for (int k = 0; k < decimals; ++k) {
            const int i = d.point + k;
            out.push_back(i >= 0 && i < n ? d.digits[i] : '0');
        }
    }
    return out;
}

std::string non_finite_text(double value) {
    if (std::isnan(value)) return "NaN";
    return value > 0 ? "Infinity" : "-Infinity";
}

double rounded(double value, int decimals, Tie tie) {
    if (!std::isfinite(value)) return value;
    Decimal d = to_decimal15(value);
    round_decimal(d, decimals, tie);
    const std::string t = positional(d, decimals < 0 ? 0 : decimals);
    return std::strtod(t.c_str(), nullptr);
}

}  // namespace

std::string trim(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && is_blank(text[b])) ++b;
    while (e > b && is_blank(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

ParsedNumber parse_number(std::string_view text) {
    ParsedNumber result;
    if (text.empty()) return result;  // Empty
    result.status = ParsedNumber::Status::NotANumber;
    const std::string t = trim(text);
    // Grammar check first: from_chars alone would accept "inf" and "nan".
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    const std::size_t number_start = i;
    std::size_t digits = 0;
    while (i < t.size() && is_digit(t[i])) ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && is_digit(t[i])) ++i, ++digits;
    }
    if (digits == 0) return result;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        std::size_t exponent_digits = 0;
        while (i < t.size() && is_digit(t[i])) ++i, ++exponent_digits;
        if (exponent_digits == 0) return result;
    }
    if (i != t.size()) return result;

    double value = 0.0;
    const char* first = t.data() + number_start;
    const char* last = t.data() + t.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || !std::isfinite(value)) return result;
    if (number_start > 0 && t[0] == '-') value = -value;
    result.status = ParsedNumber::Status::Ok;
    result.value = value;
    return result;
}

double number_or(std::string_view text, double when_empty, bool* ok) {
    const ParsedNumber p = parse_number(text);
    if (ok) *ok = p.status != ParsedNumber::Status::NotANumber;
    if (p.empty()) return when_empty;
    return p.ok() ? p.value : 0.0;
}

int pattern_decimals(std::string_view pattern) {
    const auto dot = pattern.find('.');
    if (dot == std::string_view::npos) return 0;
    return static_cast<int>(pattern.size() - dot - 1);
}

std::string format_number(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return non_finite_text(value);
    const int decimals = pattern_decimals(pattern);
    Decimal d = to_decimal15(value);
    round_decimal(d, decimals, Tie::AwayFromZero);
    return positional(d, decimals);
}

std::string shortest_text(double value) {
    if (!std::isfinite(value)) return non_finite_text(value);
    Decimal d = to_decimal15(value);
    if (d.is_zero()) return "0";
    const auto last = d.digits.find_last_not_of('0');
    d.digits.erase(last + 1);
    const int exponent = d.point - 1;
    if (exponent >= -5 && exponent < 15) {
        const int decimals = std::max(0, static_cast<int>(d.digits.size()) - d.point);
        return positional(d, decimals);
    }
    std::string out = d.negative ? "-" : "";
    out.push_back(d.digits[0]);
    if (d.digits.size() > 1) {
        out.push_back('.');
        out.append(d.digits, 1, std::string::npos);
    }
    char exp_text[16];
    std::snprintf(exp_text, sizeof exp_text, "E%c%02d", exponent < 0 ? '-' : '+',
                  std::abs(exponent));
    return out + exp_text;
}

double round_half_away(double value, int decimals) {
    return rounded(value, decimals, Tie::AwayFromZero);
}

double round_half_even(double value, int decimals) {
    return rounded(value, decimals, Tie::ToEven);
}

}  // namespace pelvane::text
