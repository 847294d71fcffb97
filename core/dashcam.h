#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/fixed4.h"
#include "core/inputs.h"
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

// The readings in the order they are read, as NumericError::input() names them.
enum DashcamInput : int {
    kEndHours,
    kEndMinutes,
    kEndSeconds,
    kStartHours,
    kStartMinutes,
    kStartSeconds,
    kDistance,
};
InputList DashcamInputList();

// The elapsed time in seconds, exactly end − start, and the mean speed in km/h, rounded half to
// even to 0,01 from the exact quotient; with their texts.
struct DashcamSpeed {
    Fixed4 elapsed;
    Fixed4 speed;
    std::string elapsedText; // "10", "3604,5": every decimal the readings gave
    std::string speedText;   // "12,6"
};

// E = (Кч·3600 + Км·60 + Кс) − (Нч·3600 + Нм·60 + Нс) and V = 3,6 · D / E, with no rounding but
// the speed's last. A minute or second above 59 counts as it stands; the hours are not wrapped
// at midnight, so a recording past it ends at hour 24 or later. Raises NumericError naming the
// reading at fault: TypeMismatch for an empty or mistyped one, OutOfRange for a negative one,
// Overflow for one too large, SameTime or EndBeforeStart (naming the end hours) when the end
// is not after the start. A distance of 0 gives 0 km/h.
// With a record, also says how, including the split of the time into hours, minutes, seconds.
DashcamSpeed ComputeDashcamSpeed(const DashcamReadings& in, CalculationRecord* record = nullptr);

// The elapsed time as shown: the seconds rounded half to even to 0,01 ("10,08", "59,88").
// Rounding before the split lets 59,996 s show as 1 min 0 s, never as 60 s.
std::string ShownSeconds(std::string_view seconds);

inline constexpr std::int16_t kSecondsPerHour = 3600;
inline constexpr std::int16_t kSecondsPerMinute = 60;

// Seconds split at a unit (kSecondsPerHour for hours, kSecondsPerMinute for minutes): the whole
// units, and the seconds left over, both as decimal texts. Raises NumericError for a text that is
// no number.
struct UnitSplit {
    std::string whole, rest;
};
UnitSplit SplitSeconds(std::string_view seconds, std::int16_t unit);

} // namespace core
