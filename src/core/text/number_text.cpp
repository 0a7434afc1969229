#include "core/text/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
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

// 10^0 to 10^19, every power of ten below 2^64.
constexpr std::array<std::uint64_t, 20> kPowers = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t p = 1;
    for (auto& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

// The same powers as doubles, every one of them exact.
constexpr std::array<double, 16> kTens = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The 15 digits of a magnitude from 1e-5 up to below 1e15, which is where nearly
// every quantity of the program lies, exactly in integers: the magnitude is
// m · 2^e (m below 2^53, e from -69 to -3 there), so m · 10^k (k = 14 − the decimal
// exponent, at most 19) fits in 128 bits and the shift by −e leaves the quotient and
// an exact remainder. Ties go to the even digit. False outside that range.
// GCC's and Clang's 128-bit integer (__extension__: not ISO C++).
__extension__ typedef unsigned __int128 Wide;

bool integer_digits15(double magnitude, std::uint64_t& digits, int& exponent) {
    if (!(magnitude >= 1e-5 && magnitude < 1e15)) return false;
    constexpr std::uint64_t kLeast = 100'000'000'000'000;  // 10^14
    // A normal double: the 52 stored bits below the implicit one, the biased exponent above.
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const std::uint64_t mantissa =
        (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - static_cast<int>(bits >> 52);  // 3 to 69
    // floor(log2(magnitude) · log10 2), off by one at most either way.
    exponent = ((52 - shift) * 78913) >> 18;
    for (;;) {
        const int k = 14 - exponent;
        if (k < 0 || k > 19) return false;
        const Wide scaled = static_cast<Wide>(mantissa) * kPowers[k];
        std::uint64_t quotient = static_cast<std::uint64_t>(scaled >> shift);
        if (quotient >= 10 * kLeast) {
            ++exponent;
            continue;
        }
        if (quotient < kLeast) {
            --exponent;
            continue;
        }
        const Wide half = static_cast<Wide>(1) << (shift - 1);
        const Wide remainder = scaled & ((half << 1) - 1);
        if (remainder > half || (remainder == half && quotient % 2 == 1)) ++quotient;
        if (quotient == 10 * kLeast) {
            quotient = kLeast;
            ++exponent;
        }
        digits = quotient;
        return true;
    }
}

// The value's 15-significant-digit decimal form, which is what the rounding rules
// and the shortest text operate on: correctly rounded from the exact binary value,
// ties to even, as printf's "%.14e" gives it, without the C library's formatting
// (which took a quarter of a network recompute). Outside the integers' range
// std::to_chars, which rounds the same way, gives the digits.
Decimal to_decimal15(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    std::uint64_t digits = 0;
    int exponent = 0;
    // At most "-d.dddddddddddddde-308": 22 characters.
    char buffer[32];
    if (integer_digits15(std::abs(value), digits, exponent)) {
        for (int i = 14; i >= 0; --i) {
            buffer[i] = static_cast<char>('0' + digits % 10);
            digits /= 10;
        }
        d.digits.assign(buffer, 15);
    } else {
        const char* const end = std::to_chars(std::begin(buffer), std::end(buffer), std::abs(value),
                                              std::chars_format::scientific, 14)
                                    .ptr;
        d.digits.assign(1, buffer[0]);
        d.digits.append(buffer + 2, 14);
        const char* p = buffer + 17;  // past "d.dddddddddddddde"
        if (*p == '+') ++p;
        std::from_chars(p, end, exponent);
    }
    d.point = exponent + 1;
    if (d.is_zero()) {
        d.digits = "0";
        d.point = 1;
    }
    return d;
}

// "00" to "99": two digits per division.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Writes the text of `scaled` units of the last of `Decimals` decimals so that it
// ends at `end`: at least one digit before the point, and a '-' for a negative
// value that does not round to zero. Returns where the text starts. Two digits per
// division by a constant, from the last digit on; the decimals as a constant let
// the compiler unroll their loop, which is most of the digits of a quantity.
template <int Decimals>
[[gnu::always_inline]] inline char* write_fixed_backwards(char* end, std::uint64_t scaled,
                                                          bool negative) {
    const bool minus = negative && scaled != 0;
    char* p = end;
    const auto pair = [&p, &scaled] {
        p -= 2;
        std::memcpy(p, &kDigitPairs[static_cast<std::size_t>(scaled % 100) * 2], 2);
        scaled /= 100;
    };
    for (int left = Decimals; left >= 2; left -= 2) pair();
    if constexpr (Decimals % 2 == 1) {
        *--p = static_cast<char>('0' + scaled % 10);
        scaled /= 10;
    }
    if constexpr (Decimals > 0) *--p = '.';
    while (scaled >= 100) pair();
    if (scaled >= 10) {
        pair();
    } else {
        *--p = static_cast<char>('0' + scaled);
    }
    if (minus) *--p = '-';
    return p;
}

// write_fixed_backwards for 0 to 9 decimals. Both are inlined into their callers:
// with the call and its dispatch gone a solve's number costs about a third less.
[[gnu::always_inline]] inline char* write_fixed(char* end, std::uint64_t scaled, int decimals,
                                                bool negative) {
    switch (decimals) {
        case 0:
            return write_fixed_backwards<0>(end, scaled, negative);
        case 1:
            return write_fixed_backwards<1>(end, scaled, negative);
        case 2:
            return write_fixed_backwards<2>(end, scaled, negative);
        case 3:
            return write_fixed_backwards<3>(end, scaled, negative);
        case 4:
            return write_fixed_backwards<4>(end, scaled, negative);
        case 5:
            return write_fixed_backwards<5>(end, scaled, negative);
        case 6:
            return write_fixed_backwards<6>(end, scaled, negative);
        case 7:
            return write_fixed_backwards<7>(end, scaled, negative);
        case 8:
            return write_fixed_backwards<8>(end, scaled, negative);
        default:
            return write_fixed_backwards<9>(end, scaled, negative);
    }
}

// The value times 10^decimals rounded half away from zero, as format_number rounds
// it, below 10^9 units of the last decimal, from one product in doubles: the
// product is off by at most 1.2e-7 of a unit and the 15-digit decimal form by at
// most 0.5e-6, so both round alike unless the product's fraction lies within 1e-5
// of one half. False then, and outside the range: the 15 digits decide.
bool scaled_directly(double magnitude, int decimals, std::uint64_t& scaled) {
    if (decimals > 5) return false;
    const double product = magnitude * kTens[decimals];
    if (!(product < 1e9)) return false;
    const auto whole = static_cast<std::uint64_t>(product);
    const double fraction = product - static_cast<double>(whole);  // exact
    if (fraction > 0.5 - 1e-5 && fraction < 0.5 + 1e-5) return false;
    scaled = whole + (fraction > 0.5 ? 1 : 0);
    return true;
}

// The text format_number gives, written straight from the rounded integer without
// building a Decimal, at the end of `buffer`. A solve writes eleven numbers, and this
// is most of what it costs. Empty where the value lies outside the integers' range
// (the caller takes the general path).
std::string_view fixed_text(double value, int decimals, NumberBuffer& buffer) {
    if (decimals < 0 || decimals > 9) return {};
    const double magnitude = std::abs(value);
    std::uint64_t scaled = 0;  // the value times 10^decimals, rounded
    // The product settles nearly every value, 0 among them. Below 1e-5 the 15-digit
    // form is at most 0.00001, which rounds to 0 at four decimals or fewer.
    if (!scaled_directly(magnitude, decimals, scaled) && magnitude != 0.0 &&
        !(magnitude < 1e-5 && decimals <= 4)) {
        std::uint64_t digits = 0;
        int exponent = 0;
        if (!integer_digits15(magnitude, digits, exponent)) return {};
        const int keep = exponent + 1 + decimals;  // digits that survive the rounding
        if (keep > 19) return {};
        if (keep >= 15) {
            scaled = digits * kPowers[keep - 15];
        } else if (keep >= 0) {
            const std::uint64_t dropped = kPowers[15 - keep];
            scaled = digits / dropped;
            if (2 * (digits % dropped) >= dropped) ++scaled;
        }
    }
    // At most 19 digits, the point, a leading zero and the sign: 22 characters.
    char* const end = buffer.data() + buffer.size();
    const char* const begin = write_fixed(end, scaled, decimals, std::signbit(value));
    return {begin, static_cast<std::size_t>(end - begin)};
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

// The usual field text: an optional sign, then at most 15 digits with at most one
// point, nothing else. The digits make an integer below 2^53 and the power of ten is
// exact, so one division rounds correctly, as from_chars does. False for anything
// else (blanks, an exponent, more digits), which the full grammar then reads.
bool plain_decimal(std::string_view text, double& value) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+')) ++p;
    std::uint64_t mantissa = 0;
    int digits = 0, decimals = 0;
    for (; p != end && is_digit(*p); ++p, ++digits) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    if (p != end && *p == '.') {
        for (++p; p != end && is_digit(*p); ++p, ++digits, ++decimals) {
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        }
    }
    if (p != end || digits == 0 || digits > 15) return false;
    value = static_cast<double>(mantissa) / kTens[decimals];
    if (negative) value = -value;
    return true;
}

double rounded(double value, int decimals, Tie tie) {
    if (!std::isfinite(value)) return value;
    // A whole number below 10^15 is its own 15-digit form: rounding keeps it (a
    // count of barrels, say). The text of -0 reads back as 0.
    if (decimals >= 0 && std::abs(value) < 1e15 && value == std::trunc(value)) {
        return value == 0.0 ? 0.0 : value;
    }
    Decimal d = to_decimal15(value);
    round_decimal(d, decimals, tie);
    const std::string t = positional(d, decimals < 0 ? 0 : decimals);
    double result = 0.0;
    std::from_chars(t.data(), t.data() + t.size(), result);
    return result;
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
    if (plain_decimal(text, result.value)) {
        result.status = ParsedNumber::Status::Ok;
        return result;
    }
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
    // A plain loop: the patterns are a few characters, and a library search costs
    // more than the walk on every number written.
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '.') return static_cast<int>(pattern.size() - i - 1);
    }
    return 0;
}

