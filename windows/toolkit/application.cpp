#include "windows/toolkit/application.h"

#include <QApplication>
#include <QStyleFactory>

#include "version.h"
#include "windows/toolkit/fonts.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"

namespace toolkit {

void SetUpApplication() {
    QApplication::setApplicationVersion(QStringLiteral(KVARNET_VERSION));
    // Desktops match the windows to the launcher and its icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(KVARNET_APP_ID));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(WindowFont());
    QApplication::setWindowIcon(AppIcon());
    UseRussianQtTexts();
}

} // namespace toolkit
