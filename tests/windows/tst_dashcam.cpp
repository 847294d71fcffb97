#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <memory>

#include "find_control.h"
#include "layout_check.h"
#include "test_main.h"
#include "undo.h"
#include "windows/alerts/alert_window.h"
#include "windows/app_windows.h"
#include "windows/dashcam/dashcam_layout.h"
#include "windows/dashcam/dashcam_window.h"
#include "windows/main/main_window.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/fonts.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/layout.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"

namespace {

// Start reading, end reading (hours, minutes, seconds) and the distance, as typed.
struct Readings {
    QString startH, startM, startS, endH, endM, endS, distance;
};

} // namespace

Q_DECLARE_METATYPE(Readings)

namespace {

const Readings kTenSeconds{"10", "20", "30", "10", "20", "40", "35"};
const QString kUntouched = QStringLiteral("не тронуто");

bool SamePicture(const QPixmap& a, const QPixmap& b) {
    return !a.isNull() && a.toImage().convertToFormat(QImage::Format_ARGB32) ==
                              b.toImage().convertToFormat(QImage::Format_ARGB32);
}

bool HasCyrillic(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
}

// The seven inputs as typed, in the order the window shows them.
QStringList InputTexts(const DashcamWindow* form) {
    QStringList texts;
    for (const char* name :
         {"startHours", "startMinutes", "startSeconds", "endHours", "endMinutes", "endSeconds"})
        texts << Find<QComboBox>(form, name)->currentText();
    return texts << Find<QLineEdit>(form, "distance")->text();
}

// The results: what a calculation writes.
QStringList Written(const DashcamWindow* form) {
    QStringList texts;
    for (const char* name : {"elapsedHours", "elapsedMinutes", "elapsedSeconds", "speed"})
        texts << Find<QLineEdit>(form, name)->text();
    return texts;
}

// Copies the calculation as the user does, with the window's keys; what the clipboard holds.
QString CopiedRecord(DashcamWindow* form) {
    QApplication::clipboard()->setText(kUntouched);
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form)) return QStringLiteral("окно не активно");
    QTest::keyClick(form, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    return QApplication::clipboard()->text();
}

} // namespace

class DashcamTest : public QObject {
    Q_OBJECT
    std::unique_ptr<AppWindows> app;
    MainWindow* main = nullptr;

    // Opens the dashcam window the way the user does, from the main window's link.
    DashcamWindow* Open() {
        QTest::mouseClick(Find<toolkit::Label>(main, "dashcamLink"), Qt::LeftButton);
        return app->Dashcam();
    }

    static void Type(QComboBox* combo, const QString& text) {
        combo->clearEditText();
        QTest::keyClicks(combo, text);
        QCOMPARE(combo->currentText(), text);
    }
    static void Type(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
        QCOMPARE(field->text(), text);
    }
    static void TypeReadings(DashcamWindow* form, const Readings& r) {
        Type(Find<QComboBox>(form, "startHours"), r.startH);
        Type(Find<QComboBox>(form, "startMinutes"), r.startM);
        Type(Find<QComboBox>(form, "startSeconds"), r.startS);
        Type(Find<QComboBox>(form, "endHours"), r.endH);
        Type(Find<QComboBox>(form, "endMinutes"), r.endM);
        Type(Find<QComboBox>(form, "endSeconds"), r.endS);
        Type(Find<QLineEdit>(form, "distance"), r.distance);
    }
    static QStringList Shown(const DashcamWindow* form) {
        return {Find<QLineEdit>(form, "elapsedHours")->text(),
                Find<QLineEdit>(form, "elapsedMinutes")->text(),
                Find<QLineEdit>(form, "elapsedSeconds")->text(),
                Find<QLineEdit>(form, "speed")->text()};
    }
    static bool NoAlert() {
        return !OpenAlert(Alert::IncompleteReadings) && !OpenAlert(Alert::OutOfRange);
    }
    static QMessageBox* Message(const DashcamWindow* form) {
        return form->findChild<QMessageBox*>(QStringLiteral("Message"));
    }

    // Старт and the whole run, at the end of which the main window calculates.
    void Calculate() {
        Find<QPushButton>(main, "startButton")->click();
        Elapse(std::chrono::seconds(3));
    }

private slots:
    void init() {
        app = std::make_unique<AppWindows>();
        main = app->Main();
    }
    void cleanup() {
        const QPointer<DashcamWindow> dashcam(app->Dashcam());
        app.reset();
        toolkit::DiscardAll();
        QVERIFY(!dashcam);
    }

