#pragma once

#include <string>

#include "core/exact.h"
#include "core/fixed4.h"
#include "core/record_writer.h"

// The steps the braking calculations share, each written once with its record step.
namespace core {

// A result as it is shown: rounded half to even to one decimal at most.
std::string ResultText(Fixed4 value);

// A speed in km/h as m/s: V × 1000 / 3600.
Fixed4 SpeedInMetres(Fixed4 speedKmh, RecordWriter& rec);

// The speed left once the deceleration has risen fully, v − j·t3/2. A car whose speed that
// takes away stops while the deceleration still rises: it never brakes fully, so it has no
// braking time and leaves no skid mark (stopsEarly, told in the record's notes).
struct AfterRise {
    Fixed4 slowed;
    bool stopsEarly = false;
};
AfterRise SpeedAfterRise(Fixed4 speedMs, Fixed4 j, Fixed4 t3, RecordWriter& rec);

// The time of full braking from a speed in km/h, taken in m/s: V / 3,6 / j − t3 / 2.
Fixed4 BrakingTime(double speedKmh, Fixed4 j, Fixed4 t3, RecordWriter& rec);

// The skid length from the speed left for full braking: (v − j·t3/2)² / (2·j).
Fixed4 SkidLength(Fixed4 slowed, Fixed4 j, RecordWriter& rec);

// The time at constant speed: reaction, brake-drive delay and half the rise time,
// t1 + t2 + t3 / 2, kept with four decimals.
Fixed4 LagTime(Fixed4 t1, Fixed4 t2, Fixed4 t3, RecordWriter& rec);

// The path at a constant speed in km/h over a time, V / 3,6 · t, exactly: the stopping
// distance's terms before the car brakes fully (the reaction, the delay, half the rise).
Exact PathAtSpeed(const Exact& speedKmh, const Exact& time);

// The stopping distance from a speed in km/h, V² / (26·j) + V / 3,6 · (t1 + t2 + t3 / 2),
// exactly; `lag` is LagTime's. 26 rounds 2 · 3,6² = 25,92, as the methodology's formula does.
// It grows with the speed and the lag and falls as the deceleration grows.
Exact StoppingDistance(const Exact& speedKmh, Fixed4 j, Fixed4 lag);

// The stopping distance as a step of a record, kept with four decimals; `step` names the speed
// it is taken at.
struct DistanceStep {
    std::string_view key;         // "stopping_distance_m"
    std::string_view name;        // "Остановочный путь"
    std::string_view symbol;      // "Sо"
    std::string_view speedSymbol; // "V"
};
inline constexpr DistanceStep kStoppingDistanceStep{"stopping_distance_m", "Остановочный путь",
                                                    "Sо", "V"};
Fixed4 StoppingDistance(Fixed4 speedKmh, Fixed4 j, Fixed4 lag, RecordWriter& rec,
                        const DistanceStep& step = kStoppingDistanceStep);

} // namespace core
