#pragma once

#include <QString>

#include "core/record.h"

class QWidget;

// What the loading window asks of the window it is embedded in, and nothing more: that window
// implements this and registers itself before the loading window loads.
class LoadingHost {
public:
    // The window to embed in, over its strip and inputs.
    virtual QWidget* HostWindow() = 0;
    // The steady deceleration as typed there.
    virtual QString Deceleration() const = 0;
    // Each write runs the host's change handlers, as a user's typing would.
    virtual void WriteSpeed(const QString& speed) = 0;
    // Speed in m/s, stopping distance, braking time and skid length, and the record of the
    // calculation that gave them, which the host then offers.
    virtual void WriteResults(const QString& speedMs, const QString& distance, const QString& time,
                              const QString& skid, const core::CalculationRecord& record) = 0;
    virtual void StartAnimation() = 0;
    // 1: the next end of the animation shows the loading window's results; 0: it computes.
    virtual void SetLoadingFlag(int flag) = 0;
    // The keyboard back to the host, from a loading window that hides.
    virtual void TakeKeyboard() = 0;

    // The one host of the application, as each window has one default instance.
    static LoadingHost* Current();
    static void Register(LoadingHost* host); // nullptr when the host goes

protected:
    ~LoadingHost() = default;
};
