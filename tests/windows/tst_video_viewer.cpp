// The frame viewer over files that Debian's ffmpeg makes here, driven by keys as a user drives
// it: it steps by frames and by seconds of the file's own time, marks two frames and shows what
// kvarnet-calc gives for the same file and frames; its record carries the file's hash and both
// frames with the guide line; a damaged file shows the library's message.
#include <QAccessible>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "find_control.h"
#include "test_main.h"
#include "windows/analysis/analysis_window.h"
#include "windows/app_windows.h"
#include "windows/dashcam/dashcam_window.h"
#include "windows/main/main_window.h"
#include "windows/record/record_document.h"
#include "windows/toolkit/controls.h"
#include "windows/video/frame_view.h"
#include "windows/video/video_viewer.h"

namespace {

bool HaveFfmpeg() {
    static const bool have = QProcess::execute(QStringLiteral("ffmpeg"), {"-version"}) == 0;
    return have;
}

// The files of this run, made once.
QTemporaryDir& Folder() {
    static QTemporaryDir folder;
    return folder;
}

// testsrc at 320×240, so that every frame differs from its neighbours.
QString Make(const QString& name, const QStringList& args, int seconds) {
    const QString file = Folder().filePath(name);
    if (!QFile::exists(file))
        QProcess::execute(
            QStringLiteral("ffmpeg"),
            QStringList{"-v", "error", "-y", "-f", "lavfi", "-i",
                        QStringLiteral("testsrc=size=320x240:rate=30:duration=%1").arg(seconds)} +
                args + QStringList{file});
    return file;
}

// Frames at 1/30 s for 2 s, then at 1/15 s, in H.264 with B-frames: frames 31 and 91 are
// 3,000 s apart, not 2 s as 60 frames at 30 a second would make them.
QString VariableRate() {
    return Make("variable.mp4",
                {"-vf", "setpts='if(lt(N,60),N/30,2+(N-60)/15)/TB'", "-fps_mode", "passthrough",
                 "-c:v", "libx264", "-bf", "2", "-g", "12"},
                4);
}

QString ConstantRate() {
    return Make("constant.mkv", {"-c:v", "mjpeg"}, 3);
}

// A file of the given bytes under the given name.
QString Written(const QString& name, const QByteArray& bytes) {
    const QString file = Folder().filePath(name);
    QFile out(file);
    if (out.open(QIODevice::WriteOnly)) out.write(bytes);
    return file;
}

// kvarnet-calc's results for the same file, frames and distance, by key.
QMap<QString, QString> CommandLineResults(const QString& file, int from, int to,
                                          const QString& distance) {
    QProcess calc;
    calc.start(qEnvironmentVariable("KVARNET_CALC"),
               {"video", "--file", file, "--from-frame", QString::number(from), "--to-frame",
                QString::number(to), "--distance", distance, "--json"});
    calc.waitForFinished(60000);
    const QJsonObject record = QJsonDocument::fromJson(calc.readAllStandardOutput()).object();
    QMap<QString, QString> results;
    for (const QJsonValue& value : record.value("results").toArray())
        results[value.toObject().value("key").toString()] =
            value.toObject().value("text").toString();
    return results;
}

QString Text(const VideoViewer* viewer, const char* field) {
    return Find<QLineEdit>(viewer, field)->text();
}

} // namespace

class TestVideoViewer : public QObject {
    Q_OBJECT

    QPointer<VideoViewer> viewer_;

    // The viewer opened on a file, as the program opens it, active for the keyboard.
    void OpenOn(const QString& file) {
        delete viewer_;
        OpenVideoViewer(viewer_, file);
        QVERIFY(QTest::qWaitForWindowActive(viewer_));
    }

