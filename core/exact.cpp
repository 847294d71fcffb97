#include "core/exact.h"

#include <cmath>

#include "core/numeric_error.h"

namespace core {
namespace {

using Int = Exact::Int;
using UInt = unsigned __int128;

[[noreturn]] void Fail(NumericErrorKind kind) {
    throw NumericError(kind);
}

constexpr Int kMax = static_cast<Int>(~UInt(0) >> 1);

Int Abs(Int a) {
    if (a < -kMax) Fail(NumericErrorKind::Overflow);
    return a < 0 ? -a : a;
}

Int Gcd(Int a, Int b) {
    a = Abs(a);
    b = Abs(b);
    while (b != 0) {
        const Int r = a % b;
        a = b;
        b = r;
    }
    return a;
}

Int Mul(Int a, Int b) {
    Int product = 0;
    if (__builtin_mul_overflow(a, b, &product)) Fail(NumericErrorKind::Overflow);
    return product;
}

Int Add(Int a, Int b) {
    Int sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) Fail(NumericErrorKind::Overflow);
    return sum;
}

// ⌊a / b⌋ for b > 0.
Int FloorDiv(Int a, Int b) {
    Int q = a / b;
    if (a % b != 0 && a < 0) --q;
    return q;
}

constexpr std::int64_t kPowers[] = {1, 10, 100, 1000, 10000};

int Digits(int n) {
    if (n < 0 || n > 4) Fail(NumericErrorKind::InvalidArgument);
    return n;
}

Fixed4 ToFixed4Units(Int count, int n) {
    const Int units = Mul(count, kPowers[4 - n]);
    if (units < INT64_MIN || units > INT64_MAX) Fail(NumericErrorKind::Overflow);
    return Fixed4::FromUnits(static_cast<std::int64_t>(units));
}

// ⌊√a⌋, exactly: an estimate in long double, then corrected by integer comparisons.
UInt FloorRoot(UInt a) {
    UInt x = static_cast<UInt>(std::sqrt(static_cast<long double>(a)));
    while (x > 0 && x > a / x)
        --x;
    while (x + 1 <= a / (x + 1))
        ++x;
    return x;
}

} // namespace

Exact Exact::Of(Fixed4 value) {
    return Ratio(value.units, Fixed4::kScale);
}

Exact Exact::Whole(std::int64_t value) {
    return Ratio(value, 1);
}

Exact Exact::Ratio(Int numerator, Int denominator) {
    if (denominator == 0) Fail(NumericErrorKind::DivisionByZero);
    if (denominator < 0) {
        numerator = Mul(numerator, -1);
        denominator = Mul(denominator, -1);
    }
    // Not reduced: a common factor costs nothing until the terms grow too large, and reducing
    // every result would cost most of the time (128-bit divisions). The operations below reduce
    // when a product would overflow.
    Exact e;
    e.num_ = numerator;
    e.den_ = denominator;
    return e;
}

namespace {

// The same value in lowest terms.
Exact Reduced(const Exact& e) {
    const Int g = Gcd(e.numerator(), e.denominator());
    return g > 1 ? Exact::Ratio(e.numerator() / g, e.denominator() / g) : e;
}

} // namespace

Exact operator+(const Exact& a, const Exact& b) {
    Int n = 0, d = 0, left = 0, right = 0;
    if (a.den_ == b.den_ && !__builtin_add_overflow(a.num_, b.num_, &n))
        return Exact::Ratio(n, a.den_);
    if (!__builtin_mul_overflow(a.num_, b.den_, &left) &&
        !__builtin_mul_overflow(b.num_, a.den_, &right) &&
        !__builtin_add_overflow(left, right, &n) && !__builtin_mul_overflow(a.den_, b.den_, &d))
        return Exact::Ratio(n, d);
    const Exact x = Reduced(a), y = Reduced(b);
    const Int g = Gcd(x.den_, y.den_);
    const Int dx = x.den_ / g, dy = y.den_ / g;
    return Reduced(Exact::Ratio(Add(Mul(x.num_, dy), Mul(y.num_, dx)), Mul(x.den_, dy)));
}

Exact operator-(const Exact& a, const Exact& b) {
    return a + Exact::Ratio(Mul(b.num_, -1), b.den_);
}

