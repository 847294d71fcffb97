#pragma once

#include <QPixmap>
#include <QWidget>

#include "core/record.h"
#include "core/stopping.h"
#include "windows/analysis/analysis_start.h"
#include "windows/loading/loading_outcome.h"
#include "windows/main/braking_animation.h"
#include "windows/record/last_record.h"
#include "windows/toolkit/controls_fwd.h"

namespace core {
class NumericError;
}

// The main window: the stopping-distance calculator. Its mode, and whether the results it shows
// came from the loading window, are members; the braking animation is one object. It asks for
// the other windows by signals, giving the loading window what it needs, and shows the loading
// window's outcome; it knows no other window. The results on screen always belong to the inputs
// beside them: a change of an input empties them.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // The window in its start state, not shown.
    explicit MainWindow(QWidget* parent = nullptr);

    // Shows the outcome of a loading calculation as this window's speed-known calculation, with
    // the braking distance named as such, and plays the braking animation.
    void ShowLoadingOutcome(const LoadingOutcome& outcome);
    // Empties the results and ends a run whose results would belong to other inputs.
    void DropResults();
    // The keyboard to Старт, from a window over this one that hides.
    void TakeKeyboard();
    // Whether a braking animation is playing.
    bool AnimationRunning() const;

    // The record of the calculation whose results the window shows; nullptr while it shows none.
    const core::CalculationRecord* Record() const { return record_.Get(); }

signals:
    // The loading window's link: open it over this window with what it needs from here.
    void loadingRequested(const LoadingGiven& given);
    // The deceleration or the rise time changed: what the loading window needs now.
    void loadingGivenChanged(const LoadingGiven& given);
    void dashcamRequested();
    // The «Техническая возможность» window, with the times, the deceleration and the speed as
    // this window holds them.
    void analysisRequested(const AnalysisStart& start);
    void helpRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The controls, found by tests as users find them, by name (objectName).
    // Inputs, in the order the calculation reads them (core::StoppingInput).
    QLineEdit *reactionTime, *brakeDelay, *riseTime, *skidOrSpeed, *deceleration;
    // Results.
    QLineEdit *speedOrSkidResult, *speedMsResult, *stoppingDistanceResult, *brakingTimeResult;
    // The mode and the road surface's deceleration.
    QCheckBox* skidKnown;
    toolkit::OptionButton *wetRoad, *dryRoad;
    QPushButton *startButton, *exitButton, *helpButton, *standardButton;
    // Captions that change with the mode and the calculation.
    toolkit::Label *skidOrSpeedCaption, *speedOrSkidCaption, *stoppingDistanceCaption;
    toolkit::Label *skidKnownCaption, *speedKnownCaption;
    toolkit::Label *loadingLink, *dashcamLink, *analysisLink, *mailAddress, *webAddress;
    // The animation strip and its readouts.
    toolkit::Image* strip;
    toolkit::Label *stripSpeedReadout, *stripDistanceReadout;

    void BindHandlers();

    void onSkidKnownClicked();
    void onStartClicked();
    void onLoadingLinkClicked();
    void onStandardClicked();
    void onAnimationFinished();

    // Enters the mode: empties the known value and the results, and names the fields after it.
    void EnterMode(core::StoppingMode mode);
    void ClearResults();
    void NameDistanceField(bool braking);
    // The input field the calculation reads as its input `index` (core::StoppingInput).
    QLineEdit* InputField(int index) const;
    // The calculation's inputs as the window holds them.
    core::StoppingInputs Inputs() const;
    // Calculates and shows the results with their record; false, with the message out, when
    // the calculation is refused.
    bool Calculate();
    // Tells the user in a short modeless message why the calculation could not run.
    void ShowCalculationError(const core::NumericError& error);
    // The strip's series for the known value: a skid mark over 18 m or a speed over 60 km/h
    // runs into the car ahead.
    BrakingAnimation::Series SeriesFor(double known) const;

    // What the loading window needs of this window.
    LoadingGiven GivenToLoading() const;
    // What the «Техническая возможность» window opens with: the times and the deceleration as
    // typed, and the speed typed in the speed-known mode (the loading window's too) or the one
    // computed from the skid; no speed while none is shown.
    AnalysisStart StartForAnalysis() const;

    core::StoppingMode mode_ = core::StoppingMode::SkidKnown;
    // The results on screen came from the loading window: the end of the run shows them as
    // they are instead of calculating.
    bool fromLoading_ = false;
    BrakingAnimation* animation_;
    QPixmap background_;
    QString stoppingDistanceCaption_; // as designed
    bool framesQueued_ = false;       // the strip's frames are decoded after the first paint
    LastRecord record_{this};
};
