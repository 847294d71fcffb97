#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "find_control.h"
#include "test_main.h"
#include "windows/alerts/alert_window.h"
#include "windows/app_windows.h"
#include "windows/dashcam/dashcam_window.h"
#include "windows/loading/loading_window.h"
#include "windows/main/main_window.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"

// Bad input typed or pasted into each window and sent through its real start button: every
// window either warns or computes, never crashes, never alters what the user typed, and
// never leaves half its results.
using namespace std::chrono_literals;

namespace {

enum class Outcome {
    Alert,    // the animated "value missing" alert of the window; nothing computed
    Message,  // a message that the calculation is impossible; no results
    Computes, // the input is a number after all; results shown
};

// Plays the braking animation to its end on the manual clock.
void PlayToTheEnd(MainWindow* form) {
    for (int guard = 0; guard < 40 && form->AnimationRunning(); ++guard)
        Elapse(std::chrono::milliseconds(100));
}

// Puts the text into the field as a paste does, whatever its characters.
void Paste(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QApplication::clipboard()->setText(text);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

QString MessageOf(QWidget* owner) {
    auto* box = owner->findChild<QMessageBox*>(QStringLiteral("Message"));
    return box && box->isVisible() ? box->text() : QString();
}

QStringList Texts(std::initializer_list<QLineEdit*> fields) {
    QStringList texts;
    for (QLineEdit* f : fields)
        texts << f->text();
    return texts;
}

void Pick(QComboBox* combo, const QString& text) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QRect item = view->visualRect(view->model()->index(combo->findText(text), 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!view->isVisible());
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

namespace {

const QString kPaste = QString(99995, QLatin1Char('0')) + QStringLiteral("00060");

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT
    std::unique_ptr<AppWindows> app;
    MainWindow* main = nullptr;

private slots:
    void init() {
        app = std::make_unique<AppWindows>();
        app->Start();
        main = app->Main();
        QVERIFY(QTest::qWaitForWindowExposed(main));
    }
    void cleanup() {
        app.reset();
        toolkit::DiscardAll();
    }

    void throughTheStartButton_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Outcome>("outcome");
        struct Kind {
            const char* name;
            QString text;
            Outcome braking; // main and loading windows
            Outcome dashcam;
        };
        const Kind kinds[] = {
            {"empty", QString(), Outcome::Alert, Outcome::Alert},
            {"blanks", QStringLiteral("   "), Outcome::Message, Outcome::Alert},
            {"letters", QStringLiteral("abc"), Outcome::Message, Outcome::Alert},
            {"exponent", QStringLiteral("1e5"), Outcome::Message, Outcome::Alert},
            {"lone comma", QStringLiteral(","), Outcome::Message, Outcome::Alert},
            {"five decimals", QStringLiteral("12,34565"), Outcome::Computes, Outcome::Computes},
            {"arabic-indic digits", QStringLiteral("\u0661\u0662"), Outcome::Message,
             Outcome::Alert},
            {"fullwidth digits", QStringLiteral("\uFF11\uFF12"), Outcome::Message, Outcome::Alert},
            {"huge", QStringLiteral("99999999999999999999"), Outcome::Message, Outcome::Message},
            {"too large for a step", QStringLiteral("99999999999999"), Outcome::Message,
             Outcome::Computes},
            {"negative", QStringLiteral("-5"), Outcome::Message, Outcome::Message},
            {"100000-character paste", kPaste, Outcome::Computes, Outcome::Computes},
        };
        for (const char* window : {"main, skid known", "main, speed known", "loading", "dashcam"})
            for (const Kind& k : kinds)
                QTest::addRow("%s: %s", window, k.name)
                    << QString::fromLatin1(window) << k.text
                    << (QLatin1String(window) == QLatin1String("dashcam") ? k.dashcam : k.braking);
    }
    void throughTheStartButton() {
        QFETCH(QString, window);
        QFETCH(QString, text);
        QFETCH(Outcome, outcome);
        if (window.startsWith(QLatin1String("main")))
            Main(window.endsWith(QLatin1String("skid known")), text, outcome);
        else if (window == QLatin1String("loading"))
            Loading(text, outcome);
        else
            Dashcam(text, outcome);
    }

private:
    void Main(bool skidKnown, const QString& text, Outcome outcome) {
        Find<QCheckBox>(main, "skidKnown")->setChecked(skidKnown);
        Paste(Find<QLineEdit>(main, "skidOrSpeed"), text);
        QCOMPARE(Find<QLineEdit>(main, "skidOrSpeed")->text(), text);
        QTest::mouseClick(Find<QPushButton>(main, "startButton"), Qt::LeftButton);
        PlayToTheEnd(main);
        QVERIFY(!main->AnimationRunning());
        QCOMPARE(Find<QLineEdit>(main, "skidOrSpeed")->text(),
                 text); // what the user typed stays as typed
        const QStringList results = Texts({Find<QLineEdit>(main, "speedOrSkidResult"),
                                           Find<QLineEdit>(main, "speedMsResult"),
                                           Find<QLineEdit>(main, "stoppingDistanceResult"),
                                           Find<QLineEdit>(main, "brakingTimeResult")});
        QCOMPARE(AlertShown(Alert::MissingValue), outcome == Outcome::Alert);
        QCOMPARE(MessageOf(main).startsWith(QStringLiteral("Расчёт невозможен: значение «")),
                 outcome == Outcome::Message); // every refusal names the field
        if (outcome == Outcome::Computes) {
            QVERIFY2(!results.contains(QString()), qPrintable(results.join('/')));
        } else {
            QCOMPARE(results, QStringList({"", "", "", ""}));
            QCOMPARE(Find<toolkit::Label>(main, "stripSpeedReadout")->text(), QString());
            QCOMPARE(Find<toolkit::Label>(main, "stripDistanceReadout")->text(), QString());
        }
    }

    void Loading(const QString& text, Outcome outcome) {
        QTest::mouseClick(Find<toolkit::Label>(main, "loadingLink"), Qt::LeftButton);
        LoadingWindow* form = app->Loading();
        QVERIFY(form && form->isVisible());
        Pick(Find<QComboBox>(form, "adhesion"), QStringLiteral("0,8"));
        Paste(Find<QLineEdit>(form, "speed"), text);
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QCOMPARE(Find<QLineEdit>(form, "speed")->text(), text);
        QCOMPARE(AlertShown(Alert::MissingValue), outcome == Outcome::Alert);
        QCOMPARE(MessageOf(form).startsWith(
                     QStringLiteral("Расчёт невозможен: значение «Скорость в начале торможения»")),
                 outcome == Outcome::Message);
        QCOMPARE(Find<toolkit::Timer>(form, "handOverTimer")->isEnabled(),
                 outcome == Outcome::Computes);
        if (outcome == Outcome::Computes) {
            Elapse(500ms);
            QVERIFY(form->isHidden());
            const QStringList results = Texts({Find<QLineEdit>(main, "speedOrSkidResult"),
                                               Find<QLineEdit>(main, "speedMsResult"),
                                               Find<QLineEdit>(main, "stoppingDistanceResult"),
                                               Find<QLineEdit>(main, "brakingTimeResult")});
            QVERIFY2(!results.contains(QString()), qPrintable(results.join('/')));
        } else {
            QVERIFY(form->isVisible());
            QCOMPARE(Texts({Find<QLineEdit>(main, "speedOrSkidResult"),
                            Find<QLineEdit>(main, "speedMsResult"),
                            Find<QLineEdit>(main, "stoppingDistanceResult"),
                            Find<QLineEdit>(main, "brakingTimeResult")}),
                     QStringList({"", "", "", ""}));
            QVERIFY(!main->AnimationRunning());
        }
    }

    void Dashcam(const QString& text, Outcome outcome) {
        QTest::mouseClick(Find<toolkit::Label>(main, "dashcamLink"), Qt::LeftButton);
        DashcamWindow* form = app->Dashcam();
        const std::pair<QComboBox*, const char*> readings[] = {
            {Find<QComboBox>(form, "startHours"), "10"},
            {Find<QComboBox>(form, "startMinutes"), "20"},
            {Find<QComboBox>(form, "startSeconds"), "30"},
            {Find<QComboBox>(form, "endHours"), "10"},
            {Find<QComboBox>(form, "endMinutes"), "20"},
            {Find<QComboBox>(form, "endSeconds"), "40"}};
        for (const auto& [combo, value] : readings)
            QTest::keyClicks(combo, QString::fromLatin1(value));
        Paste(Find<QLineEdit>(form, "distance"), text);
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QCOMPARE(Find<QLineEdit>(form, "distance")->text(), text);
        QCOMPARE(AlertShown(Alert::IncompleteReadings), outcome == Outcome::Alert);
        QVERIFY(!AlertShown(Alert::OutOfRange));
        QCOMPARE(
            MessageOf(form).startsWith(QStringLiteral("Расчёт невозможен: значение «Расстояние»")),
            outcome == Outcome::Message);
        const QStringList results =
            Texts({Find<QLineEdit>(form, "elapsedHours"), Find<QLineEdit>(form, "elapsedMinutes"),
                   Find<QLineEdit>(form, "elapsedSeconds"), Find<QLineEdit>(form, "speed")});
        if (outcome == Outcome::Computes) {
            QCOMPARE(results.mid(0, 3), QStringList({"0", "0", "10"}));
            QVERIFY(!Find<QLineEdit>(form, "speed")->text().isEmpty());
        } else {
            QCOMPARE(results, QStringList({"", "", "", ""}));
        }
        QVERIFY(main->isEnabled() && form->isEnabled());
    }
};

KVARNET_TEST_MAIN(BadInputTest)
#include "tst_bad_input.moc"
