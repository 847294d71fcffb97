#include "toolkit/fonts.h"

#include <QFontDatabase>
#include <QString>
#include <cmath>

// Keeps the embedded fonts from being dropped when the static library is linked.
static void InitFontResources() {
    Q_INIT_RESOURCE(fonts);
}

namespace toolkit {

void LoadFonts() {
    static const bool loaded = [] {
        InitFontResources();
        for (const char* file : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf",
                                 "LiberationSerif-Regular.ttf"}) {
            QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/") + QLatin1String(file));
        }
        return true;
    }();
    (void)loaded;
}

QFont MakeFont(const FontDecl& decl) {
    LoadFonts();
    QFont font(decl.face == Face::Sans ? QStringLiteral("Liberation Sans")
                                       : QStringLiteral("Liberation Serif"));
    font.setPixelSize(static_cast<int>(std::lround(decl.points * 96.0 / 72.0)));
    font.setBold(decl.bold);
    font.setUnderline(decl.underline);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont WindowFont() {
    return MakeFont(FontDecl{});
}

} // namespace toolkit
