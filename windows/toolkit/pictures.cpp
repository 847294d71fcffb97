#include "windows/toolkit/pictures.h"

#include <QPixmapCache>
#include <QResource>
#include <QString>

#include "resources/frames.h"
#include "windows/toolkit/stored_png.h"

// Keeps the embedded pictures from being dropped when the static library is linked.
static void InitPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace toolkit {

namespace {

// The resource path of a picture file, its data made available on first use.
QString PathOf(const QString& file) {
    static const bool initialised = [] {
        InitPictureResources();
        return true;
    }();
    (void)initialised;
    return QStringLiteral(":/pictures/") + file;
}

// A picture stored uncompressed is copied out of the executable; any other goes to Qt's reader.
QImage Decode(const QString& file) {
    const QString path = PathOf(file);
    const QResource resource(path);
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression) {
        QImage image = ReadStoredPng(QByteArrayView(resource.data(), resource.size()));
        if (!image.isNull()) return image;
    }
    return QImage(path);
}

// Kept in Qt's pixmap cache, as QPixmap(path) would: two windows with the same background
// share one pixmap.
QPixmap Load(const QString& file) {
    QPixmap pixmap;
    if (!QPixmapCache::find(file, &pixmap)) {
        pixmap = QPixmap::fromImage(Decode(file));
        QPixmapCache::insert(file, pixmap);
    }
    return pixmap;
}

bool IsFrame(int number) {
    for (const frames::Series& series : frames::kAll)
        if (number >= series.first && number <= series.last) return true;
    return false;
}

QString FileOf(Picture picture) {
    switch (picture) {
    case Picture::Marsh:
        return QStringLiteral("marsh.png");
    case Picture::Strip:
        return QStringLiteral("frame%1.png").arg(frames::kEmptyRoad);
    case Picture::SpeedSign:
        return QStringLiteral("speed-sign.png");
    case Picture::Start:
        return QStringLiteral("start.png");
    case Picture::Exit:
        return QStringLiteral("exit.png");
    case Picture::Help:
        return QStringLiteral("help.png");
    case Picture::Gost:
        return QStringLiteral("gost.png");
    case Picture::Close:
        return QStringLiteral("close.png");
    case Picture::Ok:
        return QStringLiteral("ok.png");
    case Picture::Forest:
        return QStringLiteral("forest.png");
    case Picture::ForestFramed:
        return QStringLiteral("forest-framed.png");
    case Picture::Icon:
        return QStringLiteral("icon.png");
    }
    return QString();
}

} // namespace

QPixmap LoadBitmap(int number) {
    if (!IsFrame(number)) return QPixmap();
    return Load(QStringLiteral("frame%1.png").arg(number));
}

QImage LoadBitmapIndexed(int number) {
    if (!IsFrame(number)) return QImage();
    return Decode(QStringLiteral("frame%1.png").arg(number));
}

QPixmap LoadPicture(Picture picture) {
    return Load(FileOf(picture));
}

// Made once and kept for the life of the process (never destroyed, so never after the
// application that owns the pictures).
QIcon AppIcon() {
    static const QIcon* const icon = new QIcon(LoadPicture(Picture::Icon));
    return *icon;
}

QCursor HandCursor() {
    static const QCursor* const hand = new QCursor(Load(QStringLiteral("hand.png")), 1, 3);
    return *hand;
}

} // namespace toolkit
