#include <QtTest>

#include "test_main.h"
#include "windows/toolkit/pictures.h"

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
