// The window fonts when asked for before the application exists, and with only the fonts
// the executable carries: the machine's own fonts are hidden behind an empty font
// configuration, so a family that resolves can only come from the embedded files.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QResource>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

#include "windows/toolkit/fonts.h"

Q_DECLARE_METATYPE(toolkit::Face)

namespace {

// Qt's names for the generic families, present whatever fonts there are.
const QStringList kGeneric = {QStringLiteral("Monospace"), QStringLiteral("Sans Serif"),
                              QStringLiteral("Serif")};

class TestFonts : public QObject {
    Q_OBJECT
public:
    TestFonts(QFont early, QStringList familiesAtStart)
        : early_(std::move(early)), familiesAtStart_(std::move(familiesAtStart)) {}

private slots:
    void registeredWithTheApplication() {
        // Taken right after the application was constructed, before any other toolkit call.
        QVERIFY2(familiesAtStart_.contains(QStringLiteral("Liberation Sans")),
                 qPrintable(familiesAtStart_.join(QStringLiteral(", "))));
        QVERIFY(familiesAtStart_.contains(QStringLiteral("Liberation Serif")));
    }

    void onlyEmbeddedFontsAreKnown() {
        for (const QString& family : QFontDatabase::families()) {
            QVERIFY2(family.startsWith(QLatin1String("Liberation ")) || kGeneric.contains(family),
                     qPrintable(family));
        }
    }

    void storedUncompressed() {
        // Otherwise registering them would copy every font to the heap.
        const QDir fonts(QStringLiteral(":/fonts"));
        QCOMPARE(fonts.entryList(QDir::Files).size(), 4);
        for (const QString& file : fonts.entryList(QDir::Files)) {
            const QResource resource(fonts.filePath(file));
            QVERIFY2(resource.isValid(), qPrintable(file));
            QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
        }
    }

    void earlyFontIsTheWindowFont() {
        QCOMPARE(early_, toolkit::WindowFont());
        QCOMPARE(early_.pixelSize(), 11);
        const QFontInfo info(early_);
        QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(info.style(), QFont::StyleNormal);
        QVERIFY(!info.bold());
    }

    void everyEmbeddedFaceResolves_data() {
        QTest::addColumn<toolkit::Face>("face");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("style");
        QTest::newRow("sans") << toolkit::Face::Sans << false << "Liberation Sans"
                              << "Regular";
        QTest::newRow("sans bold") << toolkit::Face::Sans << true << "Liberation Sans"
                                   << "Bold";
        QTest::newRow("serif") << toolkit::Face::Serif << false << "Liberation Serif"
                               << "Regular";
        // The saved record's headings: the real bold face, never a regular one thickened.
        QTest::newRow("serif bold") << toolkit::Face::Serif << true << "Liberation Serif"
                                    << "Bold";
    }

    void everyEmbeddedFaceResolves() {
        QFETCH(toolkit::Face, face);
        QFETCH(bool, bold);
        QFETCH(QString, family);
        QFETCH(QString, style);
        const QFontInfo info(toolkit::MakeFont({face, 6.75, bold}));
        QCOMPARE(info.family(), family);
        QCOMPARE(info.bold(), bold);
        QCOMPARE(info.styleName(), style);
        QCOMPARE(info.pixelSize(), 9);
    }

    void earlyFontDraws() {
        // Glyphs come out of the registered data: text gets a real, non-empty extent.
        const QFontMetrics metrics(early_);
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("Скорость, км/час")) > 50);
        QVERIFY(metrics.inFont(QChar(0x0416))); // Cyrillic Zhe
    }

private:
    QFont early_;
    QStringList familiesAtStart_;
};

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("fonts.conf"));
    QFile file(config);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n") < 0) {
        std::fprintf(stderr, "tst_fonts: cannot write an empty font configuration\n");
        return 1;
    }
    file.close();
    qputenv("FONTCONFIG_FILE", QFile::encodeName(config));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    const QFont early = toolkit::WindowFont(); // before the application: must not crash
    QApplication app(argc, argv);
    TestFonts test(early, QFontDatabase::families());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fonts.moc"
