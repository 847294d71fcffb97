#pragma once

#include <exception>

namespace core {

// Why a numeric operation failed; each kind keeps its traditional numeric code as its value.
enum class NumericErrorKind : int {
    InvalidArgument = 5,   // root of a negative number, or an invalid double step such as 0/0
    Overflow = 6,          // a result outside the range of its type
    DivisionByZero = 11,   // a double division by zero somewhere in a step
    TypeMismatch = 13,     // a text that is not a number (empty, blanks only, letters, ...)
    OutOfRange = 1000,     // an input a braking calculation cannot take: a negative value, or a
                           // zero deceleration or adhesion, which the formulas divide by
    SameTime = 1001,       // an end reading equal to the start reading: no time has passed
    EndBeforeStart = 1002, // an end reading earlier than the start reading
    BelowResolution = 1003, // a value other than zero that rounds to zero at four decimals,
                            // the resolution of the calculations
    // A clock reading that no clock shows:
    AboveLimit = 1004, // a part at or above its input's limit: a minute of 60, a start hour of 24
    NotWhole = 1005,   // a fraction of an hour or a minute
    // A range or a skid that no calculation can take:
    ReversedRange = 1006,     // a range whose lower end is above its upper end
    StopsBeforeImpact = 1007, // a speed at the start of braking too low for the skid: the car
                              // would have stopped before the skid's end, with no impact
    // Two frames of a video file that time no speed:
    FrameBeyondEnd = 1008, // a frame number past the file's last frame
    SameFrame = 1009,      // the second frame is the first: no time has passed
    FramesReversed = 1010, // the second frame is shown before the first
    AdjacentFrames = 1011, // the second frame follows the first at once: the time between
                           // them may be all but nothing, and the speed's upper end is unbounded
};

// No single input of the calculation caused the failure (an intermediate step did).
inline constexpr int kNoInput = -1;

// The one failure that every numeric operation raises; nothing returns a special value instead.
class NumericError : public std::exception {
public:
    explicit NumericError(NumericErrorKind kind, int input = kNoInput)
        : kind_(kind), input_(input) {}
    NumericErrorKind kind() const noexcept { return kind_; }
    // Which input of a calculation failed to read or was refused, counted from 0 in the order
    // the calculation reads them; kNoInput otherwise.
    int input() const noexcept { return input_; }
    const char* what() const noexcept override;

private:
    NumericErrorKind kind_;
    int input_;
};

} // namespace core
