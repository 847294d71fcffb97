#pragma once

#include <QString>

#include "core/record.h"

// What the loading window needs of the window it opens over, given when it opens and again
// whenever either changes there: the steady deceleration and the rise time, as typed.
struct LoadingGiven {
    QString deceleration; // m/s²
    QString riseTime;     // s
};

// What a loading calculation gives: the speed it was made for, its four results as shown and
// its record.
struct LoadingOutcome {
    QString speed;   // km/h, as typed in the loading window
    QString speedMs; // the speed in m/s
    QString braking; // the braking distance, not a stopping distance
    QString time;    // the braking time
    QString skid;    // the skid length
    core::CalculationRecord record;
};
