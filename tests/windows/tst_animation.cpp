#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "find_control.h"
#include "test_main.h"
#include "windows/alerts/alert_window.h"
#include "windows/app_windows.h"
#include "windows/loading/loading_window.h"
#include "windows/main/main_window.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/pictures.h"

using namespace std::chrono_literals;

namespace {

// The number of the frame the strip shows, or 0 for a picture that is none of them.
int FrameShown(const MainWindow* form) {
    static const QMap<int, QImage> frames = [] {
        QMap<int, QImage> all;
        for (int n = 101; n <= 117; ++n)
            all[n] = toolkit::LoadBitmap(n).toImage();
        for (int n = 208; n <= 216; ++n)
            all[n] = toolkit::LoadBitmap(n).toImage();
        return all;
    }();
    const QImage shown = Find<toolkit::Image>(form, "strip")->picture().toImage();
    for (auto it = frames.begin(); it != frames.end(); ++it)
        if (it.value() == shown) return it.key();
    return 0;
}

struct Run {
    QList<int> frames;
    QStringList readouts; // "speed/distance" after each step
    QList<int> times;     // ms from the start of Play to each step
};

// Plays the run on the manual clock, a millisecond at a time, until it is over, recording what
// each step shows and when.
Run Play(MainWindow* form) {
    Run run;
    int now = 0;
    auto* timer = Find<toolkit::Timer>(form, "stepTimer");
    const QMetaObject::Connection watch = QObject::connect(timer, &toolkit::Timer::tick, form, [&] {
        run.frames << FrameShown(form);
        run.readouts << Find<toolkit::Label>(form, "stripSpeedReadout")->text() + "/" +
                            Find<toolkit::Label>(form, "stripDistanceReadout")->text();
        run.times << now;
    });
    for (; now < 10000 && form->AnimationRunning();) {
        ++now;
        Elapse(1ms);
    }
    QObject::disconnect(watch);
    return run;
}

QList<int> Series(int last8, int base) {
    QList<int> frames;
    for (int n = 101; n <= 107; ++n)
        frames << n;
    frames << last8;
    for (int n = 9; n <= 16; ++n)
        frames << base + n;
    return frames;
}

} // namespace

class AnimationTest : public QObject {
    Q_OBJECT
    std::unique_ptr<AppWindows> app;
    MainWindow* form = nullptr;

private slots:
    void init() {
        app = std::make_unique<AppWindows>();
        form = app->Main();
    }
    void cleanup() {
        app.reset();
        toolkit::DiscardAll();
    }