    // A key as the user presses it: to whichever control has the keyboard.
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : viewer_, static_cast<Qt::Key>(key), modifiers);
    }

    // Waits until the view shows the frame.
    void WaitForFrame(int frame) {
        QTRY_COMPARE_WITH_TIMEOUT(Text(viewer_, "frameNumber").section(u' ', 0, 0),
                                  QString::number(frame), 20000);
    }

    void WaitForFile() {
        QTRY_VERIFY_WITH_TIMEOUT(!Text(viewer_, "frameNumber").isEmpty() ||
                                     !Find<QLabel>(viewer_, "problem")->text().isEmpty(),
                                 20000);
    }

    // From the first frame to `frame` with → alone.
    void StepTo(int frame) {
        Press(Qt::Key_Home);
        for (int n = 1; n < frame; ++n)
            Press(Qt::Key_Right);
        WaitForFrame(frame);
    }

    void TypeDistance(const QString& text) {
        QLineEdit* field = Find<QLineEdit>(viewer_, "distance");
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
        Find<QWidget>(viewer_, "frameView")->setFocus();
    }

private slots:
    void init() {
        if (!HaveFfmpeg()) QSKIP("Debian's ffmpeg is not installed: no video to read");
    }
    void cleanup() { delete viewer_; }

    // PgDn and PgUp go by a second of the file's own time: over the variable rate, 30 frames a
    // second and then 15.
    void pagesBySecondsOfTheFile() {
        OpenOn(VariableRate());
        WaitForFrame(1);
        QCOMPARE(Text(viewer_, "frameTime"), QStringLiteral("0,000 с"));
        StepTo(31);
        QCOMPARE(Text(viewer_, "frameTime"), QStringLiteral("1,000 с"));
        const int forward[] = {61, 76, 91, 106};
        for (int frame : forward) {
            Press(Qt::Key_PageDown);
            WaitForFrame(frame);
        }
        QCOMPARE(Text(viewer_, "frameTime"), QStringLiteral("5,000 с"));
        const int back[] = {91, 76, 61, 31};
        for (int frame : back) {
            Press(Qt::Key_PageUp);
            WaitForFrame(frame);
        }
        Press(Qt::Key_Left);
        WaitForFrame(30);
        QCOMPARE(Text(viewer_, "frameTime"), QStringLiteral("0,967 с"));
        Press(Qt::Key_End);
        WaitForFrame(120);
        QCOMPARE(Text(viewer_, "frameTime"), QStringLiteral("5,933 с"));
        Press(Qt::Key_Right); // nothing past the last frame
        Press(Qt::Key_Home);
        WaitForFrame(1);
    }

    // Marked with the keys and the distance typed, the window shows what kvarnet-calc gives.
    void showsWhatTheCommandLineGives_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("distance");
        QTest::addColumn<QString>("elapsed");
        QTest::newRow("variable rate, 31 to 91") << VariableRate() << 31 << 91 << "50"
                                                 << "3";
        QTest::newRow("variable rate, the distance a range")
            << VariableRate() << 50 << 70 << "24,5..25,5"
            << "0,967";
        QTest::newRow("constant rate, from frame 1") << ConstantRate() << 1 << 46 << "35"
                                                     << "1,5";
    }
    void showsWhatTheCommandLineGives() {
        QFETCH(QString, file);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, distance);
        QFETCH(QString, elapsed);
        if (qEnvironmentVariableIsEmpty("KVARNET_CALC")) QSKIP("KVARNET_CALC not given");
        OpenOn(file);
        WaitForFrame(1);
        StepTo(from);
        Press(Qt::Key_I);
        for (int n = from; n < to; ++n)
            Press(Qt::Key_Right);
        WaitForFrame(to);
        Press(Qt::Key_O);
        TypeDistance(distance);
        const QMap<QString, QString> calc = CommandLineResults(file, from, to, distance);
        QCOMPARE(calc.value("elapsed_s"), elapsed);
        QCOMPARE(Text(viewer_, "elapsed"), calc.value("elapsed_s"));
        QCOMPARE(Text(viewer_, "speed"), calc.value("speed_kmh"));
        QCOMPARE(Text(viewer_, "speedRange"), calc.value("speed_range_kmh"));
        QVERIFY(!calc.value("speed_kmh").isEmpty());
        QCOMPARE(Text(viewer_, "startFrame").section(u' ', 0, 0), QString::number(from));
        QCOMPARE(Text(viewer_, "endFrame").section(u' ', 0, 0), QString::number(to));
    }

    // The record: the file's name, size and hash as sha256 over the file computes it, both
    // frames' numbers and times, and both frames as pictures with the guide where the user put
    // it, in the HTML too.
    void recordCarriesTheFileAndBothFrames() {
        const QString file = VariableRate();
        OpenOn(file);
        WaitForFrame(1);
        StepTo(31);
        QTest::mouseClick(Find<QPushButton>(viewer_, "markStartButton"), Qt::LeftButton);
        Find<QWidget>(viewer_, "frameView")->setFocus();
        for (int n = 0; n < 3; ++n)
            Press(Qt::Key_PageDown);
        WaitForFrame(91);
        QTest::mouseClick(Find<QPushButton>(viewer_, "markEndButton"), Qt::LeftButton);
        TypeDistance("50");
        // The guide moved by keys after marking: both frames show it at its new place.
        auto* view = static_cast<FrameView*>(Find<QWidget>(viewer_, "frameView"));
        const double before = view->Guide();
        Press(Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
        Press(Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(view->Guide(), before + 11);
        QTRY_VERIFY_WITH_TIMEOUT(viewer_->Record(), 20000); // once the hash is known
        const core::CalculationRecord record = *viewer_->Record();

        QFile bytes(file);
        QVERIFY(bytes.open(QIODevice::ReadOnly));
        const QByteArray sha =
            QCryptographicHash::hash(bytes.readAll(), QCryptographicHash::Sha256);
        QMap<QString, QString> inputs;
        for (const core::RecordValue& value : record.inputs)
            inputs[QString::fromStdString(value.key)] = QString::fromStdString(value.text);
        QCOMPARE(inputs.value("file_sha256"), QString::fromLatin1(sha.toHex()));
        QCOMPARE(inputs.value("file_name"), QStringLiteral("variable.mp4"));
        QCOMPARE(inputs.value("file_size_bytes"), QString::number(bytes.size()));
        QCOMPARE(inputs.value("from_frame"), QStringLiteral("31"));
        QCOMPARE(inputs.value("to_frame_time_s"), QStringLiteral("4"));
        QVERIFY(inputs.value("variable_rate").startsWith(QStringLiteral("переменная")));

        QCOMPARE(record.images.size(), std::size_t(2));
        const int column = static_cast<int>(view->Guide()); // the pixel column it runs through
        for (const core::RecordImage& image : record.images) {
            QCOMPARE(image.format, std::string("png"));
            const QImage frame = QImage::fromData(QByteArray::fromStdString(image.bytes), "PNG");
            QCOMPARE(frame.size(), QSize(320, 240));
            // The guide's yellow through the whole height at its column, and not beside it.
            for (int y : {0, 120, 239}) {
                QCOMPARE(QColor(frame.pixel(column, y)), QColor(255, 220, 0));
                QVERIFY(QColor(frame.pixel(column - 4, y)) != QColor(255, 220, 0));
            }
        }
        QVERIFY(QString::fromStdString(record.images[0].caption).contains(QStringLiteral("31")));
        QVERIFY(QString::fromStdString(record.images[1].caption).contains(QStringLiteral("91")));
        const QString html = record::RecordHtml(record);
        QCOMPARE(html.count(QStringLiteral("<img src=\"data:image/png;base64,")), 2);
        // The PDF, laid out from the same HTML, draws both pictures at their own size.
        const QString pdf = Folder().filePath("record.pdf");
        QVERIFY(record::WriteRecord(record, pdf).Saved());
        QFile saved(pdf);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray document = saved.readAll();
        QCOMPARE(document.count("/Subtype /Image"), 2);
        QCOMPARE(document.count("/Width 320"), 2);

        // A changed distance is a new record; an emptied one leaves none.
        TypeDistance("");
        QVERIFY(!viewer_->Record());
        QVERIFY(Text(viewer_, "speed").isEmpty());
    }

    // Refusals of the marks are the core's, named as the window names them, with no result.
    void refusesMarksTheCoreRefuses() {
        OpenOn(VariableRate());
        WaitForFrame(1);
        StepTo(40);
        Press(Qt::Key_I);
        Press(Qt::Key_Left);
        WaitForFrame(39);
        Press(Qt::Key_O);
        TypeDistance("50");
        QVERIFY(Find<QLabel>(viewer_, "problem")
                    ->text()
                    .startsWith(QStringLiteral("Расчёт невозможен")));
        QVERIFY(Text(viewer_, "speed").isEmpty());
        QVERIFY(!viewer_->Record());
    }

    // A file that is no video, or none at all, leaves the window empty with the library's own
    // message; a good file opens after it.
    void damagedFileShowsTheLibrarysMessage_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QByteArray random(64 * 1024, '\0');
        QRandomGenerator generator(30);
        for (char& byte : random)
            byte = static_cast<char>(generator.bounded(256));
        QTest::newRow("random bytes") << Written("random.mp4", random) << "не видеозапись";
        QTest::newRow("a text named .mp4")
            << Written("text.mp4", "Это не видео, а текст.\n") << "не видеозапись";
        QTest::newRow("zero length") << Written("empty.mp4", {}) << "пуст";
        QTest::newRow("missing") << Folder().filePath("missing.mp4") << "не найден";
    }
    void damagedFileShowsTheLibrarysMessage() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        OpenOn(file);
        WaitForFile();
        std::string expected;
        try {
            const QByteArray utf8 = file.toUtf8();
            media::VideoFile::Open(std::u8string(utf8.begin(), utf8.end()));
        } catch (const media::MediaError& error) {
            expected = error.what();
        }
        QVERIFY(!expected.empty());
        QString sentence = QString::fromStdString(expected);
        sentence[0] = sentence[0].toUpper();
        const QString shown = Find<QLabel>(viewer_, "problem")->text();
        QVERIFY2(shown.startsWith(sentence), qPrintable(shown));
        QVERIFY2(shown.contains(message), qPrintable(shown));
        QVERIFY(Text(viewer_, "frameNumber").isEmpty());
        QVERIFY(!Find<QPushButton>(viewer_, "markStartButton")->isEnabled());

        viewer_->Open(ConstantRate());
        WaitForFrame(1);
        QVERIFY(Find<QLabel>(viewer_, "problem")->text().isEmpty());
    }

    // A file cut short opens as far as it goes, and the window says so beside every result.
    void fileCutShortIsReadAsFarAsItGoes() {
        QFile whole(ConstantRate());
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QString file = Written("cut.mkv", whole.readAll().left(whole.size() * 6 / 10));
        OpenOn(file);
        WaitForFrame(1);
        const QString note = Find<QLabel>(viewer_, "problem")->text();
        QVERIFY2(note.startsWith(QStringLiteral("Файл прочитан не до конца")), qPrintable(note));
        const int count = Find<QSlider>(viewer_, "frameSlider")->maximum();
        QVERIFY(count > 10 && count < 90);
        Press(Qt::Key_I);
        Press(Qt::Key_End);
        WaitForFrame(count);
        Press(Qt::Key_O);
        TypeDistance("10");
        QVERIFY(!Text(viewer_, "speed").isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(viewer_->Record(), 20000);
        QCOMPARE(Find<QLabel>(viewer_, "problem")->text(), note);
    }

    // Escape while the file is read stops the reading: nothing of that file ever shows, and the
    // next file opens as usual.
    void escapeCancelsTheOpening() {
        OpenOn(QString());
        // Pressed before the window's thread hears anything of the reading begun.
        viewer_->Open(VariableRate());
        QVERIFY(Find<QWidget>(viewer_, "openProgress")->isVisible());
        Press(Qt::Key_Escape);
        QCOMPARE(Find<QLabel>(viewer_, "problem")->text(),
                 QStringLiteral("Чтение файла отменено."));
        QVERIFY(viewer_->isVisible());
        QVERIFY(!Find<QWidget>(viewer_, "openProgress")->isVisible());
        viewer_->Open(ConstantRate());
        WaitForFrame(1);
        QCOMPARE(Find<QSlider>(viewer_, "frameSlider")->maximum(), 90);
    }

    // Opening again brings up the viewer open, with the file asked for; Escape closes it, and
    // the owner's pointer empties.
    void opensOnceAndClosesWithEscape() {
        OpenOn(VariableRate());
        WaitForFrame(1);
        VideoViewer* first = viewer_;
        QCOMPARE(OpenVideoViewer(viewer_, ConstantRate()), first);
        WaitForFrame(1);
        QCOMPARE(Find<QSlider>(viewer_, "frameSlider")->maximum(), 90);
        // While the file's hash is still being read, Escape stops the reading instead
        // (escapeCancelsTheOpening): the window closes once nothing is read.
        QTRY_VERIFY_WITH_TIMEOUT(!Find<QWidget>(viewer_, "cancelButton")->isVisible(), 20000);
        Press(Qt::Key_Escape);
        QTRY_VERIFY(!viewer_);
    }

    // The analysis window's video calculation opens the viewer from the button beside the
    // frame count, after the field in the keyboard's order, and brings up the same one again.
    void analysisWindowOpensTheViewer() {
        QPointer<AnalysisWindow> analysis;
        OpenAnalysis(analysis, {});
        analysis->ShowCalculation(AnalysisWindow::Calculation::Video);
        QVERIFY(QTest::qWaitForWindowActive(analysis));
        auto* button = Find<QPushButton>(analysis, "openVideoButton");
        Find<QLineEdit>(analysis, "frames")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button);
        const auto viewers = [] {
            QList<VideoViewer*> found;
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* viewer = qobject_cast<VideoViewer*>(window);
                    viewer && viewer->isVisible())
                    found << viewer;
            return found;
        };
        QVERIFY(viewers().isEmpty());
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(viewers().size(), 1);
        viewer_ = viewers().front();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(viewers().size(), 1);
        delete analysis;
    }

    // The dashcam window's link asks for the viewer, and the program's windows open it: by the
    // keyboard, Return or Space on the link; again, the same viewer comes up. It stays when
    // the dashcam window closes, and goes with the program's windows.
    void dashcamLinkOpensTheViewer() {
        auto app = std::make_unique<AppWindows>();
        app->Start();
        QVERIFY(QTest::qWaitForWindowActive(app->Main()));
        QTest::mouseClick(Find<toolkit::Label>(app->Main(), "dashcamLink"), Qt::LeftButton);
        DashcamWindow* dashcam = app->Dashcam();
        QVERIFY(dashcam && QTest::qWaitForWindowActive(dashcam));
        auto* link = Find<toolkit::Label>(dashcam, "videoFramesLink");
        link->setFocus();
        QVERIFY(!app->Viewer());
        QTest::keyClick(link, Qt::Key_Return);
        QPointer<VideoViewer> viewer = app->Viewer();
        QVERIFY(viewer && viewer->isVisible());
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(app->Viewer(), viewer.data());
        QTest::mouseClick(Find<QPushButton>(dashcam, "closeButton"), Qt::LeftButton);
        QTRY_VERIFY(!app->Dashcam());
        QVERIFY(viewer && viewer->isVisible());
        app.reset();
        QVERIFY(!viewer);
    }

    // Every control the keyboard reaches has a Russian name for a screen reader.
    void everyControlIsNamed() {
        OpenOn(VariableRate());
        WaitForFrame(1);
        for (QWidget* control : viewer_->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus || control->objectName().isEmpty() ||
                !control->isVisibleTo(viewer_))
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(a, qPrintable(control->objectName()));
            const QString name = a->text(QAccessible::Name);
            QVERIFY2(name.contains(QRegularExpression(QStringLiteral("[А-яЁё]"))),
                     qPrintable(control->objectName() + ": " + name));
        }
    }
};

KVARNET_TEST_MAIN(TestVideoViewer)
#include "tst_video_viewer.moc"
