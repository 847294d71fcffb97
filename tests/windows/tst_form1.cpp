#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "core/stopping.h"
#include "find_control.h"
#include "opened.h"
#include "test_main.h"
#include "windows/alerts/alert_window.h"
#include "windows/dashcam/dashcam_window.h"
#include "windows/loading/loading_window.h"
#include "windows/main/form1.h"
#include "windows/main/form1_layout.h"
#include "windows/shared/text.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/layout.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"

namespace {

const QString kSkid = QStringLiteral("Длина тормозного следа (юз),м");
const QString kSpeed = QStringLiteral("Скорость, км/час");
const QColor kWhite(255, 255, 255);
const QColor kDarkGreen(0, 64, 0);

bool SamePicture(const QPixmap& a, const QPixmap& b) {
    return !a.isNull() && a.toImage().convertToFormat(QImage::Format_ARGB32) ==
                              b.toImage().convertToFormat(QImage::Format_ARGB32);
}

QColor TextColour(QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT
    Form1* form = nullptr;

    void Type(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
    }

private slots:
    void init() { form = toolkit::Load<Form1>(); }
    void cleanup() {
        toolkit::DiscardAll();
        QVERIFY(!toolkit::Instance<Form1>());
    }

    void startUpState() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Кварнет "));
        QCOMPARE(form->size(), QSize(600, 364));
        QCOMPARE(Find<QLineEdit>(form, "Text1")->text(), QStringLiteral("0,8"));
        QCOMPARE(Find<QLineEdit>(form, "Text2")->text(), QStringLiteral("0,2"));
        QCOMPARE(Find<QLineEdit>(form, "Text3")->text(), QStringLiteral("0,3"));
        QCOMPARE(Find<QLineEdit>(form, "Text7")->text(), QString());
        QCOMPARE(Find<QLineEdit>(form, "Text5")->text(), QStringLiteral("6,8"));
        QVERIFY(Find<toolkit::OptionButton>(form, "Option2")->isChecked());
        QVERIFY(!Find<toolkit::OptionButton>(form, "Option1")->isChecked());
        QVERIFY(Find<toolkit::OptionButton>(form, "Option3")->isChecked());
        QVERIFY(!Find<toolkit::OptionButton>(form, "Option4")->isChecked());
        QVERIFY(Find<QCheckBox>(form, "Check1")->isChecked());
        QCOMPARE(Find<toolkit::Label>(form, "Label6")->text(), kSkid);
        QCOMPARE(Find<toolkit::Label>(form, "Label5")->text(), kSpeed);
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "Label17")), kWhite);
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "Label18")), toolkit::ButtonTextColour());
        for (QLineEdit* result : {Find<QLineEdit>(form, "Text4"), Find<QLineEdit>(form, "Text9"),
                                  Find<QLineEdit>(form, "Text6"), Find<QLineEdit>(form, "Text8")})
            QCOMPARE(result->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label11")->text(), QString());
        QVERIFY(
            SamePicture(Find<toolkit::Image>(form, "Image1")->picture(), toolkit::LoadBitmap(117)));
        QCOMPARE(Find<toolkit::Label>(form, "Label19")->text(), QStringLiteral("1"));
        QCOMPARE(Find<toolkit::Label>(form, "Label20")->text(), QStringLiteral("0"));
        QCOMPARE(Find<toolkit::Label>(form, "Label1")->text(), QStringLiteral("1"));
        for (int n : {1, 2, 3, 4, 9, 10, 11, 12, 13, 14, 15, 16}) {
            QVERIFY(form->Timer(n));
            QVERIFY2(!form->Timer(n)->isEnabled(), qPrintable(QString::number(n)));
        }
        for (QWidget* hidden : std::initializer_list<QWidget*>{
                 Find<QGroupBox>(form, "Frame1"), Find<QGroupBox>(form, "Frame3"),
                 Find<QPushButton>(form, "Command2"), Find<toolkit::Label>(form, "Label19"),
                 Find<toolkit::Label>(form, "Label20")})
            QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
        for (QWidget* shown : std::initializer_list<QWidget*>{
                 Find<QCheckBox>(form, "Check1"), Find<QPushButton>(form, "Command1"),
                 Find<QPushButton>(form, "Command3"), Find<toolkit::Image>(form, "Image1"),
                 Find<toolkit::Image>(form, "Image2"), Find<toolkit::Label>(form, "Label10"),
                 Find<toolkit::Label>(form, "Label11"), Find<QGroupBox>(form, "Frame6"),
                 Find<toolkit::Label>(form, "Label21"), Find<toolkit::Label>(form, "Label22")})
            QVERIFY2(!shown->isHidden(), qPrintable(shown->objectName()));
        QCOMPARE(form->focusWidget(), Find<QLineEdit>(form, "Text7"));
    }

    void timerIntervals_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("interval");
        for (int n : {1, 2, 3, 4})
            QTest::addRow("Timer%d", n) << n << 100;
        for (int n : {9, 10, 11, 12, 13})
            QTest::addRow("Timer%d", n) << n << 200;
        for (int n : {14, 15})
            QTest::addRow("Timer%d", n) << n << 300;
        QTest::addRow("Timer16") << 16 << 400;
    }
    void timerIntervals() {
        QFETCH(int, n);
        QFETCH(int, interval);
        toolkit::Timer* timer = form->Timer(n);
        QCOMPARE(timer->objectName(), QStringLiteral("Timer%1").arg(n));
        QCOMPARE(timer->parent(), Find<QGroupBox>(form, "Frame1"));
        QCOMPARE(timer->interval(), interval);
    }

    // Every row of the layout table is a control found by its name, with a Russian name for
    // screen readers (a readout: its meaning as description).
    void everyControlByName() {
        const auto table = Form1Layout();
        for (const toolkit::Control& c : table) {
            const QString name = QString::fromUtf8(c.name);
            QObject* control = form->findChild<QObject*>(name);
            QVERIFY2(control, qPrintable(name));
            if (auto* widget = qobject_cast<QWidget*>(control)) {
                const bool readout = c.flags & toolkit::kReadout;
                const QString access =
                    readout ? widget->accessibleDescription() : widget->accessibleName();
                QVERIFY2(!access.isEmpty(), qPrintable(name));
                QVERIFY2(std::any_of(access.begin(), access.end(),
                                     [](QChar c) { return c.script() == QChar::Script_Cyrillic; }),
                         qPrintable(name + ": " + access));
            }
        }
    }

    void geometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("rect");
        // Pixels: the designed twips divided by 15 and rounded.
        QTest::newRow("Image1") << "Image1"
                                << "Form1" << QRect(0, 0, 598, 62);
        QTest::newRow("Image2") << "Image2"
                                << "Form1" << QRect(568, 0, 25, 26);
        QTest::newRow("Label10") << "Label10"
                                 << "Form1" << QRect(256, 0, 73, 17);
        QTest::newRow("Label11") << "Label11"
                                 << "Form1" << QRect(256, 16, 57, 17);
        QTest::newRow("Text1") << "Text1"
                               << "Form1" << QRect(8, 72, 57, 19);
        QTest::newRow("Text7") << "Text7"
                               << "Form1" << QRect(8, 144, 57, 19);
        QTest::newRow("Text5") << "Text5"
                               << "Form1" << QRect(8, 176, 57, 19);
        QTest::newRow("Text9") << "Text9"
                               << "Form1" << QRect(256, 240, 57, 19);
        QTest::newRow("Check1") << "Check1"
                                << "Form1" << QRect(432, 104, 13, 17);
        QTest::newRow("Option3") << "Option3"
                                 << "Frame3" << QRect(8, 16, 13, 13);
        QTest::newRow("Command1") << "Command1"
                                  << "Form1" << QRect(424, 240, 73, 25);
        QTest::newRow("Command3") << "Command3"
                                  << "Form1" << QRect(504, 304, 73, 25);
        QTest::newRow("Frame6") << "Frame6"
                                << "Form1" << QRect(8, 339, 585, 25);
        QTest::newRow("Label12") << "Label12"
                                 << "Frame6" << QRect(208, 8, 193, 17);
        QTest::newRow("Label13") << "Label13"
                                 << "Frame6" << QRect(472, 0, 113, 17);
        QTest::newRow("Label7") << "Label7"
                                << "Form1" << QRect(80, 272, 321, 25);
        QTest::newRow("Label23") << "Label23"
                                 << "Form1" << QRect(168, 171, 9, 17);
        QTest::newRow("Frame1") << "Frame1"
                                << "Form1" << QRect(632, 120, 185, 185);
        QTest::newRow("Line1") << "Line1"
                               << "Form1" << QRect(8, 232, 401, 1);
        QTest::newRow("Line4") << "Line4"
                               << "Form1" << QRect(408, 232, 1, 97);
        QTest::newRow("Line8") << "Line8"
                               << "Form1" << QRect(584, 80, 1, 65);
    }
    void geometry() {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, rect);
        auto* widget = form->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(widget->geometry(), rect);
    }

    void frontToBack() {
        // Direct children of the window, front to back: each lies above the next.
        const QStringList order = {
            "Check1",   "Frame3",   "Text9",   "Text8",   "Text4",    "Text6",    "Option2",
            "Command5", "Command4", "Option1", "Text5",   "Command3", "Command2", "Command1",
            "Text1",    "Text2",    "Text3",   "Text7",   "Frame6",   "Frame1",   "Label24",
            "Label23",  "Label22",  "Label21", "Label20", "Image2",   "Label19",  "Line8",
            "Line7",    "Line6",    "Line5",   "Label18", "Label17",  "Line4",    "Line3",
            "Line2",    "Line1",    "Label9",  "Label8",  "Label7",   "Label5",   "Label16",
            "Label15",  "Label2",   "Label3",  "Label4",  "Label6",   "Label11",  "Label10",
            "Image1"};
        const QObjectList stack = form->children(); // later children are drawn on top
        for (int i = 1; i < order.size(); ++i) {
            const auto above = stack.indexOf(form->findChild<QWidget*>(order[i - 1]));
            const auto below = stack.indexOf(form->findChild<QWidget*>(order[i]));
            QVERIFY2(above > below, qPrintable(order[i - 1] + " over " + order[i]));
        }
    }

    // Return on the focused Старт starts the run, as a click does.
    void returnOnStart() {
        toolkit::Show<Form1>();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QLineEdit>(form, "Text7")->setText(QStringLiteral("10"));
        Find<QPushButton>(form, "Command1")->setFocus();
        QTest::keyClick(Find<QPushButton>(form, "Command1"), Qt::Key_Return);
        QVERIFY(Find<toolkit::Timer>(form, "Timer1")->isEnabled());
    }

    // Tab goes top to bottom and left to right, the two links to the other calculations
    // included: the inputs, the mode and the links, Старт, the results, the other buttons and
    // the footer links, and comes round to the start.
    void tabOrder() {
        const QStringList expected = {"Text2",    "Text3",    "Text7",   "Option2", "Text5",
                                      "Option1",  "Check1",   "Label21", "Label22", "Command1",
                                      "Text4",    "Text9",    "Text6",   "Text8",   "Command4",
                                      "Command5", "Command3", "Label14", "Label13", "Text1"};
        toolkit::Show<Form1>();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QLineEdit>(form, "Text1")->setFocus();
        QStringList chain;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            chain << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(chain, expected);
        QStringList back;
        for (qsizetype i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            back << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(back, QStringList({"Label13", "Label14", "Command3"}));
    }

    // The links to the loading and dashcam windows are reached with Tab and open on Space and
    // Return, as with a click.
    void linksOpenFromTheKeyboard_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("key");
        QTest::newRow("loading, Space") << "Label21" << int(Qt::Key_Space);
        QTest::newRow("loading, Return") << "Label21" << int(Qt::Key_Return);
        QTest::newRow("dashcam, Space") << "Label22" << int(Qt::Key_Space);
        QTest::newRow("dashcam, Enter") << "Label22" << int(Qt::Key_Enter);
    }
    void linksOpenFromTheKeyboard() {
        QFETCH(QString, link);
        QFETCH(int, key);
        toolkit::Show<Form1>();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QCheckBox>(form, "Check1")->setFocus();
        for (int tabs = 0; tabs < 30 && QApplication::focusWidget()->objectName() != link; ++tabs)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), link);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QWidget* opened = link == "Label21"
                              ? static_cast<QWidget*>(Owned<LoadingWindow>(form))
                              : static_cast<QWidget*>(toolkit::Instance<DashcamWindow>());
        QVERIFY(opened && opened->isVisible());
    }

    // Return in any input starts the calculation as Старт does; Escape never ends the program.
    void returnInAnInputStartsEscapeDoesNotQuit_data() {
        QTest::addColumn<QString>("input");
        for (const char* input : {"Text1", "Text2", "Text3", "Text7", "Text5"})
            QTest::newRow(input) << input;
    }
    void returnInAnInputStartsEscapeDoesNotQuit() {
        QFETCH(QString, input);
        toolkit::Show<Form1>();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QLineEdit>(form, "Text7")->setText(QStringLiteral("10"));
        QLineEdit* field = Find<QLineEdit>(form, input.toLatin1());
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(form->isVisible());
        QVERIFY(!form->AnimationRunning());
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(form->AnimationRunning());
    }

    // An empty input: Return opens the alert and leaves the keyboard in the field; Escape
    // there closes the alert, and only the alert.
    void escapeClosesTheAlert() {
        toolkit::Show<Form1>();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QLineEdit* skid = Find<QLineEdit>(form, "Text7");
        skid->setFocus();
        QTest::keyClick(skid, Qt::Key_Return);
        QVERIFY(AlertShown(Alert::MissingValue));
        QCOMPARE(QApplication::focusWidget(), skid);
        QTest::keyClick(skid, Qt::Key_Escape);
        QVERIFY(!AlertShown(Alert::MissingValue));
        QVERIFY(form->isVisible());
        QCOMPARE(QApplication::focusWidget(), skid);
    }

    // The window's content is fixed: so is its size.
    void fixedSize() {
        QCOMPARE(form->minimumSize(), QSize(600, 364));
        QCOMPARE(form->maximumSize(), QSize(600, 364));
    }

    // Result fields can be selected and copied, never typed over, and keep their names.
    void resultsAreReadOnly_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::newRow("speed") << "Text4"
                               << "Скорость, км/час";
        QTest::newRow("speed m/s") << "Text9"
                                   << "Скорость, м/с";
        QTest::newRow("distance") << "Text6"
                                  << "Путь автомобиля с момента начала реагирование водителем на "
                                     "опасность до остановки (остановочный путь),м";
        QTest::newRow("braking time") << "Text8"
                                      << "Время полного тормажения,с";
    }
    void resultsAreReadOnly() {
        QFETCH(QString, field);
        QFETCH(QString, name);
        Find<QLineEdit>(form, "Text7")->setText(QStringLiteral("10"));
        Find<QPushButton>(form, "Command2")->click(); // the calculation the run ends with
        QLineEdit* result = Find<QLineEdit>(form, field.toLatin1());
        const QString shown = result->text();
        QVERIFY(!shown.isEmpty());
        result->setFocus();
        QTest::keyClicks(result, "999");
        QTest::keyClick(result, Qt::Key_Backspace);
        QCOMPARE(result->text(), shown);
        QVERIFY(result->focusPolicy() & Qt::TabFocus);
        QCOMPARE(result->accessibleName(), name);
        QTest::keyClick(result, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), shown);
        QVERIFY(form->Record());
    }

    // Results belong to the inputs beside them: a change of any input, typed or made by a
    // road-surface choice, empties them, the readouts and the strip, and drops the record.
    void anEditedInputEmptiesTheResults_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("typed"); // "" for the wet-road choice
        QTest::newRow("reaction") << "Text1"
                                  << "1";
        QTest::newRow("delay") << "Text2"
                               << "0,3";
        QTest::newRow("rise") << "Text3"
                              << "0,4";
        QTest::newRow("skid") << "Text7"
                              << "12";
        QTest::newRow("deceleration") << "Text5"
                                      << "7";
        QTest::newRow("wet road") << "Option1"
                                  << "";
    }
    void anEditedInputEmptiesTheResults() {
        QFETCH(QString, input);
        QFETCH(QString, typed);
        Find<QLineEdit>(form, "Text7")->setText(QStringLiteral("10"));
        Find<QPushButton>(form, "Command2")->click();
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QStringLiteral("45,7 км/час"));
        QVERIFY(form->Record());
        if (typed.isEmpty())
            QTest::mouseClick(Find<toolkit::OptionButton>(form, input.toLatin1()), Qt::LeftButton);
        else
            Type(Find<QLineEdit>(form, input.toLatin1()), typed);
        for (const char* result : {"Text4", "Text9", "Text6", "Text8"})
            QCOMPARE(Find<QLineEdit>(form, result)->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label11")->text(), QString());
        QVERIFY(!form->Record());
    }

    // Switching to the speed-known mode names the first result field after its new caption,
    // the skid length, and the input after the speed; switching back names them back.
    void modeNamesTheFields() {
        Find<QCheckBox>(form, "Check1")->click();
        QCOMPARE(Find<QLineEdit>(form, "Text4")->accessibleName(), kSkid);
        QCOMPARE(Find<QLineEdit>(form, "Text7")->accessibleName(), kSpeed);
        Find<QCheckBox>(form, "Check1")->click();
        QCOMPARE(Find<QLineEdit>(form, "Text4")->accessibleName(), kSpeed);
        QCOMPARE(Find<QLineEdit>(form, "Text7")->accessibleName(), kSkid);
    }

    // A selected option button stays selected when clicked again, with the mouse or the
    // space bar; the other group keeps its own choice.
    void optionStaysSelected() {
        toolkit::Show<Form1>();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "Option2"), Qt::LeftButton);
        QVERIFY(Find<toolkit::OptionButton>(form, "Option2")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "Option1")->isChecked());
        Find<toolkit::OptionButton>(form, "Option2")->setFocus();
        QTest::keyClick(Find<toolkit::OptionButton>(form, "Option2"), Qt::Key_Space);
        QVERIFY(Find<toolkit::OptionButton>(form, "Option2")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "Option1")->isChecked());
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "Option1"), Qt::LeftButton);
        QVERIFY(Find<toolkit::OptionButton>(form, "Option1")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "Option2")->isChecked());
        QCOMPARE(Find<QLineEdit>(form, "Text5")->text(), QStringLiteral("5"));
        QVERIFY(Find<toolkit::OptionButton>(form, "Option3")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "Option4")->isChecked());
    }

    void fontsAndColours() {
        QVERIFY(QFile::exists(QStringLiteral(":/fonts/LiberationSans-Regular.ttf")));
        QVERIFY(QFile::exists(QStringLiteral(":/fonts/LiberationSerif-Regular.ttf")));
        QCOMPARE(QFontInfo(Find<toolkit::Label>(form, "Label2")->font()).family(),
                 QStringLiteral("Liberation Sans"));
        QCOMPARE(Find<toolkit::Label>(form, "Label2")->font().pixelSize(), 11);
        QVERIFY(!Find<toolkit::Label>(form, "Label2")->font().bold());
        QVERIFY(Find<QLineEdit>(form, "Text4")->font().bold());
        QCOMPARE(Find<QLineEdit>(form, "Text4")->alignment(), Qt::AlignCenter);
        QCOMPARE(Find<QLineEdit>(form, "Text4")->palette().color(QPalette::Base), kDarkGreen);
        QCOMPARE(Find<QLineEdit>(form, "Text4")->palette().color(QPalette::Text), kWhite);
        QVERIFY(Find<toolkit::Label>(form, "Label21")->font().underline() &&
                Find<toolkit::Label>(form, "Label21")->font().bold());
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "Label21")), QColor(0, 0, 192));
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "Label10")), QColor(255, 0, 0));
        QCOMPARE(QFontInfo(Find<toolkit::Label>(form, "Label12")->font()).family(),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(Find<toolkit::Label>(form, "Label12")->font().pixelSize(), 9);
        QCOMPARE(Find<toolkit::Label>(form, "Label23")->font().pixelSize(), 8);
        QCOMPARE(Find<toolkit::Line>(form, "Line1")->color(), QColor(255, 0, 0));
        QVERIFY(
            !Find<toolkit::Label>(form, "Label2")->autoFillBackground()); // the marsh shows through
        QVERIFY(Find<QCheckBox>(form, "Check1")->autoFillBackground());
        QCOMPARE(Find<QCheckBox>(form, "Check1")->palette().color(QPalette::Window), kDarkGreen);
        QVERIFY(Find<toolkit::Label>(form, "Label1")->autoFillBackground());
        for (QWidget* link : {static_cast<QWidget*>(Find<toolkit::Label>(form, "Label13")),
                              static_cast<QWidget*>(Find<toolkit::Label>(form, "Label14")),
                              static_cast<QWidget*>(Find<toolkit::Label>(form, "Label21")),
                              static_cast<QWidget*>(Find<toolkit::Label>(form, "Label22"))})
            QCOMPARE(link->cursor().shape(), Qt::BitmapCursor);
        auto* start = qobject_cast<toolkit::PictureButton*>(Find<QPushButton>(form, "Command1"));
        QVERIFY(start && !start->picture().isNull() && start->text().isEmpty());
        QCOMPARE(Find<QPushButton>(form, "Command2")->text(), QStringLiteral("Command2"));
        QCOMPARE(Find<toolkit::Image>(form, "Image2")->size(), QSize(25, 26));
    }

    void modeSwitch() {
        Type(Find<QLineEdit>(form, "Text7"), "10");
        Find<QPushButton>(form, "Command2")->click();
        QCOMPARE(Find<QLineEdit>(form, "Text4")->text(), QStringLiteral("45,7"));
        Find<toolkit::Image>(form, "Image1")->setPicture(toolkit::LoadBitmap(116));

        Find<QCheckBox>(form, "Check1")->click(); // cleared: the speed is known
        QVERIFY(Find<toolkit::OptionButton>(form, "Option4")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "Option3")->isChecked());
        for (QLineEdit* field : {Find<QLineEdit>(form, "Text7"), Find<QLineEdit>(form, "Text4"),
                                 Find<QLineEdit>(form, "Text6"), Find<QLineEdit>(form, "Text8"),
                                 Find<QLineEdit>(form, "Text9")})
            QCOMPARE(field->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label11")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label6")->text(), kSpeed);
        QCOMPARE(Find<toolkit::Label>(form, "Label5")->text(), kSkid);
        QCOMPARE(Find<QLineEdit>(form, "Text7")->accessibleName(), kSpeed);
        QCOMPARE(Find<toolkit::Label>(form, "Label19")->text(), QStringLiteral("2"));
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "Label17")), toolkit::ButtonTextColour());
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "Label18")), kWhite);
        QVERIFY(
            SamePicture(Find<toolkit::Image>(form, "Image1")->picture(), toolkit::LoadBitmap(117)));
        QCOMPARE(Find<QLineEdit>(form, "Text1")->text(),
                 QStringLiteral("0,8")); // inputs other than Text7 stay
        QCOMPARE(Find<QLineEdit>(form, "Text5")->text(), QStringLiteral("6,8"));

        Type(Find<QLineEdit>(form, "Text7"), "60");
        Find<QCheckBox>(form, "Check1")->click(); // ticked again: the skid is known
        QVERIFY(Find<toolkit::OptionButton>(form, "Option3")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "Option4")->isChecked());
        QCOMPARE(Find<QLineEdit>(form, "Text7")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label6")->text(), kSkid);
        QCOMPARE(Find<toolkit::Label>(form, "Label5")->text(), kSpeed);
        QCOMPARE(Find<toolkit::Label>(form, "Label19")->text(), QStringLiteral("1"));
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "Label17")), kWhite);
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "Label18")), toolkit::ButtonTextColour());
    }

    void presets() {
        Find<toolkit::OptionButton>(form, "Option1")->click();
        QCOMPARE(Find<QLineEdit>(form, "Text5")->text(), QStringLiteral("5"));
        QVERIFY(!Find<toolkit::OptionButton>(form, "Option2")->isChecked());
        Find<toolkit::OptionButton>(form, "Option2")->click();
        QCOMPARE(Find<QLineEdit>(form, "Text5")->text(), QStringLiteral("6,8"));
        Type(Find<QLineEdit>(form, "Text5"), "7,1");
        QVERIFY(Find<toolkit::OptionButton>(form, "Option2")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "Option1")->isChecked());
        Find<toolkit::OptionButton>(form, "Option1")
            ->setChecked(true); // from code, as the user's click
        QCOMPARE(Find<QLineEdit>(form, "Text5")->text(), QStringLiteral("5"));
    }

    void readouts() {
        Find<QLineEdit>(form, "Text4")->setText(QStringLiteral("45,7"));
        Find<QLineEdit>(form, "Text6")->setText(QStringLiteral("26,4"));
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QStringLiteral("45,7 км/час"));
        QCOMPARE(Find<toolkit::Label>(form, "Label11")->text(), QStringLiteral("26,4 м"));
        Find<QLineEdit>(form, "Text6")->setText(QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label11")->text(), QStringLiteral(" м"));
        Find<QLineEdit>(form, "Text4")->setText(QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QStringLiteral(" км/час"));

        Find<QCheckBox>(form, "Check1")->setChecked(false);
        Type(Find<QLineEdit>(form, "Text7"), "60");
        Find<QLineEdit>(form, "Text4")->setText(QStringLiteral("18"));
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QStringLiteral("60 км/час"));
    }

    // The window shows what the core computes, in either mode, with the readouts over the
    // strip following; the numbers themselves are the core's worked examples.
    void workedExamples_data() {
        QTest::addColumn<bool>("skidKnown");
        QTest::addColumn<QString>("t1");
        QTest::addColumn<QString>("x");
        QTest::newRow("skid 10") << true << "0,8"
                                 << "10";
        QTest::newRow("speed 100, t1 1") << false << "1"
                                         << "100";
        // Standing still: no full braking, so no negative time and no skid.
        QTest::newRow("speed 0") << false << "0,8"
                                 << "0";
    }
    void workedExamples() {
        QFETCH(bool, skidKnown);
        QFETCH(QString, t1);
        QFETCH(QString, x);
        const core::StoppingResults r = core::ComputeStopping(
            {skidKnown ? core::StoppingMode::SkidKnown : core::StoppingMode::SpeedKnown,
             shared::Std(t1), "0,2", "0,3", shared::Std(x), "6,8"});
        const QStringList results = {shared::Q(r.speedOrSkid), shared::Q(r.speedMs),
                                     shared::Q(r.stoppingDistance), shared::Q(r.brakingTime)};
        if (!skidKnown) Find<QCheckBox>(form, "Check1")->click();
        Type(Find<QLineEdit>(form, "Text1"), t1);
        Type(Find<QLineEdit>(form, "Text7"), x);
        Find<QPushButton>(form, "Command2")
            ->click(); // hidden, pressed from code as the animation does
        QCOMPARE((QStringList{Find<QLineEdit>(form, "Text4")->text(),
                              Find<QLineEdit>(form, "Text9")->text(),
                              Find<QLineEdit>(form, "Text6")->text(),
                              Find<QLineEdit>(form, "Text8")->text()}),
                 results);
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(),
                 (skidKnown ? results[0] : x) + QStringLiteral(" км/час"));
        QCOMPARE(Find<toolkit::Label>(form, "Label11")->text(), results[2] + QStringLiteral(" м"));
        QVERIFY(!form->findChild<QMessageBox*>());
    }

    // A paste longer than Qt's default field limit is held whole and read whole: 99 999
    // zeros and a 5 compute as 5.
    void longPasteIsReadWhole() {
        Find<QCheckBox>(form, "Check1")->click();
        Type(Find<QLineEdit>(form, "Text7"), "5");
        Find<QPushButton>(form, "Command2")->click();
        const QStringList typed = {
            Find<QLineEdit>(form, "Text4")->text(), Find<QLineEdit>(form, "Text9")->text(),
            Find<QLineEdit>(form, "Text6")->text(), Find<QLineEdit>(form, "Text8")->text()};
        QCOMPARE(typed, QStringList({"0", "1,4", "1,7", "0,1"}));

        const QString pasted = QString(99999, QLatin1Char('0')) + QStringLiteral("5");
        QApplication::clipboard()->setText(pasted);
        Find<QLineEdit>(form, "Text7")->clear();
        QTest::keyClick(Find<QLineEdit>(form, "Text7"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Find<QLineEdit>(form, "Text7")->text(), pasted);
        Find<QPushButton>(form, "Command2")->click();
        QCOMPARE((QStringList{Find<QLineEdit>(form, "Text4")->text(),
                              Find<QLineEdit>(form, "Text9")->text(),
                              Find<QLineEdit>(form, "Text6")->text(),
                              Find<QLineEdit>(form, "Text8")->text()}),
                 typed);
        QVERIFY(!form->findChild<QMessageBox*>());
    }

    void reactionTimeChangesOnlyDistance() {
        Type(Find<QLineEdit>(form, "Text7"), "10");
        Find<QPushButton>(form, "Command2")->click();
        Type(Find<QLineEdit>(form, "Text1"), "1,2");
        Find<QPushButton>(form, "Command2")->click();
        QCOMPARE(Find<QLineEdit>(form, "Text4")->text(), QStringLiteral("45,7"));
        QCOMPARE(Find<QLineEdit>(form, "Text9")->text(), QStringLiteral("12,7"));
        QVERIFY(Find<QLineEdit>(form, "Text6")->text() != QStringLiteral("26,4"));
        QCOMPARE(Find<QLineEdit>(form, "Text8")->text(), QStringLiteral("1,7"));
    }

    void failureKeepsEveryField_data() {
        QTest::addColumn<bool>("skidKnown");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a number") << true << "Text1"
                                      << "abc"
                                      << "«Время реакции водителя» не является числом";
        QTest::newRow("blank") << true << "Text3"
                               << " "
                               << "«Время нарастания замедления» не является числом";
        QTest::newRow("zero deceleration") << false << "Text5"
                                           << "0"
                                           << "«Установившееся замедление» должно быть больше нуля";
        QTest::newRow("zero deceleration, skid")
            << true << "Text5"
            << "0"
            << "«Установившееся замедление» должно быть больше нуля";
        QTest::newRow("negative skid")
            << true << "Text7"
            << "-5"
            << "«Длина тормозного следа (юз)» не может быть отрицательным";
        QTest::newRow("negative speed") << false << "Text7"
                                        << "-5"
                                        << "«Скорость» не может быть отрицательным";
        QTest::newRow("negative deceleration")
            << true << "Text5"
            << "-6,8"
            << "«Установившееся замедление» не может быть отрицательным";
        QTest::newRow("negative deceleration, speed")
            << false << "Text5"
            << "-6,8"
            << "«Установившееся замедление» не может быть отрицательным";
        QTest::newRow("negative delay") << false << "Text2"
                                        << "-0,2"
                                        << "«Время запаздывания срабатывания тормозного привода» "
                                           "не может быть отрицательным";
        QTest::newRow("too large") << true << "Text7"
                                   << "99999999999999999999"
                                   << "«Длина тормозного следа (юз)» слишком велико";
    }
    void failureKeepsEveryField() {
        QFETCH(bool, skidKnown);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        if (!skidKnown) Find<QCheckBox>(form, "Check1")->click();
        Type(Find<QLineEdit>(form, "Text7"), skidKnown ? "10" : "60");
        Find<QPushButton>(form, "Command2")->click();
        QVERIFY(!Find<QLineEdit>(form, "Text4")->text().isEmpty());
        Type(form->findChild<QLineEdit*>(field), text);

        const QList<QLineEdit*> fields = form->findChildren<QLineEdit*>();
        QStringList before;
        for (QLineEdit* f : fields)
            before << f->text();
        const QString speed = Find<toolkit::Label>(form, "Label10")->text(),
                      distance = Find<toolkit::Label>(form, "Label11")->text();
        Find<QPushButton>(form, "Command2")->click();
        QStringList after;
        for (QLineEdit* f : fields)
            after << f->text();
        QCOMPARE(after, before);
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), speed);
        QCOMPARE(Find<toolkit::Label>(form, "Label11")->text(), distance);

        auto* box = form->findChild<QMessageBox*>();
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->windowModality(), Qt::NonModal);
        QVERIFY2(box->text().contains(message), qPrintable(box->text()));
        Find<QPushButton>(form, "Command2")->click(); // a second failure reuses the same message
        QCOMPARE(form->findChildren<QMessageBox*>().size(), 1);
    }

    void refusesToClose() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QVERIFY(!form->close());
        QVERIFY(form->isVisible());
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    }

    void exitEndsTheApplication() {
        form->show();
        QEventLoop loop;
        QTimer::singleShot(0, Find<QPushButton>(form, "Command3"), &QPushButton::click);
        QCOMPARE(loop.exec(), 0);
    }

    // The help and the standard are opened as documents (tst_documents).
    void mailAndWebLinks() {
        Opened opened;
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &opened, "open");
        QTest::mouseClick(Find<toolkit::Label>(form, "Label13"), Qt::LeftButton);
        QCOMPARE(opened.urls.size(), 1);
        QCOMPARE(opened.urls[0].toString(), QStringLiteral("mailto:") +
                                                Find<toolkit::Label>(form, "Label13")->text() +
                                                QStringLiteral("?Subject=Кварнет"));
        opened.urls.clear();
        QTest::mouseClick(Find<toolkit::Label>(form, "Label14"), Qt::LeftButton);
        QCOMPARE(opened.urls,
                 QList<QUrl>{QUrl::fromUserInput(Find<toolkit::Label>(form, "Label14")->text())});
        QVERIFY(
            Find<toolkit::Label>(form, "Label14")->text().contains(QStringLiteral("example.org")));
        QVERIFY(
            Find<toolkit::Label>(form, "Label13")->text().endsWith(QStringLiteral("@example.org")));
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
};

KVARNET_TEST_MAIN(Form1Test)
#include "tst_form1.moc"
