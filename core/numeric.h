#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/fixed4.h"
#include "core/numeric_error.h"

// Numbers typed and shown with a decimal comma, and the arithmetic the formulas use.
// Every function raises NumericError on failure; none reads the machine's locale.
//
// When a step stays in fixed point and when it goes through a double:
// - Inputs are read as Fixed4, exactly. Sums, differences and products by an integer constant
//   stay Fixed4 and exact; a product of two values is MulFixed4, rounded once to four decimals.
// - In the two braking calculations the methodology publishes (stopping, loading), a step that
//   divides, halves, squares or takes a root is one double expression run by FloatingStep, and
//   comes back as Fixed4 through ToFixed4 only where the methodology keeps its value: their
//   published results depend on those rounding points, so they are kept, not improved.
// - Everything else is exact (Exact, MulDivFixed4) and rounded once, at the end: the stopping
//   distance, the impact, dashcam and video speeds, the avoidance calculations, and every value
//   a verdict or an order is decided on. A double there is only a first guess that exact
//   arithmetic then corrects, or a number written into JSON.
namespace core {

// Reads "-12,5"-style text (a point is accepted as well); more than four decimals round
// half to even. Blank-only, empty or malformed text: TypeMismatch; out of range: Overflow.
Fixed4 ParseFixed4(std::string_view text);

// Same grammar as ParseFixed4, giving the nearest double.
double ParseDouble(std::string_view text);

// The exact count divided by 10000, as the nearest double.
double ToDouble(Fixed4 value);

// value × 10000 in double, rounded half to even; checks the double first.
Fixed4 ToFixed4(double value);

// Exact sum and difference; Overflow outside the range.
Fixed4 AddFixed4(Fixed4 a, Fixed4 b);
Fixed4 SubFixed4(Fixed4 a, Fixed4 b);

// Exact product of two decimals rounded to four decimals, half to even.
Fixed4 MulFixed4(Fixed4 a, Fixed4 b);

// A small integer constant times a Fixed4, exact.
Fixed4 MulFixed4Int(std::int16_t k, Fixed4 a);

// a × b / c rounded half to even to n decimals (0..4), exactly, with no rounding on the way.
// DivisionByZero for c = 0, Overflow outside the range.
Fixed4 MulDivFixed4(Fixed4 a, Fixed4 b, Fixed4 c, int n);

// x to the power y (y = 0.5 for roots, 2 for squares). A negative x with a non-integer y
// raises InvalidArgument.
double PowerDouble(double x, double y);

// Rounds to n decimals (0..4), an exact half to the even last digit.
Fixed4 RoundDecimal(Fixed4 value, int n);

// value × 10^n, rounded half to even, ÷ 10^n, all in double.
double RoundDecimal(double value, int n);

// "12", "12,5", "0,5", "-2,5": no trailing zeros, no comma for whole numbers.
std::string FormatFixed4(Fixed4 value);

// At most 15 significant digits with a comma; "1E+15" and "1E-05" forms outside 1e-5..1e15.
std::string FormatDouble(double value);

// Plain decimal digits with a minus sign for negatives.
std::string FormatInteger(std::int16_t value);

// Runs one double step and checks the floating state it leaves: a division by zero raises
// DivisionByZero, an overflow Overflow, an invalid operation InvalidArgument.
template <typename Step> double FloatingStep(Step&& step);

namespace detail {
void BeginStep();
double EndStep(double result);
double CheckValue(double value); // raises for an infinity or a NaN
} // namespace detail

template <typename Step> double FloatingStep(Step&& step) {
    detail::BeginStep();
    volatile double result = step();
    return detail::EndStep(result);
}

} // namespace core
