#include "core/inputs.h"

#include "core/numeric.h"
#include "core/numeric_error.h"

namespace core {

Fixed4 ReadInput(std::string_view text, int index, const InputDescriptor& input) {
    Fixed4 value;
    try {
        value = ParseFixed4(text);
    } catch (const NumericError& error) {
        throw NumericError(error.kind(), index);
    }
    // A number text with a digit other than 0 is not zero, whatever it rounds to: 0,00001
    // would otherwise be read as 0, or refused as if it were 0.
    if (value.units == 0 && text.find_first_of("123456789") != std::string_view::npos)
        throw NumericError(NumericErrorKind::BelowResolution, index);
    bool refused = value.units < 0;
    switch (input.accepts) {
    case Accepts::NonNegative:
        break;
    case Accepts::Positive:
    case Accepts::PositiveRatio:
        refused = value.units <= 0;
        break;
    case Accepts::Count:
        refused = value.units < 2 * Fixed4::kScale || value.units % Fixed4::kScale != 0;
        break;
    case Accepts::FrameNumber:
        refused = value.units < Fixed4::kScale || value.units % Fixed4::kScale != 0;
        break;
    }
    if (refused) throw NumericError(NumericErrorKind::OutOfRange, index);
    if (input.whole && value.units % Fixed4::kScale != 0)
        throw NumericError(NumericErrorKind::NotWhole, index);
    if (input.below > 0 && value.units >= input.below * Fixed4::kScale)
        throw NumericError(NumericErrorKind::AboveLimit, index);
    return value;
}

NumericError BlameOverflow(const NumericError& error, std::span<const Fixed4> inputs) {
    if (error.kind() != NumericErrorKind::Overflow || error.input() != kNoInput) return error;
    int largest = kNoInput;
    std::uint64_t largestMagnitude = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::int64_t units = inputs[i].units;
        const std::uint64_t magnitude =
            units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
        if (largest == kNoInput || magnitude > largestMagnitude) {
            largest = static_cast<int>(i);
            largestMagnitude = magnitude;
        }
    }
    return NumericError(error.kind(), largest);
}

} // namespace core
