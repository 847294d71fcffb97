#pragma once

#include <span>
#include <string_view>

#include "core/fixed4.h"
#include "core/numeric_error.h"

// Reading the inputs of a braking calculation: each text is parsed and checked against what
// the formulas can take, and a failure names the input it came from.
namespace core {

enum class Accepts {
    NonNegative, // times, lengths, speeds: zero is a value, a negative one is a typing error
    Positive,    // deceleration and adhesion: the formulas divide by them
};

// ParseFixed4 of the text; a failure, and a value outside `accepts` (OutOfRange), raise
// NumericError with `input` as its input().
Fixed4 ReadInput(std::string_view text, int input, Accepts accepts);

// An overflow in a step after the inputs were read, put down to the input of the largest
// magnitude: the one a mistyped extra digit made too large. Any other error comes back as it is.
NumericError BlameOverflow(const NumericError& error, std::span<const Fixed4> inputs);

} // namespace core
