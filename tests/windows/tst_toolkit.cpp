#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "toolkit/controls.h"
#include "toolkit/fonts.h"
#include "toolkit/forms.h"
#include "toolkit/layout.h"
#include "toolkit/messages.h"
#include "toolkit/window.h"

namespace {

// A window with a default instance, counting its loads.
class Probe : public QWidget {
    Q_OBJECT
public:
    int loads = 0;
    bool addressableWhileLoading = false;
    QString state;
    void Form_Load() {
        ++loads;
        addressableWhileLoading = toolkit::Instance<Probe>() == this;
    }
};

class Opened : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

} // namespace

class ToolkitTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { toolkit::DiscardAll(); }

    void twipsToPixels_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("one pixel") << 15 << 1;
        QTest::newRow("rounds down") << 7 << 0;
        QTest::newRow("rounds up") << 8 << 1;
        QTest::newRow("box") << 200 << 13;
        QTest::newRow("footer top") << 5080 << 339;
        QTest::newRow("client width") << 9000 << 600;
        QTest::newRow("negative") << -120 << -8;
    }
    void twipsToPixels() {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(toolkit::TwipsToPixels(twips), pixels);
    }

    void defaultInstance() {
        QVERIFY(!toolkit::Instance<Probe>());
        Probe* probe = toolkit::Load<Probe>();
        QVERIFY(probe->addressableWhileLoading);
        QCOMPARE(toolkit::Load<Probe>(), probe);
        QCOMPARE(probe->loads, 1);
        QVERIFY(!probe->isVisible()); // loading does not show

        QCOMPARE(toolkit::Show<Probe>(), probe);
        QVERIFY(probe->isVisible());
        QCOMPARE(probe->loads, 1);
        probe->state = QStringLiteral("typed");
        toolkit::Hide<Probe>();
        QVERIFY(!probe->isVisible());
        QCOMPARE(toolkit::Show<Probe>()->state, QStringLiteral("typed"));

        QPointer<Probe> old = probe;
        toolkit::Discard<Probe>();
        QVERIFY(!toolkit::Instance<Probe>());
        QVERIFY(old && !old->isVisible()); // destroyed once back in the event loop
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!old);
        Probe* fresh = toolkit::Show<Probe>();
        QCOMPARE(fresh->loads, 1);
        QVERIFY(fresh->state.isEmpty());
    }

    void discardStopsTimers() {
        Probe* probe = toolkit::Load<Probe>();
        auto* timer = new toolkit::Timer(probe);
        timer->setInterval(10);
        timer->setEnabled(true);
        QSignalSpy ticks(timer, &toolkit::Timer::tick);
        toolkit::Discard<Probe>();
        QTest::qWait(50);
        QCOMPARE(ticks.size(), 0);
    }

    void timer() {
        toolkit::Timer timer;
        auto* inner = timer.findChild<QTimer*>();
        QVERIFY(inner);
        QCOMPARE(inner->timerType(), Qt::PreciseTimer);
        QVERIFY(!timer.isEnabled());
        timer.setInterval(20);
        QVERIFY(!inner->isActive()); // an interval alone starts nothing
        QSignalSpy ticks(&timer, &toolkit::Timer::tick);
        timer.setEnabled(true);
        QVERIFY(timer.isEnabled() && inner->isActive());
        QCOMPARE(inner->interval(), 20);
        QVERIFY(!inner->isSingleShot()); // keeps ticking while enabled
        QVERIFY(ticks.wait(2000));
        QVERIFY(ticks.wait(2000));
        timer.setEnabled(false);
        QVERIFY(!inner->isActive());
        timer.setInterval(0);
        timer.setEnabled(true);
        QVERIFY(timer.isEnabled() && !inner->isActive()); // interval 0 never ticks
    }

    void disableXbutton() {
        QWidget window;
        toolkit::MakeTopmost(&window);
        toolkit::DisableXbutton(&window);
        const Qt::WindowFlags flags = window.windowFlags();
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowStaysOnTopHint); // kept
        QVERIFY(window.testAttribute(Qt::WA_ShowWithoutActivating));
        window.show();
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QCloseEvent event;
        QCoreApplication::sendEvent(&window, &event);
        QVERIFY(!event.isAccepted());
    }

    void labelClick() {
        toolkit::Label label;
        label.resize(50, 20);
        QSignalSpy clicks(&label, &toolkit::Label::clicked);
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(clicks.size(), 1);
        QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(80, 5)); // let go outside
        QCOMPARE(clicks.size(), 1);
    }

    void imageTakesPictureSize() {
        toolkit::Image image;
        image.resize(598, 62);
        QPixmap picture(25, 26);
        picture.fill(Qt::red);
        image.setPicture(picture);
        QCOMPARE(image.size(), QSize(25, 26));
    }

    void lineBetweenPoints() {
        QWidget parent;
        toolkit::Line line(&parent);
        line.setEnds({408, 328}, {408, 232});
        QCOMPARE(line.geometry(), QRect(408, 232, 1, 97));
        QVERIFY(line.testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    void buildLayout() {
        using namespace toolkit;
        static const Control table[] = {
            {"Label1",
             Kind::Label,
             "Window",
             "Надпись",
             150,
             150,
             1500,
             255,
             {},
             qRgb(255, 0, 0),
             kDefault,
             3,
             kTransparent | kCentred,
             {},
             ""},
            {"Frame1",
             Kind::Frame,
             "Window",
             "",
             0,
             0,
             3000,
             3000,
             {},
             kDefault,
             kDefault,
             0,
             0,
             {},
             "Рамка"},
            {"Text2",
             Kind::TextBox,
             "Frame1",
             "1,5",
             15,
             30,
             855,
             285,
             {Face::Sans, 8.25, true},
             kDefault,
             qRgb(0, 64, 0),
             2,
             kCentred,
             {},
             "Второе поле"},
            {"Text1",
             Kind::TextBox,
             "Window",
             "",
             15,
             30,
             855,
             285,
             {},
             kDefault,
             kDefault,
             1,
             0,
             {},
             "Первое поле"},
            {"Text3",
             Kind::TextBox,
             "Window",
             "",
             15,
             600,
             855,
             285,
             {},
             kDefault,
             kDefault,
             0,
             0,
             {},
             "Третье поле"},
            {.name = "Timer1",
             .kind = Kind::Timer,
             .container = "Frame1",
             .flags = kDisabled,
             .interval = 500},
        };
        QWidget window;
        window.setObjectName(QStringLiteral("Window"));
        const Controls controls = BuildLayout(&window, table);
        QCOMPARE(controls.size(), 7);
        auto* label = controls.get<Label>("Label1");
        QCOMPARE(label->geometry(), QRect(10, 10, 100, 17));
        QCOMPARE(label->text(), QStringLiteral("Надпись"));
        QCOMPARE(label->accessibleName(), QStringLiteral("Надпись"));
        QCOMPARE(label->alignment(), Qt::AlignTop | Qt::AlignHCenter);
        QVERIFY(label->wordWrap() && !label->autoFillBackground());
        auto* text2 = controls.get<QLineEdit>("Text2");
        QCOMPARE(text2->parentWidget(), controls.get<QWidget>("Frame1"));
        QCOMPARE(text2->text(), QStringLiteral("1,5"));
        QVERIFY(text2->font().bold());
        QCOMPARE(text2->palette().color(QPalette::Base), QColor(0, 64, 0));
        QCOMPARE(window.children().indexOf(label) > window.children().indexOf(text2->parent()),
                 true);
        auto* text1 = controls.get<QLineEdit>("Text1");
        const auto nextField = [](QWidget* w) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus));
            return w;
        };
        auto* text3 = controls.get<QLineEdit>("Text3");
        QCOMPARE(nextField(text3), text1); // by tab index, not by declaration
        QCOMPARE(nextField(text1), text2);
        QCOMPARE(nextField(text2), text3);
        auto* timer = controls.get<Timer>("Timer1");
        QCOMPARE(timer->interval(), 500);
        QVERIFY(!timer->isEnabled());
    }

    void fonts() {
        QVERIFY(QFile::exists(QStringLiteral(":/fonts/LiberationSans-Regular.ttf")));
        QVERIFY(QFile::exists(QStringLiteral(":/fonts/LiberationSans-Bold.ttf")));
        QVERIFY(QFile::exists(QStringLiteral(":/fonts/LiberationSerif-Regular.ttf")));
        const QFont window = toolkit::WindowFont();
        QCOMPARE(QFontInfo(window).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(window.pixelSize(), 11);
        const QFont small = toolkit::MakeFont({toolkit::Face::Serif, 6.75});
        QCOMPARE(QFontInfo(small).family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(small.pixelSize(), 9);
    }

    void shellOpen() {
        Opened opened;
        for (const char* scheme : {"file", "mailto", "http"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &opened, "open");
        toolkit::ShellOpenFile(toolkit::AppDirectory() + QStringLiteral("/no-such-file.pdf"));
        QVERIFY(opened.urls.isEmpty());
        toolkit::ShellOpenMail(QStringLiteral("a@example.org"), QStringLiteral("Тема"));
        toolkit::ShellOpenAddress(QStringLiteral("www.example.org"));
        QCOMPARE(opened.urls.size(), 2);
        QCOMPARE(opened.urls[0].toString(), QStringLiteral("mailto:a@example.org?Subject=Тема"));
        QCOMPARE(opened.urls[1], QUrl(QStringLiteral("http://www.example.org")));
        for (const char* scheme : {"file", "mailto", "http"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        QVERIFY(!toolkit::AppDirectory().endsWith(QLatin1Char('/')));
    }

    void message() {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Кварнет "));
        toolkit::ShowMessage(&window, QStringLiteral("Первое"));
        toolkit::ShowMessage(&window, QStringLiteral("Второе"));
        const auto boxes = window.findChildren<QMessageBox*>();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0]->text(), QStringLiteral("Второе"));
        QCOMPARE(boxes[0]->windowTitle(), QStringLiteral("Кварнет"));
        QCOMPARE(boxes[0]->windowModality(), Qt::NonModal);
        QVERIFY(boxes[0]->isVisible());
    }
};

QTEST_MAIN(ToolkitTest)
#include "tst_toolkit.moc"
