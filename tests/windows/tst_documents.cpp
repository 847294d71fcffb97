#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "find_control.h"
#include "opened.h"
#include "test_main.h"
#include "windows/dashcam/form4.h"
#include "windows/main/form1.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/window.h"

// The help, the standard and the example video: looked for beside the program, in the
// per-user folder and in the installed folder, in this order; opened through the desktop, or
// a message that names the file and the folder to put it in.
namespace {

bool Put(const QString& dir, const QString& fileName) {
    if (!QDir().mkpath(dir)) return false;
    QFile file(dir + QLatin1Char('/') + fileName);
    return file.open(QIODevice::WriteOnly) && file.write("document") == 8;
}

} // namespace

class DocumentsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dataHome_;
    Opened opened_;
    Form1* main_ = nullptr;
    bool madeInstalled_ = false;

    static QString Beside() { return toolkit::AppDirectory(); }
    QString User() const { return dataHome_.path() + QStringLiteral("/kvarnet"); }
    static QString Installed() {
        return QDir::cleanPath(toolkit::AppDirectory() + QStringLiteral("/../share/kvarnet"));
    }
    QStringList Places() const { return {Beside(), User(), Installed()}; }

    // The window that holds the control: the dashcam window is opened by its link, as the
    // user opens it.
    QWidget* Window(const QString& name) {
        if (name == QLatin1String("Form1")) return main_;
        QTest::mouseClick(Find<toolkit::Label>(main_, "Label22"), Qt::LeftButton);
        return toolkit::Instance<Form4>();
    }

    void Click(QWidget* window, const QString& control) {
        auto* widget = window->findChild<QWidget*>(control);
        QVERIFY2(widget, qPrintable(control));
        QTest::mouseClick(widget, Qt::LeftButton);
    }

    static QMessageBox* Message(QWidget* window) {
        auto* box =
            window->findChild<QMessageBox*>(QStringLiteral("Message"), Qt::FindDirectChildrenOnly);
        return box && box->isVisible() ? box : nullptr;
    }

    // The three controls that open a document, with the document's file name.
    static void Buttons() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("file");
        QTest::newRow("help button") << "Form1"
                                     << "Command4"
                                     << "zelt.html";
        QTest::newRow("standard button") << "Form1"
                                         << "Command5"
                                         << "gost.pdf";
        QTest::newRow("example video link") << "Form4"
                                            << "Label21"
                                            << "avto.avi";
    }

private slots:
    void initTestCase() {
        QVERIFY(dataHome_.isValid());
        // The per-user folder follows APPDATA (Windows) or XDG_DATA_HOME on every look-up.
#ifdef Q_OS_WIN
        qputenv("APPDATA", QFile::encodeName(QDir::toNativeSeparators(dataHome_.path())));
#else
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome_.path()));
#endif
        QCOMPARE(toolkit::UserDocumentDirectory(), User());
        madeInstalled_ = !QDir(Installed()).exists();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened_, "open");
    }

    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        if (madeInstalled_) {
            QDir(Installed()).removeRecursively();
            QDir().rmdir(QDir::cleanPath(Installed() + QStringLiteral("/..")));
        }
    }

    void init() {
        main_ = toolkit::Load<Form1>();
        main_->show();
        opened_.urls.clear();
    }

    void cleanup() {
        toolkit::DiscardAll();
        for (const QString& place : Places())
            for (const char* file : {"zelt.html", "gost.pdf", "avto.avi"})
                QFile::remove(place + QLatin1Char('/') + QLatin1String(file));
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened_, "open");
    }

    // The build puts the help beside the program, the same text as the one in docs/.
    void helpIsBesideTheProgram() {
        const QString built =
            QCoreApplication::applicationDirPath() + QStringLiteral("/../windows/zelt.html");
        const QString source = QFINDTESTDATA("../../docs/zelt.html");
        QVERIFY2(QFile::exists(built), qPrintable(built));
        QFile a(built), b(source);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());
    }

    // The installed copy opens when it is the only one, the per-user one wins over it, and the
    // one beside the program over both.
    void firstPlaceThatHasItOpens_data() { Buttons(); }
    void firstPlaceThatHasItOpens() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, file);
        QWidget* w = Window(window);
        QVERIFY(w);
        const QStringList places = Places();
        for (auto place = places.rbegin(); place != places.rend(); ++place) {
            QVERIFY2(Put(*place, file), qPrintable(*place));
            opened_.urls.clear();
            Click(w, control);
            QCOMPARE(opened_.urls,
                     QList<QUrl>{QUrl::fromLocalFile(*place + QLatin1Char('/') + file)});
            QVERIFY(!Message(w));
        }
        QVERIFY(w->isVisible());
    }

    void missingDocumentIsTold_data() { Buttons(); }
    void missingDocumentIsTold() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, file);
        QWidget* w = Window(window);
        QVERIFY(w);
        QVERIFY(toolkit::FindDocument(file).isEmpty());
        Click(w, control);
        QVERIFY(opened_.urls.isEmpty());
        QMessageBox* box = Message(w);
        QVERIFY(box);
        QCOMPARE(box->windowModality(), Qt::NonModal);
        QVERIFY2(box->text().contains(QStringLiteral("«%1» не найден").arg(file)),
                 qPrintable(box->text()));
        QVERIFY2(box->text().contains(QStringLiteral("Положите его в папку ") +
                                      QDir::toNativeSeparators(User())),
                 qPrintable(box->text()));

        // Put where the message says, the next click opens it.
        QVERIFY(Put(User(), file));
        Click(w, control);
        QCOMPARE(opened_.urls, QList<QUrl>{QUrl::fromLocalFile(User() + QLatin1Char('/') + file)});
    }

    // A desktop without a program for the file: openUrl answers false.
    void refusedDocumentIsTold_data() { Buttons(); }
    void refusedDocumentIsTold() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, file);
        QWidget* w = Window(window);
        QVERIFY(w);
        QVERIFY(Put(User(), file));
        // A handler without the named slot makes openUrl fail, as a desktop that cannot open.
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened_, "refuse");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No such method")));
        Click(w, control);
        QVERIFY(opened_.urls.isEmpty());
        QMessageBox* box = Message(w);
        QVERIFY(box);
        QVERIFY2(box->text().contains(
                     QStringLiteral("Не удалось открыть файл «%1»")
                         .arg(QDir::toNativeSeparators(User() + QLatin1Char('/') + file))),
                 qPrintable(box->text()));
    }
};

KVARNET_TEST_MAIN(DocumentsTest)
#include "tst_documents.moc"
