#pragma once

#include <string>

#include "core/inputs.h"
#include "core/record.h"

// Speed or skid length, stopping distance and braking time, from the reaction and brake times,
// the deceleration and the skid length or the speed.
namespace core {

// Which of the two quantities is given: the skid length or the speed.
enum class StoppingMode { SkidKnown, SpeedKnown };

// Which quantity is given, and the five input texts as typed: reaction time, brake-drive delay,
// deceleration rise time, skid length (m) or speed (km/h) as the mode says, steady
// deceleration; and, for a skid that ended in a collision, the speed at the impact (km/h), read
// after them: empty when the car stopped at the skid's end, and only with the skid known.
struct StoppingInputs {
    StoppingMode mode;
    std::string t1, t2, t3, skidOrSpeed, j;
    std::string impact = {};
};

// The inputs in reading order, as NumericError::input() names them (IndexOf).
enum class StoppingInput : int {
    Reaction,
    Delay,
    Rise,
    SkidOrSpeed,
    Deceleration,
    ImpactAtSkidEnd
};
InputList StoppingInputList(StoppingMode mode, bool withImpact = false);

// The four result texts, one decimal at most: the speed at the start of braking (km/h) when the
// skid is known, the skid length (m) when the speed is; the speed in m/s, the stopping distance
// (m) and the braking time (s).
struct StoppingResults {
    std::string speedOrSkid, speedMs, stoppingDistance, brakingTime;
};

// Computes all four results before returning; raises NumericError on any failure, OutOfRange
// for a negative input or a deceleration that is not above zero. A car that stops while its
// deceleration is still rising never brakes fully: braking time and skid length are 0.
// With an impact speed Vу the speed at the start of braking adds its energy under the root,
// (j·t3/2 + √(2·S·j + (Vу/3,6)²))·3,6; Vу = 0 gives the result without it exactly.
// With a record, also says how: inputs, each step with its formula and values, results, and
// the corrections made.
StoppingResults ComputeStopping(const StoppingInputs& in, CalculationRecord* record = nullptr);

// The same over ranges: any input may be a range ("0,6..1,4", "0,6…1,4", "0,6–1,4"), and each
// result is then the range of its values over them (core/range.h); a single number stays one.
// ReversedRange names an input whose lower end is above its upper end.
StoppingResults ComputeStoppingOverRanges(const StoppingInputs& in,
                                          CalculationRecord* record = nullptr);

} // namespace core
