#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "context_menu.h"
#include "core/loading.h"
#include "core/record.h"
#include "find_control.h"
#include "test_main.h"
#include "undo.h"
#include "windows/app_windows.h"
#include "windows/dashcam/dashcam_window.h"
#include "windows/loading/loading_window.h"
#include "windows/main/main_window.h"
#include "windows/record/case_details.h"
#include "windows/record/case_dialog.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/messages.h"

using namespace std::chrono_literals;

namespace {

const QString kCaseCommand = QStringLiteral("Сведения о деле…");
const QString kCopy = QStringLiteral("Копировать расчёт");
const QString kNotRemembered =
    QStringLiteral("Не удалось сохранить имя эксперта и организацию в настройках");

// The details a test types, and the header lines they make.
const QStringList kTyped = {QStringLiteral("5-12/2025"),
                            QStringLiteral("Иванов И. И. (эксперт) \\ 1"),
                            QStringLiteral("ЭКЦ «Юг» & Co"), QStringLiteral("повторный расчёт")};
const QStringList kLines = {QStringLiteral("№ дела / материала: 5-12/2025"),
                            QStringLiteral("Эксперт: Иванов И. И. (эксперт) \\ 1"),
                            QStringLiteral("Организация: ЭКЦ «Юг» & Co"),
                            QStringLiteral("Примечание: повторный расчёт")};
const char* const kFields[] = {"CaseNumber", "Expert", "Organisation", "Note"};

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The save dialog as the tests answer it.
QString savePath;
QString saveFilter;
QString AnswerWithoutDialog(QWidget*, const QString&, const QString&, const QStringList&,
                            QString* filter) {
    *filter = saveFilter;
    return savePath;
}

QString MessageText(QWidget* owner) {
    auto* box = owner->findChild<QMessageBox*>(QStringLiteral("Message"));
    return box && box->isVisible() ? box->text() : QString();
}

QString ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A system command's standard output; "" when it fails.
QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The settings as a new run of the program finds them in `folder`.
void UseSettingsIn(const QString& folder) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    record::CaseDetailsStore::Current().Reload();
}

} // namespace

class CaseTest : public QObject {
    Q_OBJECT
    std::unique_ptr<AppWindows> app;
    MainWindow* main = nullptr;
    QTemporaryDir dir;
    QTemporaryDir config; // the settings of each test, a folder of its own

    // Types `text` over what the field holds, a key press a character, Cyrillic included
    // (QTest::keyClicks takes Latin-1 only).
    static void Type(QWidget* field, const QString& text) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &press);
            QApplication::sendEvent(field, &release);
        }
        if (auto* edit = qobject_cast<QLineEdit*>(field)) QCOMPARE(edit->text(), text);
    }

    // The case dialog open over `window`, or nullptr.
    static CaseDialog* OpenDialog(QWidget* window) {
        for (CaseDialog* dialog : window->findChildren<CaseDialog*>())
            if (dialog->isVisible()) return dialog;
        return nullptr;
    }

    static QLineEdit* Field(CaseDialog* dialog, int index) {
        auto* field = dialog->findChild<QLineEdit*>(QString::fromLatin1(kFields[index]));
        if (!field) qFatal("no field %s", kFields[index]);
        return field;
    }

    static QStringList Fields(CaseDialog* dialog) {
        QStringList texts;
        for (int i = 0; i < 4; ++i)
            texts << Field(dialog, i)->text();
        return texts;
    }

    // Opens the dialog from the menu over the main window, types `texts` and presses Return.
    void EnterDetails(const QStringList& texts) {
        Choose(Find<toolkit::Label>(main, "speedOrSkidCaption"), kCaseCommand);
        QPointer<CaseDialog> dialog = OpenDialog(main);
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        for (int i = 0; i < 4; ++i)
            Type(Field(dialog, i), texts[i]);
        QTest::keyClick(Field(dialog, 3), Qt::Key_Return);
        QVERIFY(!dialog || !dialog->isVisible());
    }

    void SkidTen() {
        Type(Find<QLineEdit>(main, "skidOrSpeed"), QStringLiteral("10"));
        Calculate();
        QCOMPARE(Find<QLineEdit>(main, "speedOrSkidResult")->text(), QStringLiteral("45,7"));
    }

    void SaveAs(const QString& name) {
        savePath = dir.filePath(name);
        saveFilter = name.endsWith(QLatin1String(".pdf")) ? QStringLiteral("PDF (*.pdf)")
                                                          : QStringLiteral("HTML (*.html)");
        Choose(Find<toolkit::Label>(main, "skidOrSpeedCaption"),
               QStringLiteral("Сохранить расчёт…"));
        QVERIFY2(MessageText(main).isEmpty(), qPrintable(MessageText(main)));
    }

    // Старт and the whole run, at the end of which the main window calculates.
    void Calculate() {
        Find<QPushButton>(main, "startButton")->click();
        Elapse(std::chrono::seconds(3));
    }

