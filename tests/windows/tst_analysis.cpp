#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "core/avoidance.h"
#include "core/impact.h"
#include "core/video.h"
#include "find_control.h"
#include "test_main.h"
#include "windows/analysis/analysis_window.h"
#include "windows/analysis/path_diagram_view.h"
#include "windows/analysis/presets.h"
#include "windows/record/path_diagram.h"
#include "windows/record/record_document.h"
#include "windows/shared/text.h"

using Calculation = AnalysisWindow::Calculation;
using Texts = QList<QPair<QString, QString>>; // field's role, text typed

Q_DECLARE_METATYPE(Calculation)

namespace {

// The window's results, by the key under which the record and kvarnet-calc's JSON keep each.
const QList<QPair<QString, QString>> kResultFields = {
    {"pedestrianTime", "pedestrian_time_s"},
    {"distanceAtDanger", "distance_at_danger_m"},
    {"pedestrianStoppingDistance", "stopping_distance_m"},
    {"criticalSpeed", "critical_speed_kmh"},
    {"limitStoppingDistance", "stopping_distance_at_limit_m"},
    {"pedestrianVerdict", "avoidable"},
    {"limitVerdict", "avoidable_at_limit"},
    {"obstacleStoppingDistance", "stopping_distance_m"},
    {"safeSpeed", "safe_speed_kmh"},
    {"obstacleVerdict", "avoidable"},
    {"impactSpeed", "impact_speed_kmh"},
    {"elapsed", "elapsed_s"},
    {"videoSpeed", "speed_kmh"},
    {"videoSpeedRange", "speed_range_kmh"},
};

const char* const kCalculationNames[] = {"pedestrian", "obstacle", "impact", "video"};

// Each field's role and the option kvarnet-calc takes its value by.
const QMap<QString, QString> kOptions = {
    {"speed", "speed"},
    {"reaction", "reaction"},
    {"delay", "delay"},
    {"rise", "rise"},
    {"deceleration", "deceleration"},
    {"pedestrianPath", "pedestrian-path"},
    {"pedestrianSpeed", "pedestrian-speed"},
    {"speedLimit", "limit"},
    {"visibility", "visibility"},
    {"skid", "skid"},
    {"frames", "frames"},
    {"fps", "fps"},
    {"videoDistance", "distance"},
};

// Types into the field as a user does: selects what it holds and types over it.
void Type(AnalysisWindow* window, const QString& role, const QString& text) {
    auto* field = Find<QLineEdit>(window, qPrintable(role));
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    // keyClicks takes Latin-1 only: the dash and the ellipsis go as the key events a keyboard
    // layout that has them sends.
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(field, c.toLatin1());
            continue;
        }
        QTest::sendKeyEvent(QTest::Press, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// What the window shows of a result: a field's text, or a verdict's sentence.
QString Shown(AnalysisWindow* window, const QString& role) {
    if (auto* verdict = window->findChild<QLabel*>(role)) return verdict->text();
    return Find<QLineEdit>(window, qPrintable(role))->text();
}

// Results shown by the calculation's page, by key; empty ones left out.
QMap<QString, QString> ShownResults(AnalysisWindow* window, Calculation calculation) {
    const QString page = QString::fromLatin1(kCalculationNames[static_cast<int>(calculation)]) +
                         QStringLiteral("Page");
    QMap<QString, QString> shown;
    for (const auto& [role, key] : kResultFields) {
        QWidget* widget = window->findChild<QWidget*>(role);
        if (!widget || !widget->parentWidget() || widget->parentWidget()->objectName() != page)
            continue;
        const QString text = Shown(window, role);
        if (!text.isEmpty()) shown[key] = text;
    }
    return shown;
}

// kvarnet-calc's results for the same texts, by key: the verdicts with their sentences.
QMap<QString, QString> CommandLineResults(Calculation calculation, const Texts& texts) {
    QStringList args = {QString::fromLatin1(kCalculationNames[static_cast<int>(calculation)])};
    for (const auto& [role, text] : texts)
        if (!text.isEmpty()) args << "--" + kOptions.value(role) << text;
    args << "--json";
    QProcess calc;
    calc.start(qEnvironmentVariable("KVARNET_CALC"), args);
    calc.waitForFinished(30000);
    const QJsonObject record = QJsonDocument::fromJson(calc.readAllStandardOutput()).object();
    QMap<QString, QString> results;
    for (const QJsonValue& value : record.value("results").toArray()) {
        const QJsonObject result = value.toObject();
        if (!result.value("text").toString().isEmpty())
            results[result.value("key").toString()] = result.value("text").toString();
    }
    return results;
}

// The core's results for the same texts, as the window's own record keeps them.
QMap<QString, QString> RecordResults(const core::CalculationRecord& record) {
    QMap<QString, QString> results;
    for (const core::RecordValue& value : record.results)
        if (!value.text.empty()) results[shared::Q(value.key)] = shared::Q(value.text);
    return results;
}

class Opened {
public:
    explicit Opened(const AnalysisStart& start = {}) {
        OpenAnalysis(window_, start);
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_));
    }
    ~Opened() { delete window_; }
    AnalysisWindow* operator->() const { return window_; }
    AnalysisWindow* get() const { return window_; }
    QPointer<AnalysisWindow>& pointer() { return window_; }

private:
    QPointer<AnalysisWindow> window_;
};

