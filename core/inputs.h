#pragma once

#include <string_view>

#include "core/fixed4.h"

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

} // namespace core
