#pragma once

#include <QSize>
#include <QWidget>
#include <array>
#include <span>

#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/layout.h"

// A small window that animates a one-line warning until the user presses "ОК" or Escape:
// twelve frames in which the sentence turns red from left to right, one every 100 ms, for ever.
// It stays above the other windows without taking the focus from them, so Escape reaches it in
// two ways: in the alert itself, once the user has clicked it, and in the window that opened it,
// whose Escape closes the open alert first (CloseOpenAlert) before doing anything of its own.
class AlertWindow : public QWidget {
    Q_OBJECT
public:
    // What tells the three alerts apart.
    struct Design {
        const char* name;                        // window name, also the layout's container
        int frameBase;                           // timer K shows frame frameBase + K
        const char* message;                     // the sentence its frames show, for screen readers
        QSize client;                            // client area, pixels
        toolkit::Picture background;             // drawn at the top-left corner, cut at the edges
        std::span<const toolkit::Control> table; // the controls, front to back
    };

    static constexpr int kTimers = 12;

    void Form_Load();
    void TimerK_Timer(int k);
    void Command1_Click();

    toolkit::Timer* timer(int k) const;
    toolkit::Image* image() const;
    const toolkit::Controls& controls() const { return controls_; }

protected:
    explicit AlertWindow(const Design& design);
    // Discards this window's default instance.
    virtual void Discard() = 0;
    void paintEvent(QPaintEvent* event) override;
    // Escape closes the alert as "ОК" does; it never reaches another window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPixmap background_;
    // Decoded once, so that a tick only swaps pictures and the ring keeps its pace.
    std::array<QPixmap, kTimers> frames_;
    toolkit::Controls controls_;
};

// For the Escape of a window that opens alerts of kind A: closes the open one as its "ОК" does
// and returns true, so that the window's own Escape waits for the next press; false when none
// is open. The window calls it first in its keyPressEvent:
//     if (event->key() == Qt::Key_Escape && !CloseOpenAlert<Form3>()) …the window's own Escape…
template <typename A> bool CloseOpenAlert() {
    A* alert = toolkit::Instance<A>();
    if (!alert || !alert->isVisible()) return false;
    alert->Command1_Click();
    return true;
}

// "Не установлено одно из значений": a value the calculation needs is empty.
class Form3 final : public AlertWindow {
    Q_OBJECT
public:
    Form3();

protected:
    void Discard() override;
};

// "Не все данные введены для расчета": a dashcam reading is empty or not a number.
class Form5 final : public AlertWindow {
    Q_OBJECT
public:
    Form5();

protected:
    void Discard() override;
};

// "Ошибка ввода заданного диапазона": kept with its frames, though no window opens it now.
class Form6 final : public AlertWindow {
    Q_OBJECT
public:
    Form6();

protected:
    void Discard() override;
};
