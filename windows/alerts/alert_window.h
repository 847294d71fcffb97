#pragma once

#include <QSize>
#include <QWidget>
#include <array>
#include <span>

#include "windows/toolkit/controls.h"
#include "windows/toolkit/layout.h"

class QPushButton;

// A small window that animates a one-line warning until the user presses "ОК" or Escape:
// twelve frames in which the sentence turns red from left to right, one every 100 ms, for ever.
// It stays above the other windows without taking the focus from them, so Escape reaches it in
// two ways: in the alert itself, once the user has clicked it, and in the window that opened it,
// whose Escape closes the open alert first (CloseOpenAlert) before doing anything of its own.

// The three alerts the windows can open; each is one design of AlertWindow.
enum class Alert {
    MissingValue, // "Не установлено одно из значений": a value the calculation needs is empty
    IncompleteReadings, // "Не все данные введены для расчета": a dashcam reading is empty or not
                        // a number
    OutOfRange, // "Ошибка ввода заданного диапазона": kept with its frames, though no
                // window opens it now
};

class AlertWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFrames = 12;

    // What tells the three alerts apart.
    struct Design {
        const char* name;                        // window name, also the layout's container
        int firstFrame;                          // the picture number of the ring's first frame
        const char* message;                     // the sentence its frames show, for screen readers
        QSize client;                            // client area, pixels
        toolkit::Picture background;             // drawn at the top-left corner, cut at the edges
        std::span<const toolkit::Control> table; // the controls, front to back
    };

    // Builds the alert of `design`, its ring started: the first frame is due one interval after.
    explicit AlertWindow(const Design& design);

    // The ring's one timer, ticking every 100 ms while the alert is open.
    toolkit::Timer* frameTimer() const { return frameTimer_; }
    toolkit::Image* sentence() const { return sentence_; }
    QPushButton* okButton() const { return okButton_; }
    // The frame the next tick shows, 1 to kFrames.
    int nextFrame() const { return nextFrame_ + 1; }

    // The timer's tick: shows the next frame of the ring.
    void onFrameDue();
    // Closes and discards the alert; the next request opens a fresh one.
    void onOkClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Escape closes the alert as "ОК" does; it never reaches another window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPixmap background_;
    // Decoded once, so that a tick only swaps pictures and the ring keeps its pace.
    std::array<QPixmap, kFrames> frames_;
    int nextFrame_ = 0; // index into frames_
    toolkit::Controls controls_;
    toolkit::Timer* frameTimer_ = nullptr;
    toolkit::Image* sentence_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

// Opens the alert, or brings up the one already open, whose ring goes on where it was.
AlertWindow* ShowAlert(Alert alert);

// The alert while it is open, nullptr once closed.
AlertWindow* OpenAlert(Alert alert);

// Whether the alert is open and on the screen.
bool AlertShown(Alert alert);

// For the Escape of a window that opens `alert`: closes the open one as its "ОК" does and
// returns true, so that the window's own Escape waits for the next press; false when none is
// open. The window calls it first in its keyPressEvent:
//     if (event->key() == Qt::Key_Escape && !CloseOpenAlert(Alert::MissingValue)) …
bool CloseOpenAlert(Alert alert);
