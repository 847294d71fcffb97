#include <QApplication>

#include "windows/app_windows.h"
#include "windows/toolkit/application.h"
#include "windows/toolkit/forms.h"

int main(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    // Qt's FreeType engine draws the embedded fonts as on Linux: smooth, and with the glyph
    // widths the fixed layouts were made with; Windows' own engine spaces them unevenly at
    // these sizes. -platform or QT_QPA_PLATFORM still choose another.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
    QApplication app(argc, argv);
    toolkit::SetUpApplication();
    int code = 0;
    {
        AppWindows windows;
        windows.Start();
        code = app.exec(); // ends only through the exit button
    }
    toolkit::DiscardAll(); // an alert left open
    return code;
}
