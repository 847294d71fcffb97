// The braking animation of the main window: the start button checks the inputs (the whole
// calculation, so that a refusal comes before anything moves) and starts a chain of one-shot
// timers; each tick shows one frame of the strip and counts the readouts up; the last tick
// shows the results (or those the loading window gave).

#include <QLineEdit>
#include <QPushButton>

#include "core/numeric.h"
#include "core/stopping.h"
#include "resources/frames.h"
#include "windows/alerts/alert_window.h"
#include "windows/main/form1.h"
#include "windows/shared/text.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/pictures.h"

using shared::Integer;

namespace {

// Step n of the run shows frame base + n: the stopping series from the first step, the
// collision series from the eighth.
constexpr int kStoppingSeries = frames::kStopping.first - 1;
constexpr int kCollisionSeries = frames::kCollision.first - 8;

double Number(const QString& text) {
    return core::ParseDouble(shared::Std(text));
}

// The readouts of the second phase, Label10 (speed) and Label11 (distance), per timer.
struct SecondPhaseRow {
    int speed, distance;
};
constexpr SecondPhaseRow kSecondPhase[] = {
    /* Timer9 */ {9, 9},    /* Timer10 */ {10, 10},
    /* Timer11 */ {15, 11}, /* Timer12 */ {20, 15},
    /* Timer13 */ {25, 19}, /* Timer14 */ {30, 23},
    /* Timer15 */ {35, 27}, /* Timer16 */ {40, 31},
};

} // namespace

// The inputs are checked before anything moves: a refusal leaves the strip, the readouts and
// the results as they were and puts the keyboard into the first field at fault.
void Form1::Command1_Click() {
    for (int i = core::IndexOf(core::StoppingInput::Reaction);
         i <= core::IndexOf(core::StoppingInput::Deceleration); ++i) {
        if (InputField(i)->text().isEmpty()) {
            ShowAlert(Alert::MissingValue);
            InputField(i)->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    try {
        core::ComputeStopping(Inputs());
    } catch (const core::NumericError& error) {
        ShowCalculationError(error);
        return;
    }
    ClearResults();
    LoadFrames();
    Timer1->setEnabled(true);
}

void Form1::TimerK_Timer(int k) {
    if (k <= 4)
        FirstPhaseStep(k);
    else
        SecondPhaseStep(k);
}

// The first phase runs Timer1 to Timer4 twice; the step counter in Label1 tells each timer
// whether this tick is its first-lap or second-lap step, or none of its business.
void Form1::FirstPhaseStep(int timer) {
    try {
        const double step = Number(Label1->text());
        if (step != timer && step != timer + 4) return;
        const int n = static_cast<int>(step);
        // The eighth step already shows which series plays; choose before changing anything.
        const int base = n == 8 ? SeriesBase() : kStoppingSeries;
        Label1->setText(Integer(n + 1));
        Label10->setText(Integer(n));
        Label11->setText(Integer(n));
        if (base) Image1->setPicture(Frame(base + n));
        Timer(timer)->setEnabled(false);
        Timer(timer < 4 ? timer + 1 : n == 4 ? 1 : 9)->setEnabled(true);
    } catch (const core::NumericError& error) {
        StopRun(error);
    }
}

void Form1::SecondPhaseStep(int timer) {
    try {
        const int base = SeriesBase();
        const SecondPhaseRow& row = kSecondPhase[timer - 9];
        Label10->setText(Integer(row.speed));
        Label11->setText(Integer(row.distance));
        if (base) Image1->setPicture(Frame(base + timer));
        Timer(timer)->setEnabled(false);
        if (timer < 16)
            Timer(timer + 1)->setEnabled(true);
        else
            EndStep();
    } catch (const core::NumericError& error) {
        StopRun(error);
    }
}

// The collision series plays for a skid mark over 18 m or a speed over 60 km/h; read afresh
// at every step, so an edit of Text7 during the run counts. 0: an unknown mode, no frame.
int Form1::SeriesBase() const {
    const double mode = Number(Label19->text());
    double x = 0;
    try {
        x = Number(Text7->text());
    } catch (const core::NumericError& error) {
        throw core::NumericError(
            error.kind(),
            core::IndexOf(core::StoppingInput::SkidOrSpeed)); // the message names the field
    }
    if (mode == 1) return x <= 18 ? kStoppingSeries : kCollisionSeries;
    if (mode == 2) return x <= 60 ? kStoppingSeries : kCollisionSeries;
    return 0;
}

void Form1::EndStep() {
    Timer16->setEnabled(false);
    Label1->setText(Integer(1));
    const double fromLoadingWindow = Number(Label20->text());
    if (fromLoadingWindow == 0) {
        Command2->click();
        // A failed calculation leaves no results: the readouts lose the step counters too.
        if (!calculated_) {
            Label10->setText(QString());
            Label11->setText(QString());
        }
    } else if (fromLoadingWindow == 1) {
        // The loading window wrote the results itself; show its speed and distance.
        Label10->setText(Text7->text());
        Label11->setText(Text6->text());
        Label20->setText(Integer(0));
    }
}

bool Form1::AnimationRunning() const {
    for (int k : kAnimationTimers)
        if (Timer(k)->isEnabled()) return true;
    return false;
}

// Ends a run where it stands, without a word: the next start begins at the first step.
void Form1::StopAnimation() {
    DisableTimers();
    Label1->setText(Integer(1));
}

// A step that cannot go on (the skid length or speed is no number any more) ends the run
// where it stands: no timer left running, the strip as it was, ready for the next start.
void Form1::StopRun(const core::NumericError& error) {
    StopAnimation();
    Label10->setText(QString());
    Label11->setText(QString());
    ShowCalculationError(error);
}
