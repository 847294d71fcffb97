#pragma once

#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>
#include <map>

#include "core/record.h"
#include "core/stopping.h"
#include "windows/loading/loading_outcome.h"
#include "windows/record/last_record.h"
#include "windows/toolkit/controls_fwd.h"

namespace core {
class NumericError;
}
class LoadingWindow;

// The main window: the stopping-distance calculator. Its state lives in its controls. It owns
// the loading window, embedded in it: gives it the deceleration and the rise time and shows
// its outcome. The results on screen always belong to the inputs beside them: a change of an
// input empties them.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    // Brings the freshly created window into its start-up state; runs once, before it is
    // first shown (toolkit::Load).
    void Form_Load();

    // The animation timers by number: Timer1 to Timer4 run the first phase twice over, Timer9
    // to Timer16 the second phase once.
    static constexpr int kAnimationTimers[] = {1, 2, 3, 4, 9, 10, 11, 12, 13, 14, 15, 16};
    toolkit::Timer* Timer(int n) const;

    // Tells the user in a short modeless message why the calculation could not run.
    void ShowCalculationError(const core::NumericError& error);

    ~Form1() override;

    // Empties the results and ends a run whose results would belong to other inputs.
    void DropResults();
    // Whether a braking animation is playing.
    bool AnimationRunning() const;

    // The record of the calculation whose results the window shows; nullptr while it shows none.
    const core::CalculationRecord* Record() const { return record_.Get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The controls, found by tests as users find them, by name (objectName).
    // Inputs and results.
    QLineEdit *Text1, *Text2, *Text3, *Text7, *Text5;
    QLineEdit *Text4, *Text9, *Text6, *Text8;
    // Mode and road surface.
    QCheckBox* Check1;
    toolkit::OptionButton *Option1, *Option2, *Option3, *Option4;
    QGroupBox* Frame3;
    // Buttons: start, calculate (hidden), exit, help, standard.
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5;
    // Captions.
    toolkit::Label *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    toolkit::Label *Label15, *Label16, *Label17, *Label18, *Label23, *Label24;
    // Links: loading window, dashcam window.
    toolkit::Label *Label21, *Label22;
    // Animation strip, its readouts and the speed sign.
    toolkit::Image *Image1, *Image2;
    toolkit::Label *Label10, *Label11;
    // Hidden state: animation mode, loading-window flag, animation step.
    toolkit::Label *Label19, *Label20, *Label1;
    QGroupBox* Frame1;
    toolkit::Timer *Timer1, *Timer2, *Timer3, *Timer4;
    toolkit::Timer *Timer9, *Timer10, *Timer11, *Timer12, *Timer13, *Timer14, *Timer15, *Timer16;
    // Footer: web address, notice, e-mail.
    QGroupBox* Frame6;
    toolkit::Label *Label14, *Label12, *Label13;
    // The red boxes around the mode switch and the results.
    toolkit::Line *Line1, *Line2, *Line3, *Line4, *Line5, *Line6, *Line7, *Line8;

    void BindHandlers();

    // The loading window: created hidden at start and after each close, opened by its link.
    LoadingWindow* Loading();
    LoadingGiven GivenToLoading() const;
    // Shows the outcome of a loading calculation as this window's speed-known calculation, with
    // the braking distance named as such, and plays the braking animation.
    void ShowLoadingOutcome(const LoadingOutcome& outcome);
    QPointer<LoadingWindow> loading_;

    void Check1_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void EnterMode(const QString& inputCaption, const QString& resultCaption, int mode);
    void ClearResults();
    void NameDistanceField(bool braking);
    // The input field the calculation reads as its input `index` (core::StoppingInput).
    QLineEdit* InputField(int index) const;
    // The calculation's inputs and mode as the window holds them.
    core::StoppingInputs Inputs() const;
    core::StoppingMode Mode() const;
    void DisableTimers();
    void Text4_Change();
    void Text6_Change();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Label13_Click();
    void Label14_Click();
    void Label21_Click();
    void Label22_Click();

    // The braking animation: a chain of one-shot timers, one frame per tick.
    void Command1_Click();
    void TimerK_Timer(int k); // one handler for the tick of any animation timer
    void FirstPhaseStep(int timer);
    void SecondPhaseStep(int timer);
    void EndStep();
    int SeriesBase() const;
    void StopRun(const core::NumericError& error);
    void StopAnimation();

    // The strip's frames, decoded once: a step only swaps pictures and the run keeps its pace.
    QPixmap Frame(int number) const;
    const QImage& FrameImage(int number) const; // decoded once, kept as the file has it
    void LoadFrames() const;
    mutable std::map<int, QImage> frames_;     // decoded on first use, 8-bit indexed
    bool framesQueued_ = false;                // their decoding is queued after the first paint
    std::array<toolkit::Timer*, 17> timers_{}; // by number; the numbers not used stay null

    QPixmap background_;
    QString stoppingDistanceCaption_; // Label7's designed caption
    bool calculated_ = false;         // whether the last press of Command2 wrote the results
    LastRecord record_{this};
};
