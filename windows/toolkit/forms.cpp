#include "toolkit/forms.h"

#include <QTimer>
#include <vector>

#include "toolkit/controls.h"

namespace toolkit {

namespace {
std::vector<QPointer<QWidget>>& Tracked() {
    static std::vector<QPointer<QWidget>> windows;
    return windows;
}
} // namespace

void detail::Track(QWidget* window) {
    // Discarded windows leave null entries behind; drop them so reopening alerts adds nothing.
    std::erase_if(Tracked(), [](const QPointer<QWidget>& w) { return w.isNull(); });
    Tracked().emplace_back(window);
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
    // Newest first, so that a window that made itself the child of an older one goes first.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        delete it->data();
}

} // namespace toolkit
