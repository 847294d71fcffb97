#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <memory>

#include "find_control.h"
#include "opened.h"
#include "test_main.h"
#include "windows/app_windows.h"
#include "windows/dashcam/dashcam_window.h"
#include "windows/help/help_window.h"
#include "windows/main/main_window.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/window.h"

// The help, the standard and the example video: looked for beside the program, in the
// per-user folder and in the installed folder, in this order; opened through the desktop, or
// a message that names the file and the folder to put it in.
namespace {

bool Put(const QString& dir, const QString& fileName, const QByteArray& text = "document") {
    if (!QDir().mkpath(dir)) return false;
    QFile file(dir + QLatin1Char('/') + fileName);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// A desktop's xdg-mime and xdg-open on PATH: xdg-mime tells a file's type by its extension,
// as `file` would, or as the file `filetype` says when it is not empty, and answers
// `query default TYPE` with the program registered in the file `registered`, none when it is
// empty. xdg-open is never run: the test catches the opening before it.
bool MakeDesktop(const QString& bin) {
    const QByteArray mime = "#!/bin/sh\n"
                            "case \"$1 $2\" in\n"
                            "'query filetype') [ -s \"$(dirname \"$0\")/filetype\" ] && "
                            "exec cat \"$(dirname \"$0\")/filetype\"\n"
                            "  case \"$3\" in\n"
                            "  *.pdf) echo application/pdf ;; *.avi) echo video/x-msvideo ;;\n"
                            "  *.html) echo text/html ;; esac ;;\n"
                            "'query default') cat \"$(dirname \"$0\")/registered\" ;;\n"
                            "*) exit 1 ;;\n"
                            "esac\n";
    for (const char* name : {"xdg-mime", "xdg-open"}) {
        if (!Put(bin, QLatin1String(name), mime)) return false;
        QFile::setPermissions(bin + QLatin1Char('/') + QLatin1String(name),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return true;
}

void Register(const QString& bin, const QByteArray& program) {
    QVERIFY(Put(bin, QStringLiteral("registered"), program));
}

// The type xdg-mime gives every file; "" leaves it to the extension.
void ReportType(const QString& bin, const QByteArray& type) {
    QVERIFY(Put(bin, QStringLiteral("filetype"), type));
}

} // namespace

class DocumentsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dataHome_;
    QTemporaryDir desktop_; // holds the xdg-mime and xdg-open that the tests put on PATH
    QByteArray path_;
    Opened opened_;
    std::unique_ptr<AppWindows> app;
    MainWindow* main_ = nullptr;
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
        if (name == QLatin1String("main")) return main_;
        QTest::mouseClick(Find<toolkit::Label>(main_, "dashcamLink"), Qt::LeftButton);
        return app->Dashcam();
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

    // The two controls that hand a document to the desktop: its file name, what its type is
    // called and the program the message tells the user to install, with packages that have it.
    static void Buttons() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("program");
        QTest::newRow("standard button") << "main"
                                         << "standardButton"
                                         << "gost.pdf"
                                         << "документ PDF, тип application/pdf"
                                         << "программу просмотра PDF, например из пакета evince, "
                                            "okular или mupdf";
        QTest::newRow("example video link") << "dashcam"
                                            << "exampleVideoLink"
                                            << "avto.avi"
                                            << "видеофайл AVI, тип video/x-msvideo"
                                            << "видеопроигрыватель, например из пакета vlc или mpv";
    }

    HelpWindow* OpenHelp() {
        QTest::mouseClick(Find<QPushButton>(main_, "helpButton"), Qt::LeftButton);
        return app->Help();
    }

    // Whether the message says every one of the parts.
    static void Says(QMessageBox* box, const QStringList& parts) {
        for (const QString& part : parts)
            QVERIFY2(box->text().contains(part), qPrintable(box->text() + " / " + part));
    }

    static int Scrolled(HelpWindow* help) {
        return Find<QTextBrowser>(help, "helpText")->verticalScrollBar()->value();
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
        QVERIFY(MakeDesktop(desktop_.path()));
        path_ = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(desktop_.path()) + ':' + path_);
    }