private slots:
    // Before any test moves the settings: the details are remembered in the user's XDG
    // config folder, in a file of the program's.
    void initTestCase() {
#ifdef Q_OS_WIN
        QSKIP("the settings are in the registry (HKEY_CURRENT_USER\\Software\\kvarnet), which "
              "the test cannot move away from the user's own");
#endif
        QVERIFY(dir.isValid() && config.isValid());
        toolkit::SetSaveDialog(&AnswerWithoutDialog);
        Undo undo;
        const QByteArray was = qgetenv("XDG_CONFIG_HOME");
        undo.Add([was] { qputenv("XDG_CONFIG_HOME", was); });
        QTemporaryDir xdg;
        QVERIFY(xdg.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(xdg.path()));
        const QString expected = xdg.filePath(QStringLiteral("kvarnet/kvarnet.conf"));
        // Never the user's own settings: stop unless the program would write where told.
        QCOMPARE(record::CaseDetailsStore::SettingsPlace(), expected);
        record::CaseDetailsStore::Current().Reload();
        QVERIFY(record::CaseDetailsStore::Current().Set({"", "Петров П. П.", "ЭКЦ", ""}));
        QVERIFY(ReadAll(expected).contains(QStringLiteral("Петров П. П.")));
    }

    void init() {
        UseSettingsIn(config.filePath(QString::fromLatin1(QTest::currentTestFunction())));
        app = std::make_unique<AppWindows>();
        app->Start();
        main = app->Main();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        savePath.clear();
    }
    void cleanup() {
        app.reset();
        toolkit::DiscardAll();
    }

    // The dialog opens from the menu of both windows that keep a record, and from the keys,
    // before any calculation too; its fields are named for screen readers by their captions.
    void dialogOpens_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("main window menu") << "menu";
        QTest::newRow("main window keys") << "keys";
        QTest::newRow("dashcam window menu") << "dashcam";
    }
    void dialogOpens() {
        QFETCH(QString, how);
        QWidget* window = main;
        if (how == "dashcam") {
            QTest::mouseClick(Find<toolkit::Label>(main, "dashcamLink"), Qt::LeftButton);
            window = app->Dashcam();
            QVERIFY(QTest::qWaitForWindowExposed(window));
        }
        QVERIFY(!main->Record());
        if (how == "keys") {
            main->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(main));
            QTest::keyClick(main, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
        } else {
            // A caption of the window: the speed's in the dashcam window.
            Choose(
                Find<toolkit::Label>(window, window == main ? "riseTimeCaption" : "speedCaption"),
                kCaseCommand);
        }
        CaseDialog* dialog = OpenDialog(window);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Сведения о деле"));
        QVERIFY(dialog->isModal() || dialog->windowModality() != Qt::NonModal);
        for (int i = 0; i < 4; ++i) {
            const QString label = Q(std::string(core::kCaseFields[i].label));
            QCOMPARE(Field(dialog, i)->accessibleName(), label);
            auto* caption = dialog->findChild<QLabel*>(QString::fromLatin1(kFields[i]) +
                                                       QStringLiteral("Label"));
            QVERIFY(caption);
            QCOMPARE(caption->text(), label);
            QCOMPARE(caption->buddy(), Field(dialog, i));
        }
        QTRY_COMPARE(QGuiApplication::focusWindow(), dialog->windowHandle());
        QCOMPARE(QApplication::focusWidget(), Field(dialog, 0));
        // Tab goes down the fields and on to the buttons.
        const QStringList order = {"Expert", "Organisation", "Note", "Ok", "Cancel"};
        for (const QString& next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
        }
        // A second request brings up the same dialog.
        CaseDialog::Open(window);
        QCOMPARE(window->findChildren<CaseDialog*>().size(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!OpenDialog(window));
    }

    // Details entered before or after the calculation head its record in every form: the
    // text and HTML copied, the HTML and the PDF saved. The record's time is when it was
    // computed, in the machine's zone.
    void detailsHeadEveryForm_data() {
        QTest::addColumn<bool>("beforeCalculation");
        QTest::newRow("entered before") << true;
        QTest::newRow("entered after") << false;
    }
    void detailsHeadEveryForm() {
        QFETCH(bool, beforeCalculation);
        if (beforeCalculation) EnterDetails(kTyped);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        SkidTen();
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);
        if (!beforeCalculation) EnterDetails(kTyped);
        QVERIFY(MessageText(main).isEmpty());

        const core::CalculationRecord* record = main->Record();
        QVERIFY(record && record->origin.computedAt);
        const core::LocalTime& at = *record->origin.computedAt;
        const QDateTime computed(QDate(at.year, at.month, at.day),
                                 QTime(at.hour, at.minute, at.second), Qt::OffsetFromUTC,
                                 at.utcOffsetMinutes * 60);
        QVERIFY2(computed >= before && computed <= after, qPrintable(Q(core::IsoTime(at))));
        QCOMPARE(at.utcOffsetMinutes * 60, computed.toLocalTime().offsetFromUtc());
        const QString timeLine = QStringLiteral("Дата и время расчёта: ") + Q(core::ShownTime(at));
        const QString programLine = QStringLiteral("Программа: «Кварнет», версия ") +
                                    QCoreApplication::applicationVersion();
        const QString methodLine = QStringLiteral("Метод: ") + Q(core::MethodLine(*record));
        const QStringList header = kLines + QStringList{timeLine, programLine, methodLine};

        Choose(Find<toolkit::Label>(main, "skidOrSpeedCaption"), kCopy);
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QVERIFY(copied && copied->hasText() && copied->hasHtml());
        QVERIFY2(copied->text().contains(
                     QStringLiteral("Скорость и остановочный путь по длине тормозного следа\n\n") +
                     header.join(QLatin1Char('\n')) + QStringLiteral("\n\nИсходные данные\n")),
                 qPrintable(copied->text()));
        SaveAs(QStringLiteral("расчёт.html"));
        const QString saved = ReadAll(savePath);
        SaveAs(QStringLiteral("расчёт.pdf"));
        for (const QString& html : {copied->html(), saved}) {
            QVERIFY(html.contains(QStringLiteral("<meta name=\"author\" content=\"%1\"/>")
                                      .arg(kTyped[1].toHtmlEscaped())));
            for (const QString& line : header) {
                const qsizetype colon = line.indexOf(QStringLiteral(": "));
                const QString row =
                    QStringLiteral("%1:</td><td class=\"header\">%2</td>")
                        .arg(line.left(colon).toHtmlEscaped(), line.mid(colon + 2).toHtmlEscaped());
                QVERIFY2(html.contains(row), qPrintable(row));
            }
        }

        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        if (pdftotext.isEmpty() || pdfinfo.isEmpty())
            QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed");
        const QString text =
            Output(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                               QStringLiteral("-layout"), savePath, QStringLiteral("-")});
        for (const QString& line : header) {
            const QString words = line.mid(line.indexOf(QStringLiteral(": ")) + 2);
            QVERIFY2(text.simplified().contains(words), qPrintable(words + "\n" + text));
        }
        // The foot of the page: the case on the left, the page on the right, on one line.
        static const QRegularExpression foot(
            QStringLiteral("№ дела / материала: 5-12/2025 +Страница 1 из 1"));
        QVERIFY2(foot.match(text).hasMatch(), qPrintable(text));
        const QString info =
            Output(pdfinfo, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), savePath});
        QVERIFY2(info.contains(QStringLiteral(
                     "Title:           Скорость и остановочный путь по длине тормозного следа\n")),
                 qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("Author:          ") + kTyped[1] + "\n"),
                 qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("Subject:         № дела / материала: 5-12/2025\n")),
                 qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("Creator:         Кварнет ")), qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("Pages:           1\n")), qPrintable(info));
    }

    // Without details the record has no case lines, the PDF no author or subject and its foot
    // only the page number.
    void noDetailsLeaveThemOut() {
        SkidTen();
        Choose(Find<toolkit::Label>(main, "skidOrSpeedCaption"), kCopy);
        const QString text = QApplication::clipboard()->text();
        QVERIFY(text.contains(QStringLiteral("\n\nДата и время расчёта: ")));
        for (const char* label : {"№ дела", "Эксперт", "Организация", "Примечание"})
            QVERIFY2(!text.contains(QString::fromUtf8(label)), label);
        SaveAs(QStringLiteral("без-сведений.pdf"));
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        if (pdfinfo.isEmpty()) QSKIP("pdfinfo (poppler-utils) is not installed");
        const QString info =
            Output(pdfinfo, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), savePath});
        QVERIFY2(info.contains(QStringLiteral("Title:           Скорость")), qPrintable(info));
        QVERIFY(!info.contains(QStringLiteral("Author:")));
        QVERIFY(!info.contains(QStringLiteral("Subject:")));
        const QString text2 = Output(
            QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), savePath, QStringLiteral("-")});
        QVERIFY(text2.contains(QStringLiteral("Страница 1 из 1")));
        QVERIFY(!text2.contains(QStringLiteral("№ дела")));
    }

    // Отмена and Escape leave the details as they were; ОК keeps what the fields hold, blank
    // fields included.
    void cancelKeepsTheDetails_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "escape";
        QTest::newRow("Отмена") << "cancel";
        QTest::newRow("ОК with a field emptied") << "ok";
    }
    void cancelKeepsTheDetails() {
        QFETCH(QString, how);
        EnterDetails(kTyped);
        SkidTen();
        Choose(Find<toolkit::Label>(main, "speedOrSkidCaption"), kCaseCommand);
        CaseDialog* dialog = OpenDialog(main);
        QVERIFY(dialog);
        QCOMPARE(Fields(dialog), kTyped);
        Type(Field(dialog, 0), QString());
        Type(Field(dialog, 1), QStringLiteral("Сидоров С. С."));
        if (how == "escape") QTest::keyClick(Field(dialog, 1), Qt::Key_Escape);
        if (how == "cancel")
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Cancel")),
                              Qt::LeftButton);
        if (how == "ok")
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Ok")),
                              Qt::LeftButton);
        QVERIFY(!OpenDialog(main));
        const std::string text = core::RecordText(*main->Record());
        if (how == "ok") {
            QVERIFY(!Q(text).contains(QStringLiteral("№ дела")));
            QVERIFY(Q(text).contains(QStringLiteral("Эксперт: Сидоров С. С.\n")));
        } else {
            for (const QString& line : kLines)
                QVERIFY2(Q(text).contains(line + "\n"), qPrintable(line));
        }
    }

    // The name and the organisation come back at the next start; the case number and the note
    // do not. The dashcam window's records carry the same details.
    void nameAndOrganisationOutliveTheRun() {
        EnterDetails(kTyped);
        UseSettingsIn(config.filePath(QString::fromLatin1(QTest::currentTestFunction())));
        Choose(Find<toolkit::Label>(main, "speedOrSkidCaption"), kCaseCommand);
        CaseDialog* dialog = OpenDialog(main);
        QVERIFY(dialog);
        QCOMPARE(Fields(dialog), QStringList({"", kTyped[1], kTyped[2], ""}));
        QTest::keyClick(Field(dialog, 0), Qt::Key_Escape);

        QTest::mouseClick(Find<toolkit::Label>(main, "dashcamLink"), Qt::LeftButton);
        DashcamWindow* dashcam = app->Dashcam();
        QVERIFY(QTest::qWaitForWindowExposed(dashcam));
        QComboBox* combos[] = {
            Find<QComboBox>(dashcam, "startHours"),   Find<QComboBox>(dashcam, "startMinutes"),
            Find<QComboBox>(dashcam, "startSeconds"), Find<QComboBox>(dashcam, "endHours"),
            Find<QComboBox>(dashcam, "endMinutes"),   Find<QComboBox>(dashcam, "endSeconds")};
        const QString readings[] = {"10", "20", "30", "10", "20", "40"};
        for (int i = 0; i < 6; ++i) {
            combos[i]->clearEditText();
            QTest::keyClicks(combos[i], readings[i]);
        }
        Type(Find<QLineEdit>(dashcam, "distance"), QStringLiteral("35"));
        QTest::mouseClick(Find<QPushButton>(dashcam, "startButton"), Qt::LeftButton);
        QVERIFY(dashcam->Record());
        const QString text = Q(core::RecordText(*dashcam->Record()));
        QVERIFY2(text.contains(QStringLiteral("\n\n") + kLines[1] + "\n" + kLines[2] +
                               QStringLiteral("\nДата и время расчёта: ")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Метод: по формулам раздела «Расчёт», без поправок")));
    }

    // Settings that cannot be written never stop the program: the details stand for the run,
    // the user is told they were not remembered, and what was remembered before stays. The
    // settings folder is a file here (so it can never be made), a read-only mount (root
    // writes where permissions say no), or a missing folder that can be made.
    void unwritableSettingsKeepTheRun_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("remembered");
        QTest::newRow("a file where the folder should be") << "file" << false;
        QTest::newRow("read-only folder with settings in it") << "read-only" << false;
        QTest::newRow("missing folder that can be made") << "missing" << true;
        QTest::newRow("unreadable settings file") << "garbage" << true;
    }
    void unwritableSettingsKeepTheRun() {
        QFETCH(QString, setup);
        QFETCH(bool, remembered);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        Undo undo;
        QString settingsFolder = folder.filePath(QStringLiteral("config"));
        if (setup == "file") {
            QFile blocker(settingsFolder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        if (setup == "missing") settingsFolder += QStringLiteral("/not/yet");
        const QString file = settingsFolder + QStringLiteral("/kvarnet/kvarnet.conf");
        if (setup == "read-only" || setup == "garbage") {
            QVERIFY(QDir().mkpath(QFileInfo(file).path()));
            QFile old(file);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(setup == "garbage" ? QByteArray("\xff\xfe[case\x00\x01=\n=\n", 13)
                                         : QByteArray("[case]\nexpert=Старый\norganisation="
                                                      "Прежняя\n"));
        }
        if (setup == "read-only") {
            const QString place = QFileInfo(file).path();
            QVERIFY(QFile::setPermissions(place, QFile::ReadOwner | QFile::ExeOwner));
            undo.Add([place] {
                QFile::setPermissions(place,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            });
            if (QFileInfo(place).isWritable()) {
                if (!Run("mount", {"--bind", place, place}))
                    QSKIP("root writes into a folder of mode 0500, and cannot mount one "
                          "read-only here");
                undo.Add([place] { Run("umount", {place}); });
                QVERIFY(Run("mount", {"-o", "remount,bind,ro", place}));
            }
        }
        const QByteArray before = ReadAll(file).toUtf8();
        UseSettingsIn(settingsFolder);
        if (setup == "read-only")
            QCOMPARE(Q(record::CaseDetailsStore::Current().Details().expert),
                     QStringLiteral("Старый"));

        EnterDetails(kTyped);
        SkidTen();
        const QString text = Q(core::RecordText(*main->Record()));
        for (const QString& line : kLines)
            QVERIFY2(text.contains(line + "\n"), qPrintable(line));
        if (remembered) {
            QVERIFY(MessageText(main).isEmpty());
            QCOMPARE(QSettings(file, QSettings::IniFormat).value(QStringLiteral("case/expert")),
                     kTyped[1]);
        } else {
            QVERIFY2(MessageText(main).startsWith(kNotRemembered), qPrintable(MessageText(main)));
            QVERIFY(MessageText(main).contains(QDir::toNativeSeparators(file)));
            QCOMPARE(ReadAll(file).toUtf8(), before);
        }
        // The window goes on working.
        Find<QCheckBox>(main, "skidKnown")->click();
        Type(Find<QLineEdit>(main, "skidOrSpeed"), QStringLiteral("60"));
        Calculate();
        QCOMPARE(Find<QLineEdit>(main, "speedOrSkidResult")->text(), QStringLiteral("18"));
        QVERIFY(Q(core::RecordText(*main->Record())).contains(kLines[0]));
    }

    // A record from the table names the group, category and load of the cell the coefficient
    // came from: here the load was switched after the adhesion was picked and the adhesion
    // then typed, not picked, which counts as a pick in the load now chosen.
    void loadingRecordNamesTheCellUsed() {
        QTest::mouseClick(Find<toolkit::Label>(main, "loadingLink"), Qt::LeftButton);
        LoadingWindow* loading = app->Loading();
        QVERIFY(loading && loading->isVisible());
        QTest::mouseClick(Find<toolkit::OptionButton>(loading, "trucks"), Qt::LeftButton);
        QListWidget* categories = Find<QListWidget>(loading, "category");
        categories->setCurrentRow(1); // "грузовые от 3,5 до 12 т"
        QComboBox* adhesion = Find<QComboBox>(loading, "adhesion");
        adhesion->setFocus();
        while (adhesion->currentText() != QStringLiteral("0,8"))
            QTest::keyClick(adhesion, Qt::Key_Down);
        QTest::mouseClick(Find<toolkit::OptionButton>(loading, "halfLoad"), Qt::LeftButton);
        QVERIFY(adhesion->currentText().isEmpty());
        QTest::keyClicks(adhesion, QStringLiteral("0,8"));
        Type(Find<QLineEdit>(loading, "speed"), QStringLiteral("60"));
        QTest::mouseClick(Find<QPushButton>(loading, "startButton"), Qt::LeftButton);
        Elapse(500ms);
        QVERIFY(main->Record());
        const QString text = Q(core::RecordText(*main->Record()));
        QVERIFY2(text.contains(QStringLiteral("Группа транспортных средств: Грузовые одиночные\n"
                                              "  Категория: грузовые от 3,5 до 12 т\n"
                                              "  Загрузка: С нагрузкой 50%\n")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("таблица[5; 6] = ") +
                              Q(*core::LookUpEfficiency(5, 6)) + "\n"));
        Elapse(3s);
    }
};

KVARNET_TEST_MAIN(CaseTest)
#include "tst_case.moc"