    void seriesAtTheThresholds_data() {
        QTest::addColumn<bool>("skidKnown");
        QTest::addColumn<QString>("x");
        QTest::addColumn<bool>("collision");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("distance");
        QTest::newRow("skid 18 m stops") << true << "18" << false << "60 км/час"
                                         << "39,5 м";
        QTest::newRow("skid 18,1 m collides") << true << "18,1" << true << "60,2 км/час"
                                              << "39,7 м";
        QTest::newRow("60 km/h stops") << false << "60" << false << "60 км/час"
                                       << "39,5 м";
        QTest::newRow("61 km/h collides") << false << "61" << true << "61 км/час"
                                          << "40,5 м";
    }
    void seriesAtTheThresholds() {
        QFETCH(bool, skidKnown);
        QFETCH(QString, x);
        QFETCH(bool, collision);
        Find<QCheckBox>(form, "skidKnown")->setChecked(skidKnown);
        Find<QLineEdit>(form, "skidOrSpeed")->setText(x);
        Find<QPushButton>(form, "startButton")->click();
        QVERIFY(form->AnimationRunning());
        const Run run = Play(form);
        QCOMPARE(run.frames, collision ? Series(208, 200) : Series(108, 100));
        QStringList counts;
        for (int n = 1; n <= 8; ++n)
            counts << QString("%1/%1").arg(n);
        counts << "9/9"
               << "10/10"
               << "15/11"
               << "20/15"
               << "25/19"
               << "30/23"
               << "35/27";
        QCOMPARE(run.readouts.mid(0, 15), counts);
        // The last step hands over to the calculation, whose results replace 40/31.
        QFETCH(QString, speed);
        QFETCH(QString, distance);
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(), speed);
        QCOMPARE(Find<toolkit::Label>(form, "stripDistanceReadout")->text(), distance);
        QVERIFY(!form->AnimationRunning());
        QCOMPARE(FrameShown(form), collision ? 216 : 116);
    }

    // Each step shows on its time, counted from Старт: eight of 100 ms, five of 200 ms, two of
    // 300 ms and the last of 400 ms, 2,8 s in all.
    void everyStepOnTime() {
        Find<QLineEdit>(form, "skidOrSpeed")->setText("10");
        Find<QPushButton>(form, "startButton")->click();
        const Run run = Play(form);
        QCOMPARE(run.times, (QList<int>{100, 200, 300, 400, 500, 600, 700, 800, 1000, 1200, 1400,
                                        1600, 1800, 2100, 2400, 2800}));
    }

    void resultsOfTheWorkedExample() {
        Find<QLineEdit>(form, "skidOrSpeed")->setText("10");
        Find<QPushButton>(form, "startButton")->click();
        Play(form);
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->text(), QStringLiteral("45,7"));
        QCOMPARE(Find<QLineEdit>(form, "speedMsResult")->text(), QStringLiteral("12,7"));
        QCOMPARE(Find<QLineEdit>(form, "stoppingDistanceResult")->text(), QStringLiteral("26,4"));
        QCOMPARE(Find<QLineEdit>(form, "brakingTimeResult")->text(), QStringLiteral("1,7"));
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(),
                 QStringLiteral("45,7 км/час"));
        QCOMPARE(Find<toolkit::Label>(form, "stripDistanceReadout")->text(),
                 QStringLiteral("26,4 м"));
    }

    // Emptying an input already empties the results; Старт then opens the alert, starts
    // nothing and puts the keyboard in the empty field.
    void anEmptyInputOpensTheAlertAndStartsNothing() {
        Find<QLineEdit>(form, "skidOrSpeed")->setText("10");
        Find<QPushButton>(form, "startButton")->click();
        Play(form);
        Find<QLineEdit>(form, "riseTime")->setText("");
        Find<QPushButton>(form, "startButton")->click();
        QVERIFY(AlertShown(Alert::MissingValue));
        QVERIFY(!form->AnimationRunning());
        for (QLineEdit* result :
             {Find<QLineEdit>(form, "speedOrSkidResult"),
              Find<QLineEdit>(form, "stoppingDistanceResult"),
              Find<QLineEdit>(form, "brakingTimeResult"), Find<QLineEdit>(form, "speedMsResult")})
            QCOMPARE(result->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "stripDistanceReadout")->text(), QString());
        QCOMPARE(FrameShown(form), 117);
        QCOMPARE(form->focusWidget(), Find<QLineEdit>(form, "riseTime"));
    }

    // A second Старт from the sixth step on lets the run end with its results, and another run
    // follows, its first step on the 100 ms beat counted from the second Старт; the strip and
    // the readouts go empty at the press.
    void aSecondPressLateInARunStartsAnotherAfterIt() {
        Find<QLineEdit>(form, "skidOrSpeed")->setText("10");
        Find<QPushButton>(form, "startButton")->click();
        Elapse(550ms); // five steps shown
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(), QStringLiteral("5"));
        Find<QPushButton>(form, "startButton")->click();
        QCOMPARE(FrameShown(form), 117);
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(), QString());
        Elapse(50ms);
        QCOMPARE(FrameShown(form), 106); // the first run goes on
        Elapse(2200ms);                  // to its end, 2800 ms after the first Старт
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->text(), QStringLiteral("45,7"));
        QCOMPARE(FrameShown(form), 116);
        QVERIFY(form->AnimationRunning());
        Elapse(49ms); // 2849 ms: the beat of the second Старт, 550 ms + 23 × 100 ms, is not yet
        QCOMPARE(FrameShown(form), 116);
        Elapse(1ms);
        QCOMPARE(FrameShown(form), 101);
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(), QStringLiteral("1"));
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->text(), QStringLiteral("45,7"));
        const Run second = Play(form);
        QCOMPARE(second.frames.size(), 15);
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->text(), QStringLiteral("45,7"));
    }

    // A second Старт before the sixth step lets the run go on as it was, and no other follows.
    void aSecondPressEarlyInARunChangesNothingAfter() {
        Find<QLineEdit>(form, "skidOrSpeed")->setText("10");
        Find<QPushButton>(form, "startButton")->click();
        Elapse(200ms);
        Find<QPushButton>(form, "startButton")->click();
        QCOMPARE(FrameShown(form), 117);
        const Run run = Play(form);
        QCOMPARE(run.frames.size(), 14);
        QCOMPARE(run.times.front(), 100); // the third step keeps its time
        QVERIFY(!form->AnimationRunning());
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->text(), QStringLiteral("45,7"));
    }

    // A value the calculation refuses is refused at Старт, before anything moves: no timer,
    // no frame, no counters, the message naming the field, and the keyboard in that field.
    void aRefusedValueMovesNothing_data() {
        QTest::addColumn<bool>("skidKnown");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("speed -5") << false << "skidOrSpeed"
                                  << "-5"
                                  << "не может быть отрицательным";
        QTest::newRow("skid abc") << true << "skidOrSpeed"
                                  << "abc"
                                  << "не является числом";
        QTest::newRow("deceleration 0") << true << "deceleration"
                                        << "0"
                                        << "должно быть больше нуля";
        QTest::newRow("deceleration 0,00001") << true << "deceleration"
                                              << "0,00001"
                                              << "меньше разрешения программы 0,0001";
        QTest::newRow("reaction 1.5.") << true << "reactionTime"
                                       << "1.5."
                                       << "не является числом";
    }
    void aRefusedValueMovesNothing() {
        QFETCH(bool, skidKnown);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        app->Start();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QCheckBox>(form, "skidKnown")->setChecked(skidKnown);
        Find<QLineEdit>(form, "skidOrSpeed")->setText("10");
        Find<QLineEdit>(form, field.toLatin1())->setText(text);
        Find<QPushButton>(form, "startButton")->click();
        QVERIFY(!form->AnimationRunning());
        QCOMPARE(FrameShown(form), 117);
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "stripDistanceReadout")->text(), QString());
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->text(), QString());
        auto* box = form->findChild<QMessageBox*>();
        QVERIFY(box && box->isVisible());
        QVERIFY2(box->text().contains(message), qPrintable(box->text()));
        QCOMPARE(form->focusWidget(), Find<QLineEdit>(form, field.toLatin1()));
    }

    // Results belong to the inputs beside them: an edit during a run ends it, with nothing
    // left on screen that the new inputs did not give.
    void anEditDuringARunEndsIt() {
        Find<QLineEdit>(form, "skidOrSpeed")->setText("10");
        Find<QPushButton>(form, "startButton")->click();
        Elapse(1200ms); // ten steps
        QVERIFY(form->AnimationRunning());
        QTest::keyClicks(Find<QLineEdit>(form, "reactionTime"), "2");
        QVERIFY(!form->AnimationRunning());
        QCOMPARE(FrameShown(form), 117);
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(), QString());
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->text(), QString());
        QVERIFY(!form->Record());
    }

    // Switching the mode empties the known value: the run ends there, and the next Старт
    // begins at the first step.
    void switchingTheModeDuringARunStopsIt() {
        Find<QLineEdit>(form, "skidOrSpeed")->setText("10");
        Find<QPushButton>(form, "startButton")->click();
        Elapse(1000ms);                                        // nine steps
        Find<QCheckBox>(form, "skidKnown")->setChecked(false); // shows the empty road
        QVERIFY(!form->AnimationRunning());
        Elapse(1000ms);
        QCOMPARE(FrameShown(form), 117);
        Find<QLineEdit>(form, "skidOrSpeed")->setText("60");
        Find<QPushButton>(form, "startButton")->click();
        Elapse(100ms);
        QCOMPARE(FrameShown(form), 101);
    }

    // The loading window's outcome plays the run of its speed, and the last step shows its
    // speed and braking distance as they are, without units, recalculating nothing.
    void resultsFromTheLoadingWindowAreShownWithoutUnits() {
        form->show();
        QTest::mouseClick(Find<toolkit::Label>(form, "loadingLink"), Qt::LeftButton);
        auto* loading = app->Loading();
        QVERIFY(loading && loading->isVisible());
        QTest::keyClicks(Find<QLineEdit>(loading, "speed"), "60");
        QTest::keyClicks(Find<QComboBox>(loading, "adhesion"), "0,8");
        QTest::mouseClick(Find<QPushButton>(loading, "startButton"), Qt::LeftButton);
        Elapse(500ms);
        QVERIFY(loading->isHidden() && form->AnimationRunning());
        const Run run = Play(form);
        QCOMPARE(run.frames, Series(108, 100));
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(), QStringLiteral("60"));
        QCOMPARE(Find<toolkit::Label>(form, "stripDistanceReadout")->text(),
                 QStringLiteral("22,7"));
        QCOMPARE(Find<QLineEdit>(form, "stoppingDistanceResult")->text(), QStringLiteral("22,7"));
        QVERIFY(!form->findChild<QMessageBox*>());
    }

    void realTimersEndToEnd() {
        RealTime realTime;
        const QList<int>& shown = StartSkidTwenty();
        QTRY_COMPARE_WITH_TIMEOUT(Find<QLineEdit>(form, "speedOrSkidResult")->text(),
                                  QStringLiteral("63"), 10000);
        QCOMPARE(shown, Series(208, 200));
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(),
                 QStringLiteral("63 км/час"));
        QVERIFY(!form->AnimationRunning());
    }

    // The same run on the timers' own clock: the strip is still, the readouts empty and the
    // timers running until the last 400 ms tick, 2,8 s after Старт.
    void runOnTheClock() {
        const QList<int>& shown = StartSkidTwenty();
        Elapse(2799ms);
        QVERIFY(form->AnimationRunning());
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->text(), QString());
        Elapse(1ms);
        QVERIFY(!form->AnimationRunning());
        QCOMPARE(shown, Series(208, 200));
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->text(), QStringLiteral("63"));
    }

private:
    QList<int> shown_;
    // Shows the window and presses Старт with a 20 m skid, recording the frame after every
    // tick (polling could miss a short frame).
    const QList<int>& StartSkidTwenty() {
        shown_.clear();
        form->show();
        connect(Find<toolkit::Timer>(form, "stepTimer"), &toolkit::Timer::tick, form,
                [this] { shown_ << FrameShown(form); });
        QTest::keyClicks(Find<QLineEdit>(form, "skidOrSpeed"), "20");
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        return shown_;
    }
};

KVARNET_TEST_MAIN(AnimationTest)
#include "tst_animation.moc"