    void cleanupTestCase() {
        qputenv("PATH", path_);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        if (madeInstalled_) {
            QDir(Installed()).removeRecursively();
            QDir().rmdir(QDir::cleanPath(Installed() + QStringLiteral("/..")));
        }
    }

    void init() {
        Register(desktop_.path(), "viewer.desktop\n");
        ReportType(desktop_.path(), "");
        app = std::make_unique<AppWindows>();
        main_ = app->Main();
        main_->show();
        opened_.urls.clear();
    }

    void cleanup() {
        app.reset();
        toolkit::DiscardAll();
        qputenv("PATH", QFile::encodeName(desktop_.path()) + ':' + path_);
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
    void firstPlaceThatHasItOpens_data() {
        Buttons();
    }
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

    void missingDocumentIsTold_data() {
        Buttons();
    }
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
        QVERIFY2(box->text().contains(QStringLiteral("Файл «%1»").arg(file)) &&
                     box->text().contains(QStringLiteral("не найден")),
                 qPrintable(box->text()));
        // The standard is named: the program cannot ship it, the user must find the right one.
        if (file == QLatin1String("gost.pdf"))
            QVERIFY2(box->text().contains(QStringLiteral("ГОСТ 25478-91")),
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
    void refusedDocumentIsTold_data() {
        Buttons();
    }
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

    // Before the desktop is given a file, it is asked whether a program opens its type: none
    // registered, or no xdg-utils at all, is told with the type and what to install, in whole
    // sentences.
    void noProgramForTheTypeIsTold_data() {
        Buttons();
    }
    void noProgramForTheTypeIsTold() {
#ifdef Q_OS_WIN
        QSKIP("Windows itself tells when no program opens a type");
#endif
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, file);
        QFETCH(QString, type);
        QFETCH(QString, program);
        QWidget* w = Window(window);
        QVERIFY(w);
        QVERIFY(Put(User(), file));
        const QString path = QDir::toNativeSeparators(User() + QLatin1Char('/') + file);
        Register(desktop_.path(), "");
        Click(w, control);
        QVERIFY(opened_.urls.isEmpty());
        QMessageBox* box = Message(w);
        QVERIFY(box);
        Says(box,
             {QStringLiteral("«%1» (%2)").arg(path, type), QStringLiteral("не назначена программа"),
              QStringLiteral("Установите %1.").arg(program)});
        box->close();

        QTemporaryDir bare; // a PATH without xdg-utils
        qputenv("PATH", QFile::encodeName(bare.path()));
        Click(w, control);
        QVERIFY(opened_.urls.isEmpty());
        box = Message(w);
        QVERIFY(box);
        Says(box, {QStringLiteral("«%1» (%2)").arg(path, type),
                   QStringLiteral("Установите пакет xdg-utils и %1.").arg(program)});
    }

    // The help page with no browser to open it: whatever type the system gives the page, the
    // message tells to install a browser and names packages that have one.
    void noBrowserIsTold_data() {
        QTest::addColumn<QByteArray>("reported"); // the type xdg-mime gives the page
        QTest::addColumn<QString>("type");        // as the message names it
        QTest::newRow("html") << QByteArray("text/html") << "веб-страница HTML, тип text/html";
        QTest::newRow("xhtml") << QByteArray("application/xhtml+xml")
                               << "веб-страница XHTML, тип application/xhtml+xml";
        QTest::newRow("a type the program does not know")
            << QByteArray("application/xml") << "тип application/xml)";
    }
    void noBrowserIsTold() {
#ifdef Q_OS_WIN
        QSKIP("Windows itself tells when no program opens a type");
#endif
        QFETCH(QByteArray, reported);
        QFETCH(QString, type);
        QVERIFY(Put(User(), HelpWindow::kFile, "<h1>Справка</h1>"));
        HelpWindow* window = OpenHelp();
        QVERIFY(window);
        Register(desktop_.path(), "");
        ReportType(desktop_.path(), reported + '\n');
        QTest::mouseClick(Find<QPushButton>(window, "openInBrowserButton"), Qt::LeftButton);
        QVERIFY(opened_.urls.isEmpty());
        QMessageBox* box = Message(window);
        QVERIFY(box);
        Says(box, {QStringLiteral("«%1» (").arg(QDir::toNativeSeparators(window->FilePath())), type,
                   QStringLiteral("в системе не назначена программа для файлов этого типа. "
                                  "Установите браузер, например из пакета firefox-esr или "
                                  "chromium.")});
    }

    // The help opens in the program's own window from the first place that has it, with no
    // desktop at all and without handing anything to one.
    void helpOpensInItsOwnWindow() {
        QTemporaryDir bare;
        qputenv("PATH", QFile::encodeName(bare.path()));
        const QStringList places = Places();
        for (auto place = places.rbegin(); place != places.rend(); ++place) {
            QVERIFY2(Put(*place, HelpWindow::kFile, "<h1>Справка</h1><p>" + place->toUtf8()),
                     qPrintable(*place));
            HelpWindow* help = OpenHelp();
            QVERIFY(help && help->isVisible());
            QCOMPARE(help->FilePath(), *place + QLatin1Char('/') + HelpWindow::kFile);
            QVERIFY2(Find<QTextBrowser>(help, "helpText")->toPlainText().contains(*place),
                     qPrintable(Find<QTextBrowser>(help, "helpText")->toPlainText()));
            QVERIFY(QTest::qWaitForWindowActive(help));
            QCOMPARE(QApplication::focusWidget(), Find<QTextBrowser>(help, "helpText"));
            QVERIFY(opened_.urls.isEmpty());
            QVERIFY(!Message(main_));
            QTest::mouseClick(Find<QPushButton>(help, "closeButton"), Qt::LeftButton);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!app->Help());
        }
    }

