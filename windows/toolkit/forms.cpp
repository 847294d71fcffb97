#include "windows/toolkit/forms.h"

#include <QTimer>
#include <vector>

#include "windows/toolkit/controls.h"
#include "windows/toolkit/events.h"

namespace toolkit {

namespace {
struct TrackedWindow {
    QPointer<QWidget> window;
    void (*forget)(); // empties the default-instance slot of the window's class
};

std::vector<TrackedWindow>& Tracked() {
    static std::vector<TrackedWindow> windows;
    return windows;
}
} // namespace

void detail::Track(QWidget* window, void (*forget)()) {
    // Discarded windows leave null entries behind; drop them so reopening alerts adds nothing.
    std::erase_if(Tracked(), [](const TrackedWindow& w) { return w.window.isNull(); });
    Tracked().push_back({window, forget});
}

void detail::Destroy(QWidget* window) {
    window->hide();
    // Its timers report disabled from now on, and no pending tick reaches a handler.
    for (Timer* timer : window->findChildren<Timer*>())
        timer->setEnabled(false);
    for (QTimer* timer : window->findChildren<QTimer*>())
        timer->stop();
    window->deleteLater();
}

void DiscardAll() {
    auto windows = std::move(Tracked());
    Tracked().clear();
    // Newest first, so that a window embedded in an older one goes first.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (!it->window) continue;
        it->forget();
        // A running handler may belong to one of them: then destroy when it has returned.
        if (HandlerRunning())
            detail::Destroy(it->window);
        else
            delete it->window.data();
    }
}

} // namespace toolkit
