#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>

#include "opened.h"
#include "test_main.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/events.h"
#include "windows/toolkit/fonts.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/layout.h"
#include "windows/toolkit/messages.h"
#include "windows/toolkit/window.h"

using namespace std::chrono_literals;

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

} // namespace

class ToolkitTest : public QObject {
    Q_OBJECT
    toolkit::clock::Clock::time_point start_;
    // Milliseconds on the timers' clock from the start of the test.
    qint64 Since(toolkit::clock::Clock::time_point t) const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(t - start_).count();
    }

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
        Elapse(50ms);
        QCOMPARE(ticks.size(), 0);
    }

    void timer() {
        RealTime realTime;
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
        QVERIFY(ticks.wait(2000));
        QVERIFY(ticks.wait(2000)); // keeps ticking while enabled
        timer.setEnabled(false);
        QVERIFY(!inner->isActive());
        timer.setInterval(0);
        timer.setEnabled(true);
        QVERIFY(timer.isEnabled() && !inner->isActive()); // interval 0 never ticks
    }

    // A timer enabled by a tick handler is due one interval after that tick was due, however
    // long the handler worked; enabled anywhere else, one interval after it was enabled; and
    // a timer that stays enabled keeps its schedule.
    void timerSchedule() {
        RealTime realTime;
        using Clock = toolkit::Timer::Clock;
        using std::chrono::milliseconds;
        toolkit::Timer a, b;
        a.setInterval(30);
        b.setInterval(50);
        const Clock::time_point before = Clock::now();
        a.setEnabled(true);
        QVERIFY(a.due() >= before + milliseconds(30));
        QVERIFY(a.due() <= Clock::now() + milliseconds(30));
        Clock::time_point aDue, aNext;
        QObject::connect(&a, &toolkit::Timer::tick, &a, [&] {
            aDue = a.due() - milliseconds(30); // the tick running now
            aNext = a.due();
            QThread::msleep(20); // slow work in the handler
            b.setEnabled(true);
            a.setEnabled(false);
        });
        const Clock::time_point firstDue = a.due();
        QSignalSpy bTicks(&b, &toolkit::Timer::tick);
        QVERIFY(bTicks.wait(2000));
        QCOMPARE(aDue, firstDue);
        QCOMPARE(aNext, firstDue + milliseconds(30));
        QVERIFY(!a.isEnabled());
        // b counted from a's due time, not from the end of the handler 20 ms later.
        QCOMPARE(b.due(), firstDue + milliseconds(50) + milliseconds(50));
        b.setEnabled(false);
    }

    // On the manual clock, time passes only when the test says so, and then every tick due on
    // the way comes in order of due time, a timer enabled by a tick counting from that tick,
    // with what the tick posted delivered before the next one.
    void manualClock() {
        using namespace std::chrono;
        toolkit::Timer a, b, c;
        a.setInterval(30);
        b.setInterval(50);
        c.setInterval(40);
        QStringList order;
        QObject::connect(&a, &toolkit::Timer::tick, &a, [&] {
            order << QStringLiteral("a@%1").arg(Since(a.due() - milliseconds(30)));
            QMetaObject::invokeMethod(
                &a, [&] { order << QStringLiteral("posted"); }, Qt::QueuedConnection);
            if (order.size() > 4) {
                a.setEnabled(false);
                b.setEnabled(true); // due 50 ms after this tick was due
            }
        });
        QObject::connect(&b, &toolkit::Timer::tick, &b, [&] {
            order << QStringLiteral("b@%1").arg(Since(b.due() - milliseconds(50)));
            b.setEnabled(false);
        });
        QObject::connect(&c, &toolkit::Timer::tick, &c, [&] { order << QStringLiteral("c"); });
        start_ = toolkit::clock::Now();
        a.setEnabled(true);
        c.setEnabled(true);
        c.setEnabled(false);
        QTest::qWait(80); // the machine's time is not the timers' time
        QVERIFY(order.isEmpty());
        Elapse(59ms);
        QCOMPARE(order, QStringList({"a@30", "posted"}));
        Elapse(1ms);
        QCOMPARE(order, QStringList({"a@30", "posted", "a@60", "posted"}));
        Elapse(200ms);
        QCOMPARE(order,
                 QStringList({"a@30", "posted", "a@60", "posted", "a@90", "posted", "b@140"}));
        QCOMPARE(toolkit::clock::Now() - start_, milliseconds(260));
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

    // Return and Enter, the keypad's too, press a focused push button as Space does, with or
    // without a picture; with Ctrl or Alt they are shortcuts, not presses.
    void returnPressesButtons_data() {
        QTest::addColumn<bool>("picture");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("clicks");
        const Qt::KeyboardModifiers none = Qt::NoModifier, keypad = Qt::KeypadModifier;
        QTest::newRow("caption, Return") << false << int(Qt::Key_Return) << none << 1;
        QTest::newRow("caption, Enter") << false << int(Qt::Key_Enter) << none << 1;
        QTest::newRow("caption, keypad Enter") << false << int(Qt::Key_Enter) << keypad << 1;
        QTest::newRow("caption, Space") << false << int(Qt::Key_Space) << none << 1;
        QTest::newRow("picture, Return") << true << int(Qt::Key_Return) << none << 1;
        QTest::newRow("picture, Enter") << true << int(Qt::Key_Enter) << none << 1;
        QTest::newRow("picture, keypad Enter") << true << int(Qt::Key_Enter) << keypad << 1;
        QTest::newRow("caption, Ctrl+Return")
            << false << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
        QTest::newRow("caption, letter") << false << int(Qt::Key_A) << none << 0;
    }
    void returnPressesButtons() {
        QFETCH(bool, picture);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, clicks);
        QWidget window;
        QPushButton* button = picture ? new toolkit::PictureButton(&window)
                                      : new toolkit::PushButton(QStringLiteral("Старт"), &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        button->setFocus();
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        QTest::keyClick(button, Qt::Key(key), modifiers);
        QCOMPARE(clicked.size(), clicks);
    }

    // Screen readers hear an option button as one, not as a check box, and can select it; a
    // link label is a link they can follow.
    void optionButtonsAndLinksForScreenReaders() {
        using namespace toolkit;
        static const Control table[] = {
            {.name = "firstOption",
             .kind = Kind::OptionButton,
             .container = "Window",
             .width = 200,
             .height = 200,
             .tab = 0,
             .access = "Без нагрузки"},
            {.name = "secondOption",
             .kind = Kind::OptionButton,
             .container = "Window",
             .top = 300,
             .width = 200,
             .height = 200,
             .tab = 1,
             .access = "С нагрузкой"},
            {.name = "firstLabel",
             .kind = Kind::Label,
             .container = "Window",
             .caption = "Пример",
             .left = 600,
             .width = 1500,
             .height = 300,
             .flags = kHandCursor},
            {.name = "secondLabel",
             .kind = Kind::Label,
             .container = "Window",
             .caption = "Подпись",
             .left = 600,
             .top = 400,
             .width = 1500,
             .height = 300},
        };
        QWidget window;
        window.setObjectName(QStringLiteral("Window"));
        const Controls controls = BuildLayout(&window, table);
        auto* o1 = controls.get<OptionButton>(QStringLiteral("firstOption"));
        auto* o2 = controls.get<OptionButton>(QStringLiteral("secondOption"));
        o1->setChecked(true);

        QAccessibleInterface* option = QAccessible::queryAccessibleInterface(o2);
        QVERIFY(option);
        QCOMPARE(option->role(), QAccessible::RadioButton);
        QCOMPARE(option->text(QAccessible::Name), QStringLiteral("С нагрузкой"));
        QVERIFY(option->state().checkable && !option->state().checked);
        QVERIFY(option->actionInterface());
        QVERIFY(option->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        option->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(o2->isChecked() && !o1->isChecked()); // the group holds
        QVERIFY(option->state().checked);

        QAccessibleInterface* link = QAccessible::queryAccessibleInterface(
            controls.get<Label>(QStringLiteral("firstLabel")));
        QVERIFY(link);
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), QStringLiteral("Пример"));
        QSignalSpy followed(controls.get<Label>(QStringLiteral("firstLabel")), &Label::clicked);
        QVERIFY(link->actionInterface());
        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(followed.size(), 1);

        QCOMPARE(QAccessible::queryAccessibleInterface(
                     controls.get<Label>(QStringLiteral("secondLabel")))
                     ->role(),
                 QAccessible::StaticText); // a plain label stays one
    }

    // Typing into an editable combo box keeps what is typed: "0" never becomes a listed "0,8".
    void comboBoxDoesNotComplete() {
        using namespace toolkit;
        static const char* const items[] = {"0,8", "0,7"};
        static const Control table[] = {
            {.name = "combo",
             .kind = Kind::ComboBox,
             .container = "Window",
             .width = 1500,
             .height = 315,
             .tab = 0,
             .items = items},
        };
        QWidget window;
        window.setObjectName(QStringLiteral("Window"));
        const Controls controls = BuildLayout(&window, table);
        auto* combo = controls.get<QComboBox>(QStringLiteral("combo"));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        combo->setFocus();
        QTest::keyClicks(combo, QStringLiteral("0"));
        QCOMPARE(combo->currentText(), QStringLiteral("0"));
        QTest::keyClick(combo, Qt::Key_Tab);
        QCOMPARE(combo->currentText(), QStringLiteral("0"));
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
        // clang-format off
        static const Control table[] = {
        // name      kind           in        caption    left top   width height font                     text             back            tab flags                    picture accessible name
        {"firstLabel",  Kind::Label,   "Window", "Надпись",  150, 150, 1500,  255, {},                      qRgb(255, 0, 0), kDefault,        3, kTransparent | kCentred, {}, ""},
        {"frame",  Kind::Frame,   "Window", "",           0,   0, 3000, 3000, {},                      kDefault,        kDefault,        0, 0,                       {}, "Рамка"},
        {"secondField",   Kind::TextBox, "frame", "1,5",       15,  30,  855,  285, {Face::Sans, 8.25, true}, kDefault,       qRgb(0, 64, 0),  2, kCentred,                {}, "Второе поле"},
        {"firstField",   Kind::TextBox, "Window", "",          15,  30,  855,  285, {},                      kDefault,        kDefault,        1, 0,                       {}, "Первое поле"},
        {"thirdField",   Kind::TextBox, "Window", "",          15, 600,  855,  285, {},                      kDefault,        kDefault,        0, 0,                       {}, "Третье поле"},
        {.name = "timer", .kind = Kind::Timer, .container = "frame", .flags = kDisabled, .interval = 500},
        };
        // clang-format on
        QWidget window;
        window.setObjectName(QStringLiteral("Window"));
        const Controls controls = BuildLayout(&window, table);
        QCOMPARE(controls.size(), 7);
        auto* label = controls.get<Label>("firstLabel");
        QCOMPARE(label->geometry(), QRect(10, 10, 100, 17));
        QCOMPARE(label->text(), QStringLiteral("Надпись"));
        QCOMPARE(label->accessibleName(), QStringLiteral("Надпись"));
        QCOMPARE(label->alignment(), Qt::AlignTop | Qt::AlignHCenter);
        QVERIFY(label->wordWrap() && !label->autoFillBackground());
        auto* text2 = controls.get<QLineEdit>("secondField");
        QCOMPARE(text2->parentWidget(), controls.get<QWidget>("frame"));
        QCOMPARE(text2->text(), QStringLiteral("1,5"));
        QVERIFY(text2->font().bold());
        QCOMPARE(text2->palette().color(QPalette::Base), QColor(0, 64, 0));
        QCOMPARE(window.children().indexOf(label) > window.children().indexOf(text2->parent()),
                 true);
        auto* text1 = controls.get<QLineEdit>("firstField");
        const auto nextField = [](QWidget* w) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus));
            return w;
        };
        auto* text3 = controls.get<QLineEdit>("thirdField");
        QCOMPARE(nextField(text3), text1); // by tab index, not by declaration
        QCOMPARE(nextField(text1), text2);
        QCOMPARE(nextField(text2), text3);
        auto* timer = controls.get<Timer>("timer");
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

    // Two groups, one in a frame inside the window: Qt's per-parent exclusivity would let
    // a click in one clear the other. Here a click clears only its own group, a click on the
    // selected button keeps it, and every button is a tab stop.
    void optionGroups() {
        using namespace toolkit;
        static const Control table[] = {
            {.name = "frame",
             .kind = Kind::Frame,
             .container = "Window",
             .width = 3000,
             .height = 1500,
             .tab = 0},
            {.name = "firstOption",
             .kind = Kind::OptionButton,
             .container = "frame",
             .left = 120,
             .top = 120,
             .width = 200,
             .height = 200,
             .tab = 1},
            {.name = "secondOption",
             .kind = Kind::OptionButton,
             .container = "frame",
             .left = 120,
             .top = 600,
             .width = 200,
             .height = 200,
             .tab = 2},
            {.name = "thirdOption",
             .kind = Kind::OptionButton,
             .container = "Window",
             .left = 3600,
             .top = 120,
             .width = 200,
             .height = 200,
             .tab = 3},
            {.name = "fourthOption",
             .kind = Kind::OptionButton,
             .container = "Window",
             .left = 3600,
             .top = 600,
             .width = 200,
             .height = 200,
             .tab = 4},
        };
        QWidget window;
        window.setObjectName(QStringLiteral("Window"));
        window.resize(400, 200);
        const Controls controls = BuildLayout(&window, table);
        auto* o1 = controls.get<OptionButton>(QStringLiteral("firstOption"));
        auto* o2 = controls.get<OptionButton>(QStringLiteral("secondOption"));
        auto* o3 = controls.get<OptionButton>(QStringLiteral("thirdOption"));
        auto* o4 = controls.get<OptionButton>(QStringLiteral("fourthOption"));
        QCOMPARE(controls.group(QStringLiteral("frame"))->buttons(),
                 (std::vector<OptionButton*>{o1, o2}));
        QCOMPARE(controls.group(QStringLiteral("Window"))->buttons(),
                 (std::vector<OptionButton*>{o3, o4}));
        // The others are already cleared when the selected button's handler runs.
        QStringList seen;
        OnClick(o2, &window, [&] { seen << QString::number(o1->isChecked()); });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        o1->setChecked(true);
        QTest::mouseClick(o3, Qt::LeftButton);
        QVERIFY(o1->isChecked() && o3->isChecked());
        QTest::mouseClick(o3, Qt::LeftButton); // already selected: stays
        QVERIFY(o3->isChecked() && !o4->isChecked() && o1->isChecked());
        QTest::mouseClick(o2, Qt::LeftButton);
        QVERIFY(o2->isChecked() && !o1->isChecked() && o3->isChecked());
        QCOMPARE(seen, QStringList({"0"}));
        o4->setChecked(true); // from code, the same
        QVERIFY(o4->isChecked() && !o3->isChecked() && o2->isChecked());
        QCOMPARE(controls.group(QStringLiteral("Window"))->selected(), o4);

        o1->setFocus();
        QStringList chain;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            chain << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(chain,
                 QStringList({"secondOption", "thirdOption", "fourthOption", "firstOption"}));
    }

    // Items declared with the control; a list's click handler runs for picks made from code
    // too, a combo box's only for the user's pick from its list.
    void itemsAndPicks() {
        using namespace toolkit;
        static const char* const items[] = {"один", "два", "три"};
        static const Control table[] = {
            {.name = "list",
             .kind = Kind::ListBox,
             .container = "Window",
             .width = 1500,
             .height = 900,
             .tab = 0,
             .items = items},
            {.name = "combo",
             .kind = Kind::ComboBox,
             .container = "Window",
             .caption = "",
             .top = 1200,
             .width = 1500,
             .height = 315,
             .tab = 1,
             .items = items},
        };
        QWidget window;
        window.setObjectName(QStringLiteral("Window"));
        const Controls controls = BuildLayout(&window, table);
        auto* list = controls.get<QListWidget>(QStringLiteral("list"));
        auto* combo = controls.get<QComboBox>(QStringLiteral("combo"));
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(2)->text(), QStringLiteral("три"));
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->currentText(), QString()); // nothing picked at creation
        int listClicks = 0, comboClicks = 0;
        OnClick(list, &window, [&] { ++listClicks; });
        OnClick(combo, &window, [&] { ++comboClicks; });
        list->setCurrentRow(1);
        QCOMPARE(listClicks, 1);
        list->clear(); // no item picked: no click
        QCOMPARE(listClicks, 1);
        combo->setCurrentIndex(2);
        combo->setEditText(QStringLiteral("два"));
        QCOMPARE(comboClicks, 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(0, 0)).center());
        QCOMPARE(comboClicks, 1);
        QCOMPARE(combo->currentText(), QStringLiteral("один"));
    }

    // Every write of the chain runs the change handler, even with the text already there.
    void writeText() {
        QLineEdit field;
        int changes = 0;
        toolkit::OnChange(&field, &field, [&] { ++changes; });
        toolkit::WriteText(&field, QStringLiteral("0"));
        toolkit::WriteText(&field, QStringLiteral("0"));
        QCOMPARE(changes, 2);
        field.setText(QStringLiteral("0")); // a plain write of the same text stays silent
        QCOMPARE(changes, 2);
    }

    // An embedded window keeps its place, counted from its new parent's client area, stays
    // hidden until shown, is raised above the parent's controls, and Tab goes round its own
    // controls only.
    void embeddedWindow() {
        QWidget parent;
        parent.resize(400, 300);
        auto* below = new QLineEdit(&parent);
        below->setObjectName(QStringLiteral("below"));
        auto* child = new QWidget;
        auto* a = new QLineEdit(child);
        auto* b = new QLineEdit(child);
        a->setObjectName(QStringLiteral("a"));
        b->setObjectName(QStringLiteral("b"));
        b->move(0, 40);
        child->move(10, 20);
        toolkit::EmbedWindow(child, &parent);
        QCOMPARE(child->parentWidget(), &parent);
        QVERIFY(!child->isWindow());
        QCOMPARE(child->pos(), QPoint(10, 20));
        parent.show();
        QVERIFY(QTest::qWaitForWindowActive(&parent));
        QVERIFY(child->isHidden());
        child->show();
        a->setFocus();
        QVERIFY(toolkit::FocusNextWithin(child, true));
        QCOMPARE(QApplication::focusWidget(), b);
        QVERIFY(toolkit::FocusNextWithin(child, true));
        QCOMPARE(QApplication::focusWidget(), a);
        QVERIFY(toolkit::FocusNextWithin(child, false));
        QCOMPARE(QApplication::focusWidget(), b);
    }

    // Discarding every window from a handler of one of them (an exit button) leaves that
    // window alive until its handler has returned; outside any handler they go at once.
    void discardAllFromAHandler() {
        Probe* probe = toolkit::Show<Probe>();
        auto* button = new QPushButton(QStringLiteral("Выход"), probe);
        bool aliveInHandler = false;
        toolkit::OnClick(button, probe, [&] {
            QPointer<Probe> self(probe);
            toolkit::DiscardAll();
            aliveInHandler = !self.isNull() && self->isHidden();
            self->state = QStringLiteral("still usable"); // what a handler may do after it
        });
        QPointer<Probe> watched(probe);
        QVERIFY(QTest::qWaitForWindowExposed(probe));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(aliveInHandler);
        QVERIFY(!toolkit::Instance<Probe>()); // the name stands for no window at once
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!watched);

        QPointer<Probe> second(toolkit::Load<Probe>());
        toolkit::DiscardAll();
        QVERIFY(!second); // outside a handler: at once
    }

    // A discarded window's timers report disabled, and a new interval does not start them.
    void discardedTimersStayOff() {
        Probe* probe = toolkit::Load<Probe>();
        auto* timer = new toolkit::Timer(probe);
        timer->setInterval(10);
        timer->setEnabled(true);
        QPointer<toolkit::Timer> alive(timer);
        toolkit::Discard<Probe>();
        QVERIFY(alive && !alive->isEnabled());
        alive->setInterval(20);
        QVERIFY(!alive->findChild<QTimer*>()->isActive());
    }

    // A box closed in this turn of the event loop waits for deletion; the next message
    // must still be seen.
    void messageAfterClosedBox() {
        QWidget window;
        toolkit::ShowMessage(&window, QStringLiteral("Первое"));
        auto* first = window.findChild<QMessageBox*>();
        first->accept();
        toolkit::ShowMessage(&window, QStringLiteral("Второе"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const auto boxes = window.findChildren<QMessageBox*>();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0]->text(), QStringLiteral("Второе"));
        QVERIFY(boxes[0]->isVisible());
    }

    // A label too small for its caption offers the whole caption on hover.
    void cutCaptionInTooltip() {
        using namespace toolkit;
        static const Control table[] = {
            {.name = "Short",
             .kind = Kind::Label,
             .container = "Window",
             .caption = "Да",
             .width = 1500,
             .height = 255},
            {.name = "Long",
             .kind = Kind::Label,
             .container = "Window",
             .caption = "Скорость в км/ч в начале торможения",
             .top = 300,
             .width = 1500,
             .height = 255},
        };
        QWidget window;
        window.setObjectName(QStringLiteral("Window"));
        const Controls controls = BuildLayout(&window, table);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto hover = [](Label* label) {
            // Qt hides a tooltip after a delay; this test does not wait for it.
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->objectName() == QLatin1String("qtooltip_label")) top->hide();
            QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), label->mapToGlobal(QPoint(5, 5)));
            QCoreApplication::sendEvent(label, &event);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(hover(controls.get<Label>(QStringLiteral("Short"))), QString());
        QCOMPARE(hover(controls.get<Label>(QStringLiteral("Long"))),
                 QStringLiteral("Скорость в км/ч в начале торможения"));
        // A caption changed to one that fits needs no tooltip any more.
        controls.get<Label>(QStringLiteral("Long"))->setText(QStringLiteral("Скорость"));
        QCOMPARE(hover(controls.get<Label>(QStringLiteral("Long"))), QString());
    }

    // The file dialog and the text fields' menus speak Russian like the rest of the program.
    void russianQtTexts() {
        QVERIFY(toolkit::UseRussianQtTexts());
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"),
                 QStringLiteral("Сохранить как"));
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

KVARNET_TEST_MAIN(ToolkitTest)
#include "tst_toolkit.moc"
