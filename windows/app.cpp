#include <QApplication>
#include <QStyleFactory>

#include "main/form1.h"
#include "toolkit/fonts.h"
#include "toolkit/forms.h"
#include "toolkit/pictures.h"
#include "toolkit/window.h"
#include "version.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(KVARNET_VERSION));
    // Desktops match the windows to the launcher and its icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(KVARNET_APP_ID));
    // The same look on every desktop: one style, the embedded fonts, the car icon.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(toolkit::WindowFont());
    QApplication::setWindowIcon(toolkit::AppIcon());
    toolkit::UseRussianQtTexts();
    toolkit::Show<Form1>();
    const int code = app.exec(); // ends only through the exit button
    toolkit::DiscardAll();
    return code;
}
