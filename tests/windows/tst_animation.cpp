#include <QCheckBox>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "test_main.h"
#include "windows/alerts/alert_window.h"
#include "windows/main/form1.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/pictures.h"

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
    const QImage shown = form->Image1->picture().toImage();
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
        run.readouts << form->Label10->text() + "/" + form->Label11->text();
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
        form->Check1->setChecked(skidKnown);
        form->Text7->setText(x);
        form->Command1->click();
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
        QCOMPARE(form->Label10->text(), speed);
        QCOMPARE(form->Label11->text(), distance);
        QCOMPARE(form->Label1->text(), QStringLiteral("1"));
        QCOMPARE(FrameShown(form), collision ? 216 : 116);
    }

    void resultsOfTheWorkedExample() {
        form->Text7->setText("10");
        form->Command1->click();
        Play(form);
        QCOMPARE(form->Text4->text(), QStringLiteral("45,7"));
        QCOMPARE(form->Text9->text(), QStringLiteral("12,7"));
        QCOMPARE(form->Text6->text(), QStringLiteral("26,4"));
        QCOMPARE(form->Text8->text(), QStringLiteral("1,7"));
        QCOMPARE(form->Label10->text(), QStringLiteral("45,7 км/час"));
        QCOMPARE(form->Label11->text(), QStringLiteral("26,4 м"));
    }

    void anEmptyInputOpensTheAlertAndStartsNothing() {
        form->Text7->setText("10");
        form->Command1->click();
        Play(form);
        form->Text3->setText("");
        form->Command1->click();
        QVERIFY(toolkit::Instance<Form3>() && toolkit::Instance<Form3>()->isVisible());
        QVERIFY(EnabledTimers(form).isEmpty());
        for (QLineEdit* result : {form->Text4, form->Text6, form->Text8, form->Text9})
            QCOMPARE(result->text(), QString());
        QCOMPARE(form->Label10->text(), QString());
        QCOMPARE(form->Label11->text(), QString());
        QCOMPARE(FrameShown(form), 117);
    }

    void aSecondPressLateInARunStartsAnotherAfterIt() {
        form->Text7->setText("10");
        form->Command1->click();
        for (int step = 0; step < 5; ++step)
            TickAll(form);
        QCOMPARE(form->Label1->text(), QStringLiteral("6"));
        form->Command1->click();
        QCOMPARE(FrameShown(form), 117);
        QCOMPARE(form->Label10->text(), QString());
        QCOMPARE(EnabledTimers(form), (QList<int>{1, 2}));
        // The first run goes on; Timer1 idles until its end step puts Label1 back to 1.
        while (form->Label1->text() != "1")
            TickAll(form);
        QCOMPARE(form->Text4->text(), QStringLiteral("45,7"));
        QCOMPARE(EnabledTimers(form), QList<int>{1});
        TickAll(form);
        QCOMPARE(form->Label1->text(), QStringLiteral("2"));
        QCOMPARE(FrameShown(form), 101);
        QCOMPARE(form->Text4->text(), QStringLiteral("45,7"));
    }

    void aSecondPressEarlyInARunChangesNothingAfter() {
        form->Text7->setText("10");
        form->Command1->click();
        for (int step = 0; step < 2; ++step)
            TickAll(form);
        form->Command1->click(); // Label1 is 3: the chain itself disables Timer1 at step 5
        const Run run = Play(form);
        QCOMPARE(run.frames.size(), 14);
        QVERIFY(EnabledTimers(form).isEmpty());
        QCOMPARE(form->Text4->text(), QStringLiteral("45,7"));
    }

    // The run plays to its end, the calculation there fails: a message naming the input and
    // neither results nor counters left on screen.
    void aFailedCalculationAtTheEndLeavesNoReadouts() {
        form->Text7->setText("10");
        form->Text5->setText("0");
        form->Command1->click();
        const Run run = Play(form);
        QCOMPARE(run.readouts.at(run.readouts.size() - 2), QStringLiteral("35/27"));
        QVERIFY(EnabledTimers(form).isEmpty());
        QCOMPARE(form->Label10->text(), QString());
        QCOMPARE(form->Label11->text(), QString());
        QCOMPARE(form->Text4->text(), QString());
        auto* box = form->findChild<QMessageBox*>();
        QVERIFY(box && box->isVisible());
        QVERIFY2(box->text().contains(
                     QStringLiteral("«Установившееся замедление» должно быть больше нуля")),
                 qPrintable(box->text()));
    }

    void aSkidLengthThatIsNoNumberStopsTheRunCleanly() {
        form->Text7->setText("abc");
        form->Command1->click();
        const Run run = Play(form);
        QCOMPARE(run.frames.size(), 8); // the eighth step cannot choose a series
        QVERIFY(EnabledTimers(form).isEmpty());
        QCOMPARE(form->Label1->text(), QStringLiteral("1"));
        QCOMPARE(FrameShown(form), 107);
        // No counters without units beside the message: a failed run shows no readouts.
        QCOMPARE(form->Label10->text(), QString());
        QCOMPARE(form->Label11->text(), QString());
        auto* box = form->findChild<QMessageBox*>();
        QVERIFY(box && box->isVisible());
        QVERIFY(box->text().contains(QStringLiteral("не является числом")));
        // The next start works.
        form->Text7->setText("20");
        form->Command1->click();
        Play(form);
        QCOMPARE(form->Text4->text(), QStringLiteral("63"));
        QCOMPARE(FrameShown(form), 216);
    }

    void switchingTheModeDuringARunStopsItAtTheNextChoice() {
        form->Text7->setText("10");
        form->Command1->click();
        for (int step = 0; step < 9; ++step)
            TickAll(form);
        form->Check1->setChecked(false); // empties Text7 and shows the empty road
        TickAll(form);
        QVERIFY(EnabledTimers(form).isEmpty());
        QCOMPARE(FrameShown(form), 117);
        QCOMPARE(form->Label1->text(), QStringLiteral("1"));
    }

    void resultsFromTheLoadingWindowAreShownWithoutUnits() {
        form->Check1->setChecked(false);
        form->Text7->setText("60");
        form->Text4->setText("18");
        form->Text9->setText("16,7");
        form->Text6->setText("22,7");
        form->Text8->setText("2,3");
        form->Label20->setText("1");
        form->Timer1->setEnabled(true);
        const Run run = Play(form);
        QCOMPARE(run.frames, Series(108, 100));
        QCOMPARE(form->Label10->text(), QStringLiteral("60"));
        QCOMPARE(form->Label11->text(), QStringLiteral("22,7"));
        QCOMPARE(form->Label20->text(), QStringLiteral("0"));
        QCOMPARE(form->Text6->text(), QStringLiteral("22,7")); // not recalculated
    }

    void realTimersEndToEnd() {
        form->show();
        // Record the frame after every real tick; polling could miss a short frame.
        QList<int> shown;
        for (int n : kTimers)
            connect(form->Timer(n), &toolkit::Timer::tick, form,
                    [&shown, this] { shown << FrameShown(form); });
        QTest::keyClicks(form->Text7, "20");
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(form->Text4->text(), QStringLiteral("63"), 10000);
        QCOMPARE(shown, Series(208, 200));
        QCOMPARE(form->Label10->text(), QStringLiteral("63 км/час"));
        QVERIFY(EnabledTimers(form).isEmpty());
    }
};

KVARNET_TEST_MAIN(AnimationTest)
#include "tst_animation.moc"
