#pragma once

#include <cstdint>
#include <string>

#include "core/fixed4.h"

// Exact fractions, for the values a calculation compares or rounds only once: a verdict is
// decided on them, never on a rounded value, and a result is rounded from them a single time.
// Every operation raises NumericError on failure (Overflow beyond 128-bit terms,
// DivisionByZero), as the rest of the core does.
namespace core {

class Exact {
public:
    using Int = __int128;

    Exact() = default; // zero
    // The value of a fixed-point number, exactly.
    static Exact Of(Fixed4 value);
    static Exact Whole(std::int64_t value);
    // numerator / denominator; DivisionByZero for a denominator of 0.
    static Exact Ratio(Int numerator, Int denominator);

    // The terms as kept, not necessarily in lowest terms.
    Int numerator() const { return num_; }
    Int denominator() const { return den_; } // always above zero
    int Sign() const { return num_ > 0 ? 1 : num_ < 0 ? -1 : 0; }

    friend Exact operator+(const Exact& a, const Exact& b);
    friend Exact operator-(const Exact& a, const Exact& b);
    friend Exact operator*(const Exact& a, const Exact& b);
    friend Exact operator/(const Exact& a, const Exact& b);

    // −1, 0 or 1 as a is below, equal to or above b; exact, whatever the size of the terms.
    friend int Compare(const Exact& a, const Exact& b);
    friend bool operator==(const Exact& a, const Exact& b) { return Compare(a, b) == 0; }
    friend bool operator<(const Exact& a, const Exact& b) { return Compare(a, b) < 0; }
    friend bool operator<=(const Exact& a, const Exact& b) { return Compare(a, b) <= 0; }
    friend bool operator>(const Exact& a, const Exact& b) { return Compare(a, b) > 0; }
    friend bool operator>=(const Exact& a, const Exact& b) { return Compare(a, b) >= 0; }

private:
    Int num_ = 0;
    Int den_ = 1;
};

const Exact& Min(const Exact& a, const Exact& b);
const Exact& Max(const Exact& a, const Exact& b);

// The value rounded to n decimals (0..4): half to even, towards minus infinity (Down) or
// towards plus infinity (Up). Overflow outside the range of Fixed4.
enum class Rounding { HalfEven, Down, Up };
Fixed4 Round(const Exact& value, int n, Rounding rounding = Rounding::HalfEven);

// √value rounded to n decimals (0..4) as asked, exactly: the rounding is decided on the exact
// square, never on an approximate root. InvalidArgument for a value below zero.
Fixed4 RoundedRoot(const Exact& value, int n, Rounding rounding = Rounding::HalfEven);

// The nearest double, for a JSON number or an estimate.
double ToDouble(const Exact& value);

} // namespace core
