#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/fixed4.h"
#include "core/inputs.h"
#include "core/record.h"

// Mean speed from two clock readings of a dashcam video and the distance between them.
namespace core {

// The seven texts as typed: the start reading, the end reading (hours, minutes, seconds) and
// the distance in metres.
struct DashcamInputs {
    std::string startHours, startMinutes, startSeconds;
    std::string endHours, endMinutes, endSeconds;
    std::string distance;
};

// The readings in the order they are read, as NumericError::input() names them (IndexOf).
enum class DashcamInput : int {
    StartHours,
    StartMinutes,
    StartSeconds,
    EndHours,
    EndMinutes,
    EndSeconds,
    Distance,
};
InputList DashcamInputList();

// The elapsed time in seconds, exactly end − start, and the mean speed in km/h, rounded half to
// even to 0,01 from the exact quotient; with their texts.
struct DashcamResults {
    Fixed4 elapsed;
    Fixed4 speed;
    std::string elapsedText; // "10", "3604,5": every decimal the readings gave
    std::string speedText;   // "12,6"
    // The elapsed time split for showing: whole hours, whole minutes past them, and the seconds
    // past those with every decimal ("1", "0", "4,5" for 3604,5 s).
    std::string hoursText, minutesText, secondsText;
};

// E = (Кч·3600 + Км·60 + Кс) − (Нч·3600 + Нм·60 + Нс) and V = 3,6 · D / E, with no rounding but
// the speed's last. Each part of a reading is read against its input's limits: whole hours from
// 0 to 23 (to 24 for the end, a recording past midnight), whole minutes below 60, seconds below
// 60 with their decimals.
// Raises NumericError naming the reading at fault: TypeMismatch for an empty or mistyped one,
// OutOfRange for a negative one, NotWhole or AboveLimit for one no clock shows, Overflow for a
// distance too large for the time, SameTime or EndBeforeStart (naming the end hours) when the
// end is not after the start. A distance of 0 gives 0 km/h.
// With a record, also says how, including the split of the time into hours, minutes, seconds.
DashcamResults ComputeDashcam(const DashcamInputs& in, CalculationRecord* record = nullptr);

// The elapsed time as shown: every decimal the readings gave, none added and none rounded away
// ("10,5", "0,001"), so that a short time never shows as 0 s beside its speed.
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
