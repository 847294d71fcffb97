#pragma once

#include <chrono>

// The clock the toolkit's timers keep their schedule on. The program runs on the machine's
// steady clock. Tests may switch to a manual clock that stands still until they move it:
// moving it delivers, in order of due time, every tick that falls due on the way, so a test
// plays a 2,8 s animation or a half-second hand-over without waiting for it.
namespace toolkit::clock {

using Clock = std::chrono::steady_clock;

// The timers' present time.
Clock::time_point Now();

// Switches between the manual clock (true) and the steady clock. Switch while no timer is
// enabled: a timer enabled under one clock is scheduled on it.
void SetManual(bool manual);
bool IsManual();

// Moves the manual clock forward by `by`, delivering the due ticks one by one, each followed
// by the events it posted, as the event loop would.
void Advance(std::chrono::milliseconds by);

} // namespace toolkit::clock