const Texts kCar = {{"speed", "60"},
                    {"reaction", "0,8"},
                    {"delay", "0,2"},
                    {"rise", "0,3"},
                    {"deceleration", "6,8"}};

} // namespace

class AnalysisTest : public QObject {
    Q_OBJECT

private slots:
    // Typed key by key and computed with Return, the window shows what kvarnet-calc gives for
    // the same texts, numbers and verdicts alike, single values and ranges.
    void sameAsCommandLine_data() {
        QTest::addColumn<Calculation>("calculation");
        QTest::addColumn<Texts>("texts");
        QTest::newRow("pedestrian, could not")
            << Calculation::Pedestrian
            << (kCar +
                Texts{{"pedestrianPath", "3"}, {"pedestrianSpeed", "5"}, {"speedLimit", ""}});
        QTest::newRow("pedestrian, could")
            << Calculation::Pedestrian
            << (kCar +
                Texts{{"pedestrianPath", "6"}, {"pedestrianSpeed", "4"}, {"speedLimit", "40"}});
        QTest::newRow("pedestrian over ranges, open") << Calculation::Pedestrian
                                                      << Texts{{"speed", "55..65"},
                                                               {"reaction", "0,6–1,4"},
                                                               {"delay", "0,2"},
                                                               {"rise", "0,3"},
                                                               {"deceleration", "6,8"},
                                                               {"pedestrianPath", "3"},
                                                               {"pedestrianSpeed", "4,6…5,8"},
                                                               {"speedLimit", "60"}};
        QTest::newRow("obstacle, could")
            << Calculation::Obstacle << (kCar + Texts{{"visibility", "45"}});
        QTest::newRow("obstacle over ranges")
            << Calculation::Obstacle
            << Texts{{"speed", "50..70"}, {"reaction", "0,8"},     {"delay", "0,1..0,3"},
                     {"rise", "0,3"},     {"deceleration", "6,8"}, {"visibility", "35..45"}};
        QTest::newRow("impact") << Calculation::Impact
                                << Texts{{"speed", "67,5"},
                                         {"rise", "0,35"},
                                         {"deceleration", "6,8"},
                                         {"skid", "11,1"}};
        QTest::newRow("impact over ranges") << Calculation::Impact
                                            << Texts{{"speed", "65..70"},
                                                     {"rise", "0,35"},
                                                     {"deceleration", "6..6,8"},
                                                     {"skid", "11,1"}};
        QTest::newRow("video") << Calculation::Video
                               << Texts{{"frames", "45"}, {"fps", "30"}, {"videoDistance", "10"}};
        QTest::newRow("video, NTSC rate and a ranged distance")
            << Calculation::Video
            << Texts{{"frames", "45"}, {"fps", "30000/1001"}, {"videoDistance", "9,8..10,2"}};
    }
    void sameAsCommandLine() {
        QFETCH(Calculation, calculation);
        QFETCH(Texts, texts);
        Opened window;
        window->ShowCalculation(calculation);
        for (const auto& [role, text] : texts)
            Type(window.get(), role, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(window->Record());
        const QMap<QString, QString> shown = ShownResults(window.get(), calculation);
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown, RecordResults(*window->Record()));
        if (qEnvironmentVariableIsEmpty("KVARNET_CALC")) QSKIP("KVARNET_CALC not given");
        QCOMPARE(shown, CommandLineResults(calculation, texts));
    }

