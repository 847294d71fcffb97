#include "toolkit/window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QScreen>
#include <QUrl>

namespace toolkit {

namespace {
// Swallows close requests for the window it is installed on.
class CloseRefuser : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

void DisableXbutton(QWidget* window) {
    const Qt::WindowFlags flags = window->windowFlags();
    Qt::WindowFlags kept = flags & Qt::WindowStaysOnTopHint;
    // A window that already chose its title-bar buttons keeps its minimise choice; any other
    // keeps the minimise button an ordinary window has.
    if (!(flags & Qt::CustomizeWindowHint) || (flags & Qt::WindowMinimizeButtonHint))
        kept |= Qt::WindowMinimizeButtonHint;
    window->setWindowFlags(kept | Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    if (window->findChild<QObject*>(QStringLiteral("CloseRefuser"), Qt::FindDirectChildrenOnly))
        return;
    auto* refuser = new CloseRefuser(window);
    refuser->setObjectName(QStringLiteral("CloseRefuser"));
    window->installEventFilter(refuser);
}

void MakeTopmost(QWidget* window) {
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
}

void SetParent(QWidget* window, QWidget* parent) {
    const QPoint place = window->pos();
    const bool visible = window->isVisible();
    window->setParent(parent, Qt::Widget);
    window->move(place);
    window->setVisible(visible);
}

bool FocusNextWithin(QWidget* window, bool next) {
    QWidget* start = window->focusWidget();
    if (!start || !window->isAncestorOf(start)) start = window;
    QWidget* w = start;
    // The focus chain is a ring through the whole top-level window; skip what is not ours.
    do {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w != window && window->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) &&
            w->isVisibleTo(window) && w->isEnabled() && !w->focusProxy()) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (w != start);
    return false;
}

void CenterOnScreen(QWidget* window) {
    if (QScreen* screen = window->screen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.center() - window->rect().center());
    }
}

QString AppDirectory() {
    return QCoreApplication::applicationDirPath();
}

void EndApplication() {
    QCoreApplication::exit(0);
}

void ShellOpenFile(const QString& path) {
    if (!QFileInfo::exists(path)) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void ShellOpenMail(const QString& address, const QString& subject) {
    QDesktopServices::openUrl(
        QUrl(QStringLiteral("mailto:") + address + QStringLiteral("?Subject=") + subject));
}

void ShellOpenAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

} // namespace toolkit
