#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "test_main.h"
#include "windows/alerts/alert_window.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/pictures.h"

// The three alerts share one design; each test runs for all three.
struct AlertKind {
    std::function<AlertWindow*()> show;     // the show request
    std::function<AlertWindow*()> instance; // the default instance, or nullptr
    std::function<bool()> closeOpen;        // the opener's Escape: CloseOpenAlert
    int frameBase;
    QSize frameSize;
};
Q_DECLARE_METATYPE(AlertKind)

using namespace std::chrono_literals;

namespace {

template <typename W> AlertKind KindOf(int base, QSize size) {
    return {[] { return toolkit::Show<W>(); }, [] { return toolkit::Instance<W>(); },
            [] { return CloseOpenAlert<W>(); }, base, size};
}

// The number of the one enabled timer; 0 when none or several are enabled.
int EnabledTimer(const AlertWindow* w) {
    int found = 0;
    for (int k = 1; k <= AlertWindow::kTimers; ++k) {
        if (!w->timer(k)->isEnabled()) continue;
        if (found) return 0;
        found = k;
    }
    return found;
}

bool Shows(const AlertWindow* w, int frame) {
    return w->image()->picture().toImage() == toolkit::LoadBitmap(frame).toImage();
}

void Close(const AlertKind& kind) {
    if (AlertWindow* w = kind.instance()) {
        QTest::mouseClick(w->controls().get<QPushButton>("Command1"), Qt::LeftButton);
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
        QVERIFY(w->image()->picture().isNull());
        QCOMPARE(EnabledTimer(w), 1);
        // Two full turns of the ring, ticked by hand: timer K shows frame K and hands over.
        for (int step = 0; step < 2 * AlertWindow::kTimers + 1; ++step) {
            int k = step % AlertWindow::kTimers + 1;
            QCOMPARE(EnabledTimer(w), k);
            w->TimerK_Timer(k);
            QVERIFY2(Shows(w, kind.frameBase + k), qPrintable(QString::number(kind.frameBase + k)));
            QCOMPARE(w->image()->size(), kind.frameSize);
            QCOMPARE(EnabledTimer(w), k % AlertWindow::kTimers + 1);
        }
    }

    void secondShowRequestKeepsTheAnimation_data() { table(); }
    void secondShowRequestKeepsTheAnimation() {
        QFETCH(AlertKind, kind);
        AlertWindow* w = kind.show();
        for (int k = 1; k <= 3; ++k)
            w->TimerK_Timer(k);
        QCOMPARE(kind.show(), w);
        QCOMPARE(EnabledTimer(w), 4);
        QVERIFY(Shows(w, kind.frameBase + 3));
    }

    void okDiscardsAndReopeningStartsAfresh_data() { table(); }
    void okDiscardsAndReopeningStartsAfresh() {
        QFETCH(AlertKind, kind);
        AlertWindow* w = kind.show();
        for (int k = 1; k <= 5; ++k)
            w->TimerK_Timer(k);
        Close(kind);
        QVERIFY(kind.instance() == nullptr);
        w = kind.show();
        QVERIFY(w->image()->picture().isNull());
        QCOMPARE(EnabledTimer(w), 1);
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
        QTest::keyClick(w->controls().get<QPushButton>("Command1"), Qt::Key_Escape);
        QVERIFY(kind.instance() == nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(alive.isNull());
        // Reopened, it starts afresh, and Escape on the alert itself closes it too.
        w = kind.show();
        QCOMPARE(EnabledTimer(w), 1);
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
        QCOMPARE(EnabledTimer(w), 3);
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
        QVERIFY(EnabledTimer(w) != 0);
        Close(kind);
        QVERIFY(kind.instance() == nullptr);
    }

    void alertsAreIndependent() {
        AlertWindow* five = toolkit::Show<Form5>();
        AlertWindow* six = toolkit::Show<Form6>();
        QVERIFY(five != six && five->isVisible() && six->isVisible());
        five->TimerK_Timer(1);
        QCOMPARE(EnabledTimer(five), 2);
        QCOMPARE(EnabledTimer(six), 1);
        Close(kinds()[1]);
        QVERIFY(toolkit::Instance<Form5>() == nullptr);
        QVERIFY(six->isVisible());
        QVERIFY(!CloseOpenAlert<Form5>()); // the other alert's Escape leaves this one open
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
        for (int k = 1; k <= AlertWindow::kTimers; ++k)
            connect(w->timer(k), &toolkit::Timer::tick, w, [this, w, kind] {
                for (int f = 1; f <= AlertWindow::kTimers; ++f)
                    if (Shows(w, kind.frameBase + f)) shown_ << f;
            });
        return shown_;
    }
    static const std::vector<AlertKind>& kinds() {
        static const std::vector<AlertKind> all = {KindOf<Form3>(300, {283, 31}),
                                                   KindOf<Form5>(400, {302, 24}),
                                                   KindOf<Form6>(500, {296, 23})};
        return all;
    }
    void table() {
        QTest::addColumn<AlertKind>("kind");
        QTest::newRow("Form3") << kinds()[0];
        QTest::newRow("Form5") << kinds()[1];
        QTest::newRow("Form6") << kinds()[2];
    }
};

KVARNET_TEST_MAIN(TestAlerts)
#include "tst_alerts.moc"