    // The three ways of writing a range read alike.
    void rangeSeparatorsReadAlike() {
        QStringList verdicts;
        for (const QString range : {"0,6–1,4", "0,6…1,4", "0,6..1,4"}) {
            Opened window;
            for (const auto& [role, text] :
                 kCar + Texts{{"pedestrianPath", "3"}, {"pedestrianSpeed", "5"}})
                Type(window.get(), role, role == "reaction" ? range : text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            verdicts << Shown(window.get(), "pedestrianVerdict") +
                            Shown(window.get(), "criticalSpeed");
        }
        QCOMPARE(verdicts.size(), 3);
        QVERIFY(!verdicts[0].isEmpty());
        QCOMPARE(verdicts[1], verdicts[0]);
        QCOMPARE(verdicts[2], verdicts[0]);
    }

    // A refused text is marked as it is typed, with the core's reason beside it; Return then
    // computes nothing and takes the keyboard to it.
    void refusedFieldMarkedAtOnce_data() {
        QTest::addColumn<QString>("role");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("negative") << "reaction"
                                  << "-0,8"
                                  << "не может быть отрицательным";
        QTest::newRow("not a number") << "deceleration"
                                      << "6,8м"
                                      << "не является числом";
        QTest::newRow("reversed range") << "speed"
                                        << "65..55"
                                        << "в обратном порядке";
        QTest::newRow("zero pedestrian speed") << "pedestrianSpeed"
                                               << "0"
                                               << "больше нуля";
        QTest::newRow("half a range") << "pedestrianPath"
                                      << "3.."
                                      << "не является числом";
    }
    void refusedFieldMarkedAtOnce() {
        QFETCH(QString, role);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        Opened window;
        for (const auto& [r, t] : kCar + Texts{{"pedestrianPath", "3"}, {"pedestrianSpeed", "5"}})
            Type(window.get(), r, t);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(window->Record());
        Type(window.get(), role, text);
        auto* problem = Find<QLabel>(window.get(), qPrintable(role + "Problem"));
        QVERIFY(problem->isVisible());
        QVERIFY2(problem->text().contains(reason), qPrintable(problem->text()));
        auto* field = Find<QLineEdit>(window.get(), qPrintable(role));
        QVERIFY(field->property("refused").toBool());
        QCOMPARE(field->accessibleDescription(), problem->text());
        // The edit already took the results away; Return brings none back.
        QVERIFY(!window->Record());
        Type(window.get(), "speed", role == "speed" ? text : "60");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!window->Record());
        QVERIFY(ShownResults(window.get(), Calculation::Pedestrian).isEmpty());
        QCOMPARE(QApplication::focusWidget(), field);
        // Corrected, the mark goes and the calculation runs.
        Type(window.get(), role, role == "speed" ? "60" : QString());
        for (const auto& [r, t] : kCar + Texts{{"pedestrianPath", "3"}, {"pedestrianSpeed", "5"}})
            if (r == role) Type(window.get(), r, t);
        QVERIFY(!problem->isVisible());
        QVERIFY(!field->property("refused").toBool());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(window->Record());
    }

    // An empty field the calculation needs is named on Return, not while the user types.
    void emptyFieldNamedOnReturn() {
        Opened window;
        for (const auto& [role, text] : kCar)
            Type(window.get(), role, text);
        QVERIFY(!Find<QLabel>(window.get(), "pedestrianPathProblem")->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!window->Record());
        QVERIFY(Find<QLabel>(window.get(), "pedestrianPathProblem")->text().contains("не задано"));
        QCOMPARE(QApplication::focusWidget(), Find<QLineEdit>(window.get(), "pedestrianPath"));
        // The permitted speed may stay empty.
        QVERIFY(!Find<QLabel>(window.get(), "speedLimitProblem")->isVisible());
    }

