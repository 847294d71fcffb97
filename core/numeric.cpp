#include "core/numeric.h"

#include <cfenv>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

namespace core {
namespace {

using Int128 = __int128;

constexpr std::int64_t kScale = Fixed4::kScale;

[[noreturn]] void Fail(NumericErrorKind kind) {
    throw NumericError(kind);
}

// A numeric text split into its parts; the parts point into the original text.
struct NumberText {
    bool negative = false;
    std::string_view whole;    // digits before the separator (at least one)
    std::string_view fraction; // digits after the separator (empty when there is none)
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TakeDigits(std::string_view& rest) {
    std::size_t n = 0;
    while (n < rest.size() && IsDigit(rest[n]))
        ++n;
    std::string_view digits = rest.substr(0, n);
    rest.remove_prefix(n);
    return digits;
}

// Blanks (plain spaces only) around an optional minus, digits, and an optional comma or
// point followed by digits. Anything else is not a number.
NumberText SplitNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    NumberText n;
    if (!text.empty() && text.front() == '-') {
        n.negative = true;
        text.remove_prefix(1);
    }
    n.whole = TakeDigits(text);
    if (n.whole.empty()) Fail(NumericErrorKind::TypeMismatch);
    if (!text.empty() && (text.front() == ',' || text.front() == '.')) {
        text.remove_prefix(1);
        n.fraction = TakeDigits(text);
        if (n.fraction.empty()) Fail(NumericErrorKind::TypeMismatch);
    }
    if (!text.empty()) Fail(NumericErrorKind::TypeMismatch);
    return n;
}

Fixed4 CheckedFixed4(Int128 units) {
    if (units < INT64_MIN || units > INT64_MAX) Fail(NumericErrorKind::Overflow);
    return Fixed4::FromUnits(static_cast<std::int64_t>(units));
}

// q rounded half to even, where the exact value is q + r / d (0 <= |r| < d, r has q's sign).
Int128 RoundHalfEven(Int128 q, Int128 r, Int128 d) {
    Int128 twice = r < 0 ? -2 * r : 2 * r;
    bool up = twice > d || (twice == d && (q % 2 != 0));
    if (!up) return q;
    return r < 0 ? q - 1 : q + 1;
}

Int128 DivideHalfEven(Int128 n, Int128 d) {
    return RoundHalfEven(n / d, n % d, d);
}

const double kPowersOfTen[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};

int CheckedDigits(int n) {
    if (n < 0 || n > 4) Fail(NumericErrorKind::InvalidArgument);
    return n;
}

} // namespace

namespace detail {

void BeginStep() {
    // Clearing the flags stores and reloads the whole x87 environment, some thirty times the
    // cost of testing them; they are clear already unless something raised one since.
    constexpr int kChecked = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;
    if (std::fetestexcept(kChecked)) std::feclearexcept(kChecked);
}

double CheckValue(double value) {
    if (std::isnan(value)) Fail(NumericErrorKind::InvalidArgument);
    if (std::isinf(value)) Fail(NumericErrorKind::Overflow);
    return value;
}

double EndStep(double result) {
    int raised = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    if (raised & FE_DIVBYZERO) Fail(NumericErrorKind::DivisionByZero);
    if (raised & FE_INVALID) Fail(NumericErrorKind::InvalidArgument);
    if (raised & FE_OVERFLOW) Fail(NumericErrorKind::Overflow);
    // The flags can be lost to a compiler that folds a constant step; the result cannot.
    return CheckValue(result);
}

} // namespace detail

Fixed4 ParseFixed4(std::string_view text) {
    NumberText n = SplitNumber(text);
    // Whole digits beyond this many cannot fit, whatever the leading zeros hide.
    constexpr Int128 kLimit = Int128(1) << 100;
    Int128 whole = 0;
    for (char c : n.whole) {
        whole = whole * 10 + (c - '0');
        if (whole > kLimit) Fail(NumericErrorKind::Overflow);
    }
    Int128 frac = 0;
    for (std::size_t i = 0; i < 4; ++i)
        frac = frac * 10 + (i < n.fraction.size() ? n.fraction[i] - '0' : 0);
    Int128 units = whole * kScale + frac;
    if (n.fraction.size() > 4) {
        std::string_view rest = n.fraction.substr(4);
        // Compare the dropped digits with one half of a ten-thousandth.
        int first = rest[0] - '0';
        bool beyond = rest.find_first_not_of('0', 1) != std::string_view::npos;
        bool up = first > 5 || (first == 5 && (beyond || units % 2 != 0));
        if (up) ++units;
    }
    return CheckedFixed4(n.negative ? -units : units);
}

double ParseDouble(std::string_view text) {
    NumberText n = SplitNumber(text);
    std::string plain;
    plain.reserve(n.whole.size() + n.fraction.size() + 2);
    if (n.negative) plain += '-';
    plain += n.whole;
    if (!n.fraction.empty()) {
        plain += '.';
        plain += n.fraction;
    }
    double value = 0;
    auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too large overflows; too small is nearest to zero.
        if (n.whole.find_first_not_of('0') != std::string_view::npos)
            Fail(NumericErrorKind::Overflow);
        return n.negative ? -0.0 : 0.0;
    }
    if (ec != std::errc() || end != plain.data() + plain.size())
        Fail(NumericErrorKind::TypeMismatch);
    return value;
}

