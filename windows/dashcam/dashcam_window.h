#pragma once

#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <array>

#include "core/record.h"
#include "windows/record/last_record.h"
#include "windows/toolkit/controls_fwd.h"

namespace core {
class NumericError;
struct DashcamResults;
} // namespace core

// The dashcam window: the mean speed of a vehicle from two clock readings of a video and the
// distance covered between them, with the elapsed time split into hours, minutes and seconds.
// An ordinary window beside the main one, closed with its own button or with Escape.
//
// The keyboard goes through the start reading, the end reading, the distance, Старт, the
// results (read-only, yet selectable and copyable), the example video's link, the link to the
// frame viewer and Закрыть.
// Return in a reading or in the distance computes, as Старт does. Escape closes the alert the
// window opened when one is open, and the window otherwise.
class DashcamWindow : public QWidget {
    Q_OBJECT
public:
    // The window empty, without a close button in its title bar, not shown.
    DashcamWindow();

    // The record of the calculation whose results the window shows; nullptr while it shows none.
    const core::CalculationRecord* Record() const { return record_.Get(); }

signals:
    // Закрыть or Escape: the window has hidden, and its owner discards it, so that the next
    // opening starts empty.
    void closed();
    // The user asked for the frame viewer («Точнее — по кадрам видеозаписи…»), which times the
    // car by the frames' own timestamps; whoever owns the windows opens it.
    void videoFramesRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The controls, found by tests as users find them, by name (objectName).
    // The start and end readings (hours, minutes, seconds) and the distance.
    QComboBox *startHours, *startMinutes, *startSeconds, *endHours, *endMinutes, *endSeconds;
    QLineEdit* distance;
    // The results: the elapsed time as hours, minutes and seconds, and the speed.
    QLineEdit *elapsedHours, *elapsedMinutes, *elapsedSeconds, *speed;
    QPushButton *startButton, *closeButton;
    toolkit::Label *exampleVideoLink, *videoFramesLink;

    void onStartClicked();
    void onCloseClicked();
    void onExampleVideoClicked();

    // The fields the calculation reads, in the order it reads them (core::DashcamInput).
    std::array<QWidget*, 7> Inputs() const;
    // Shows the elapsed seconds (every decimal the readings gave) as whole hours, whole minutes
    // and the seconds past them, as the core splits them.
    void ShowResults(const core::DashcamResults& result);
    // Empties the results and drops the record: a failed calculation leaves nothing of an
    // earlier one on the screen or in the record.
    void ClearResults();
    void ShowRefusal(const core::NumericError& error, const QStringList& texts);
    // The keyboard goes to the field the error names, so that the user sees which one it is.
    void FocusField(const core::NumericError& error);

    QPixmap background_;
    LastRecord record_{this};
};
