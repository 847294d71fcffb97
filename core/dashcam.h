#pragma once

#include <string>

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
DashcamSpeed ComputeDashcamSpeed(const DashcamReadings& in);

} // namespace core
