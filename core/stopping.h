#pragma once

#include <string>

#include "core/inputs.h"
#include "core/record.h"

// Speed or skid length, stopping distance and braking time, from the reaction and brake times,
// the deceleration and the skid length or the speed.
namespace core {

// Which of the two quantities is given: the skid length or the speed.
enum class StoppingMode { SkidKnown, SpeedKnown };

// The five input texts as typed: reaction time, brake-drive delay, deceleration rise time,
// skid length (m) or speed (km/h), steady deceleration.
struct StoppingInputs {
    std::string t1, t2, t3, x, j;
};

// The inputs in reading order, as NumericError::input() names them.
enum StoppingInput : int { kReaction, kDelay, kRise, kSkidOrSpeed, kDeceleration };
InputList StoppingInputList(StoppingMode mode);

// The four result texts, one decimal at most: speed (km/h) or skid length (m), speed in m/s,
// stopping distance (m), braking time (s).
struct StoppingResults {
    std::string first, speedMs, distance, time;
};

// Computes all four results before returning; raises NumericError on any failure, OutOfRange
// for a negative input or a deceleration that is not above zero. A car that stops while its
// deceleration is still rising never brakes fully: braking time and skid length are 0.
// With a record, also says how: inputs, each step with its formula and values, results, and
// the corrections made.
StoppingResults ComputeStopping(const StoppingInputs& in, StoppingMode mode,
                                CalculationRecord* record = nullptr);

} // namespace core
