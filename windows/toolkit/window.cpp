#include "windows/toolkit/window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHideEvent>
#include <QLibraryInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>
#include <optional>

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

namespace {
constexpr const char* kEmbeddedWindow = "embeddedWindow";
} // namespace

void EmbedWindow(QWidget* window, QWidget* parent) {
    const QPoint place = window->pos();
    const bool visible = window->isVisible();
    window->setParent(parent, Qt::Widget);
    window->setProperty(kEmbeddedWindow, true);
    window->move(place);
    window->setVisible(visible);
}

bool IsWindow(const QWidget* widget) {
    return widget->isWindow() || widget->property(kEmbeddedWindow).toBool();
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

#ifndef Q_OS_WIN // Windows answers for its own file associations
namespace {

// The document types the program hands to the desktop: the name the user is told, the kind of
// program that opens them (as the object of «Установите») and Debian packages that have one.
struct DocumentType {
    const char* mime;
    const char* name;
    const char* program;
    const char* packages;
};
constexpr DocumentType kDocumentTypes[] = {
    {"text/html", "веб-страница HTML", "браузер", "firefox-esr или chromium"},
    {"application/xhtml+xml", "веб-страница XHTML", "браузер", "firefox-esr или chromium"},
    {"application/pdf", "документ PDF", "программу просмотра PDF", "evince, okular или mupdf"},
    {"video/x-msvideo", "видеофайл AVI", "видеопроигрыватель", "vlc или mpv"},
};

const DocumentType* KnownType(const QMimeType& type) {
    for (const DocumentType& known : kDocumentTypes)
        if (type.inherits(QLatin1String(known.mime))) return &known;
    return nullptr;
}

// Runs xdg-mime with the arguments: its answer (empty when it knows none), or nothing when it
// fails or gives no answer in time.
std::optional<QString> AskXdgMime(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(3000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// "«/path/gost.pdf» (документ PDF, тип application/pdf)", and what to install for it:
// "программу просмотра PDF, например из пакета evince, okular или mupdf". A type the table
// does not know takes the program for the file's name: a page that the system calls XML is
// still opened by a browser.
std::pair<QString, QString> Describe(const QString& path, const QString& typeName) {
    const QMimeDatabase types;
    const QMimeType type = types.mimeTypeForName(typeName);
    const DocumentType* known = KnownType(type);
    QString name =
        known ? QString::fromUtf8(known->name) : (type.isValid() ? type.comment() : typeName);
    if (name.size() > 1 && name.at(1).isLower()) name[0] = name.at(0).toLower(); // mid-sentence
    if (!known) known = KnownType(types.mimeTypeForFile(path, QMimeDatabase::MatchExtension));
    const QString program =
        known ? QStringLiteral("%1, например из пакета %2")
                    .arg(QString::fromUtf8(known->program), QString::fromUtf8(known->packages))
              : QStringLiteral("программу для файлов этого типа");
    return {QStringLiteral("«%1» (%2, тип %3)").arg(QDir::toNativeSeparators(path), name, typeName),
            program};
}

} // namespace
#endif

QString MissingOpener(const QString& path) {
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return QString(); // Windows itself answers for its file associations when asked to open
#else
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) {
        const auto [file, program] = Describe(path, QMimeDatabase().mimeTypeForFile(path).name());
        return QStringLiteral("Не удалось открыть файл %1: программа передаёт файлы системе "
                              "через xdg-open из пакета xdg-utils, а этого пакета в системе нет. "
                              "Установите пакет xdg-utils и %2.")
            .arg(file, program);
    }
    // xdg-open starts whatever it finds and reports success before that program fails or when
    // there is none; so the type is asked as xdg-open asks it, and then its program.
    QString type = AskXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), path})
                       .value_or(QString());
    if (type.isEmpty()) type = QMimeDatabase().mimeTypeForFile(path).name();
    const auto program =
        AskXdgMime(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!program || !program->isEmpty()) return QString(); // registered, or not known: try

    const auto [file, wanted] = Describe(path, type);
    return QStringLiteral("Не удалось открыть файл %1: в системе не назначена программа для "
                          "файлов этого типа. Установите %2.")
        .arg(file, wanted);
#endif
}

void OpenWithDesktop(QWidget* owner, const QString& path) {
    if (const QString missing = MissingOpener(path); !missing.isEmpty()) {
        ShowMessage(owner, missing);
        return;
    }
    if (!ShellOpenFile(path))
        ShowMessage(owner, QStringLiteral("Не удалось открыть файл «%1»: в системе не назначена "
                                          "программа для файлов этого типа.")
                               .arg(QDir::toNativeSeparators(path)));
}

void OpenDocument(QWidget* owner, const QString& fileName, const QString& what) {
    const QString path = FindDocument(fileName);
    if (path.isEmpty()) {
        ShowMessage(owner, MissingDocumentText(fileName, what));
        return;
    }
    OpenWithDesktop(owner, path);
}

QString MissingDocumentText(const QString& fileName, const QString& what) {
    const QString file = what.isEmpty()
                             ? QStringLiteral("Файл «%1» не найден.").arg(fileName)
                             : QStringLiteral("Файл «%1» (%2) не найден.").arg(fileName, what);
    return file + QStringLiteral(" Положите его в папку %1 — программа ищет его там, рядом с "
                                 "программой и в папке установки.")
                      .arg(QDir::toNativeSeparators(UserDocumentDirectory()));
}

void ShellOpenMail(const QString& address, const QString& subject) {
    QDesktopServices::openUrl(
        QUrl(QStringLiteral("mailto:") + address + QStringLiteral("?Subject=") + subject));
}

void ShellOpenAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

} // namespace toolkit