Exact operator*(const Exact& a, const Exact& b) {
    Int n = 0, d = 0;
    if (!__builtin_mul_overflow(a.num_, b.num_, &n) && !__builtin_mul_overflow(a.den_, b.den_, &d))
        return Exact::Ratio(n, d);
    // Cross-cancelling keeps the terms as small as the value allows.
    const Exact x = Reduced(a), y = Reduced(b);
    const Int g1 = Gcd(x.num_, y.den_), g2 = Gcd(y.num_, x.den_);
    const Int xn = g1 > 1 ? x.num_ / g1 : x.num_, yd = g1 > 1 ? y.den_ / g1 : y.den_;
    const Int yn = g2 > 1 ? y.num_ / g2 : y.num_, xd = g2 > 1 ? x.den_ / g2 : x.den_;
    return Exact::Ratio(Mul(xn, yn), Mul(xd, yd));
}

Exact operator/(const Exact& a, const Exact& b) {
    if (b.num_ == 0) Fail(NumericErrorKind::DivisionByZero);
    return a * Exact::Ratio(b.den_, b.num_);
}

int Compare(const Exact& a, const Exact& b) {
    // By continued fractions: whole parts first, then the inverted remainders; no product of
    // terms is ever formed, so nothing can overflow.
    Int an = a.num_, ad = a.den_, bn = b.num_, bd = b.den_;
    int sign = 1; // flips each time the remainders are inverted
    for (;;) {
        const Int qa = FloorDiv(an, ad), qb = FloorDiv(bn, bd);
        if (qa != qb) return qa < qb ? -sign : sign;
        const Int ra = an - qa * ad, rb = bn - qb * bd; // 0 <= r < d
        if (ra == 0 || rb == 0) {
            if (ra == rb) return 0;
            return ra == 0 ? -sign : sign;
        }
        // ra/ad against rb/bd is, the other way round, ad/ra against bd/rb.
        an = ad;
        ad = ra;
        bn = bd;
        bd = rb;
        sign = -sign;
    }
}

const Exact& Min(const Exact& a, const Exact& b) {
    return b < a ? b : a;
}

const Exact& Max(const Exact& a, const Exact& b) {
    return a < b ? b : a;
}

Fixed4 Round(const Exact& value, int n, Rounding rounding) {
    const Exact scaled = value * Exact::Whole(kPowers[Digits(n)]);
    const Int d = scaled.denominator();
    const Int q = FloorDiv(scaled.numerator(), d);
    const Int r = scaled.numerator() - q * d; // 0 <= r < d
    Int count = q;
    if (r != 0) {
        switch (rounding) {
        case Rounding::Down:
            break;
        case Rounding::Up:
            count = q + 1;
            break;
        case Rounding::HalfEven: {
            // r / d against one half, without forming 2·r where it could overflow.
            const bool above = r > d - r, half = r == d - r;
            if (above || (half && q % 2 != 0)) count = q + 1;
            break;
        }
        }
    }
    return ToFixed4Units(count, n);
}

Fixed4 RoundedRoot(const Exact& value, int n, Rounding rounding) {
    if (value.Sign() < 0) Fail(NumericErrorKind::InvalidArgument);
    // √value · 10^n = √(value · 10^2n); its floor is the floor root of the whole part.
    const std::int64_t p = kPowers[Digits(n)];
    const Exact scaled = value * Exact::Whole(p) * Exact::Whole(p);
    const UInt whole = static_cast<UInt>(FloorDiv(scaled.numerator(), scaled.denominator()));
    const UInt s = FloorRoot(whole);
    const Exact root = Exact::Ratio(static_cast<Int>(s), 1);
    const Int count = static_cast<Int>(s);
    const int exactness = Compare(root * root, scaled); // 0: the root is s exactly
    switch (rounding) {
    case Rounding::Down:
        return ToFixed4Units(count, n);
    case Rounding::Up:
        return ToFixed4Units(exactness == 0 ? count : count + 1, n);
    case Rounding::HalfEven:
        break;
    }
    // Against s + 1/2: (s + 1/2)² compared with the scaled value decides, exactly.
    const Exact half = root + Exact::Ratio(1, 2);
    const int side = Compare(scaled, half * half);
    const bool up = side > 0 || (side == 0 && count % 2 != 0);
    return ToFixed4Units(up ? count + 1 : count, n);
}

double ToDouble(const Exact& value) {
    return static_cast<double>(static_cast<long double>(value.numerator()) /
                               static_cast<long double>(value.denominator()));
}

} // namespace core
