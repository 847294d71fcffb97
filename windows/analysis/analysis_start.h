#pragma once

#include <QString>

// What the window opens with: the driver's times, the deceleration and the speed, as the window
// that opens it holds them (the main window's t1, t2, t3, j and the speed it computed or was
// given). Empty texts leave their fields empty; each stays editable.
struct AnalysisStart {
    QString reaction, delay, rise, deceleration, speed;
};
