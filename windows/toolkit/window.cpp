#include "windows/toolkit/window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHideEvent>
#include <QLibraryInfo>
#include <QScreen>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>

#include "windows/toolkit/messages.h"

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

void EmbedWindow(QWidget* window, QWidget* parent) {
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

bool HidesKeyboard(const QWidget* window, const QHideEvent* event) {
    if (event->spontaneous()) return false; // a minimised window, not the program, hid it
    // The window's own focus, kept while another window is active, not only the application's.
    const QWidget* keyboard = window->window()->focusWidget();
    return keyboard && window->isAncestorOf(keyboard);
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

bool UseRussianQtTexts() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ru"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void EndApplication() {
    QCoreApplication::exit(0);
}

bool ShellOpenFile(const QString& path) {
    if (!QFileInfo::exists(path)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString UserDocumentDirectory() {
    // Asked on every call: the folder follows APPDATA or XDG_DATA_HOME as it is now.
#ifdef Q_OS_WIN
    // %APPDATA%\kvarnet, where Windows keeps a user's program data that roams with the user.
    QString appData = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
    if (appData.isEmpty()) appData = QDir::homePath() + QStringLiteral("/AppData/Roaming");
    return appData + QStringLiteral("/kvarnet");
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kvarnet");
#endif
}

QString FindDocument(const QString& fileName) {
    const QString places[] = {
        AppDirectory(),
        UserDocumentDirectory(),
        QDir::cleanPath(AppDirectory() + QStringLiteral("/../share/kvarnet")),
    };
    for (const QString& place : places) {
        const QString path = place + QLatin1Char('/') + fileName;
        if (QFileInfo(path).isFile()) return path;
    }
    return QString();
}

void OpenDocument(QWidget* owner, const QString& fileName) {
    const QString path = FindDocument(fileName);
    if (path.isEmpty()) {
        ShowMessage(owner, QStringLiteral("Файл «%1» не найден. Положите его в папку %2 — "
                                          "программа ищет его там, рядом с программой и в папке "
                                          "установки.")
                               .arg(fileName, QDir::toNativeSeparators(UserDocumentDirectory())));
        return;
    }
    if (!ShellOpenFile(path))
        ShowMessage(owner, QStringLiteral("Не удалось открыть файл «%1»: в системе не назначена "
                                          "программа для файлов этого типа.")
                               .arg(QDir::toNativeSeparators(path)));
}

void ShellOpenMail(const QString& address, const QString& subject) {
    QDesktopServices::openUrl(
        QUrl(QStringLiteral("mailto:") + address + QStringLiteral("?Subject=") + subject));
}

void ShellOpenAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

} // namespace toolkit