    void startState() {
        DashcamWindow* form = Open();
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->windowTitle(),
                 QStringLiteral("Кварнет. Расчет скорости по данным видеорегистратора"));
        QCOMPARE(form->size(), QSize(582, 290));
        QVERIFY(SamePicture(form->windowIcon().pixmap(32, 32), toolkit::AppIcon().pixmap(32, 32)));
        QVERIFY(form->isWindow() && !form->parentWidget());
        // Centred before its first showing, when the window frame is not known yet.
        const QPoint offCentre =
            form->geometry().center() - form->screen()->availableGeometry().center();
        const QPoint frame = form->geometry().topLeft() - form->pos();
        QVERIFY2(qAbs(offCentre.x()) <= frame.x() + 1 && qAbs(offCentre.y()) <= frame.y() + 1,
                 qPrintable(QStringLiteral("%1, %2").arg(offCentre.x()).arg(offCentre.y())));

        for (QComboBox* combo :
             {Find<QComboBox>(form, "endHours"), Find<QComboBox>(form, "endMinutes"),
              Find<QComboBox>(form, "endSeconds"), Find<QComboBox>(form, "startHours"),
              Find<QComboBox>(form, "startMinutes"), Find<QComboBox>(form, "startSeconds")}) {
            QVERIFY(combo->isEditable());
            QCOMPARE(combo->currentText(), QString());
        }
        for (QLineEdit* field :
             {Find<QLineEdit>(form, "distance"), Find<QLineEdit>(form, "elapsedHours"),
              Find<QLineEdit>(form, "elapsedMinutes"), Find<QLineEdit>(form, "elapsedSeconds"),
              Find<QLineEdit>(form, "speed")})
            QCOMPARE(field->text(), QString());
        // No hidden control holds state: every field and box of the window is on the screen.
        for (const QWidget* control : form->findChildren<QWidget*>())
            if (qobject_cast<const QLineEdit*>(control) || qobject_cast<const QGroupBox*>(control))
                QVERIFY2(control->isVisible(), qPrintable(control->objectName()));
        QCOMPARE(form->focusWidget(), Find<QComboBox>(form, "startHours"));
        QVERIFY(NoAlert());

