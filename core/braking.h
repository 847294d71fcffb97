#pragma once

#include <string>

#include "core/fixed4.h"
#include "core/record_writer.h"

// The steps both braking calculations take, each written once with its record step.
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

} // namespace core