double ToDouble(Fixed4 value) {
    constexpr std::int64_t kExact = std::int64_t(1) << 53;
    if (value.units >= -kExact && value.units <= kExact)
        return static_cast<double>(value.units) / 10000.0;
    // Beyond 2^53 the count itself would be rounded before the division.
    return ParseDouble(FormatFixed4(value));
}

Fixed4 ToFixed4(double value) {
    detail::CheckValue(value);
    double scaled = FloatingStep([&] { return value * 10000.0; });
    double rounded = std::nearbyint(scaled); // the default mode rounds halves to even
    if (!(rounded >= -0x1p63 && rounded < 0x1p63)) Fail(NumericErrorKind::Overflow);
    return Fixed4::FromUnits(static_cast<std::int64_t>(rounded));
}

Fixed4 AddFixed4(Fixed4 a, Fixed4 b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a.units, b.units, &sum)) Fail(NumericErrorKind::Overflow);
    return Fixed4::FromUnits(sum);
}

Fixed4 SubFixed4(Fixed4 a, Fixed4 b) {
    std::int64_t diff = 0;
    if (__builtin_sub_overflow(a.units, b.units, &diff)) Fail(NumericErrorKind::Overflow);
    return Fixed4::FromUnits(diff);
}

Fixed4 MulFixed4(Fixed4 a, Fixed4 b) {
    Int128 product = Int128(a.units) * Int128(b.units); // scaled by 10^8, exact
    return CheckedFixed4(DivideHalfEven(product, kScale));
}

Fixed4 MulFixed4Int(std::int16_t k, Fixed4 a) {
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a.units, std::int64_t(k), &product))
        Fail(NumericErrorKind::Overflow);
    return Fixed4::FromUnits(product);
}

Fixed4 MulDivFixed4(Fixed4 a, Fixed4 b, Fixed4 c, int n) {
    if (c.units == 0) Fail(NumericErrorKind::DivisionByZero);
    const auto step = static_cast<Int128>(kPowersOfTen[4 - CheckedDigits(n)]);
    // The product counts 10^-8 units, its quotient by c 10^-4 units; dividing by c in steps of
    // 10^-n rounds once, at the end. Every magnitude stays below 2^126.
    Int128 numerator = Int128(a.units) * Int128(b.units);
    Int128 denominator = Int128(c.units) * step;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    return CheckedFixed4(DivideHalfEven(numerator, denominator) * step);
}

double PowerDouble(double x, double y) {
    if (x < 0 && std::trunc(y) != y) Fail(NumericErrorKind::InvalidArgument);
    if (x == 0 && y < 0) Fail(NumericErrorKind::DivisionByZero);
    return detail::CheckValue(std::pow(x, y));
}

Fixed4 RoundDecimal(Fixed4 value, int n) {
    Int128 d = static_cast<Int128>(kPowersOfTen[4 - CheckedDigits(n)]);
    return CheckedFixed4(DivideHalfEven(value.units, d) * d);
}

double RoundDecimal(double value, int n) {
    double p = kPowersOfTen[CheckedDigits(n)];
    double scaled = FloatingStep([&] { return value * p; });
    return FloatingStep([&] { return std::nearbyint(scaled) / p; });
}

std::string FormatFixed4(Fixed4 value) {
    bool negative = value.units < 0;
    // Unsigned, so that the most negative count has a magnitude too.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value.units)
                                       : static_cast<std::uint64_t>(value.units);
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / kScale);
    std::uint64_t frac = magnitude % kScale;
    if (frac != 0) {
        std::string digits = std::to_string(frac + kScale).substr(1); // four digits, leading zeros
        digits.erase(digits.find_last_not_of('0') + 1);
        text += ',';
        text += digits;
    }
    return text;
}

std::string FormatDouble(double value) {
    detail::CheckValue(value);
    if (value == 0) return "0"; // negative zero too
    // d.dddddddddddddde±x: 15 significant digits, correctly rounded.
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string_view sci(buf, end - buf);
    bool negative = sci.front() == '-';
    if (negative) sci.remove_prefix(1);
    std::size_t e = sci.find('e');
    std::string digits;
    digits += sci[0];
    digits += sci.substr(2, e - 2);
    int exponent = 0;
    std::string_view exp = sci.substr(e + 1);
    if (exp.front() == '+') exp.remove_prefix(1);
    std::from_chars(exp.data(), exp.data() + exp.size(), exponent);
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string text = negative ? "-" : "";
    if (exponent >= 15 || exponent <= -5) {
        text += digits[0];
        if (digits.size() > 1) text += ',' + digits.substr(1);
        text += exponent < 0 ? "E-" : "E+";
        int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) text += '0';
        text += std::to_string(magnitude);
    } else if (exponent >= 0) {
        std::size_t wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            text += digits + std::string(wholeDigits - digits.size(), '0');
        } else {
            text += digits.substr(0, wholeDigits) + ',' + digits.substr(wholeDigits);
        }
    } else {
        text += "0," + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return text;
}

std::string FormatInteger(std::int16_t value) {
    return std::to_string(value);
}

} // namespace core