        // The main window is left as it was, and nothing of the first click is an error.
        QVERIFY(Find<QLineEdit>(main, "skidOrSpeed")->text().isEmpty() && !main->Record());
    }

    // Each list holds every value its reading takes and no other: hours from "0" to "23" at the
    // start and to "24" at the end (a recording past midnight), minutes and seconds to "59".
    void clockLists_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("last");
        QTest::newRow("end hours") << "endHours" << 24;
        QTest::newRow("end minutes") << "endMinutes" << 59;
        QTest::newRow("end seconds") << "endSeconds" << 59;
        QTest::newRow("start hours") << "startHours" << 23;
        QTest::newRow("start minutes") << "startMinutes" << 59;
        QTest::newRow("start seconds") << "startSeconds" << 59;
    }
    void clockLists() {
        QFETCH(QString, name);
        QFETCH(int, last);
        DashcamWindow* form = Open();
        auto* combo = form->findChild<QComboBox*>(name);
        QVERIFY(combo);
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QStringList expected;
        for (int n = 0; n <= last; ++n)
            expected << QString::number(n);
        QCOMPARE(items, expected);
        QCOMPARE(combo->currentIndex(), -1);
    }

    // Every row of the table is a control of its kind, in its container, where the table puts
    // it, with its font, colours and a Russian accessible name; resizing moves none of them.
    void everyControlAsDeclared() {
        DashcamWindow* form = Open();
        const auto table = DashcamLayout();
        const QSize grown(800, 500);
        for (bool resized : {false, true}) {
            if (resized) form->resize(grown);
            for (const toolkit::Control& c : table) {
                const QString name = QString::fromUtf8(c.name);
                auto* widget = form->findChild<QWidget*>(name);
                QVERIFY2(widget, qPrintable(name));
                QCOMPARE(widget->parentWidget()->objectName(), QString::fromUtf8(c.container));
                using toolkit::TwipsToPixels;
                if (c.kind == toolkit::Kind::Line) {
                    auto* line = qobject_cast<toolkit::Line*>(widget);
                    QVERIFY2(line, qPrintable(name));
                    QCOMPARE(line->from(), QPoint(TwipsToPixels(c.left), TwipsToPixels(c.top)));
                    QCOMPARE(line->to(), QPoint(TwipsToPixels(c.width), TwipsToPixels(c.height)));
                    QCOMPARE(line->color(), QColor(255, 0, 0));
                    QCOMPARE(line->lineWidth(), name == QStringLiteral("elapsedRule") ? 1 : 2);
                } else {
                    QCOMPARE(widget->geometry(),
                             QRect(TwipsToPixels(c.left), TwipsToPixels(c.top),
                                   TwipsToPixels(c.width), TwipsToPixels(c.height)));
                    const QFont font = toolkit::MakeFont(c.font);
                    QCOMPARE(widget->font().pixelSize(), font.pixelSize());
                    QCOMPARE(widget->font().bold(), font.bold());
                    QCOMPARE(widget->font().underline(), font.underline());
                }
                QVERIFY2(HasCyrillic(widget->accessibleName()),
                         qPrintable(name + ": " + widget->accessibleName()));
                if (c.kind == toolkit::Kind::Label) {
                    auto* label = qobject_cast<toolkit::Label*>(widget);
                    QVERIFY(label && !label->autoFillBackground()); // the marsh shows through
                    QCOMPARE(label->text(), QString::fromUtf8(c.caption));
                    QCOMPARE(label->palette().color(QPalette::WindowText), QColor::fromRgb(c.text));
                }
            }
        }
        QCOMPARE(form->size(), grown);
    }

    void resultsAndLinkLook() {
        DashcamWindow* form = Open();
        for (QLineEdit* result :
             {Find<QLineEdit>(form, "elapsedHours"), Find<QLineEdit>(form, "elapsedMinutes"),
              Find<QLineEdit>(form, "elapsedSeconds"), Find<QLineEdit>(form, "speed")}) {
            QCOMPARE(result->palette().color(QPalette::Text), QColor(255, 0, 0));
            QCOMPARE(result->alignment(), Qt::AlignCenter);
        }
        QVERIFY(Find<QLineEdit>(form, "speed")->font().bold() &&
                !Find<QLineEdit>(form, "elapsedHours")->font().bold());
        QCOMPARE(Find<toolkit::Label>(form, "exampleVideoLink")->text(),
                 QStringLiteral("Пример работы с программой"));
        QCOMPARE(
            Find<toolkit::Label>(form, "exampleVideoLink")->palette().color(QPalette::WindowText),
            QColor(0, 0, 192));
        QVERIFY(Find<toolkit::Label>(form, "exampleVideoLink")->font().bold() &&
                Find<toolkit::Label>(form, "exampleVideoLink")->font().underline());
        QCOMPARE(Find<toolkit::Label>(form, "exampleVideoLink")->font().pixelSize(), 13); // 9.75 pt
        QCOMPARE(Find<toolkit::Label>(form, "exampleVideoLink")->cursor().shape(),
                 Qt::BitmapCursor);
        QCOMPARE(Find<toolkit::Label>(form, "poleSpacingNote")->text(),
                 QStringLiteral("Расстояние между опорами освещения: 31, "
                                "33, 35, 36, 39,   45, 65, м"));
        QCOMPARE(Find<toolkit::Label>(form, "minutesCaption")->alignment(),
                 Qt::AlignTop | Qt::AlignHCenter);
        auto* start = qobject_cast<toolkit::PictureButton*>(Find<QPushButton>(form, "startButton"));
        auto* close = qobject_cast<toolkit::PictureButton*>(Find<QPushButton>(form, "closeButton"));
        QVERIFY(start && close && start->text().isEmpty() && close->text().isEmpty());
        QVERIFY(SamePicture(start->picture(), toolkit::LoadPicture(toolkit::Picture::Start)));
        QVERIFY(SamePicture(close->picture(), toolkit::LoadPicture(toolkit::Picture::Close)));
    }

    // The keyboard goes as the eye does: the start reading, the end reading and the distance,
    // top to bottom and left to right as they stand, then Старт, which acts on them, then the
    // results, the example video's link, the frame viewer's and Закрыть, and round again; each row
    // of the table is a control in its place, stacked and tabbed as the table says.
    void tabOrder() {
        DashcamWindow* form = Open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(QApplication::focusWidget(), Find<QComboBox>(form, "startHours"));
        CheckLayout(form, DashcamLayout());

        // The inputs as they stand: each one below the one before, or on its row to the right.
        const std::array<const char*, 7> inputs = {"startHours", "startMinutes", "startSeconds",
                                                   "endHours",   "endMinutes",   "endSeconds",
                                                   "distance"};
        for (std::size_t i = 1; i < inputs.size(); ++i) {
            const QRect before = form->findChild<QWidget*>(inputs[i - 1])->geometry();
            const QRect here = form->findChild<QWidget*>(inputs[i])->geometry();
            QVERIFY2(here.top() > before.top() ||
                         (here.top() == before.top() && here.left() > before.left()),
                     inputs[i]);
        }
    }

    // Return on the focused Старт computes, as a click does.
    void returnOnStart() {
        DashcamWindow* form = Open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        TypeReadings(form, kTenSeconds);
        Find<QPushButton>(form, "startButton")->setFocus();
        QTest::keyClick(Find<QPushButton>(form, "startButton"), Qt::Key_Return);
        QCOMPARE(Shown(form), (QStringList{"0", "0", "10", "12,6"}));
    }

    // Return, and the keypad's Enter, in any reading or in the distance compute as Старт does;
    // a clock box takes no new item from it.
    void returnInAnInputComputes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key");
        for (const char* name : {"startHours", "startMinutes", "startSeconds", "endHours",
                                 "endMinutes", "endSeconds", "distance"}) {
            QTest::addRow("%s Return", name) << name << int(Qt::Key_Return);
            QTest::addRow("%s Enter", name) << name << int(Qt::Key_Enter);
        }
    }
    void returnInAnInputComputes() {
        QFETCH(QString, name);
        QFETCH(int, key);
        DashcamWindow* form = Open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        TypeReadings(form, kTenSeconds);
        auto* input = form->findChild<QWidget*>(name);
        input->setFocus();
        const auto* combo = qobject_cast<QComboBox*>(input);
        const int items = combo ? combo->count() : 0;
        QTest::keyClick(input, Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(Shown(form), (QStringList{"0", "0", "10", "12,6"}));
        QVERIFY(form->Record());
        QCOMPARE(InputTexts(form), (QStringList{"10", "20", "30", "10", "20", "40", "35"}));
        if (combo) QCOMPARE(combo->count(), items);
    }

    // Escape closes the dashcam window from wherever the keyboard is in it, as Закрыть does;
    // the program and its main window go on.
    void escapeClosesTheWindow_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"startHours", "endSeconds", "distance", "startButton", "speed", "exampleVideoLink"})
            QTest::newRow(name) << name;
    }
    void escapeClosesTheWindow() {
        QFETCH(QString, name);
        app->Start();
        DashcamWindow* form = Open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        TypeReadings(form, kTenSeconds);
        Find<QPushButton>(form, "startButton")->click();
        auto* control = form->findChild<QWidget*>(name);
        control->setFocus();
        QCOMPARE(QApplication::focusWidget(), control);
        QTest::keyClick(control, Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        QVERIFY(!app->Dashcam());
        QVERIFY(main->isVisible() && app->Main() == main);
    }

    // The missing-value warning stays above without the keyboard: Escape in the window closes
    // the warning first, and only the next Escape the window.
    void escapeClosesTheWarningFirst() {
        app->Start();
        DashcamWindow* form = Open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        TypeReadings(form, kTenSeconds);
        Type(Find<QComboBox>(form, "endMinutes"), "");
        QTest::keyClick(Find<QLineEdit>(form, "distance"), Qt::Key_Return);
        QVERIFY(AlertShown(Alert::IncompleteReadings));
        QCOMPARE(QApplication::focusWidget(), Find<QComboBox>(form, "endMinutes"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!OpenAlert(Alert::IncompleteReadings));
        QVERIFY(form->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!app->Dashcam());
        QVERIFY(main->isVisible());
    }

    // The link to the example video takes the keyboard and opens the video with Return or Space.
    void linkFromTheKeyboard_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void linkFromTheKeyboard() {
        QFETCH(int, key);
        DashcamWindow* form = Open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        // No desktop program is asked: without xdg-utils on PATH the window only says so.
        Undo undo;
        const QByteArray path = qgetenv("PATH");
        undo.Add([path] { qputenv("PATH", path); });
        qputenv("PATH", QByteArray());
        auto* link = Find<toolkit::Label>(form, "exampleVideoLink");
        int clicked = 0;
        connect(link, &toolkit::Label::clicked, this, [&clicked] { ++clicked; });
        Find<QLineEdit>(form, "speed")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), link);
        const QImage focused = link->grab().toImage(); // framed: the user sees the keyboard
        QTest::keyClick(link, Qt::Key(key));
        QCOMPARE(clicked, 1);
        QTest::keyClick(link, Qt::Key_Tab);
        QVERIFY(link->grab().toImage() != focused);
    }

    // The link to the frame viewer stands where the design left room for it, takes the
    // keyboard after the example video's link, is announced as a link, and asks for the viewer
    // with Return or Space; the designed controls keep their places.
    void videoFramesLink_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void videoFramesLink() {
        QFETCH(int, key);
        DashcamWindow* form = Open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        auto* link = Find<toolkit::Label>(form, "videoFramesLink");
        QCOMPARE(link->text(), QStringLiteral("Точнее — по кадрам видеозаписи…"));
        QVERIFY(form->rect().contains(link->geometry()));
        for (QWidget* other : form->findChildren<QWidget*>())
            if (other != link && other->isVisible() && other->parentWidget() == form &&
                !other->objectName().startsWith(QStringLiteral("frame")))
                QVERIFY2(!other->geometry().intersects(link->geometry()),
                         qPrintable(other->objectName()));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
        QCOMPARE(accessible->role(), QAccessible::Link);
        QSignalSpy asked(form, &DashcamWindow::videoFramesRequested);
        Find<toolkit::Label>(form, "exampleVideoLink")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), link);
        QTest::keyClick(link, Qt::Key(key));
        QCOMPARE(asked.count(), 1);
        QVERIFY(form->isVisible());
    }

    void windowButtons() {
        DashcamWindow* form = Open();
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(flags & Qt::WindowStaysOnTopHint));
        QVERIFY(!form->close()); // only its own button and Escape close it
        QVERIFY(form->isVisible());
        QVERIFY(form->minimumSize() != form->maximumSize()); // sizable
    }

    // The readings are typed as start → end; the visible time and speed follow. The time is
    // exactly end − start, shown with every decimal the readings gave.
    void workedExamples_data() {
        QTest::addColumn<Readings>("in");
        QTest::addColumn<QStringList>("shown"); // hours, minutes, seconds, speed
        QTest::newRow("10:20:30-10:20:40 35m")
            << kTenSeconds << QStringList{"0", "0", "10", "12,6"};
        QTest::newRow("10:33:20-10:33:24 81m") << Readings{"10", "33", "20", "10", "33", "24", "81"}
                                               << QStringList{"0", "0", "4", "72,9"};
        QTest::newRow("11:59:59-12:00:00 33m") << Readings{"11", "59", "59", "12", "0", "0", "33"}
                                               << QStringList{"0", "0", "1", "118,8"};
        QTest::newRow("23:59:50-24:00:10 31m") << Readings{"23", "59", "50", "24", "0", "10", "31"}
                                               << QStringList{"0", "0", "20", "5,58"};
        QTest::newRow("10:20:00-10:21:00 36m") << Readings{"10", "20", "0", "10", "21", "0", "36"}
                                               << QStringList{"0", "1", "0", "2,16"};
        QTest::newRow("whole hour 9:30:20-10:30:20 31m")
            << Readings{"9", "30", "20", "10", "30", "20", "31"}
            << QStringList{"1", "0", "0", "0,03"};
        QTest::newRow("fractional 10:20:30-10:20:40,5 35m")
            << Readings{"10", "20", "30", "10", "20", "40,5", "35"}
            << QStringList{"0", "0", "10,5", "12"};
        QTest::newRow("hundredths 10:20:00-10:20:59,88 35m")
            << Readings{"10", "20", "0", "10", "20", "59,88", "35"}
            << QStringList{"0", "0", "59,88", "2,1"};
        QTest::newRow("every decimal 10:00:00-10:00:59,996 1m")
            << Readings{"10", "0", "0", "10", "0", "59,996", "1"}
            << QStringList{"0", "0", "59,996", "0,06"};
        QTest::newRow("a thousandth 10:20:30-10:20:30,001 35m")
            << Readings{"10", "20", "30", "10", "20", "30,001", "35"}
            << QStringList{"0", "0", "0,001", "126000"};
        QTest::newRow("all three 10:00:00-12:34:56,5 1000m")
            << Readings{"10", "0", "0", "12", "34", "56,5", "1000"}
            << QStringList{"2", "34", "56,5", "0,39"};
        QTest::newRow("highest parts 23:59:59,9999-24:59:59,9999 1000m")
            << Readings{"23", "59", "59,9999", "24", "59", "59,9999", "1000"}
            << QStringList{"1", "0", "0", "1"};
        QTest::newRow("no distance") << Readings{"10", "20", "30", "10", "20", "40", "0"}
                                     << QStringList{"0", "0", "10", "0"};
    }
    void workedExamples() {
        QFETCH(Readings, in);
        QFETCH(QStringList, shown);
        DashcamWindow* form = Open();
        TypeReadings(form, in);
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QCOMPARE(Shown(form), shown);
        QVERIFY(NoAlert());
        QVERIFY(!Message(form));
    }

    // The results are written hours first and the speed last, each once, also a field whose
    // text stays the same; the seconds keep every decimal the readings gave.
    void resultsAreWrittenInOrder() {
        DashcamWindow* form = Open();
        QStringList writes;
        for (QLineEdit* field :
             {Find<QLineEdit>(form, "speed"), Find<QLineEdit>(form, "elapsedHours"),
              Find<QLineEdit>(form, "elapsedMinutes"), Find<QLineEdit>(form, "elapsedSeconds")})
            connect(field, &QLineEdit::textChanged, this, [&writes, field](const QString& text) {
                writes << field->objectName() + "=" + text;
            });
        TypeReadings(form, {"10", "0", "0", "11", "2", "3,4567", "36"});
        Find<QPushButton>(form, "startButton")->click();
        QCOMPARE(writes, (QStringList{"elapsedHours=1", "elapsedMinutes=2", "elapsedSeconds=3,4567",
                                      "speed=0,03"}));

        // A whole number of hours: every field is still written, with zero seconds.
        writes.clear();
        TypeReadings(form, {"9", "30", "20", "10", "30", "20", "31"});
        Find<QPushButton>(form, "startButton")->click();
        QCOMPARE(writes, (QStringList{"elapsedHours=1", "elapsedMinutes=0", "elapsedSeconds=0",
                                      "speed=0,03"}));
        // The same results again: every field is written again.
        writes.clear();
        Find<QPushButton>(form, "startButton")->click();
        QCOMPARE(writes, (QStringList{"elapsedHours=1", "elapsedMinutes=0", "elapsedSeconds=0",
                                      "speed=0,03"}));
        QVERIFY(NoAlert());
    }

    // An empty or mistyped reading opens the warning; the results of the calculation before are
    // emptied and its record dropped, the inputs stay as typed, and the keyboard goes to the
    // first field at fault.
    void unreadableInput_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        for (const char* name : {"endHours", "endMinutes", "endSeconds", "startHours",
                                 "startMinutes", "startSeconds"}) {
            QTest::addRow("%s empty", name) << name << "";
            QTest::addRow("%s letters", name) << name << "abc";
        }
        QTest::newRow("distance empty") << "distance"
                                        << "";
        QTest::newRow("distance blank") << "distance"
                                        << " ";
        QTest::newRow("distance letters") << "distance"
                                          << "3o";
    }
    void unreadableInput() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        DashcamWindow* form = Open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        TypeReadings(form, kTenSeconds);
        Find<QPushButton>(form, "startButton")->click();
        QCOMPARE(Shown(form), (QStringList{"0", "0", "10", "12,6"}));
        QWidget* field = form->findChild<QWidget*>(name);
        if (auto* combo = qobject_cast<QComboBox*>(field))
            Type(combo, text);
        else
            Type(static_cast<QLineEdit*>(field), text);
        const QStringList inputs = InputTexts(form);
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QCOMPARE(InputTexts(form), inputs);
        QCOMPARE(Written(form), QStringList(4, QString()));
        QVERIFY(!form->Record());
        QVERIFY(AlertShown(Alert::IncompleteReadings));
        QVERIFY(!OpenAlert(Alert::OutOfRange));
        QCOMPARE(QApplication::focusWidget(), field);
        QCOMPARE(CopiedRecord(form), kUntouched);
    }

    // Of several fields at fault, the keyboard goes to the first as the window shows them.
    void startAtOnceWarns() {
        DashcamWindow* form = Open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QLineEdit>(form, "distance")->setFocus();
        const QStringList inputs = InputTexts(form);
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QCOMPARE(InputTexts(form), inputs);
        QVERIFY(AlertShown(Alert::IncompleteReadings));
        QCOMPARE(QApplication::focusWidget(), Find<QComboBox>(form, "startHours"));
    }

    // Readings that cannot be right are refused with a message naming the field and, for a
    // reading no clock shows, its limit; no warning opens. The results of the calculation
    // before are emptied and its record dropped, so that «Копировать расчёт» has nothing to
    // copy; the keyboard is in the field at fault when the message closes.
    void refusedReadings_data() {
        QTest::addColumn<Readings>("in");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("field");
        const QString midnight = QStringLiteral(
            "Расчёт невозможен: конечные показания времени раньше начальных. Если запись идёт "
            "через полночь, укажите конечный час как 24, например 24:00:10.");
        const QString same = QStringLiteral(
            "Расчёт невозможен: конечные показания времени совпадают с начальными: время не "
            "прошло, скорость не определена.");
        QTest::newRow("end before start, after 81 m in 4 s")
            << Readings{"10", "33", "24", "10", "33", "20", "35"} << midnight << "endHours";
        QTest::newRow("past midnight as hour 0")
            << Readings{"23", "59", "50", "0", "0", "10", "31"} << midnight << "endHours";
        QTest::newRow("equal readings")
            << Readings{"10", "20", "30", "10", "20", "30", "35"} << same << "endHours";
        QTest::newRow("equal readings, no distance")
            << Readings{"10", "20", "30", "10", "20", "30", "0"} << same << "endHours";
        QTest::newRow("negative start hour")
            << Readings{"-10", "20", "30", "10", "20", "40", "35"}
            << QStringLiteral("Расчёт невозможен: значение «Часы начальных показаний» "
                              "не может быть отрицательным.")
            << "startHours";
        QTest::newRow("negative distance")
            << Readings{"10", "20", "30", "10", "20", "40", "-35"}
            << QStringLiteral(
                   "Расчёт невозможен: значение «Расстояние» не может быть отрицательным.")
            << "distance";
        QTest::newRow("minute 61 10:61:00")
            << Readings{"10", "61", "0", "10", "62", "0", "35"}
            << QStringLiteral("Расчёт невозможен: значение «Минуты начальных показаний» должно "
                              "быть целым числом от 0 до 59.")
            << "startMinutes";
        QTest::newRow("hours 25 to 26")
            << Readings{"25", "0", "0", "26", "0", "0", "35"}
            << QStringLiteral("Расчёт невозможен: значение «Часы начальных "
                              "показаний» должно быть целым числом от 0 до 23.")
            << "startHours";
        QTest::newRow("end hour 25")
            << Readings{"23", "59", "50", "25", "0", "10", "31"}
            << QStringLiteral("Расчёт невозможен: значение «Часы конечных "
                              "показаний» должно быть целым числом от 0 до 24.")
            << "endHours";
        QTest::newRow("second 60 10:59:60")
            << Readings{"10", "59", "60", "11", "1", "0", "36"}
            << QStringLiteral("Расчёт невозможен: значение «Секунды "
                              "начальных показаний» должно быть меньше 60.")
            << "startSeconds";
        QTest::newRow("fraction of a minute")
            << Readings{"10", "20", "30", "10", "20,5", "40", "35"}
            << QStringLiteral("Расчёт невозможен: значение «Минуты конечных показаний» должно "
                              "быть целым числом от 0 до 59.")
            << "endMinutes";
        QTest::newRow("end hours too large")
            << Readings{"0", "0", "0", "1000000000000000", "0", "0", "1"}
            << QStringLiteral("Расчёт невозможен: значение «Часы конечных показаний» должно "
                              "быть целым числом от 0 до 24.")
            << "endHours";
        QTest::newRow("distance too large for the time")
            << Readings{"10", "20", "30", "10", "20", "30,0001", "900000000000000"}
            << QStringLiteral("Расчёт невозможен: значение «Расстояние» слишком велико.")
            << "distance";
    }
    void refusedReadings() {
        QFETCH(Readings, in);
        QFETCH(QString, message);
        QFETCH(QString, field);
        DashcamWindow* form = Open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        TypeReadings(form, {"10", "33", "20", "10", "33", "24", "81"});
        Find<QPushButton>(form, "startButton")->click();
        QCOMPARE(Shown(form), (QStringList{"0", "0", "4", "72,9"}));
        QVERIFY(CopiedRecord(form).contains(QStringLiteral("Скорость: 72,9 км/ч")));
        TypeReadings(form, in);
        const QStringList inputs = InputTexts(form);
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QCOMPARE(InputTexts(form), inputs);
        QCOMPARE(Written(form), QStringList(4, QString()));
        QVERIFY(!form->Record());
        QVERIFY(NoAlert());
        QMessageBox* box = Message(form);
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->text(), message);
        QCOMPARE(form->focusWidget(), form->findChild<QWidget*>(field));
        box->close();
        QCOMPARE(CopiedRecord(form), kUntouched);
    }

    // Pressing Start again with the same readings shows the same results.
    void repeatedClick_data() {
        QTest::addColumn<Readings>("in");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("fractional time") << Readings{"10", "20", "30", "10", "20", "40,5", "35"}
                                         << QStringList{"0", "0", "10,5", "12"};
        QTest::newRow("whole hour") << Readings{"9", "30", "20", "10", "30", "20", "31"}
                                    << QStringList{"1", "0", "0", "0,03"};
    }
    void repeatedClick() {
        QFETCH(Readings, in);
        QFETCH(QStringList, shown);
        DashcamWindow* form = Open();
        TypeReadings(form, in);
        Find<QPushButton>(form, "startButton")->click();
        QCOMPARE(Shown(form), shown);
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QCOMPARE(Shown(form), shown);
        QVERIFY(NoAlert());
    }

    // The results are the calculation's: typing, deleting and pasting in them change nothing and
    // keep the record, yet the keyboard reaches them, selects and copies them, and screen
    // readers still name them.
    void resultsReadOnly_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("accessibleName");
        QTest::newRow("elapsed hours") << "elapsedHours"
                                       << "2"
                                       << "Пройдено времени, час";
        QTest::newRow("elapsed minutes") << "elapsedMinutes"
                                         << "34"
                                         << "Пройдено времени, мин";
        QTest::newRow("elapsed seconds") << "elapsedSeconds"
                                         << "56,5"
                                         << "Пройдено времени, сек";
        QTest::newRow("speed") << "speed"
                               << "0,39"
                               << "Скорость, км/час";
    }
    void resultsReadOnly() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, accessibleName);
        DashcamWindow* form = Open();
        QVERIFY(QTest::qWaitForWindowActive(form));
        TypeReadings(form, {"10", "0", "0", "12", "34", "56,5", "1000"});
        Find<QPushButton>(form, "startButton")->click();
        auto* result = Find<QLineEdit>(form, qPrintable(name));
        QCOMPARE(result->text(), text);
        QApplication::clipboard()->setText(QStringLiteral("99"));
        QTest::mouseClick(result, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), result);
        QTest::keyClicks(result, QStringLiteral("7"));
        QTest::keyClick(result, Qt::Key_Backspace);
        QTest::keyClick(result, Qt::Key_Delete);
        QTest::keyClick(result, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(result->text(), text);
        QVERIFY(form->Record());

        QTest::keyClick(result, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(result->selectedText(), text);
        QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), text);

        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(result);
        QVERIFY(access);
        QCOMPARE(access->text(QAccessible::Name), accessibleName);
        QCOMPARE(access->text(QAccessible::Value), text);
        QVERIFY(access->state().readOnly);
    }

    void choosingComputesNothing() {
        DashcamWindow* form = Open();
        TypeReadings(form, kTenSeconds);
        Find<QComboBox>(form, "endHours")->setCurrentIndex(12); // "12", as a pick from the list
        QCOMPARE(Find<QComboBox>(form, "endHours")->currentText(), QStringLiteral("12"));
        for (QLineEdit* field :
             {Find<QLineEdit>(form, "elapsedHours"), Find<QLineEdit>(form, "elapsedMinutes"),
              Find<QLineEdit>(form, "elapsedSeconds"), Find<QLineEdit>(form, "speed")})
            QCOMPARE(field->text(), QString());
        QVERIFY(!form->Record());
    }

    void closeAndReopenStartsEmpty() {
        DashcamWindow* form = Open();
        TypeReadings(form, kTenSeconds);
        Find<QPushButton>(form, "startButton")->click();
        QTest::mouseClick(Find<QPushButton>(form, "closeButton"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
        QVERIFY(!app->Dashcam());
        QPointer<DashcamWindow> old = form;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(old.isNull());

        form = Open();
        QVERIFY(form && form->isVisible());
        for (QComboBox* combo :
             {Find<QComboBox>(form, "endHours"), Find<QComboBox>(form, "startHours"),
              Find<QComboBox>(form, "startSeconds")})
            QCOMPARE(combo->currentText(), QString());
        for (QLineEdit* field :
             {Find<QLineEdit>(form, "distance"), Find<QLineEdit>(form, "elapsedHours"),
              Find<QLineEdit>(form, "elapsedMinutes"), Find<QLineEdit>(form, "elapsedSeconds"),
              Find<QLineEdit>(form, "speed")})
            QCOMPARE(field->text(), QString());
        QVERIFY(!form->Record());
    }

    void secondClickOnlyRaises() {
        QStringList mainBefore;
        for (const QLineEdit* field : main->findChildren<QLineEdit*>())
            mainBefore << field->text();
        DashcamWindow* form = Open();
        Type(Find<QComboBox>(form, "endHours"), "10");
        QCOMPARE(Open(), form);
        QCOMPARE(Find<QComboBox>(form, "endHours")->currentText(),
                 QStringLiteral("10")); // not loaded again
        int windows = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            windows += qobject_cast<DashcamWindow*>(w) != nullptr;
        QCOMPARE(windows, 1);
        QStringList mainAfter;
        for (const QLineEdit* field : main->findChildren<QLineEdit*>())
            mainAfter << field->text();
        QCOMPARE(mainAfter, mainBefore);
    }

    // No window waits for another: the main window computes and the dashcam window goes on
    // while the dashcam window and its warning are open.
    void everyWindowStaysUsable() {
        app->Start();
        DashcamWindow* form = Open();
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QVERIFY(AlertShown(Alert::IncompleteReadings));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(main->isEnabled() && form->isEnabled());

        Type(Find<QLineEdit>(main, "skidOrSpeed"), "10");
        Calculate();
        QCOMPARE(Find<QLineEdit>(main, "speedOrSkidResult")->text(), QStringLiteral("45,7"));
        QVERIFY(!main->AnimationRunning());
        QTest::mouseClick(Find<QPushButton>(main, "startButton"),
                          Qt::LeftButton); // starts its animation
        QVERIFY(main->AnimationRunning());

        TypeReadings(form, kTenSeconds);
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QCOMPARE(Shown(form), (QStringList{"0", "0", "10", "12,6"}));
    }
};

KVARNET_TEST_MAIN(DashcamTest)
#include "tst_dashcam.moc"
