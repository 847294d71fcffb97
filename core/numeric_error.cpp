#include "core/numeric_error.h"

namespace core {

const char* NumericError::what() const noexcept {
    switch (kind_) {
    case NumericErrorKind::InvalidArgument:
        return "invalid argument";
    case NumericErrorKind::Overflow:
        return "overflow";
    case NumericErrorKind::DivisionByZero:
        return "division by zero";
    case NumericErrorKind::TypeMismatch:
        return "type mismatch";
    case NumericErrorKind::OutOfRange:
        return "input out of range";
    case NumericErrorKind::SameTime:
        return "no time between the readings";
    case NumericErrorKind::EndBeforeStart:
        return "end reading before the start reading";
    case NumericErrorKind::BelowResolution:
        return "input below the resolution";
    case NumericErrorKind::AboveLimit:
        return "input above its limit";
    case NumericErrorKind::NotWhole:
        return "input not a whole number";
    case NumericErrorKind::ReversedRange:
        return "range with its lower end above its upper end";
    case NumericErrorKind::StopsBeforeImpact:
        return "the car stops before the end of the skid";
    case NumericErrorKind::FrameBeyondEnd:
        return "frame past the file's last frame";
    case NumericErrorKind::SameFrame:
        return "the same frame twice";
    case NumericErrorKind::FramesReversed:
        return "second frame before the first";
    case NumericErrorKind::AdjacentFrames:
        return "second frame right after the first";
    }
    return "numeric error";
}

} // namespace core