std::string_view format_number_into(NumberBuffer& buffer, double value, int decimals) {
    // fixed_text's usual case first, in one call: a solve writes eleven numbers.
    if (decimals >= 0 && decimals <= 9) {
        std::uint64_t scaled = 0;
        if (scaled_directly(std::abs(value), decimals, scaled)) {
            char* const end = buffer.data() + buffer.size();
            const char* const begin = write_fixed(end, scaled, decimals, std::signbit(value));
            return {begin, static_cast<std::size_t>(end - begin)};
        }
    }
    if (!std::isfinite(value)) return {};
    return fixed_text(value, decimals, buffer);
}

std::string format_number(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return non_finite_text(value);
    const int decimals = pattern_decimals(pattern);
    NumberBuffer buffer;
    if (const std::string_view fixed = fixed_text(value, decimals, buffer); !fixed.empty()) {
        return std::string(fixed);
    }
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
    // The exponent signed and with at least two digits: "E+16", "E-07", "E-308".
    const int magnitude = std::abs(exponent);
    out.push_back('E');
    out.push_back(exponent < 0 ? '-' : '+');
    if (magnitude < 10) out.push_back('0');
    char exponent_digits[4];
    out.append(
        exponent_digits,
        std::to_chars(std::begin(exponent_digits), std::end(exponent_digits), magnitude).ptr);
    return out;
}

double round_half_away(double value, int decimals) {
    return rounded(value, decimals, Tie::AwayFromZero);
}

double round_half_even(double value, int decimals) {
    return rounded(value, decimals, Tie::ToEven);
}

}  // namespace pelvane::text
