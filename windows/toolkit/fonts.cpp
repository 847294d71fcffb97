#include "windows/toolkit/fonts.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QResource>
#include <QString>
#include <cmath>

#ifndef _WIN32 // Qt finds fonts through fontconfig
#include <fontconfig/fontconfig.h>
#endif

// Keeps the embedded fonts from being dropped when the static library is linked.
static void InitFontResources() {
    Q_INIT_RESOURCE(fonts);
}

namespace toolkit {

namespace {

QString FamilyOf(Face face) {
    return face == Face::Sans ? QStringLiteral("Liberation Sans")
                              : QStringLiteral("Liberation Serif");
}

// Hides the machine's own files of the embedded families from this process. With both known,
// Qt draws each face from whichever copy its database happens to list last, so another
// release installed on the machine (an older package, a word processor's copy) would draw
// some of the faces. The embedded files, added by Qt afterwards, are not filtered.
void HideMachineCopies() {
#ifndef _WIN32
    QByteArray rules = "<?xml version=\"1.0\"?><fontconfig><selectfont><rejectfont>";
    for (Face face : {Face::Sans, Face::Serif}) {
        rules += "<pattern><patelt name=\"family\"><string>" + FamilyOf(face).toUtf8() +
                 "</string></patelt></pattern>";
    }
    rules += "</rejectfont></selectfont></fontconfig>";
    FcConfig* config = FcInitLoadConfig();
    if (!config) return;
    if (FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(rules.constData()),
                                       FcTrue) &&
        FcConfigBuildFonts(config)) {
        FcConfigSetCurrent(config); // takes its own reference
    }
    FcConfigDestroy(config);
#endif
}

// Registers the embedded fonts once; only a GUI application has a font database to take them.
void RegisterFonts() {
    static bool registered = false;
    if (registered || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    registered = true;
    HideMachineCopies();
    InitFontResources();
    // Every font the build embeds (windows/CMakeLists.txt names them).
    const QDir fonts(QStringLiteral(":/fonts"));
    for (const QString& file : fonts.entryList(QDir::Files)) {
        const QResource resource(fonts.filePath(file));
        // The build stores the fonts uncompressed, so the database can read them where the
        // executable keeps them; a compressed build would need a copy on the heap.
        const QByteArray data =
            resource.compressionAlgorithm() == QResource::NoCompression
                ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                          static_cast<qsizetype>(resource.size()))
                : resource.uncompressedData();
        QFontDatabase::addApplicationFontFromData(data);
    }
}

} // namespace

void LoadFonts() {
    if (QCoreApplication::instance()) {
        RegisterFonts();
        return;
    }
    // Before the application exists the fonts are registered by its constructor, so that a
    // font made this early is right once there is an application to draw with it.
    static const bool deferred = [] {
        qAddPreRoutine(RegisterFonts);
        return true;
    }();
    (void)deferred;
}

QFont MakeFont(const FontDecl& decl) {
    LoadFonts();
    QFont font(FamilyOf(decl.face));
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