    // A value the core refuses only when it computes is marked the same way, and leaves no result.
    void refusalWhileComputing() {
        Opened window;
        window->ShowCalculation(Calculation::Impact);
        for (const auto& [role, text] :
             Texts{{"speed", "67,5"}, {"rise", "0,35"}, {"deceleration", "6,8"}, {"skid", "11,1"}})
            Type(window.get(), role, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!Shown(window.get(), "impactSpeed").isEmpty());
        Type(window.get(), "speed", "10");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(Shown(window.get(), "impactSpeed").isEmpty());
        QVERIFY(!window->Record());
        QVERIFY(Find<QLabel>(window.get(), "speedProblem")->text().contains("слишком мало"));
        QVERIFY(Find<QLabel>(window.get(), "status")->text().startsWith("Расчёт невозможен: "));
    }

    // An edit of any input a result came from takes the result and the record away.
    void editEmptiesItsResults() {
        Opened window;
        for (const auto& [role, text] : kCar + Texts{{"visibility", "45"}})
            Type(window.get(), role, text);
        window->ShowCalculation(Calculation::Obstacle);
        QTest::keyClick(Find<QLineEdit>(window.get(), "visibility"), Qt::Key_Return);
        QVERIFY(window->Record());
        QVERIFY(Find<PathDiagramView>(window.get(), "diagram")->isVisible());
        QTest::keyClick(Find<QLineEdit>(window.get(), "delay"), Qt::Key_1);
        QVERIFY(!window->Record());
        QVERIFY(ShownResults(window.get(), Calculation::Obstacle).isEmpty());
        QVERIFY(Find<PathDiagramView>(window.get(), "diagram")->isHidden());
    }

    // Each calculation keeps its results while another is shown; the record is the shown one's.
    void recordFollowsTheCalculationShown() {
        Opened window;
        for (const auto& [role, text] :
             kCar + Texts{{"pedestrianPath", "3"}, {"pedestrianSpeed", "5"}, {"visibility", "45"}})
            Type(window.get(), role, text);
        window->Compute();
        QCOMPARE(window->Record()->calculation, std::string("pedestrian"));
        window->ShowCalculation(Calculation::Obstacle);
        QVERIFY(!window->Record());
        window->Compute();
        QCOMPARE(window->Record()->calculation, std::string("obstacle"));
        window->ShowCalculation(Calculation::Pedestrian);
        QCOMPARE(window->Record()->calculation, std::string("pedestrian"));
        QVERIFY(!Shown(window.get(), "criticalSpeed").isEmpty());
        // The car's fields are the video's no concern: the keyboard passes them by.
        window->ShowCalculation(Calculation::Video);
        QVERIFY(!Find<QLineEdit>(window.get(), "speed")->isEnabled());
    }

    // Tab goes through every field, preset and button as the eye goes: down the window, and
    // left to right along a row; and comes round.
    void tabGoesInVisualOrder() {
        Opened window;
        for (const auto& [role, text] :
             kCar + Texts{{"pedestrianPath", "3"}, {"pedestrianSpeed", "5"}})
            Type(window.get(), role, text);
        window->Compute();
        window->resize(900, window->height());
        QApplication::processEvents();
        QWidget* first = Find<QLineEdit>(window.get(), "speed");
        first->setFocus(Qt::TabFocusReason);
        QStringList visited;
        QPoint previous(-1, -1);
        int previousHeight = 0;
        for (int step = 0; step < 60; ++step) {
            QWidget* at = QApplication::focusWidget();
            QVERIFY(at);
            if (step > 0 && at == first) break;
            // The tab bar stands for its tab widget.
            const QString name =
                qobject_cast<QTabBar*>(at) ? at->parentWidget()->objectName() : at->objectName();
            visited << name;
            // Where it stands on the page, whichever part of it the window scrolls to.
            QWidget* content = Find<QWidget>(window.get(), "content");
            const QPoint place = content->isAncestorOf(at)
                                     ? at->mapTo(content, QPoint(0, 0))
                                     : at->mapTo(window.get(), QPoint(0, content->height()));
            // Down by more than half the lower of the two, or along the same row.
            const int rowTolerance = std::min(at->height(), previousHeight) / 2;
            QVERIFY2(place.y() > previous.y() + rowTolerance ||
                         (std::abs(place.y() - previous.y()) <= rowTolerance + 8 &&
                          place.x() > previous.x()),
                     qPrintable(visited.join(" → ")));
            previous = place;
            previousHeight = at->height();
            QTest::keyClick(at, Qt::Key_Tab);
        }
        for (const char* role : {"speed",
                                 "reaction",
                                 "delay",
                                 "rise",
                                 "deceleration",
                                 "decelerationPreset",
                                 "surfacePreset",
                                 "calculations",
                                 "pedestrianPath",
                                 "pedestrianSpeed",
                                 "pedestrianPreset",
                                 "pedestrianMean",
                                 "speedLimit",
                                 "pedestrianTime",
                                 "criticalSpeed",
                                 "pedestrianVerdict",
                                 "diagram",
                                 "computeButton",
                                 "copyButton",
                                 "saveButton",
                                 "caseButton",
                                 "closeButton"})
            QVERIFY2(visited.contains(QString::fromLatin1(role)),
                     qPrintable(QString::fromLatin1(role) + ": " + visited.join(" → ")));
        QCOMPARE(QApplication::focusWidget(), first);
    }

