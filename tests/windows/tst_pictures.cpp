#include <QtTest>

#include "test_main.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/stored_png.h"

using toolkit::Picture;

namespace {

// "Red" as painted: the red car's body, its tail light and the skid mark meet it; nothing else
// in the braking strip does (the grey car's tail light is a dark red below the threshold).
bool IsRed(QRgb c) {
    return qRed(c) >= 170 && qGreen(c) <= 70 && qBlue(c) <= 70;
}

// Letters of the alert texts that have not turned yet: pure white cores; the pale grey sky
// stays well below this.
bool IsWhite(QRgb c) {
    return qRed(c) >= 245 && qGreen(c) >= 245 && qBlue(c) >= 245;
}

// The pale pink of the word that is turning, between white and red.
bool IsPink(QRgb c) {
    return qRed(c) >= 240 && qGreen(c) >= 130 && qGreen(c) <= 205 && qBlue(c) >= 130 &&
           qBlue(c) <= 205;
}

QImage Frame(int number) {
    return toolkit::LoadBitmap(number).toImage().convertToFormat(QImage::Format_RGB32);
}

// Columns holding at least one pixel that passes `test` in rows from..to.
template <class Test> QList<int> Columns(const QImage& img, int from, int to, Test test) {
    QList<int> cols;
    for (int x = 0; x < img.width(); ++x)
        for (int y = from; y <= to; ++y)
            if (test(img.pixel(x, y))) {
                cols.append(x);
                break;
            }
    return cols;
}

struct Series {
    int first, count, width, height;
};

const Series kSeries[] = {
    {101, 17, 598, 62}, {208, 9, 598, 62},  {301, 12, 283, 31},
    {401, 12, 302, 24}, {501, 12, 296, 23},
};

// A picture file as the executable embeds it.
QByteArray Embedded(const QString& file) {
    toolkit::LoadPicture(Picture::Icon); // makes the embedded pictures available
    QFile f(QStringLiteral(":/pictures/") + file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct PngChunk {
    QByteArray kind, body;
};

QList<PngChunk> SplitPng(const QByteArray& png) {
    QList<PngChunk> chunks;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const qsizetype length = qFromBigEndian<quint32>(png.constData() + at);
        chunks.append({png.mid(at + 4, 4), png.mid(at + 8, length)});
        at += 12 + length;
    }
    return chunks;
}

// The CRCs are left zero: the stored reader does not read them.
QByteArray JoinPng(const QList<PngChunk>& chunks) {
    QByteArray png = Embedded(QStringLiteral("hand.png")).left(8);
    for (const PngChunk& c : chunks) {
        char length[4];
        qToBigEndian<quint32>(static_cast<quint32>(c.body.size()), length);
        png += QByteArray(length, 4) + c.kind + c.body + QByteArray(4, '\0');
    }
    return png;
}

// A stored file changed by `change`, which gets its chunks.
template <class Change> QByteArray Altered(const QString& file, Change change) {
    QList<PngChunk> chunks = SplitPng(Embedded(file));
    change(chunks);
    return JoinPng(chunks);
}

PngChunk& ChunkOf(QList<PngChunk>& chunks, const char* kind) {
    return *std::find_if(chunks.begin(), chunks.end(),
                         [&](const PngChunk& c) { return c.kind == kind; });
}

// Where the first row's filter byte and the first block's complemented length sit in the image
// data: after the two bytes of the zlib header and the first byte of the block.
constexpr int kFirstFilter = 2 + 5, kFirstBlockNlen = 2 + 3;

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void everyFrameHasItsSeriesSize_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QSize>("size");
        for (const Series& s : kSeries)
            for (int n = s.first; n < s.first + s.count; ++n)
                QTest::addRow("%d", n) << n << QSize(s.width, s.height);
    }
    void everyFrameHasItsSeriesSize() {
        QFETCH(int, number);
        QFETCH(QSize, size);
        const QPixmap pixmap = toolkit::LoadBitmap(number);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.size(), size);
    }

    void unknownNumbersGiveNullPixmaps_data() {
        QTest::addColumn<int>("number");
        for (int n : {-1, 0, 1, 100, 118, 200, 207, 217, 300, 313, 400, 413, 500, 513, 30001})
            QTest::addRow("%d", n) << n;
    }
    void unknownNumbersGiveNullPixmaps() {
        QFETCH(int, number);
        QVERIFY(toolkit::LoadBitmap(number).isNull());
    }

    void namedPicturesHaveTheirSizes_data() {
        QTest::addColumn<Picture>("picture");
        QTest::addColumn<QSize>("size");
        QTest::newRow("marsh") << Picture::Marsh << QSize(600, 364);
        QTest::newRow("strip") << Picture::Strip << QSize(598, 62);
        QTest::newRow("speed sign") << Picture::SpeedSign << QSize(25, 26);
        QTest::newRow("start") << Picture::Start << QSize(72, 25);
        QTest::newRow("exit") << Picture::Exit << QSize(72, 26);
        QTest::newRow("help") << Picture::Help << QSize(71, 23);
        QTest::newRow("gost") << Picture::Gost << QSize(72, 24);
        QTest::newRow("close") << Picture::Close << QSize(73, 24);
        QTest::newRow("ok") << Picture::Ok << QSize(82, 25);
        QTest::newRow("forest") << Picture::Forest << QSize(639, 91);
        QTest::newRow("forest framed") << Picture::ForestFramed << QSize(631, 84);
        QTest::newRow("icon") << Picture::Icon << QSize(32, 32);
    }
    void namedPicturesHaveTheirSizes() {
        QFETCH(Picture, picture);
        QFETCH(QSize, size);
        const QPixmap pixmap = toolkit::LoadPicture(picture);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.size(), size);
    }

    void stripIsFrame117() {
        const QImage strip =
            toolkit::LoadPicture(Picture::Strip).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(strip, Frame(117));
        QVERIFY(strip != Frame(101)); // the car is in 101, not in the empty strip
    }

    // The stored reader gives what Qt's own reader gives, palette, resolution and all; a file
    // it cannot read it leaves to Qt's.
    void storedPicturesReadAsQtReadsThem_data() {
        QTest::addColumn<QString>("file");
        Embedded(QString()); // makes the listing below see the pictures
        for (const QString& file : QDir(QStringLiteral(":/pictures")).entryList(QDir::Files))
            QTest::newRow(qPrintable(file)) << file;
    }
    void storedPicturesReadAsQtReadsThem() {
        QFETCH(QString, file);
        const QImage stored = toolkit::ReadStoredPng(Embedded(file));
        if (stored.isNull()) return; // compressed: only Qt's reader reads it
        const QImage qt(QStringLiteral(":/pictures/") + file);
        QCOMPARE(stored.format(), qt.format());
        QCOMPARE(stored.colorTable(), qt.colorTable());
        QCOMPARE(stored, qt);
        QCOMPARE(stored.dotsPerMeterX(), qt.dotsPerMeterX());
        QCOMPARE(stored.dotsPerMeterY(), qt.dotsPerMeterY());
    }

    // The window's background is stored, so the comparison above is not vacuous, and the
    // reader stops at files it does not fully understand.
    void storedReaderRefusesWhatItCannotRead_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("read");
        const QString hand = QStringLiteral("hand.png");
        QTest::newRow("the background") << Embedded(QStringLiteral("marsh.png")) << true;
        QTest::newRow("the hand") << Embedded(hand) << true;
        QTest::newRow("image data in two chunks") << Altered(hand, [](QList<PngChunk>& c) {
            PngChunk& data = ChunkOf(c, "IDAT");
            const PngChunk rest{data.kind, data.body.mid(100)};
            data.body.truncate(100);
            c.insert(&data - c.data() + 1, rest);
        }) << true;
        QByteArray ordinary;
        QBuffer buffer(&ordinary);
        buffer.open(QIODevice::WriteOnly);
        QImage(QStringLiteral(":/pictures/hand.png")).save(&buffer, "PNG");
        QTest::newRow("compressed, as Qt writes it") << ordinary << false;
        QTest::newRow("cut short") << Embedded(hand).chopped(40) << false;
        QTest::newRow("not a PNG") << QByteArray("GIF89a") << false;
        QTest::newRow("a filtered row")
            << Altered(hand, [](QList<PngChunk>& c) { ChunkOf(c, "IDAT").body[kFirstFilter] = 1; })
            << false;
        QTest::newRow("a block length that does not match")
            << Altered(hand,
                       [](QList<PngChunk>& c) { ChunkOf(c, "IDAT").body[kFirstBlockNlen] ^= 1; })
            << false;
        QTest::newRow("more data than rows") << Altered(hand, [](QList<PngChunk>& c) {
            ChunkOf(c, "IHDR").body[7] = 31; // height 31 of 32
        }) << false;
        QTest::newRow("true colour")
            << Altered(hand, [](QList<PngChunk>& c) { ChunkOf(c, "IHDR").body[9] = 2; }) << false;
        QTest::newRow("no palette") << Altered(hand, [](QList<PngChunk>& c) {
            c.removeIf([](const PngChunk& chunk) { return chunk.kind == "PLTE"; });
        }) << false;
        QTest::newRow("an unknown critical chunk") << Altered(hand, [](QList<PngChunk>& c) {
            c.insert(1, {"ZZZZ", "x"});
        }) << false;
    }
    void storedReaderRefusesWhatItCannotRead() {
        QFETCH(QByteArray, file);
        QFETCH(bool, read);
        const QImage image = toolkit::ReadStoredPng(file);
        QCOMPARE(!image.isNull(), read);
        if (read && file.size() < 10000) {
            QCOMPARE(image, QImage(QStringLiteral(":/pictures/hand.png")));
        }
    }

    void iconAndCursor() {
        const QIcon icon = toolkit::AppIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes().value(0), QSize(32, 32));
        const QCursor hand = toolkit::HandCursor();
        QCOMPARE(hand.hotSpot(), QPoint(1, 3));
        const QImage img = hand.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), QSize(32, 32));
        // The hot spot is on the black outline of the finger tip, white lies just inside it.
        QCOMPARE(img.pixel(1, 3), qRgba(0, 0, 0, 255));
        QCOMPARE(img.pixel(3, 3), qRgba(255, 255, 255, 255));
        QCOMPARE(qAlpha(img.pixel(0, 3)), 0);
        // Monochrome: only black, white and transparent.
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb c = img.pixel(x, y);
                QVERIFY(qAlpha(c) == 0 || c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255));
            }
    }

    void framedForestHasItsRedRectangle() {
        const QImage img = toolkit::LoadPicture(Picture::ForestFramed)
                               .toImage()
                               .convertToFormat(QImage::Format_RGB32);
        const QRgb red = qRgb(255, 0, 0);
        for (int y = 4; y <= 78; ++y)
            for (int x : {8, 9, 624, 625})
                QCOMPARE(img.pixel(x, y), red);
        for (int x = 8; x <= 625; ++x)
            for (int y : {4, 5, 77, 78})
                QCOMPARE(img.pixel(x, y), red);
        for (int y = 6; y <= 76; ++y)
            for (int x : {7, 10, 623, 626})
                QVERIFY(img.pixel(x, y) != red);
        QVERIFY(img.pixel(100, 3) != red);
        QVERIFY(img.pixel(100, 79) != red);
    }

    // The car's red extent per frame (±2 px) and the skid mark in rows 58 to 60, exactly.
    void carAndSkidMark_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("carLeft");
        QTest::addColumn<int>("carRight");
        QTest::addColumn<int>("skidLeft");
        QTest::addColumn<int>("skidRight");
        struct Row {
            int n, cl, cr, sl, sr;
        };
        const Row rows[] = {
            {101, 473, 594, -1, -1},   {102, 451, 572, -1, -1},   {103, 410, 531, -1, -1},
            {104, 367, 488, -1, -1},   {105, 329, 450, -1, -1},   {106, 287, 408, -1, -1},
            {107, 201, 322, -1, -1},   {108, 183, 304, -1, -1},   {109, 164, 285, 184, 260},
            {110, 148, 269, 171, 274}, {111, 138, 259, 159, 281}, {112, 83, 204, 104, 294},
            {113, 57, 178, 78, 304},   {114, 44, 165, 72, 311},   {115, 24, 145, 41, 336},
            {116, 7, 128, 30, 360},    {117, -1, -1, -1, -1},     {208, 183, 304, -1, -1},
            {209, 164, 285, 184, 260}, {210, 148, 269, 171, 274}, {211, 138, 259, 159, 281},
            {212, 83, 204, 104, 294},  {213, 57, 178, 78, 304},   {214, 44, 165, 72, 311},
            {215, 33, 147, 47, 336},   {216, 24, 132, 31, 358},
        };
        for (const Row& r : rows)
            QTest::addRow("%d", r.n) << r.n << r.cl << r.cr << r.sl << r.sr;
    }
    void carAndSkidMark() {
        QFETCH(int, number);
        QFETCH(int, carLeft);
        QFETCH(int, carRight);
        QFETCH(int, skidLeft);
        QFETCH(int, skidRight);
        const QImage img = Frame(number);

        const QList<int> car = Columns(img, 0, 57, IsRed);
        if (carLeft < 0) {
            QVERIFY2(car.isEmpty(), "no car expected");
        } else {
            QVERIFY(!car.isEmpty());
            QVERIFY2(std::abs(car.first() - carLeft) <= 2,
                     qPrintable(QStringLiteral("car starts at %1").arg(car.first())));
            QVERIFY2(std::abs(car.last() - carRight) <= 2,
                     qPrintable(QStringLiteral("car ends at %1").arg(car.last())));
        }

        // Every one of the three rows is red exactly over the mark's columns.
        for (int y = 58; y <= 60; ++y) {
            const QList<int> skid = Columns(img, y, y, IsRed);
            if (skidLeft < 0) {
                QVERIFY2(skid.isEmpty(), qPrintable(QStringLiteral("red in row %1").arg(y)));
                continue;
            }
            QCOMPARE(skid.size(), skidRight - skidLeft + 1);
            QCOMPARE(skid.first(), skidLeft);
            QCOMPARE(skid.last(), skidRight);
        }
        // Nothing red below the mark.
        QVERIFY(Columns(img, 61, 61, IsRed).isEmpty());
    }

    // Each alert text turns red from its first letter on: the red part grows every frame,
    // always lies left of the white part, and covers the whole sentence in the twelfth.
    void alertTextTurnsRed_data() {
        QTest::addColumn<int>("first");
        QTest::newRow("301-312") << 301;
        QTest::newRow("401-412") << 401;
        QTest::newRow("501-512") << 501;
    }
    void alertTextTurnsRed() {
        QFETCH(int, first);
        const QImage firstFrame = Frame(first);
        const QList<int> sentence = Columns(firstFrame, 0, firstFrame.height() - 1, IsWhite);
        QVERIFY(sentence.size() > 100);
        QVERIFY(Columns(firstFrame, 0, firstFrame.height() - 1, IsRed).isEmpty());
        int lastRedEnd = -1;
        for (int n = first + 1; n < first + 12; ++n) {
            const QImage img = Frame(n);
            const QList<int> red = Columns(img, 0, img.height() - 1, IsRed);
            const QList<int> white = Columns(img, 0, img.height() - 1, IsWhite);
            QVERIFY2(!red.isEmpty(), qPrintable(QString::number(n)));
            QVERIFY2(red.last() > lastRedEnd, qPrintable(QString::number(n)));
            QVERIFY2(std::abs(red.first() - sentence.first()) <= 1, qPrintable(QString::number(n)));
            if (n < first + 11) {
                QVERIFY2(!white.isEmpty(), qPrintable(QString::number(n)));
                QVERIFY2(red.last() < white.first(), qPrintable(QString::number(n)));
            } else {
                QVERIFY2(white.isEmpty(), "white letters left in the last frame");
                QVERIFY(std::abs(red.last() - sentence.last()) <= 1);
            }
            lastRedEnd = red.last();
        }
    }

    // In 308 the word after the red part ("из") is pale pink; 307 and 309 have no pink word.
    void alertTurningWordIsPink() {
        const QImage img = Frame(308);
        const QList<int> pink = Columns(img, 0, img.height() - 1, IsPink);
        const QList<int> red = Columns(img, 0, img.height() - 1, IsRed);
        const QList<int> white = Columns(img, 0, img.height() - 1, IsWhite);
        QVERIFY(pink.size() >= 8);
        QVERIFY(pink.first() > red.last());
        QVERIFY(pink.last() < white.first());
        const QList<int> redIn309 = Columns(Frame(309), 0, img.height() - 1, IsRed);
        QVERIFY(redIn309.last() >= pink.last()); // the pink word is red one frame later
        for (int n : {307, 309}) {
            const QImage other = Frame(n);
            int count = 0;
            for (int y = 0; y < other.height(); ++y)
                for (int x = 0; x < other.width(); ++x)
                    count += IsPink(other.pixel(x, y));
            QVERIFY2(count < 3, qPrintable(QString::number(n)));
        }
    }
};

KVARNET_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"