    // The real help: its contents links move within it from the keyboard, «Открыть в браузере»
    // hands it to the desktop (or says why not), and a closed help opens again at the top.
    void helpWindowWorks() {
        QFile help(QFINDTESTDATA("../../docs/zelt.html"));
        QVERIFY(help.open(QIODevice::ReadOnly));
        QVERIFY(Put(User(), HelpWindow::kFile, help.readAll()));
        HelpWindow* window = OpenHelp();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(Scrolled(window), 0);
        QTest::keyClick(Find<QTextBrowser>(window, "helpText"),
                        Qt::Key_Tab); // the first contents link
        QTest::keyClick(Find<QTextBrowser>(window, "helpText"), Qt::Key_Return);
        QVERIFY(Scrolled(window) > 0);
        QVERIFY(opened_.urls.isEmpty());

        QTest::mouseClick(Find<QPushButton>(window, "openInBrowserButton"), Qt::LeftButton);
        QCOMPARE(opened_.urls, QList<QUrl>{QUrl::fromLocalFile(window->FilePath())});
#ifndef Q_OS_WIN // Windows itself tells when no program opens a type
        Register(desktop_.path(), "");
        QTest::mouseClick(Find<QPushButton>(window, "openInBrowserButton"), Qt::LeftButton);
        QCOMPARE(opened_.urls.size(), 1);
        QMessageBox* box = Message(window);
        QVERIFY(box);
        Says(box, {QStringLiteral("веб-страница HTML, тип text/html"),
                   QStringLiteral("Установите браузер, например из пакета firefox-esr или "
                                  "chromium.")});
        box->close();
#endif

        QTest::keyClick(window, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!app->Help());
        window = OpenHelp();
        QVERIFY(window && window->isVisible());
        QCOMPARE(Scrolled(window), 0);
        QCOMPARE(Find<QTextBrowser>(window, "helpText")->accessibleName(),
                 QStringLiteral("Текст справки"));
        QCOMPARE(Find<QPushButton>(window, "openInBrowserButton")->accessibleName(),
                 QStringLiteral("Открыть справку в браузере"));
    }
};

KVARNET_TEST_MAIN(DocumentsTest)
#include "tst_documents.moc"
