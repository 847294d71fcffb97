#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "find_control.h"
#include "test_main.h"
#include "windows/alerts/alert_window.h"
#include "windows/toolkit/pictures.h"

// The three alerts are one window with three designs; each test runs for all three.
struct AlertKind {
    Alert alert;
    int frameBase; // the picture number before the first frame
    QSize frameSize;
    // The opener's requests.
    AlertWindow* show() const { return ShowAlert(alert); }
    AlertWindow* instance() const { return OpenAlert(alert); }
    bool closeOpen() const { return CloseOpenAlert(alert); }
};
Q_DECLARE_METATYPE(AlertKind)

using namespace std::chrono_literals;

namespace {

// The frame the next tick shows while the ring runs; 0 when its timer stands still.
int NextFrame(const AlertWindow* w) {
    return w->frameTimer()->isEnabled() ? w->nextFrame() : 0;
}

bool Shows(const AlertWindow* w, int frame) {
    return w->sentence()->picture().toImage() == toolkit::LoadBitmap(frame).toImage();
}

QPushButton* OkButton(const AlertWindow* w) {
    return Find<QPushButton>(w, "okButton");
}

void Close(const AlertKind& kind) {
    if (AlertWindow* w = kind.instance()) {
        QTest::mouseClick(OkButton(w), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

class TestAlerts : public QObject {
    Q_OBJECT
private slots:
    void init() {
        for (auto& k : kinds())
            Close(k);
    }

    void ringShowsEachFrameInTurn_data() { table(); }
    void ringShowsEachFrameInTurn() {
        QFETCH(AlertKind, kind);
        AlertWindow* w = kind.show();
        QVERIFY(w->sentence()->picture().isNull());
        QCOMPARE(NextFrame(w), 1);
        QCOMPARE(w->frameTimer()->interval(), 100);
        // Two full turns of the ring, ticked by hand: tick K shows frame K, then frame 1 again.
        for (int step = 0; step < 2 * AlertWindow::kFrames + 1; ++step) {
            int k = step % AlertWindow::kFrames + 1;
            QCOMPARE(NextFrame(w), k);
            w->onFrameDue();
            QVERIFY2(Shows(w, kind.frameBase + k), qPrintable(QString::number(kind.frameBase + k)));
            QCOMPARE(w->sentence()->size(), kind.frameSize);
            QCOMPARE(NextFrame(w), k % AlertWindow::kFrames + 1);
        }
    }

    void secondShowRequestKeepsTheAnimation_data() { table(); }
    void secondShowRequestKeepsTheAnimation() {
        QFETCH(AlertKind, kind);
        AlertWindow* w = kind.show();
        for (int k = 1; k <= 3; ++k)
            w->onFrameDue();
        QCOMPARE(kind.show(), w);
        QCOMPARE(NextFrame(w), 4);
        QVERIFY(Shows(w, kind.frameBase + 3));
    }

    void okDiscardsAndReopeningStartsAfresh_data() { table(); }
    void okDiscardsAndReopeningStartsAfresh() {
        QFETCH(AlertKind, kind);
        AlertWindow* w = kind.show();
        for (int k = 1; k <= 5; ++k)
            w->onFrameDue();
        Close(kind);
        QVERIFY(kind.instance() == nullptr);
        w = kind.show();
        QVERIFY(w->sentence()->picture().isNull());
        QCOMPARE(NextFrame(w), 1);
    }

    void staysOnTopWithoutCloseButton_data() { table(); }
    void staysOnTopWithoutCloseButton() {
        QFETCH(AlertKind, kind);
        AlertWindow* w = kind.show();
        QCOMPARE(w->windowTitle(), QStringLiteral("Кварнет "));
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(w->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
    }

    // Escape in an alert the user clicked into (the keyboard is then on its only button)
    // closes it as ОК does, and closes nothing else.
    void escapeInTheAlertCloses_data() { table(); }
    void escapeInTheAlertCloses() {
        QFETCH(AlertKind, kind);
        AlertWindow* w = kind.show();
        QPointer<AlertWindow> alive = w;
        QTest::keyClick(OkButton(w), Qt::Key_Escape);
        QVERIFY(kind.instance() == nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(alive.isNull());
        // Reopened, it starts afresh, and Escape on the alert itself closes it too.
        w = kind.show();
        QCOMPARE(NextFrame(w), 1);
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(kind.instance() == nullptr);
    }

    // The alert stays above without the keyboard, so the window that opened it hands Escape on:
    // CloseOpenAlert closes the open alert and says so, and with none open says there was none.
    void escapeInTheOpenerClosesTheAlertFirst_data() { table(); }
    void escapeInTheOpenerClosesTheAlertFirst() {
        QFETCH(AlertKind, kind);
        QVERIFY(!kind.closeOpen());
        AlertWindow* w = kind.show();
        QVERIFY(w->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(kind.closeOpen());
        QVERIFY(kind.instance() == nullptr && !w->isVisible());
        QVERIFY(!kind.closeOpen());
    }

    // Fourteen 100 ms frames in 1,4 s: the ring goes round and starts again.
    void ringOnTheClock_data() { table(); }
    void ringOnTheClock() {
        QFETCH(AlertKind, kind);
        AlertWindow* w = kind.show();
        const QList<int>& shown = Record(w, kind);
        Elapse(1399ms);
        QCOMPARE(shown, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1}));
        Elapse(1ms);
        QCOMPARE(shown, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}));
        QCOMPARE(NextFrame(w), 3);
    }

    // One alert on the machine's clock, end to end: it opens, its first frames turn on real
    // timers, and OK closes it. The whole ring, wrap included, is timed on the clock above.
    void realTimersAnimate() {
        RealTime realTime;
        const AlertKind& kind = kinds()[1];
        AlertWindow* w = kind.show();
        const QList<int>& shown = Record(w, kind);
        QTRY_VERIFY_WITH_TIMEOUT(shown.size() >= 4, 10000);
        QCOMPARE(shown.mid(0, 4), (QList<int>{1, 2, 3, 4}));
        QVERIFY(NextFrame(w) != 0);
        Close(kind);
        QVERIFY(kind.instance() == nullptr);
    }

    void alertsAreIndependent() {
        AlertWindow* five = ShowAlert(Alert::IncompleteReadings);
        AlertWindow* six = ShowAlert(Alert::OutOfRange);
        QVERIFY(five != six && five->isVisible() && six->isVisible());
        five->onFrameDue();
        QCOMPARE(NextFrame(five), 2);
        QCOMPARE(NextFrame(six), 1);
        Close(kinds()[1]);
        QVERIFY(OpenAlert(Alert::IncompleteReadings) == nullptr);
        QVERIFY(six->isVisible());
        // The other alert's Escape leaves this one open.
        QVERIFY(!CloseOpenAlert(Alert::IncompleteReadings));
        QVERIFY(six->isVisible());
    }

    void cleanupTestCase() {
        for (auto& k : kinds())
            Close(k);
    }

private:
    // The frame shown after every tick; polling could miss a 100 ms frame.
    QList<int> shown_;
    const QList<int>& Record(AlertWindow* w, const AlertKind& kind) {
        shown_.clear();
        connect(w->frameTimer(), &toolkit::Timer::tick, w, [this, w, kind] {
            for (int f = 1; f <= AlertWindow::kFrames; ++f)
                if (Shows(w, kind.frameBase + f)) shown_ << f;
        });
        return shown_;
    }
    static const std::vector<AlertKind>& kinds() {
        static const std::vector<AlertKind> all = {{Alert::MissingValue, 300, {283, 31}},
                                                   {Alert::IncompleteReadings, 400, {302, 24}},
                                                   {Alert::OutOfRange, 500, {296, 23}}};
        return all;
    }
    void table() {
        QTest::addColumn<AlertKind>("kind");
        QTest::newRow("missing value") << kinds()[0];
        QTest::newRow("incomplete readings") << kinds()[1];
        QTest::newRow("out of range") << kinds()[2];
    }
};

KVARNET_TEST_MAIN(TestAlerts)
#include "tst_alerts.moc"
