#pragma once

#include <QPointer>
#include <QWidget>

// Windows addressed by class: each class has one default instance, created and loaded on first
// use. The program's windows are made and wired by AppWindows instead; what stays here is the
// tracking that lets DiscardAll close the alerts left open (detail::Track).
// A window class used here has a default constructor and a public `void Form_Load()`.
namespace toolkit {

namespace detail {
template <typename W> QPointer<W>& Slot() {
    static QPointer<W> slot;
    return slot;
}
template <typename W> void Forget() {
    Slot<W>() = nullptr;
}
void Track(QWidget* window, void (*forget)());
void Destroy(QWidget* window);
} // namespace detail

// The default instance, or nullptr when none exists; creates nothing.
template <typename W> W* Instance() {
    return detail::Slot<W>();
}

// The default instance: created and loaded (Form_Load, before it is ever shown) when none
// exists, otherwise returned as it is.
template <typename W> W* Load() {
    auto& slot = detail::Slot<W>();
    if (!slot) {
        auto* window = new W();
        slot = window; // before loading, so that the load step can already address it
        detail::Track(window, &detail::Forget<W>);
        window->Form_Load();
    }
    return slot;
}

// Shows the default instance modeless, loading it first when needed, and brings it up: a
// top-level window above the others, a window embedded in another (EmbedWindow) above its
// parent's controls.
template <typename W> W* Show() {
    W* window = Load<W>();
    window->show();
    window->raise();
    if (window->isWindow() && !window->testAttribute(Qt::WA_ShowWithoutActivating))
        window->activateWindow();
    return window;
}

// Hides the default instance; it keeps all its state.
template <typename W> void Hide() {
    if (W* window = Instance<W>()) window->hide();
}

// Discards the default instance: hidden and its timers disabled at once, destroyed when
// control returns to the event loop (it may be discarding itself from its own handler).
// The next Load or Show creates a fresh one.
template <typename W> void Discard() {
    if (W* window = Instance<W>()) {
        detail::Slot<W>() = nullptr;
        detail::Destroy(window);
    }
}

// Discards every default instance still alive: from now on no name stands for any window.
// They are destroyed at once, except while a handler of one of them is still running (it may
// be the caller): then when control returns to the event loop.
void DiscardAll();

} // namespace toolkit
