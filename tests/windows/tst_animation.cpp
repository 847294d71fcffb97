#include <QCheckBox>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "find_control.h"
#include "test_main.h"
#include "windows/alerts/alert_window.h"
#include "windows/main/form1.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/pictures.h"

using namespace std::chrono_literals;

namespace {

const int kTimers[] = {1, 2, 3, 4, 9, 10, 11, 12, 13, 14, 15, 16};

QList<int> EnabledTimers(const Form1* form) {
    QList<int> enabled;
    for (int n : kTimers)
        if (form->Timer(n)->isEnabled()) enabled << n;
    return enabled;
}

// The number of the frame the strip shows, or 0 for a picture that is none of them.
int FrameShown(const Form1* form) {
    static const QMap<int, QImage> frames = [] {
        QMap<int, QImage> all;
        for (int n = 101; n <= 117; ++n)
            all[n] = toolkit::LoadBitmap(n).toImage();
        for (int n = 208; n <= 216; ++n)
            all[n] = toolkit::LoadBitmap(n).toImage();
        return all;
    }();
    const QImage shown = Find<toolkit::Image>(form, "Image1")->picture().toImage();
    for (auto it = frames.begin(); it != frames.end(); ++it)
        if (it.value() == shown) return it.key();
    return 0;
}

// One tick of every enabled timer, in chain order, as the event loop would deliver them
// when their intervals end; idle timers tick too and must do nothing.
void TickAll(Form1* form) {
    for (int n : EnabledTimers(form))
        if (form->Timer(n)->isEnabled()) emit form->Timer(n)->tick();
}

struct Run {
    QList<int> frames;
    QStringList readouts; // "Label10/Label11" after each step
};

// Plays a run tick by tick until no timer is left, recording what each step shows.
Run Play(Form1* form) {
    Run run;
    for (int guard = 0; guard < 40 && !EnabledTimers(form).isEmpty(); ++guard) {
        TickAll(form);
        run.frames << FrameShown(form);
        run.readouts << Find<toolkit::Label>(form, "Label10")->text() + "/" +
                            Find<toolkit::Label>(form, "Label11")->text();
    }
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
    Form1* form = nullptr;

private slots:
    void init() { form = toolkit::Load<Form1>(); }
    void cleanup() { toolkit::DiscardAll(); }

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
        Find<QCheckBox>(form, "Check1")->setChecked(skidKnown);
        Find<QLineEdit>(form, "Text7")->setText(x);
        Find<QPushButton>(form, "Command1")->click();
        QCOMPARE(EnabledTimers(form), QList<int>{1});
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
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), speed);
        QCOMPARE(Find<toolkit::Label>(form, "Label11")->text(), distance);
        QCOMPARE(Find<toolkit::Label>(form, "Label1")->text(), QStringLiteral("1"));
        QCOMPARE(FrameShown(form), collision ? 216 : 116);
    }

    void resultsOfTheWorkedExample() {
        Find<QLineEdit>(form, "Text7")->setText("10");
        Find<QPushButton>(form, "Command1")->click();
        Play(form);
        QCOMPARE(Find<QLineEdit>(form, "Text4")->text(), QStringLiteral("45,7"));
        QCOMPARE(Find<QLineEdit>(form, "Text9")->text(), QStringLiteral("12,7"));
        QCOMPARE(Find<QLineEdit>(form, "Text6")->text(), QStringLiteral("26,4"));
        QCOMPARE(Find<QLineEdit>(form, "Text8")->text(), QStringLiteral("1,7"));
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QStringLiteral("45,7 км/час"));
        QCOMPARE(Find<toolkit::Label>(form, "Label11")->text(), QStringLiteral("26,4 м"));
    }

    // Emptying an input already empties the results; Старт then opens the alert, starts
    // nothing and puts the keyboard in the empty field.
    void anEmptyInputOpensTheAlertAndStartsNothing() {
        Find<QLineEdit>(form, "Text7")->setText("10");
        Find<QPushButton>(form, "Command1")->click();
        Play(form);
        Find<QLineEdit>(form, "Text3")->setText("");
        Find<QPushButton>(form, "Command1")->click();
        QVERIFY(AlertShown(Alert::MissingValue));
        QVERIFY(EnabledTimers(form).isEmpty());
        for (QLineEdit* result : {Find<QLineEdit>(form, "Text4"), Find<QLineEdit>(form, "Text6"),
                                  Find<QLineEdit>(form, "Text8"), Find<QLineEdit>(form, "Text9")})
            QCOMPARE(result->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label11")->text(), QString());
        QCOMPARE(FrameShown(form), 117);
        QCOMPARE(form->focusWidget(), Find<QLineEdit>(form, "Text3"));
    }

    void aSecondPressLateInARunStartsAnotherAfterIt() {
        Find<QLineEdit>(form, "Text7")->setText("10");
        Find<QPushButton>(form, "Command1")->click();
        for (int step = 0; step < 5; ++step)
            TickAll(form);
        QCOMPARE(Find<toolkit::Label>(form, "Label1")->text(), QStringLiteral("6"));
        Find<QPushButton>(form, "Command1")->click();
        QCOMPARE(FrameShown(form), 117);
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QString());
        QCOMPARE(EnabledTimers(form), (QList<int>{1, 2}));
        // The first run goes on; Timer1 idles until its end step puts Label1 back to 1.
        while (Find<toolkit::Label>(form, "Label1")->text() != "1")
            TickAll(form);
        QCOMPARE(Find<QLineEdit>(form, "Text4")->text(), QStringLiteral("45,7"));
        QCOMPARE(EnabledTimers(form), QList<int>{1});
        TickAll(form);
        QCOMPARE(Find<toolkit::Label>(form, "Label1")->text(), QStringLiteral("2"));
        QCOMPARE(FrameShown(form), 101);
        QCOMPARE(Find<QLineEdit>(form, "Text4")->text(), QStringLiteral("45,7"));
    }

    void aSecondPressEarlyInARunChangesNothingAfter() {
        Find<QLineEdit>(form, "Text7")->setText("10");
        Find<QPushButton>(form, "Command1")->click();
        for (int step = 0; step < 2; ++step)
            TickAll(form);
        Find<QPushButton>(form, "Command1")
            ->click(); // Label1 is 3: the chain itself disables Timer1 at step 5
        const Run run = Play(form);
        QCOMPARE(run.frames.size(), 14);
        QVERIFY(EnabledTimers(form).isEmpty());
        QCOMPARE(Find<QLineEdit>(form, "Text4")->text(), QStringLiteral("45,7"));
    }

    // A value the calculation refuses is refused at Старт, before anything moves: no timer,
    // no frame, no counters, the message naming the field, and the keyboard in that field.
    void aRefusedValueMovesNothing_data() {
        QTest::addColumn<bool>("skidKnown");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("speed -5") << false << "Text7" << "-5" << "не может быть отрицательным";
        QTest::newRow("skid abc") << true << "Text7" << "abc" << "не является числом";
        QTest::newRow("deceleration 0") << true << "Text5" << "0" << "должно быть больше нуля";
        QTest::newRow("deceleration 0,00001")
            << true << "Text5" << "0,00001" << "меньше разрешения программы 0,0001";
        QTest::newRow("reaction 1.5.") << true << "Text1" << "1.5." << "не является числом";
    }
    void aRefusedValueMovesNothing() {
        QFETCH(bool, skidKnown);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        toolkit::Show<Form1>();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QCheckBox>(form, "Check1")->setChecked(skidKnown);
        Find<QLineEdit>(form, "Text7")->setText("10");
        Find<QLineEdit>(form, field.toLatin1())->setText(text);
        Find<QPushButton>(form, "Command1")->click();
        QVERIFY(EnabledTimers(form).isEmpty());
        QCOMPARE(FrameShown(form), 117);
        QCOMPARE(Find<toolkit::Label>(form, "Label1")->text(), QStringLiteral("1"));
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label11")->text(), QString());
        QCOMPARE(Find<QLineEdit>(form, "Text4")->text(), QString());
        auto* box = form->findChild<QMessageBox*>();
        QVERIFY(box && box->isVisible());
        QVERIFY2(box->text().contains(message), qPrintable(box->text()));
        QCOMPARE(form->focusWidget(), Find<QLineEdit>(form, field.toLatin1()));
    }

    // Results belong to the inputs beside them: an edit during a run ends it, with nothing
    // left on screen that the new inputs did not give.
    void anEditDuringARunEndsIt() {
        Find<QLineEdit>(form, "Text7")->setText("10");
        Find<QPushButton>(form, "Command1")->click();
        for (int step = 0; step < 10; ++step)
            TickAll(form);
        QVERIFY(!EnabledTimers(form).isEmpty());
        QTest::keyClicks(Find<QLineEdit>(form, "Text1"), "2");
        QVERIFY(EnabledTimers(form).isEmpty());
        QCOMPARE(FrameShown(form), 117);
        QCOMPARE(Find<toolkit::Label>(form, "Label1")->text(), QStringLiteral("1"));
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QString());
        QCOMPARE(Find<QLineEdit>(form, "Text4")->text(), QString());
        QVERIFY(!form->Record());
    }

    void switchingTheModeDuringARunStopsItAtTheNextChoice() {
        Find<QLineEdit>(form, "Text7")->setText("10");
        Find<QPushButton>(form, "Command1")->click();
        for (int step = 0; step < 9; ++step)
            TickAll(form);
        Find<QCheckBox>(form, "Check1")
            ->setChecked(false); // empties Text7 and shows the empty road
        TickAll(form);
        QVERIFY(EnabledTimers(form).isEmpty());
        QCOMPARE(FrameShown(form), 117);
        QCOMPARE(Find<toolkit::Label>(form, "Label1")->text(), QStringLiteral("1"));
    }

    void resultsFromTheLoadingWindowAreShownWithoutUnits() {
        Find<QCheckBox>(form, "Check1")->setChecked(false);
        Find<QLineEdit>(form, "Text7")->setText("60");
        Find<QLineEdit>(form, "Text4")->setText("18");
        Find<QLineEdit>(form, "Text9")->setText("16,7");
        Find<QLineEdit>(form, "Text6")->setText("22,7");
        Find<QLineEdit>(form, "Text8")->setText("2,3");
        Find<toolkit::Label>(form, "Label20")->setText("1");
        Find<toolkit::Timer>(form, "Timer1")->setEnabled(true);
        const Run run = Play(form);
        QCOMPARE(run.frames, Series(108, 100));
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QStringLiteral("60"));
        QCOMPARE(Find<toolkit::Label>(form, "Label11")->text(), QStringLiteral("22,7"));
        QCOMPARE(Find<toolkit::Label>(form, "Label20")->text(), QStringLiteral("0"));
        QCOMPARE(Find<QLineEdit>(form, "Text6")->text(),
                 QStringLiteral("22,7")); // not recalculated
    }

    void realTimersEndToEnd() {
        RealTime realTime;
        const QList<int>& shown = StartSkidTwenty();
        QTRY_COMPARE_WITH_TIMEOUT(Find<QLineEdit>(form, "Text4")->text(), QStringLiteral("63"),
                                  10000);
        QCOMPARE(shown, Series(208, 200));
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QStringLiteral("63 км/час"));
        QVERIFY(EnabledTimers(form).isEmpty());
    }

    // The same run on the timers' own clock: the strip is still, the readouts empty and the
    // timers running until the last 400 ms tick, 2,8 s after Старт.
    void runOnTheClock() {
        const QList<int>& shown = StartSkidTwenty();
        Elapse(2799ms);
        QVERIFY(!EnabledTimers(form).isEmpty());
        QCOMPARE(Find<QLineEdit>(form, "Text4")->text(), QString());
        Elapse(1ms);
        QVERIFY(EnabledTimers(form).isEmpty());
        QCOMPARE(shown, Series(208, 200));
        QCOMPARE(Find<QLineEdit>(form, "Text4")->text(), QStringLiteral("63"));
    }

private:
    QList<int> shown_;
    // Shows the window and presses Старт with a 20 m skid, recording the frame after every
    // tick (polling could miss a short frame).
    const QList<int>& StartSkidTwenty() {
        shown_.clear();
        form->show();
        for (int n : kTimers)
            connect(form->Timer(n), &toolkit::Timer::tick, form,
                    [this] { shown_ << FrameShown(form); });
        QTest::keyClicks(Find<QLineEdit>(form, "Text7"), "20");
        QTest::mouseClick(Find<QPushButton>(form, "Command1"), Qt::LeftButton);
        return shown_;
    }
};

KVARNET_TEST_MAIN(AnimationTest)
#include "tst_animation.moc"
