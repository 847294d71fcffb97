#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>

#include "windows/toolkit/controls.h"

// Binds a window's handlers to its controls, each to the event the windows expect of it.
// A change made from code runs the same handler as the user's action (a text written, an
// option selected, a box ticked, a list item picked, a button pressed), so the handlers bind
// to the signals that fire on such changes. The one exception is the combo box, whose click
// handler runs only when the user picks an item.
namespace toolkit {

using Handler = std::function<void()>;

// Push button: pressed by the user or with click() from code.
void OnClick(QPushButton* button, QObject* window, Handler handler);
// Check box: ticked or cleared, by the user or from code.
void OnClick(QCheckBox* box, QObject* window, Handler handler);
// Option button: selected, by the user or from code (not when it is cleared).
void OnClick(OptionButton* option, QObject* window, Handler handler);
// List box: an item becomes the picked one, by the user or from code.
void OnClick(QListWidget* list, QObject* window, Handler handler);
// Combo box: the user picks an item from the list; typing and code do not run it.
void OnClick(QComboBox* combo, QObject* window, Handler handler);
// Label: pressed and released inside it with the left button.
void OnClick(Label* label, QObject* window, Handler handler);
// Text field: its text becomes a different text, at once, nested inside the write.
void OnChange(QLineEdit* field, QObject* window, Handler handler);
// Text field: Return or Enter pressed in it, by the user.
void OnReturn(QLineEdit* field, QObject* window, Handler handler);
// Timer: one tick.
void OnTimer(Timer* timer, QObject* window, Handler handler);

// The same with a member function of the window:
//     OnClick(startButton, this, &MainWindow::onStartClicked).
template <typename Control, typename W>
void OnClick(Control* control, W* window, void (W::*handler)()) {
    OnClick(control, window, Handler([window, handler] { (window->*handler)(); }));
}
template <typename W> void OnChange(QLineEdit* field, W* window, void (W::*handler)()) {
    OnChange(field, window, Handler([window, handler] { (window->*handler)(); }));
}
template <typename W> void OnReturn(QLineEdit* field, W* window, void (W::*handler)()) {
    OnReturn(field, window, Handler([window, handler] { (window->*handler)(); }));
}
template <typename W> void OnTimer(Timer* timer, W* window, void (W::*handler)()) {
    OnTimer(timer, window, Handler([window, handler] { (window->*handler)(); }));
}

// Whether a handler bound here is running (the caller may be one, or be called from one).
bool HandlerRunning();

// Writes a text field and runs its change handler even when the text is the one it holds
// already; for chains of fields where every write must be followed by its handler.
void WriteText(QLineEdit* field, const QString& text);

} // namespace toolkit
