#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
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
#include <memory>

#include "context_menu.h"
#include "core/stopping.h"
#include "find_control.h"
#include "layout_check.h"
#include "opened.h"
#include "test_main.h"
#include "windows/alerts/alert_window.h"
#include "windows/analysis/analysis_window.h"
#include "windows/app_windows.h"
#include "windows/dashcam/dashcam_window.h"
#include "windows/loading/loading_window.h"
#include "windows/main/main_layout.h"
#include "windows/main/main_window.h"
#include "windows/shared/text.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/layout.h"
#include "windows/toolkit/pictures.h"
#include "windows/toolkit/window.h"

using namespace std::chrono_literals;

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

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<AppWindows> app;
    MainWindow* form = nullptr;

    void Type(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
    }

    // Старт and the whole run, at the end of which the window calculates.
    void Calculate() {
        Find<QPushButton>(form, "startButton")->click();
        Elapse(3s);
    }

private slots:
    void init() {
        app = std::make_unique<AppWindows>();
        form = app->Main();
    }
    void cleanup() {
        const QPointer<MainWindow> main(form);
        app.reset();
        toolkit::DiscardAll();
        QVERIFY(!main);
    }

    void startUpState() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Кварнет "));
        QCOMPARE(form->size(), QSize(600, 364));
        QCOMPARE(Find<QLineEdit>(form, "reactionTime")->text(), QStringLiteral("0,8"));
        QCOMPARE(Find<QLineEdit>(form, "brakeDelay")->text(), QStringLiteral("0,2"));
        QCOMPARE(Find<QLineEdit>(form, "riseTime")->text(), QStringLiteral("0,3"));
        QCOMPARE(Find<QLineEdit>(form, "skidOrSpeed")->text(), QString());
        QCOMPARE(Find<QLineEdit>(form, "deceleration")->text(), QStringLiteral("6,8"));
        QVERIFY(Find<toolkit::OptionButton>(form, "dryRoad")->isChecked());
        QVERIFY(!Find<toolkit::OptionButton>(form, "wetRoad")->isChecked());
        QVERIFY(Find<QCheckBox>(form, "skidKnown")->isChecked());
        QCOMPARE(Find<toolkit::Label>(form, "skidOrSpeedCaption")->text(), kSkid);
        QCOMPARE(Find<toolkit::Label>(form, "speedOrSkidCaption")->text(), kSpeed);
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "skidKnownCaption")), kWhite);
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "speedKnownCaption")),
                 toolkit::ButtonTextColour());
        for (QLineEdit* result :
             {Find<QLineEdit>(form, "speedOrSkidResult"), Find<QLineEdit>(form, "speedMsResult"),
              Find<QLineEdit>(form, "stoppingDistanceResult"),
              Find<QLineEdit>(form, "brakingTimeResult")})
            QCOMPARE(result->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "stripDistanceReadout")->text(), QString());
        QVERIFY(
            SamePicture(Find<toolkit::Image>(form, "strip")->picture(), toolkit::LoadBitmap(117)));
        QVERIFY(!form->AnimationRunning());
        // No hidden control holds state: every control of the table shows.
        for (const toolkit::Control& c : MainLayout())
            if (auto* widget = form->findChild<QWidget*>(QString::fromUtf8(c.name)))
                QVERIFY2(!widget->isHidden(), c.name);
        QCOMPARE(form->focusWidget(), Find<QLineEdit>(form, "skidOrSpeed"));
    }

    // Every row of the layout table is a control in its place, stacked and tabbed as the
    // table says, with a Russian name for screen readers (a readout: its meaning as
    // description); the tab order goes top to bottom and left to right, the two links to the
    // other calculations included: the inputs, the mode and the links, Старт, the results, the
    // other buttons and the footer links, and round to the start.
    void layoutFromTable() {
        app->Start();
        QVERIFY(QTest::qWaitForWindowActive(form));
        CheckLayout(form, MainLayout());
    }

    // Return on the focused Старт starts the run, as a click does.
    void returnOnStart() {
        app->Start();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QLineEdit>(form, "skidOrSpeed")->setText(QStringLiteral("10"));
        Find<QPushButton>(form, "startButton")->setFocus();
        QTest::keyClick(Find<QPushButton>(form, "startButton"), Qt::Key_Return);
        QVERIFY(form->AnimationRunning());
    }

    // The links to the loading, dashcam and «Техническая возможность» windows are reached with
    // Tab and open on Space and Return, as with a click.
    void linksOpenFromTheKeyboard_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("key");
        QTest::newRow("loading, Space") << "loadingLink" << int(Qt::Key_Space);
        QTest::newRow("loading, Return") << "loadingLink" << int(Qt::Key_Return);
        QTest::newRow("dashcam, Space") << "dashcamLink" << int(Qt::Key_Space);
        QTest::newRow("dashcam, Enter") << "dashcamLink" << int(Qt::Key_Enter);
        QTest::newRow("analysis, Space") << "analysisLink" << int(Qt::Key_Space);
        QTest::newRow("analysis, Return") << "analysisLink" << int(Qt::Key_Return);
    }
    void linksOpenFromTheKeyboard() {
        QFETCH(QString, link);
        QFETCH(int, key);
        app->Start();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QCheckBox>(form, "skidKnown")->setFocus();
        for (int tabs = 0; tabs < 30 && QApplication::focusWidget()->objectName() != link; ++tabs)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), link);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QWidget* opened = link == "loadingLink"   ? static_cast<QWidget*>(app->Loading())
                          : link == "dashcamLink" ? static_cast<QWidget*>(app->Dashcam())
                                                  : static_cast<QWidget*>(app->Analysis());
        QVERIFY(opened && opened->isVisible());
    }

    // The «Техническая возможность» window opens, by its link, the context menu or its keys,
    // with the times and the deceleration as typed and the speed the window shows: the one
    // computed from a skid, the one typed, or the loading window's; none before a result.
    void analysisOpensWithTheValuesShown_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("how");
        QTest::newRow("speed from a skid, link") << "skid"
                                                 << "link";
        QTest::newRow("speed typed, menu") << "speed"
                                           << "menu";
        QTest::newRow("loading window's speed, keys") << "loading"
                                                      << "keys";
        QTest::newRow("no result yet, link") << "none"
                                             << "link";
    }
    void analysisOpensWithTheValuesShown() {
        QFETCH(QString, source);
        QFETCH(QString, how);
        app->Start();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Type(Find<QLineEdit>(form, "reactionTime"), QStringLiteral("1"));
        Type(Find<QLineEdit>(form, "riseTime"), QStringLiteral("0,35"));
        QString speed;
        if (source == "skid") {
            Type(Find<QLineEdit>(form, "skidOrSpeed"), QStringLiteral("10"));
            Calculate();
            speed = Find<QLineEdit>(form, "speedOrSkidResult")->text();
            QVERIFY(!speed.isEmpty());
        } else if (source == "speed") {
            Find<QCheckBox>(form, "skidKnown")->click();
            Type(Find<QLineEdit>(form, "skidOrSpeed"), QStringLiteral("72"));
            speed = QStringLiteral("72");
        } else if (source == "loading") {
            QTest::mouseClick(Find<toolkit::Label>(form, "loadingLink"), Qt::LeftButton);
            LoadingWindow* loading = app->Loading();
            QTest::keyClicks(Find<QLineEdit>(loading, "speed"), QStringLiteral("50"));
            QComboBox* adhesion = Find<QComboBox>(loading, "adhesion");
            adhesion->lineEdit()->selectAll();
            QTest::keyClicks(adhesion, QStringLiteral("0,8"));
            QTest::mouseClick(Find<QPushButton>(loading, "startButton"), Qt::LeftButton);
            Elapse(500ms);
            QVERIFY(loading->isHidden());
            speed = QStringLiteral("50");
        }
        if (how == "link")
            QTest::mouseClick(Find<toolkit::Label>(form, "analysisLink"), Qt::LeftButton);
        else if (how == "menu")
            Choose(Find<toolkit::Label>(form, "speedKnownCaption"),
                   QStringLiteral("Оценить техническую возможность предотвратить наезд…"));
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_T,
                            Qt::ControlModifier | Qt::ShiftModifier);
        AnalysisWindow* analysis = app->Analysis();
        QVERIFY(analysis && analysis->isVisible());
        QCOMPARE((QStringList{Find<QLineEdit>(analysis, "reaction")->text(),
                              Find<QLineEdit>(analysis, "delay")->text(),
                              Find<QLineEdit>(analysis, "rise")->text(),
                              Find<QLineEdit>(analysis, "deceleration")->text(),
                              Find<QLineEdit>(analysis, "speed")->text()}),
                 (QStringList{"1", "0,2", "0,35", "6,8", speed}));
        // The main window keeps its inputs and results.
        QCOMPARE(Find<QLineEdit>(form, "reactionTime")->text(), QStringLiteral("1"));
        if (source == "skid") QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->text(), speed);
    }

    // Return in any input starts the calculation as Старт does; Escape never ends the program.
    void returnInAnInputStartsEscapeDoesNotQuit_data() {
        QTest::addColumn<QString>("input");
        for (const char* input :
             {"reactionTime", "brakeDelay", "riseTime", "skidOrSpeed", "deceleration"})
            QTest::newRow(input) << input;
    }
    void returnInAnInputStartsEscapeDoesNotQuit() {
        QFETCH(QString, input);
        app->Start();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QLineEdit>(form, "skidOrSpeed")->setText(QStringLiteral("10"));
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
        app->Start();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QLineEdit* skid = Find<QLineEdit>(form, "skidOrSpeed");
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
        QTest::newRow("speed") << "speedOrSkidResult"
                               << "Скорость, км/час";
        QTest::newRow("speed m/s") << "speedMsResult"
                                   << "Скорость, м/с";
        QTest::newRow("distance") << "stoppingDistanceResult"
                                  << "Путь автомобиля с момента начала реагирование водителем на "
                                     "опасность до остановки (остановочный путь),м";
        QTest::newRow("braking time") << "brakingTimeResult"
                                      << "Время полного тормажения,с";
    }
    void resultsAreReadOnly() {
        QFETCH(QString, field);
        QFETCH(QString, name);
        Find<QLineEdit>(form, "skidOrSpeed")->setText(QStringLiteral("10"));
        Calculate();
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
        QTest::newRow("reaction") << "reactionTime"
                                  << "1";
        QTest::newRow("delay") << "brakeDelay"
                               << "0,3";
        QTest::newRow("rise") << "riseTime"
                              << "0,4";
        QTest::newRow("skid") << "skidOrSpeed"
                              << "12";
        QTest::newRow("deceleration") << "deceleration"
                                      << "7";
        QTest::newRow("wet road") << "wetRoad"
                                  << "";
    }
    void anEditedInputEmptiesTheResults() {
        QFETCH(QString, input);
        QFETCH(QString, typed);
        Find<QLineEdit>(form, "skidOrSpeed")->setText(QStringLiteral("10"));
        Calculate();
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(),
                 QStringLiteral("45,7 км/час"));
        QVERIFY(form->Record());
        if (typed.isEmpty())
            QTest::mouseClick(Find<toolkit::OptionButton>(form, input.toLatin1()), Qt::LeftButton);
        else
            Type(Find<QLineEdit>(form, input.toLatin1()), typed);
        for (const char* result :
             {"speedOrSkidResult", "speedMsResult", "stoppingDistanceResult", "brakingTimeResult"})
            QCOMPARE(Find<QLineEdit>(form, result)->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "stripDistanceReadout")->text(), QString());
        QVERIFY(!form->Record());
    }

    // Switching to the speed-known mode names the first result field after its new caption,
    // the skid length, and the input after the speed; switching back names them back.
    void modeNamesTheFields() {
        Find<QCheckBox>(form, "skidKnown")->click();
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->accessibleName(), kSkid);
        QCOMPARE(Find<QLineEdit>(form, "skidOrSpeed")->accessibleName(), kSpeed);
        Find<QCheckBox>(form, "skidKnown")->click();
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->accessibleName(), kSpeed);
        QCOMPARE(Find<QLineEdit>(form, "skidOrSpeed")->accessibleName(), kSkid);
    }

    // A selected option button stays selected when clicked again, with the mouse or the
    // space bar; the other group keeps its own choice.
    void optionStaysSelected() {
        app->Start();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "dryRoad"), Qt::LeftButton);
        QVERIFY(Find<toolkit::OptionButton>(form, "dryRoad")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "wetRoad")->isChecked());
        Find<toolkit::OptionButton>(form, "dryRoad")->setFocus();
        QTest::keyClick(Find<toolkit::OptionButton>(form, "dryRoad"), Qt::Key_Space);
        QVERIFY(Find<toolkit::OptionButton>(form, "dryRoad")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "wetRoad")->isChecked());
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "wetRoad"), Qt::LeftButton);
        QVERIFY(Find<toolkit::OptionButton>(form, "wetRoad")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "dryRoad")->isChecked());
        QCOMPARE(Find<QLineEdit>(form, "deceleration")->text(), QStringLiteral("5"));
        QVERIFY(Find<QCheckBox>(form, "skidKnown")->isChecked()); // the mode stays
    }

    void fontsAndColours() {
        QVERIFY(QFile::exists(QStringLiteral(":/fonts/LiberationSans-Regular.ttf")));
        QVERIFY(QFile::exists(QStringLiteral(":/fonts/LiberationSerif-Regular.ttf")));
        QCOMPARE(QFontInfo(Find<toolkit::Label>(form, "reactionTimeCaption")->font()).family(),
                 QStringLiteral("Liberation Sans"));
        QCOMPARE(Find<toolkit::Label>(form, "reactionTimeCaption")->font().pixelSize(), 11);
        QVERIFY(!Find<toolkit::Label>(form, "reactionTimeCaption")->font().bold());
        QVERIFY(Find<QLineEdit>(form, "speedOrSkidResult")->font().bold());
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->alignment(), Qt::AlignCenter);
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->palette().color(QPalette::Base),
                 kDarkGreen);
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->palette().color(QPalette::Text),
                 kWhite);
        QVERIFY(Find<toolkit::Label>(form, "loadingLink")->font().underline() &&
                Find<toolkit::Label>(form, "loadingLink")->font().bold());
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "loadingLink")), QColor(0, 0, 192));
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "stripSpeedReadout")), QColor(255, 0, 0));
        QCOMPARE(QFontInfo(Find<toolkit::Label>(form, "notice")->font()).family(),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(Find<toolkit::Label>(form, "notice")->font().pixelSize(), 9);
        QCOMPARE(Find<toolkit::Label>(form, "dryRoadSquare")->font().pixelSize(), 8);
        QCOMPARE(Find<toolkit::Line>(form, "resultsFrameTop")->color(), QColor(255, 0, 0));
        QVERIFY(!Find<toolkit::Label>(form, "reactionTimeCaption")
                     ->autoFillBackground()); // the marsh shows through
        QVERIFY(Find<QCheckBox>(form, "skidKnown")->autoFillBackground());
        QCOMPARE(Find<QCheckBox>(form, "skidKnown")->palette().color(QPalette::Window), kDarkGreen);
        for (QWidget* link : {static_cast<QWidget*>(Find<toolkit::Label>(form, "mailAddress")),
                              static_cast<QWidget*>(Find<toolkit::Label>(form, "webAddress")),
                              static_cast<QWidget*>(Find<toolkit::Label>(form, "loadingLink")),
                              static_cast<QWidget*>(Find<toolkit::Label>(form, "dashcamLink"))})
            QCOMPARE(link->cursor().shape(), Qt::BitmapCursor);
        auto* start = qobject_cast<toolkit::PictureButton*>(Find<QPushButton>(form, "startButton"));
        QVERIFY(start && !start->picture().isNull() && start->text().isEmpty());
        QCOMPARE(Find<toolkit::Image>(form, "speedSign")->size(), QSize(25, 26));
    }

    void modeSwitch() {
        Type(Find<QLineEdit>(form, "skidOrSpeed"), "10");
        Calculate();
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->text(), QStringLiteral("45,7"));
        Find<toolkit::Image>(form, "strip")->setPicture(toolkit::LoadBitmap(116));

        Find<QCheckBox>(form, "skidKnown")->click(); // cleared: the speed is known
        for (QLineEdit* field :
             {Find<QLineEdit>(form, "skidOrSpeed"), Find<QLineEdit>(form, "speedOrSkidResult"),
              Find<QLineEdit>(form, "stoppingDistanceResult"),
              Find<QLineEdit>(form, "brakingTimeResult"), Find<QLineEdit>(form, "speedMsResult")})
            QCOMPARE(field->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "stripDistanceReadout")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "skidOrSpeedCaption")->text(), kSpeed);
        QCOMPARE(Find<toolkit::Label>(form, "speedOrSkidCaption")->text(), kSkid);
        QCOMPARE(Find<QLineEdit>(form, "skidOrSpeed")->accessibleName(), kSpeed);
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "skidKnownCaption")),
                 toolkit::ButtonTextColour());
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "speedKnownCaption")), kWhite);
        QVERIFY(
            SamePicture(Find<toolkit::Image>(form, "strip")->picture(), toolkit::LoadBitmap(117)));
        QCOMPARE(Find<QLineEdit>(form, "reactionTime")->text(),
                 QStringLiteral("0,8")); // the other inputs stay
        QCOMPARE(Find<QLineEdit>(form, "deceleration")->text(), QStringLiteral("6,8"));

        Type(Find<QLineEdit>(form, "skidOrSpeed"), "60");
        Find<QCheckBox>(form, "skidKnown")->click(); // ticked again: the skid is known
        QCOMPARE(Find<QLineEdit>(form, "skidOrSpeed")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "skidOrSpeedCaption")->text(), kSkid);
        QCOMPARE(Find<toolkit::Label>(form, "speedOrSkidCaption")->text(), kSpeed);
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "skidKnownCaption")), kWhite);
        QCOMPARE(TextColour(Find<toolkit::Label>(form, "speedKnownCaption")),
                 toolkit::ButtonTextColour());
    }

    void presets() {
        Find<toolkit::OptionButton>(form, "wetRoad")->click();
        QCOMPARE(Find<QLineEdit>(form, "deceleration")->text(), QStringLiteral("5"));
        QVERIFY(!Find<toolkit::OptionButton>(form, "dryRoad")->isChecked());
        Find<toolkit::OptionButton>(form, "dryRoad")->click();
        QCOMPARE(Find<QLineEdit>(form, "deceleration")->text(), QStringLiteral("6,8"));
        Type(Find<QLineEdit>(form, "deceleration"), "7,1");
        QVERIFY(Find<toolkit::OptionButton>(form, "dryRoad")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "wetRoad")->isChecked());
        Find<toolkit::OptionButton>(form, "wetRoad")
            ->setChecked(true); // from code, as the user's click
        QCOMPARE(Find<QLineEdit>(form, "deceleration")->text(), QStringLiteral("5"));
    }

    void readouts() {
        Find<QLineEdit>(form, "speedOrSkidResult")->setText(QStringLiteral("45,7"));
        Find<QLineEdit>(form, "stoppingDistanceResult")->setText(QStringLiteral("26,4"));
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(),
                 QStringLiteral("45,7 км/час"));
        QCOMPARE(Find<toolkit::Label>(form, "stripDistanceReadout")->text(),
                 QStringLiteral("26,4 м"));
        Find<QLineEdit>(form, "stoppingDistanceResult")->setText(QString());
        QCOMPARE(Find<toolkit::Label>(form, "stripDistanceReadout")->text(), QStringLiteral(" м"));
        Find<QLineEdit>(form, "speedOrSkidResult")->setText(QString());
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(),
                 QStringLiteral(" км/час"));

        Find<QCheckBox>(form, "skidKnown")->setChecked(false);
        Type(Find<QLineEdit>(form, "skidOrSpeed"), "60");
        Find<QLineEdit>(form, "speedOrSkidResult")->setText(QStringLiteral("18"));
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(),
                 QStringLiteral("60 км/час"));
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
        if (!skidKnown) Find<QCheckBox>(form, "skidKnown")->click();
        Type(Find<QLineEdit>(form, "reactionTime"), t1);
        Type(Find<QLineEdit>(form, "skidOrSpeed"), x);
        Calculate();
        QCOMPARE((QStringList{Find<QLineEdit>(form, "speedOrSkidResult")->text(),
                              Find<QLineEdit>(form, "speedMsResult")->text(),
                              Find<QLineEdit>(form, "stoppingDistanceResult")->text(),
                              Find<QLineEdit>(form, "brakingTimeResult")->text()}),
                 results);
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(),
                 (skidKnown ? results[0] : x) + QStringLiteral(" км/час"));
        QCOMPARE(Find<toolkit::Label>(form, "stripDistanceReadout")->text(),
                 results[2] + QStringLiteral(" м"));
        QVERIFY(!form->findChild<QMessageBox*>());
    }

    // A paste longer than Qt's default field limit is held whole and read whole: 99 999
    // zeros and a 5 compute as 5.
    void longPasteIsReadWhole() {
        Find<QCheckBox>(form, "skidKnown")->click();
        Type(Find<QLineEdit>(form, "skidOrSpeed"), "5");
        Calculate();
        const QStringList typed = {Find<QLineEdit>(form, "speedOrSkidResult")->text(),
                                   Find<QLineEdit>(form, "speedMsResult")->text(),
                                   Find<QLineEdit>(form, "stoppingDistanceResult")->text(),
                                   Find<QLineEdit>(form, "brakingTimeResult")->text()};
        QCOMPARE(typed, QStringList({"0", "1,4", "1,7", "0,1"}));

        const QString pasted = QString(99999, QLatin1Char('0')) + QStringLiteral("5");
        QApplication::clipboard()->setText(pasted);
        Find<QLineEdit>(form, "skidOrSpeed")->clear();
        QTest::keyClick(Find<QLineEdit>(form, "skidOrSpeed"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Find<QLineEdit>(form, "skidOrSpeed")->text(), pasted);
        Calculate();
        QCOMPARE((QStringList{Find<QLineEdit>(form, "speedOrSkidResult")->text(),
                              Find<QLineEdit>(form, "speedMsResult")->text(),
                              Find<QLineEdit>(form, "stoppingDistanceResult")->text(),
                              Find<QLineEdit>(form, "brakingTimeResult")->text()}),
                 typed);
        QVERIFY(!form->findChild<QMessageBox*>());
    }

    void reactionTimeChangesOnlyDistance() {
        Type(Find<QLineEdit>(form, "skidOrSpeed"), "10");
        Calculate();
        Type(Find<QLineEdit>(form, "reactionTime"), "1,2");
        Calculate();
        QCOMPARE(Find<QLineEdit>(form, "speedOrSkidResult")->text(), QStringLiteral("45,7"));
        QCOMPARE(Find<QLineEdit>(form, "speedMsResult")->text(), QStringLiteral("12,7"));
        QVERIFY(Find<QLineEdit>(form, "stoppingDistanceResult")->text() != QStringLiteral("26,4"));
        QCOMPARE(Find<QLineEdit>(form, "brakingTimeResult")->text(), QStringLiteral("1,7"));
    }

    void failureKeepsEveryField_data() {
        QTest::addColumn<bool>("skidKnown");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a number") << true << "reactionTime"
                                      << "abc"
                                      << "«Время реакции водителя» не является числом";
        QTest::newRow("blank") << true << "riseTime"
                               << " "
                               << "«Время нарастания замедления» не является числом";
        QTest::newRow("zero deceleration") << false << "deceleration"
                                           << "0"
                                           << "«Установившееся замедление» должно быть больше нуля";
        QTest::newRow("zero deceleration, skid")
            << true << "deceleration"
            << "0"
            << "«Установившееся замедление» должно быть больше нуля";
        QTest::newRow("negative skid")
            << true << "skidOrSpeed"
            << "-5"
            << "«Длина тормозного следа (юз)» не может быть отрицательным";
        QTest::newRow("negative speed") << false << "skidOrSpeed"
                                        << "-5"
                                        << "«Скорость» не может быть отрицательным";
        QTest::newRow("negative deceleration")
            << true << "deceleration"
            << "-6,8"
            << "«Установившееся замедление» не может быть отрицательным";
        QTest::newRow("negative deceleration, speed")
            << false << "deceleration"
            << "-6,8"
            << "«Установившееся замедление» не может быть отрицательным";
        QTest::newRow("negative delay") << false << "brakeDelay"
                                        << "-0,2"
                                        << "«Время запаздывания срабатывания тормозного привода» "
                                           "не может быть отрицательным";
        QTest::newRow("too large") << true << "skidOrSpeed"
                                   << "99999999999999999999"
                                   << "«Длина тормозного следа (юз)» слишком велико";
    }
    void failureKeepsEveryField() {
        QFETCH(bool, skidKnown);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        if (!skidKnown) Find<QCheckBox>(form, "skidKnown")->click();
        Type(Find<QLineEdit>(form, "skidOrSpeed"), skidKnown ? "10" : "60");
        Calculate();
        QVERIFY(!Find<QLineEdit>(form, "speedOrSkidResult")->text().isEmpty());
        Type(form->findChild<QLineEdit*>(field), text);

        const QList<QLineEdit*> fields = form->findChildren<QLineEdit*>();
        QStringList before;
        for (QLineEdit* f : fields)
            before << f->text();
        const QString speed = Find<toolkit::Label>(form, "stripSpeedReadout")->text(),
                      distance = Find<toolkit::Label>(form, "stripDistanceReadout")->text();
        Calculate();
        QStringList after;
        for (QLineEdit* f : fields)
            after << f->text();
        QCOMPARE(after, before);
        QCOMPARE(Find<toolkit::Label>(form, "stripSpeedReadout")->text(), speed);
        QCOMPARE(Find<toolkit::Label>(form, "stripDistanceReadout")->text(), distance);

        auto* box = form->findChild<QMessageBox*>();
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->windowModality(), Qt::NonModal);
        QVERIFY2(box->text().contains(message), qPrintable(box->text()));
        Find<QPushButton>(form, "startButton")->click(); // a second refusal reuses the message
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
        QTimer::singleShot(0, Find<QPushButton>(form, "exitButton"), &QPushButton::click);
        QCOMPARE(loop.exec(), 0);
    }

    // The help and the standard are opened as documents (tst_documents).
    void mailAndWebLinks() {
        Opened opened;
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &opened, "open");
        QTest::mouseClick(Find<toolkit::Label>(form, "mailAddress"), Qt::LeftButton);
        QCOMPARE(opened.urls.size(), 1);
        QCOMPARE(opened.urls[0].toString(), QStringLiteral("mailto:") +
                                                Find<toolkit::Label>(form, "mailAddress")->text() +
                                                QStringLiteral("?Subject=Кварнет"));
        opened.urls.clear();
        QTest::mouseClick(Find<toolkit::Label>(form, "webAddress"), Qt::LeftButton);
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromUserInput(
                                  Find<toolkit::Label>(form, "webAddress")->text())});
        QVERIFY(Find<toolkit::Label>(form, "webAddress")
                    ->text()
                    .contains(QStringLiteral("example.org")));
        QVERIFY(Find<toolkit::Label>(form, "mailAddress")
                    ->text()
                    .endsWith(QStringLiteral("@example.org")));
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
};

KVARNET_TEST_MAIN(MainWindowTest)
#include "tst_main.moc"
