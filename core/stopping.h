#pragma once

#include <string>

// The main window's calculation: speed or skid length, stopping distance and braking time.
namespace core {

// Which of the two quantities the user typed into the skid/speed field.
enum class StoppingMode { SkidKnown, SpeedKnown };

// The five input texts as typed: reaction time, brake-drive delay, deceleration rise time,
// skid length (m) or speed (km/h), steady deceleration.
struct StoppingInputs {
    std::string t1, t2, t3, x, j;
};

// The four result texts, one decimal at most: speed (km/h) or skid length (m), speed in m/s,
// stopping distance (m), braking time (s).
struct StoppingResults {
    std::string first, speedMs, distance, time;
};

// Computes all four results before returning; raises NumericError on any failure.
StoppingResults ComputeStopping(const StoppingInputs& in, StoppingMode mode);

} // namespace core
