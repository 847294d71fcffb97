#pragma once

#include <string>
#include <string_view>

#include "core/record.h"

// Mean speed from two clock readings of a dashcam video and the distance between them.
namespace core {

// The seven texts as typed: the end reading, the start reading (hours, minutes, seconds)
// and the distance in metres.
struct DashcamReadings {
    std::string endHours, endMinutes, endSeconds;
    std::string startHours, startMinutes, startSeconds;
    std::string distance;
};

// The elapsed time in hours (a value with at most four decimals) and the mean speed in km/h,
// with their texts: the time in full, the speed to two decimals.
struct DashcamSpeed {
    double hours = 0;
    double speed = 0;
    std::string hoursText, speedText;
};

// The minutes-and-seconds part of the time is rounded to 1/10000 h (0.36 s) before the whole
// hours are added; the hours are never wrapped at midnight. Raises NumericError: TypeMismatch
// for an empty or mistyped reading, DivisionByZero or InvalidArgument for equal readings,
// Overflow for values too large.
// With a record, also says how, including the split of the time into hours, minutes and seconds.
DashcamSpeed ComputeDashcamSpeed(const DashcamReadings& in, CalculationRecord* record = nullptr);

// A time split at its decimal comma: the text before it, and "0," with the digits after it.
// A whole number has no digits after the comma: its fraction is "0", not nothing, so that the
// minutes and seconds below a whole hour or minute come out as 0.
struct TimeParts {
    std::string whole, fraction;
    bool wholeNumber = false; // there were no digits after the comma
};
TimeParts SplitAtComma(std::string_view time);

// A fraction of an hour in minutes, or of a minute in seconds: the fraction times 60.
// Raises NumericError for a text that is no number.
std::string TimesSixty(std::string_view fraction);

} // namespace core
