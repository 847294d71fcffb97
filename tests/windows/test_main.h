#pragma once

#include <QTest>
#include <chrono>

#include "windows/toolkit/application.h"
#include "windows/toolkit/clock.h"

// QTEST_MAIN in the application as the program sets it up: its style, fonts, icon, version
// and Russian Qt texts. The toolkit's timers run on the manual clock, which only Elapse()
// moves: a test plays the half-second hand-over or the whole animation at once.
#define KVARNET_TEST_MAIN(TestObject)                                                              \
    QTEST_MAIN_WRAPPER(TestObject, QTEST_MAIN_SETUP() toolkit::SetUpApplication();                 \
                       toolkit::clock::SetManual(true);)

// Lets `time` pass on the manual clock, with every tick that falls due in it.
inline void Elapse(std::chrono::milliseconds time) {
    toolkit::clock::Advance(time);
}

// For the tests that check the timers against the machine's clock: the steady clock while
// the guard lives.
struct RealTime {
    RealTime() { toolkit::clock::SetManual(false); }
    ~RealTime() { toolkit::clock::SetManual(true); }
    RealTime(const RealTime&) = delete;
    RealTime& operator=(const RealTime&) = delete;
};
