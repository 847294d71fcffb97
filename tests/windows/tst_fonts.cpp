// The window fonts when asked for before the application exists, and with only the fonts
// the executable carries: the machine's own fonts are hidden behind an empty font
// configuration, so a family that resolves can only come from the embedded files. Run again
// with KVARNET_TEST_FONTS=conflicting, the configuration holds other files of the same
// families (the embedded ones with a changed date), as a machine with another release has.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <QResource>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cstdio>

#include "windows/toolkit/fonts.h"

Q_DECLARE_METATYPE(toolkit::Face)

// The embedded fonts, readable before the application exists.
static void InitFontResources() {
    Q_INIT_RESOURCE(fonts);
}

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

    void everyEmbeddedFaceResolves_data() { faces(); }
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

    // Whatever the machine has, every face draws from a file the executable carries.
    void everyFaceDrawsFromAnEmbeddedFile_data() { faces(); }
    void everyFaceDrawsFromAnEmbeddedFile() {
        QFETCH(toolkit::Face, face);
        QFETCH(bool, bold);
        QList<QByteArray> embedded;
        for (const QString& file : QDir(QStringLiteral(":/fonts")).entryList(QDir::Files)) {
            QFile f(QStringLiteral(":/fonts/") + file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            embedded << QRawFont(f.readAll(), 11).fontTable("head");
        }
        const QByteArray head =
            QRawFont::fromFont(toolkit::MakeFont({face, 8.25, bold})).fontTable("head");
        QVERIFY(!head.isEmpty());
        QVERIFY2(embedded.contains(head), "drawn from the machine's own file");
    }

    void earlyFontDraws() {
        // Glyphs come out of the registered data: text gets a real, non-empty extent.
        const QFontMetrics metrics(early_);
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("Скорость, км/час")) > 50);
        QVERIFY(metrics.inFont(QChar(0x0416))); // Cyrillic Zhe
    }

private:
    // The four faces the build embeds.
    static void faces() {
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

    QFont early_;
    QStringList familiesAtStart_;
};

// Copies of the embedded fonts into `dir` that are other files of the same faces: the date in
// their 'head' table changed, as another release of the fonts would have it.
bool WriteOtherCopies(const QString& dir) {
    InitFontResources();
    const QStringList files = QDir(QStringLiteral(":/fonts")).entryList(QDir::Files);
    for (const QString& name : files) {
        QFile in(QStringLiteral(":/fonts/") + name);
        if (!in.open(QIODevice::ReadOnly)) return false;
        QByteArray font = in.readAll();
        const int tables = qFromBigEndian<quint16>(font.constData() + 4);
        for (int i = 0; i < tables; ++i) {
            const char* entry = font.constData() + 12 + 16 * i;
            if (QByteArrayView(entry, 4) != "head") continue;
            const quint32 head = qFromBigEndian<quint32>(entry + 8);
            font.replace(head + 28, 8, QByteArray::fromHex("1122334455667788")); // modified
        }
        QFile out(dir + QLatin1Char('/') + name);
        if (!out.open(QIODevice::WriteOnly) || out.write(font) != font.size()) return false;
    }
    return !files.isEmpty();
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir dir;
    QByteArray fonts = "<?xml version=\"1.0\"?>\n<fontconfig>";
    if (qgetenv("KVARNET_TEST_FONTS") == "conflicting") {
        if (!WriteOtherCopies(dir.path())) {
            std::fprintf(stderr, "tst_fonts: cannot write the other copies of the fonts\n");
            return 1;
        }
        fonts += "<dir>" + QFile::encodeName(dir.path()) + "</dir><cachedir>" +
                 QFile::encodeName(dir.path()) + "</cachedir>";
    }
    fonts += "</fontconfig>\n";
    const QString config = dir.filePath(QStringLiteral("fonts.conf"));
    QFile file(config);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(fonts) < 0) {
        std::fprintf(stderr, "tst_fonts: cannot write the font configuration\n");
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
