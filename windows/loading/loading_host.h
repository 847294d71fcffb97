#pragma once

#include <QString>

#include "core/record.h"

class QWidget;

// What a loading calculation gives its host: the speed it was made for, its four results as
// shown and its record.
struct LoadingOutcome {
    QString speed;   // km/h, as typed in the loading window
    QString speedMs; // the speed in m/s
    QString braking; // the braking distance, not a stopping distance
    QString time;    // the braking time
    QString skid;    // the skid length
    core::CalculationRecord record;
};

// What the loading window asks of the window it is embedded in, and nothing more: that window
// implements this and registers itself before the loading window loads. Opening the loading
// window changes nothing in its host; only an outcome or a refusal does.
class LoadingHost {
public:
    // The window to embed in, over its strip and inputs.
    virtual QWidget* HostWindow() = 0;
    // The steady deceleration as typed there.
    virtual QString Deceleration() const = 0;
    // Shows the outcome of a loading calculation as the host's own results, in its speed-known
    // mode, with the braking distance named as such, and plays the braking animation.
    virtual void ShowLoadingOutcome(const LoadingOutcome& outcome) = 0;
    // A loading calculation was refused or failed: the host empties its results, so that no
    // result stands beside the inputs that were refused.
    virtual void DropResults() = 0;
    // The keyboard back to the host, from a loading window that hides.
    virtual void TakeKeyboard() = 0;

    // The one host of the application, as each window has one default instance.
    static LoadingHost* Current();
    static void Register(LoadingHost* host); // nullptr when the host goes

protected:
    ~LoadingHost() = default;
};
