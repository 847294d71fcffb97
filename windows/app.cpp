#include <QApplication>

#include "windows/main/main_window.h"
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
    toolkit::Show<MainWindow>();
    const int code = app.exec(); // ends only through the exit button
    toolkit::DiscardAll();
    return code;
}
