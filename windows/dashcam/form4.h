#pragma once

#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>

#include "core/record.h"
#include "windows/record/last_record.h"
#include "windows/toolkit/controls_fwd.h"

namespace core {
class NumericError;
}

// The dashcam window: the mean speed of a vehicle from two clock readings of a video and the
// distance covered between them, with the elapsed time split into hours, minutes and seconds.
// An ordinary window beside the main one, closed with its own button or with Escape.
//
// The keyboard goes through the start reading, the end reading, the distance, Старт, the
// results (read-only, yet selectable and copyable), the example video's link and Закрыть.
// Return in a reading or in the distance computes, as Старт does. Escape closes the alert the
// window opened when one is open, and the window otherwise.
class Form4 : public QWidget {
    Q_OBJECT
public:
    Form4();

    // Takes the close button away and hides the working fields; runs once, before the window
    // is first shown (toolkit::Load).
    void Form_Load();

    // The record of the calculation whose results the window shows; nullptr while it shows none.
    const core::CalculationRecord* Record() const { return record_.Get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The controls, found by tests as users find them, by name (objectName).
    // End reading, start reading (hours, minutes, seconds) and the distance.
    QComboBox *Combo1, *Combo2, *Combo3, *Combo4, *Combo5, *Combo6;
    QLineEdit* Text3;
    // Elapsed hours, minutes, seconds and the speed.
    QLineEdit *Text4, *Text7, *Text9, *Text2;
    // The hidden working fields that take the elapsed time apart, all in seconds: the exact
    // elapsed time, the time as shown (the same, with every decimal the readings gave), the
    // seconds past the whole hours and past the whole minutes.
    QGroupBox* Frame1;
    QLineEdit *Text1, *Text5, *Text6, *Text8;
    // Start, close, the example video.
    QPushButton *Command1, *Command3;
    toolkit::Label* Label21;
    // Captions, the pole-spacing reminder and the red frame.
    toolkit::Label *Label1, *Label2, *Label3, *Label4, *Label5, *Label7, *Label9, *Label11;
    toolkit::Label* Label12;
    toolkit::Line *Line1, *Line2, *Line3, *Line4, *Line5;

    void Command1_Click();
    void Text1_Change();
    void Text5_Change();
    void Text6_Change();
    void Text8_Change();
    void Command3_Click();
    void Label21_Click();

    // The fields the calculation reads, in the order it reads them (core::DashcamInput).
    std::array<QWidget*, 7> Inputs() const;
    void SplitOff(QLineEdit* seconds, std::int16_t unit, QLineEdit* whole, QLineEdit* rest);
    // Empties the results and the working fields and drops the record: a failed calculation
    // leaves nothing of an earlier one on the screen or in the record.
    void ClearResults();
    void ShowRefusal(const core::NumericError& error, const QStringList& texts);
    // The keyboard goes to the field the error names, so that the user sees which one it is.
    void FocusField(const core::NumericError& error);

    QPixmap background_;
    LastRecord record_{this};
};