    // Escape closes the window, from any field.
    void escapeCloses() {
        Opened window;
        QPointer<AnalysisWindow> watched = window.get();
        QTest::keyClick(Find<QLineEdit>(window.get(), "reaction"), Qt::Key_Escape);
        QTRY_VERIFY(!watched || !watched->isVisible());
    }

    // Opening fills the five fields, each editable; opening again brings up the same window with
    // the new values.
    void openFillsTheFields() {
        Opened window({"1", "0,1", "0,35", "5", "72,4"});
        QCOMPARE(Find<QLineEdit>(window.get(), "reaction")->text(), QStringLiteral("1"));
        QCOMPARE(Find<QLineEdit>(window.get(), "delay")->text(), QStringLiteral("0,1"));
        QCOMPARE(Find<QLineEdit>(window.get(), "rise")->text(), QStringLiteral("0,35"));
        QCOMPARE(Find<QLineEdit>(window.get(), "deceleration")->text(), QStringLiteral("5"));
        QCOMPARE(Find<QLineEdit>(window.get(), "speed")->text(), QStringLiteral("72,4"));
        QVERIFY(!Find<QLineEdit>(window.get(), "speed")->isReadOnly());
        AnalysisWindow* before = window.get();
        OpenAnalysis(window.pointer(), {"0,8", "0,2", "0,3", "6,8", "60"});
        QCOMPARE(window.get(), before);
        QCOMPARE(Find<QLineEdit>(window.get(), "speed")->text(), QStringLiteral("60"));
    }

