#pragma once

#include <QString>
#include <QWidget>
#include <utility>

class QHideEvent;

// What the windows ask of the desktop: title-bar buttons, staying on top, opening
// documents and addresses, and ending the application.
namespace toolkit {

// No close and no maximise button, and a close request (Alt+F4, the window manager,
// QWidget::close) is refused, so the window ends only with the application.
// Call before the window is first shown.
void DisableXbutton(QWidget* window);

// Keeps the window above all others; showing it does not take the focus away.
// Call before the window is first shown.
void MakeTopmost(QWidget* window);

// Embeds a window in another: it becomes a child of `parent`, loses its frame and taskbar
// button, and keeps its Left and Top, now counted from the parent's client area, and its
// visibility. A window loaded hidden stays hidden until it is shown.
void EmbedWindow(QWidget* window, QWidget* parent);

// Whether the widget is a window: a top-level one, or one embedded in another (EmbedWindow).
bool IsWindow(const QWidget* widget);

// Moves the focus to the next (or previous) control of `window` in its tab order, going round
// within the window; for a window embedded in another, whose Tab must not reach the controls
// it covers. Returns whether a control took the focus.
bool FocusNextWithin(QWidget* window, bool next);

// Whether hiding `window`, a window embedded in another, leaves the keyboard of the window it is
// embedded in on a control now hidden: the program hid it while the keyboard was inside, or the
// control that takes the keyboard when the user comes back to that window was. The caller then
// hands the keyboard to a visible control. A minimised window hides what is embedded in it only
// until it comes back: the keyboard stays where it was.
bool HidesKeyboard(const QWidget* window, const QHideEvent* event);

// Moves a top-level window to the middle of its screen.
void CenterOnScreen(QWidget* window);

// The directory that holds the executable, without a trailing separator.
QString AppDirectory();

// Qt's own texts (the file dialog's buttons, "Отмена", the context menus of the text fields)
// in Russian, as everything else the program shows, whatever the system's language; from
// Qt's translations where they are installed. Returns whether they were found.
bool UseRussianQtTexts();

// Ends the application at once, with all its windows and timers. Qt's quit() would ask
// the windows to close first, which they refuse.
void EndApplication();

// Opens a document with the desktop's program for it. Returns false, having done nothing, for a
// missing file, and false when the desktop has no program that opens it.
bool ShellOpenFile(const QString& path);

// The per-user folder for the program's documents, <XDG_DATA_HOME or ~/.local/share>/kvarnet;
// where the user puts a document of their own, such as the standard.
QString UserDocumentDirectory();

// The path of a document (the help, the standard, the example video) from the first place that
// has it: beside the executable (also the build tree), the per-user folder, then the install
// prefix's share/kvarnet, found from the executable so that a package works wherever its prefix
// is. An empty string when none has it.
QString FindDocument(const QString& fileName);

// Why the desktop would not open the file: no program registered for its type, or no xdg-open
// to hand it to; the message names the file, its type and a package with a program for it.
// Empty when a program is registered or the system cannot be asked (then opening is tried).
QString MissingOpener(const QString& path);

// Hands the file to the desktop's program for its type, or tells over `owner` why it cannot.
void OpenWithDesktop(QWidget* owner, const QString& path);

// The message for a document FindDocument does not find: its name, what it is (when given) and
// the per-user folder to put it in.
QString MissingDocumentText(const QString& fileName, const QString& what = QString());

// Opens the document found by FindDocument through OpenWithDesktop. A missing document is told
// in a message over `owner` (MissingDocumentText).
void OpenDocument(QWidget* owner, const QString& fileName, const QString& what = QString());

// Opens a new e-mail: "mailto:" + address + "?Subject=" + subject.
void ShellOpenMail(const QString& address, const QString& subject);

// Opens a web address as the user would type it ("www.example.org" works too).
void ShellOpenAddress(const QString& address);

} // namespace toolkit