    // A preset fills its field and stays editable; its source is in the tooltip and, while the
    // field holds the preset's value, in the record.
    void pedestrianPresetFillsAndNamesItsSource() {
        Opened window;
        for (const auto& [role, text] : kCar + Texts{{"pedestrianPath", "3"}})
            Type(window.get(), role, text);
        auto* preset = Find<QComboBox>(window.get(), "pedestrianPreset");
        QVERIFY(preset->toolTip().contains(analysis::kPedestrianSource));
        preset->setFocus(Qt::TabFocusReason);
        QTest::keyClick(preset, Qt::Key_Down);
        QCOMPARE(Shown(window.get(), "pedestrianSpeed"), QStringLiteral("2,7…3,9"));
        QTest::keyClick(Find<QCheckBox>(window.get(), "pedestrianMean"), Qt::Key_Space);
        QCOMPARE(Shown(window.get(), "pedestrianSpeed"), QStringLiteral("3,1"));
        QTest::keyClick(preset, Qt::Key_Return);
        QVERIFY(window->Record());
        const std::string notes = core::RecordText(*window->Record());
        QVERIFY(QString::fromStdString(notes).contains(analysis::kPedestrianSource));
        // Typed over, the value is the expert's own.
        Type(window.get(), "pedestrianSpeed", "3,2");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!QString::fromStdString(core::RecordText(*window->Record()))
                     .contains(analysis::kPedestrianSource));
    }

    void decelerationPresetFills() {
        Opened window;
        auto* preset = Find<QComboBox>(window.get(), "decelerationPreset");
        preset->setFocus(Qt::TabFocusReason);
        QTest::keyClick(preset, Qt::Key_Down);
        QCOMPARE(Shown(window.get(), "deceleration"), QStringLiteral("6,8"));
        QVERIFY(preset->itemData(1, Qt::ToolTipRole).toString().contains("п. 1.1"));
        QVERIFY(preset->itemData(1, Qt::ToolTipRole).toString().contains("ГОСТ 33997-2016"));
    }

    // The cells the published table leaves out, or gives in doubt, are not offered.
    void presetsLeaveOutWhatTheTablesLeaveOut() {
        QStringList captions;
        for (const analysis::PedestrianPreset& preset : analysis::PedestrianPresets())
            captions << preset.Caption();
        QCOMPARE(captions.size(), 16 * 5 - 2 - 2 * 3);
        for (const QString absent :
             {"8–10 лет, женский, спокойный бег", "8–10 лет, женский, быстрый бег",
              "40–50 лет, мужской, быстрый шаг", "40–50 лет, женский, быстрый бег"})
            QVERIFY2(std::none_of(captions.begin(), captions.end(),
                                  [&](const QString& c) { return c.startsWith(absent); }),
                     qPrintable(absent));
        QVERIFY(captions.contains("20–30 лет, мужской, спокойный шаг: 4,8–6,2 (5,7) км/ч"));
    }

    // The verdict: the core's sentence, in the verdict's colour, read by a screen reader; an
    // open one says at which speed it turns.
    void verdictInColourAndWords_data() {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("verdict");
        QTest::newRow("could") << "40" << int(core::Verdict::Holds);
        QTest::newRow("could not") << "60" << int(core::Verdict::Fails);
        QTest::newRow("depends") << "40..60" << int(core::Verdict::Open);
    }
    void verdictInColourAndWords() {
        QFETCH(QString, speed);
        QFETCH(int, verdict);
        Opened window;
        for (const auto& [role, text] :
             kCar + Texts{{"pedestrianPath", "3"}, {"pedestrianSpeed", "5"}})
            Type(window.get(), role, role == "speed" ? speed : text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const core::PedestrianResults expected =
            core::ComputePedestrian({shared::Std(speed), "0,8", "0,2", "0,3", "6,8", "3", "5"});
        QCOMPARE(int(expected.avoidable.verdict), verdict);
        auto* label = Find<QLabel>(window.get(), "pedestrianVerdict");
        QCOMPARE(label->text(), shared::Q(expected.avoidable.text));
        QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name),
                 label->text());
        if (verdict == int(core::Verdict::Open))
            QVERIFY2(label->text().contains("при скорости автомобиля ниже 49,6 км/ч"),
                     qPrintable(label->text()));
        static QMap<int, QColor> colours;
        colours[verdict] = label->palette().color(QPalette::WindowText);
        if (colours.size() == 3) {
            QCOMPARE(QSet<QRgb>({colours[1].rgb(), colours[2].rgb(), colours[3].rgb()}).size(), 3);
        }
    }

    // The diagram states its distances to a screen reader; the record carries it, the HTML as
    // a picture with the same words, the PDF in vectors.
    void diagramInWindowAndRecord() {
        Opened window;
        for (const auto& [role, text] : Texts{{"speed", "55..65"},
                                              {"reaction", "0,8"},
                                              {"delay", "0,2"},
                                              {"rise", "0,3"},
                                              {"deceleration", "6,8"},
                                              {"pedestrianPath", "3"},
                                              {"pedestrianSpeed", "5"}})
            Type(window.get(), role, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        auto* diagram = Find<PathDiagramView>(window.get(), "diagram");
        QVERIFY(diagram->isVisible());
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(diagram);
        QCOMPARE(read->role(), QAccessible::Graphic);
        const QString description = read->text(QAccessible::Description);
        QVERIFY2(description.contains("Sa — " + Shown(window.get(), "distanceAtDanger") + " м"),
                 qPrintable(description));
        QVERIFY2(
            description.contains("Sо — до " + Shown(window.get(), "pedestrianStoppingDistance")),
            qPrintable(description));
        QVERIFY(window->Record()->diagram);
        const QString html = record::RecordHtml(*window->Record());
        QVERIFY(html.contains("<img src=\"data:image/png;base64,"));
        QVERIFY(html.contains(description.toHtmlEscaped()));
        // Nothing drawn but white where a diagram should be would pass unseen: it has ink.
        const QImage drawn = diagram->grab().toImage();
        int dark = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                dark += qGray(drawn.pixel(x, y)) < 128;
        QVERIFY(dark > drawn.width());
    }

    // In the record a verdict reads as words: its sentence under its name, the table's whole
    // width, where the numbers stay right-aligned in their column.
    void verdictReadsAsTextInRecord() {
        Opened window;
        for (const auto& [role, text] :
             kCar + Texts{{"pedestrianPath", "3"}, {"pedestrianSpeed", "4,6..5,8"}})
            Type(window.get(), role, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const QString html = record::RecordHtml(*window->Record());
        const QString verdict = Shown(window.get(), "pedestrianVerdict");
        QVERIFY(!verdict.isEmpty());
        QVERIFY2(html.contains("<tr><td colspan=\"3\">Техническая возможность предотвратить "
                               "наезд:<br/>" +
                               verdict.toHtmlEscaped() + "</td></tr>"),
                 qPrintable(html));
        QVERIFY(html.contains("<td class=\"number\">" +
                              Shown(window.get(), "pedestrianStoppingDistance") + "</td>"));
    }

    // Saved, the record has its diagram: the HTML as a picture, the PDF drawn by the program.
    void recordSavedWithDiagram() {
        Opened window;
        for (const auto& [role, text] : kCar + Texts{{"visibility", "30..45"}})
            Type(window.get(), role, text);
        window->ShowCalculation(Calculation::Obstacle);
        window->Compute();
        QVERIFY(window->Record() && window->Record()->diagram);
        QTemporaryDir folder;
        for (const char* name : {"расчёт.pdf", "расчёт.html"}) {
            const QString path = folder.filePath(QString::fromUtf8(name));
            QVERIFY(record::WriteRecord(*window->Record(), path).Saved());
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            if (path.endsWith(".pdf"))
                QVERIFY(bytes.startsWith("%PDF-"));
            else
                QVERIFY(bytes.contains("<h2>Схема</h2>\n<p><img src=\"data:image/png;base64,"));
        }
    }

    // The record's commands come from the same code as the other windows': copied, the HTML
    // has the diagram.
    void copyRecord() {
        Opened window;
        for (const auto& [role, text] :
             kCar + Texts{{"pedestrianPath", "3"}, {"pedestrianSpeed", "5"}})
            Type(window.get(), role, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::clipboard()->clear();
        QTest::mouseClick(Find<QPushButton>(window.get(), "copyButton"), Qt::LeftButton);
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QVERIFY(copied->text().contains("Техническая возможность предотвратить наезд на пешехода"));
        QVERIFY(copied->html().contains("data:image/png;base64,"));
    }

    // The row of Sо.доп stands only while it has a value: without a permitted speed neither the
    // eye nor a screen reader meets an empty field.
    void limitRowOnlyWithItsValue() {
        Opened window;
        auto* limit = Find<QLineEdit>(window.get(), "limitStoppingDistance");
        QLabel* caption = nullptr;
        for (QLabel* label : window->findChildren<QLabel*>())
            if (label->buddy() == limit) caption = label;
        QVERIFY(caption);
        // Seen, the caption with it, and so to a screen reader; or none of them.
        const auto shown = [&] {
            const bool invisible = QAccessible::queryAccessibleInterface(limit)->state().invisible;
            if (caption->isVisible() != limit->isVisible() || invisible == limit->isVisible())
                return std::optional<bool>();
            return std::optional<bool>(limit->isVisible());
        };
        const std::optional<bool> hidden(false), seen(true);
        QCOMPARE(shown(), hidden);
        for (const auto& [role, text] :
             kCar + Texts{{"pedestrianPath", "3"}, {"pedestrianSpeed", "5"}})
            Type(window.get(), role, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!Shown(window.get(), "criticalSpeed").isEmpty());
        QCOMPARE(shown(), hidden);
        Type(window.get(), "speedLimit", "40");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(shown(), seen);
        QCOMPARE(RecordResults(*window->Record()).value("stopping_distance_at_limit_m"),
                 limit->text());
        Type(window.get(), "speedLimit", "");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(shown(), hidden);
    }

    // Each preset list shows its first item, which says what it offers, whole, however narrow
    // the window's layout may make it.
    void presetCaptionsFit() {
        Opened window;
        for (const char* role : {"decelerationPreset", "pedestrianPreset", "surfacePreset"}) {
            auto* list = Find<QComboBox>(window.get(), role);
            QStyleOptionComboBox option;
            option.initFrom(list);
            option.rect = QRect(QPoint(0, 0), list->minimumSizeHint());
            option.editable = false;
            const QRect text = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                             QStyle::SC_ComboBoxEditField, list);
            const int needed = list->fontMetrics().horizontalAdvance(list->itemText(0));
            QVERIFY2(
                needed <= text.width(),
                qPrintable(QStringLiteral("%1: %2 in %3").arg(role).arg(needed).arg(text.width())));
        }
    }

    // The diagram's labels stand clear of each other and of the lines that come down from them,
    // wherever the stop and the target fall: the target short of the stop, on it and past it,
    // single or spread, in a wide and a narrow picture; the stop's leader runs whole from its
    // label to the bar.
    void diagramLabelsKeepClear() {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(12);
        QImage device(10, 10, QImage::Format_RGB32);
        const auto text = [](double metres) {
            return QString::number(metres, 'f', 1).replace('.', ',').toStdString();
        };
        const auto mark = [&](double low, double high) {
            core::PathMark m{"", "", "", low, high, text(low)};
            if (high > low) m.text += "…" + text(high);
            return m;
        };
        int cases = 0;
        for (const qreal width : {640.0, 420.0})
            for (const double stop : {12.0, 35.0, 60.0})
                for (const double stopSpread : {0.0, 9.0})
                    for (const double targetSpread : {0.0, 14.0})
                        for (double target = 0.5; target < 80; target += 0.7) {
                            core::PathDiagram diagram;
                            for (const double share : {0.25, 0.3, 0.33})
                                diagram.edges.push_back(mark(stop * share, stop * share));
                            diagram.edges.push_back(mark(stop, stop + stopSpread));
                            diagram.edges.back().symbol = "Sо";
                            diagram.target = mark(target, target + targetSpread);
                            diagram.target.name = "Место наезда";
                            diagram.target.symbol = "Sa";
                            const QRectF area(0, 0, width, 200);
                            const record::PathDiagramLabels labels =
                                record::PlacePathDiagramLabels(area, diagram, font, &device);
                            const QString at = QStringLiteral("width %1, stop %2+%3, target %4+%5")
                                                   .arg(width)
                                                   .arg(stop)
                                                   .arg(stopSpread)
                                                   .arg(target)
                                                   .arg(targetSpread);
                            QVERIFY2(!labels.stop.intersects(labels.target), qPrintable(at));
                            for (const QRectF& box : {labels.stop, labels.target})
                                QVERIFY2(area.contains(box), qPrintable(at));
                            QCOMPARE(labels.leader.size(), std::size_t(1));
                            QCOMPARE(labels.leader.front().y1(), labels.stop.bottom());
                            QCOMPARE(labels.marks.size(), std::size_t(targetSpread > 0 ? 2 : 1));
                            std::vector<QLineF> lines = labels.leader;
                            lines.insert(lines.end(), labels.marks.begin(), labels.marks.end());
                            for (const QLineF& line : lines)
                                for (const QRectF& box : {labels.stop, labels.target})
                                    QVERIFY2(line.x1() <= box.left() || line.x1() >= box.right() ||
                                                 std::max(line.y1(), line.y2()) <= box.top() ||
                                                 std::min(line.y1(), line.y2()) >= box.bottom(),
                                             qPrintable(at));
                            ++cases;
                        }
        QVERIFY(cases > 1000);
    }

    // Every field is named by its input, with its unit, for a screen reader.
    void fieldsNamedWithUnits() {
        Opened window;
        QCOMPARE(Find<QLineEdit>(window.get(), "speed")->accessibleName(),
                 QStringLiteral("Скорость автомобиля, км/ч"));
        QCOMPARE(Find<QLineEdit>(window.get(), "deceleration")->accessibleName(),
                 QStringLiteral("Установившееся замедление, м/с²"));
        QCOMPARE(Find<QLineEdit>(window.get(), "fps")->accessibleName(),
                 QStringLiteral("Частота кадров, кадр/с"));
        for (QWidget* w : window->findChildren<QWidget*>())
            if (w->focusPolicy() != Qt::NoFocus && !w->objectName().isEmpty() && !w->isHidden() &&
                !qobject_cast<QTabWidget*>(w) && w->objectName() != "diagram")
                QVERIFY2(
                    !QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty(),
                    qPrintable(w->objectName()));
    }
};

KVARNET_TEST_MAIN(AnalysisTest)
#include "tst_analysis.moc"
