#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QUrl>
#include <map>
#include <memory>
#include <random>

#include "core/avoidance.h"
#include "core/impact.h"
#include "core/stopping.h"
#include "core/video.h"
#include "find_control.h"
#include "test_main.h"
#include "windows/alerts/alert_window.h"
#include "windows/analysis/analysis_window.h"
#include "windows/app_windows.h"
#include "windows/dashcam/dashcam_window.h"
#include "windows/loading/loading_window.h"
#include "windows/main/main_window.h"
#include "windows/shared/text.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"

// A seeded random user: thousands of clicks, typed and pasted texts, list picks and timer
// ticks across every window, with the program's promises checked after each one.
// KVARNET_RANDOM_ACTIONS sets how many (default 1500), KVARNET_RANDOM_SEED the seed; the
// seed and the action are printed with any failure, so it can be replayed.
namespace {

// The text of a window's field, for the core.
std::string Std(const QWidget* window, const char* field) {
    return Find<QLineEdit>(window, field)->text().toStdString();
}

int EnvNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// Swallows the documents, mail and web addresses the links would open.
class Desktop : public QObject {
    Q_OBJECT
public:
    int opened = 0;
public slots:
    void open(const QUrl&) { ++opened; }
};

const QStringList kTexts = {
    "",
    "0",
    "10",
    "20",
    "60",
    "0,8",
    "6,8",
    "0,3",
    "5",
    "1,28",
    "-5",
    "abc",
    "1e5",
    ",",
    "12,34567",
    "   ",
    "99999999999999999999",
    "0,35",
    "24",
    "59",
    "-0",
    "1.5",
};

// The «Техническая возможность» window's fields, in the order each calculation reads them.
const QMap<AnalysisWindow::Calculation, QStringList> kAnalysisInputs = {
    {AnalysisWindow::Calculation::Pedestrian,
     {"speed", "reaction", "delay", "rise", "deceleration", "pedestrianPath", "pedestrianSpeed",
      "speedLimit"}},
    {AnalysisWindow::Calculation::Obstacle,
     {"speed", "reaction", "delay", "rise", "deceleration", "visibility"}},
    {AnalysisWindow::Calculation::Impact, {"speed", "rise", "deceleration", "skid"}},
    {AnalysisWindow::Calculation::Video, {"frames", "fps", "videoDistance"}},
};
// Its results, by calculation: a calculation writes all of them or none (the permitted speed's
// only with one).
const QMap<AnalysisWindow::Calculation, QStringList> kAnalysisResults = {
    {AnalysisWindow::Calculation::Pedestrian,
     {"pedestrianTime", "distanceAtDanger", "pedestrianStoppingDistance", "criticalSpeed"}},
    {AnalysisWindow::Calculation::Obstacle, {"obstacleStoppingDistance", "safeSpeed"}},
    {AnalysisWindow::Calculation::Impact, {"impactSpeed"}},
    {AnalysisWindow::Calculation::Video, {"elapsed", "videoSpeed", "videoSpeedRange"}},
};

// The core's record for the texts the window's fields hold now, or nothing when it refuses.
std::optional<core::CalculationRecord> AnalysisAgain(const AnalysisWindow* w) {
    QStringList t;
    for (const QString& role : kAnalysisInputs.value(w->Shown()))
        t << Find<QLineEdit>(w, qPrintable(role))->text();
    const auto at = [&](int i) { return t[i].toStdString(); };
    core::CalculationRecord record;
    try {
        switch (w->Shown()) {
        case AnalysisWindow::Calculation::Pedestrian:
            core::ComputePedestrian({at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7)},
                                    &record);
            break;
        case AnalysisWindow::Calculation::Obstacle:
            core::ComputeObstacle({at(0), at(1), at(2), at(3), at(4), at(5)}, &record);
            break;
        case AnalysisWindow::Calculation::Impact:
            core::ComputeImpact({at(0), at(1), at(2), at(3)}, &record);
            break;
        case AnalysisWindow::Calculation::Video:
            core::ComputeVideo({at(0), at(1), at(2)}, &record);
            break;
        }
    } catch (const core::NumericError&) {
        return std::nullopt;
    }
    return record;
}

QStringList ResultTexts(const core::CalculationRecord& record) {
    QStringList texts;
    for (const core::RecordValue& value : record.results)
        texts << QString::fromStdString(value.text);
    return texts;
}

// Every field the user types into, by window; results are left out, whose promise is
// that a calculation writes all of them or none.
QList<QLineEdit*> Inputs(const AppWindows& app, const AnalysisWindow* analysis) {
    QList<QLineEdit*> fields;
    if (analysis)
        for (const char* role : {"speed", "reaction", "delay", "rise", "deceleration",
                                 "pedestrianPath", "pedestrianSpeed", "speedLimit", "visibility",
                                 "skid", "frames", "fps", "videoDistance"})
            fields << Find<QLineEdit>(analysis, role);
    if (MainWindow* f = app.Main())
        fields << Find<QLineEdit>(f, "reactionTime") << Find<QLineEdit>(f, "brakeDelay")
               << Find<QLineEdit>(f, "riseTime") << Find<QLineEdit>(f, "skidOrSpeed")
               << Find<QLineEdit>(f, "deceleration");
    if (LoadingWindow* f = app.Loading())
        fields << Find<QLineEdit>(f, "speed") << Find<QComboBox>(f, "adhesion")->lineEdit();
    if (DashcamWindow* f = app.Dashcam())
        for (QComboBox* c :
             {Find<QComboBox>(f, "endHours"), Find<QComboBox>(f, "endMinutes"),
              Find<QComboBox>(f, "endSeconds"), Find<QComboBox>(f, "startHours"),
              Find<QComboBox>(f, "startMinutes"), Find<QComboBox>(f, "startSeconds")})
            fields << c->lineEdit();
    if (DashcamWindow* f = app.Dashcam()) fields << Find<QLineEdit>(f, "distance");
    return fields;
}

QStringList TextsOf(const QList<QLineEdit*>& fields) {
    QStringList texts;
    for (QLineEdit* f : fields)
        texts << f->text();
    return texts;
}

// What the user sees of failures: the alerts and the messages, with their texts.
QStringList Failures() {
    QStringList seen;
    if (OpenAlert(Alert::MissingValue)) seen << "missingValueAlert";
    if (OpenAlert(Alert::IncompleteReadings)) seen << "incompleteReadingsAlert";
    if (OpenAlert(Alert::OutOfRange)) seen << "outOfRangeAlert";
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible())
            seen << box->text();
    return seen;
}

} // namespace

class RandomUserTest : public QObject {
    Q_OBJECT
    std::mt19937 random_;
    std::unique_ptr<AppWindows> app_;
    Desktop desktop_;
    std::map<QString, int> counts_;
    int step_ = 0;
    QString action_;
    QPointer<AnalysisWindow> analysis_;

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // Visible, enabled controls of every window that a user could click or type into.
    QList<QWidget*> Controls() {
        QList<QWidget*> controls;
        for (QWidget* w : QApplication::allWidgets()) {
            if (!w->isVisible() || !w->isEnabled() || w->objectName().isEmpty()) continue;
            if (Owner(w) == "mainWindow" && w->objectName() == "exitButton")
                continue; // the exit button ends the program
            if (Owner(w) == "analysisWindow" &&
                (w->objectName() == "saveButton" || w->objectName() == "caseButton"))
                continue; // their dialogs wait for a person (tst_record checks them)
            if (Owner(w) == "videoViewer" && w->objectName() == "openButton")
                continue; // the file dialog waits for a person (tst_video_viewer opens files)
            if (Covered(w)) continue;
            // Of the labels only the links, with their hand cursor, react to a click.
            const bool link =
                qobject_cast<toolkit::Label*>(w) && w->testAttribute(Qt::WA_SetCursor);
            if (qobject_cast<QAbstractButton*>(w) || link || qobject_cast<QListWidget*>(w) ||
                qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w))
                controls << w;
        }
        std::sort(controls.begin(), controls.end(), [](QWidget* a, QWidget* b) {
            return a->window()->objectName() + a->objectName() <
                   b->window()->objectName() + b->objectName();
        });
        return controls;
    }

    // Under the shown loading window, the main window's controls are out of the mouse's reach.
    bool Covered(QWidget* w) const {
        LoadingWindow* loading = app_->Loading();
        if (!loading || !loading->isVisible() || loading->isAncestorOf(w)) return false;
        QWidget* main = loading->parentWidget();
        if (w->window() != main) return false;
        return loading->geometry().intersects(QRect(w->mapTo(main, QPoint(0, 0)), w->size()));
    }

    // The window a control belongs to; the loading window counts as one of its own.
    QString Owner(QWidget* w) const {
        LoadingWindow* loading = app_->Loading();
        return loading && loading->isAncestorOf(w) ? loading->objectName()
                                                   : w->window()->objectName();
    }

    QString Name(QWidget* w) const { return Owner(w) + "." + w->objectName(); }

    void Type(QLineEdit* field) {
        QString text = kTexts[Below(kTexts.size())];
        const bool paste = Below(4) == 0;
        if (Below(60) == 0) text = QString(99998, QLatin1Char('0')) + QStringLiteral("60");
        QWidget* control =
            qobject_cast<QComboBox*>(field->parentWidget()) ? field->parentWidget() : field;
        action_ = QStringLiteral("%1 %2 characters into %3")
                      .arg(paste ? "paste" : "type")
                      .arg(text.size())
                      .arg(Name(control));
        field->setFocus();
        field->selectAll();
        if (paste || text.size() > 100) {
            QApplication::clipboard()->setText(text);
            if (text.isEmpty())
                QTest::keyClick(field, Qt::Key_Delete);
            else
                QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClick(field, Qt::Key_Delete);
            QTest::keyClicks(field, text);
        }
        ++counts_["type"];
    }

    void Act() {
        const int kind = Below(100);
        if (kind < 25) { // time passes: every enabled timer ticks, up to a few times
            const int rounds = 1 + Below(4);
            action_ = QStringLiteral("%1 ticks").arg(rounds);
            for (int round = 0; round < rounds; ++round) {
                QList<toolkit::Timer*> timers;
                for (QWidget* top : QApplication::topLevelWidgets())
                    timers << top->findChildren<toolkit::Timer*>();
                for (toolkit::Timer* t : timers)
                    if (t->isEnabled()) emit t->tick();
            }
            ++counts_["tick"];
            return;
        }
        if (kind < 27) { // the analysis window opened, or brought up, with the main window's values
            action_ = QStringLiteral("open the analysis window");
            AnalysisStart start;
            if (MainWindow* f = app_->Main())
                start = {Find<QLineEdit>(f, "reactionTime")->text(),
                         Find<QLineEdit>(f, "brakeDelay")->text(),
                         Find<QLineEdit>(f, "riseTime")->text(),
                         Find<QLineEdit>(f, "deceleration")->text(),
                         Find<QLineEdit>(f, "skidOrSpeed")->text()};
            OpenAnalysis(analysis_, start);
            ++counts_["analysis opened"];
            return;
        }
        if (kind < 29 && analysis_) { // a sound case typed into the tab shown, and Return
            action_ = QStringLiteral("type a case into the analysis window");
            const QMap<QString, QStringList> good = {{"speed", {"60", "40..70", "55,5"}},
                                                     {"reaction", {"0,8", "0,6–1,4"}},
                                                     {"delay", {"0,2", "0,1"}},
                                                     {"rise", {"0,3", "0,35"}},
                                                     {"deceleration", {"6,8", "5..6,8"}},
                                                     {"pedestrianPath", {"3", "2,5…4"}},
                                                     {"pedestrianSpeed", {"5", "4,6..5,8"}},
                                                     {"speedLimit", {"", "60"}},
                                                     {"visibility", {"40", "30..45"}},
                                                     {"skid", {"11,1", "5"}},
                                                     {"frames", {"45", "30..60"}},
                                                     {"fps", {"30", "30000/1001"}},
                                                     {"videoDistance", {"10", "9,8..10,2"}}};
            QLineEdit* last = nullptr;
            for (const QString& role : kAnalysisInputs.value(analysis_->Shown())) {
                last = Find<QLineEdit>(analysis_, qPrintable(role));
                const QStringList& texts = good.value(role);
                last->setFocus();
                last->selectAll();
                QTest::keyClick(last, Qt::Key_Delete);
                // The separators other than ".." go in as the text a keyboard layout sends.
                for (const QChar c : texts[Below(texts.size())])
                    QTest::sendKeyEvent(QTest::Click, last, Qt::Key_unknown, QString(c),
                                        Qt::NoModifier);
            }
            if (last) QTest::keyClick(last, Qt::Key_Return);
            ++counts_["analysis case typed"];
            return;
        }
        // A window first, then one of its controls, so that every open window gets its share.
        std::map<QString, QList<QWidget*>> byWindow;
        for (QWidget* c : Controls())
            byWindow[Owner(c)] << c;
        if (byWindow.empty()) return;
        auto group = byWindow.begin();
        std::advance(group, Below(static_cast<int>(byWindow.size())));
        QWidget* w = group->second[Below(group->second.size())];
        if (auto* field = qobject_cast<QLineEdit*>(w)) {
            const QString name = w->objectName();
            const bool result =
                (Owner(w) == "analysisWindow" && field->isReadOnly()) ||
                (Owner(w) == "mainWindow" &&
                 QStringList{"speedOrSkidResult", "stoppingDistanceResult", "brakingTimeResult",
                             "speedMsResult"}
                     .contains(name)) ||
                (Owner(w) == "dashcamWindow" &&
                 QStringList{"speed", "elapsedHours", "elapsedMinutes", "elapsedSeconds"}.contains(
                     name));
            if (!result && !qobject_cast<QComboBox*>(w->parentWidget())) Type(field);
            return;
        }
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            if (combo->isEditable() && Below(2) == 0) { // a preset list takes no typing
                Type(combo->lineEdit());
            } else { // a pick with the arrow keys, as from the list
                action_ = QStringLiteral("pick in %1").arg(Name(w));
                combo->setFocus();
                QTest::keyClick(combo, Below(2) ? Qt::Key_Down : Qt::Key_Up);
                ++counts_["pick"];
            }
            return;
        }
        if (auto* list = qobject_cast<QListWidget*>(w)) {
            if (list->count() == 0) return;
            QListWidgetItem* item = list->item(Below(list->count()));
            action_ = QStringLiteral("pick %1 in %2").arg(item->text(), Name(w));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(item).center());
            ++counts_["pick"];
            return;
        }
        action_ = QStringLiteral("click %1").arg(Name(w));
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        ++counts_["click"];
    }

    void Check(const QStringList& inputsBefore, const QList<QLineEdit*>& inputFields,
               const QStringList& failuresBefore) {
        const QString where = QStringLiteral("step %1, %2").arg(step_).arg(action_);
        for (Alert kind : {Alert::MissingValue, Alert::IncompleteReadings, Alert::OutOfRange}) {
            const AlertWindow* alert = OpenAlert(kind);
            QVERIFY2(!alert || alert->frameTimer()->isEnabled(),
                     qPrintable(where + ": an open alert whose ring stands still"));
        }
        if (MainWindow* f = app_->Main()) {
            const QStringList results = {Find<QLineEdit>(f, "speedOrSkidResult")->text(),
                                         Find<QLineEdit>(f, "speedMsResult")->text(),
                                         Find<QLineEdit>(f, "stoppingDistanceResult")->text(),
                                         Find<QLineEdit>(f, "brakingTimeResult")->text()};
            QVERIFY2(results.count(QString()) == 0 || results.count(QString()) == 4,
                     qPrintable(where + ": main results " + results.join('/')));
            // Results shown belong to the inputs beside them: the window's own ones are what
            // the inputs give now, and a record kept is that of the results shown.
            const bool own = Find<toolkit::Label>(f, "stoppingDistanceCaption")
                                 ->text()
                                 .contains(QStringLiteral("остановочный путь"));
            if (!results.contains(QString()) && own && !f->AnimationRunning()) {
                const auto mode = Find<QCheckBox>(f, "skidKnown")->isChecked()
                                      ? core::StoppingMode::SkidKnown
                                      : core::StoppingMode::SpeedKnown;
                const core::StoppingResults again = core::ComputeStopping(
                    {mode, Std(f, "reactionTime"), Std(f, "brakeDelay"), Std(f, "riseTime"),
                     Std(f, "skidOrSpeed"), Std(f, "deceleration")});
                QVERIFY2(results ==
                             QStringList({shared::Q(again.speedOrSkid), shared::Q(again.speedMs),
                                          shared::Q(again.stoppingDistance),
                                          shared::Q(again.brakingTime)}),
                         qPrintable(where + ": main results of other inputs " + results.join('/')));
            }
            if (const core::CalculationRecord* record = f->Record()) {
                QStringList kept;
                for (const core::RecordValue& r : record->results)
                    kept << shared::Q(r.text);
                QStringList shown = results;
                kept.sort();
                shown.sort();
                QVERIFY2(kept == shown,
                         qPrintable(where + ": main record of other results " + kept.join('/')));
            }
        }
        if (DashcamWindow* f = app_->Dashcam()) {
            const QStringList results = {Find<QLineEdit>(f, "elapsedHours")->text(),
                                         Find<QLineEdit>(f, "elapsedMinutes")->text(),
                                         Find<QLineEdit>(f, "elapsedSeconds")->text(),
                                         Find<QLineEdit>(f, "speed")->text()};
            QVERIFY2(results.count(QString()) == 0 || results.count(QString()) == 4,
                     qPrintable(where + ": dashcam results " + results.join('/')));
        }
        if (AnalysisWindow* f = analysis_) {
            const AnalysisWindow::Calculation shown = f->Shown();
            QStringList results;
            for (const QString& role : kAnalysisResults.value(shown))
                results << Find<QLineEdit>(f, qPrintable(role))->text();
            QVERIFY2(results.count(QString()) == 0 || results.count(QString()) == results.size(),
                     qPrintable(where + ": analysis results " + results.join('/')));
            // Nothing stands beside a refused field: results shown are those the fields give
            // now, and the record kept is theirs.
            if (const core::CalculationRecord* record = f->Record()) {
                QVERIFY2(!results.contains(QString()),
                         qPrintable(where + ": a record without results"));
                const std::optional<core::CalculationRecord> again = AnalysisAgain(f);
                QVERIFY2(again, qPrintable(where + ": a record of refused values"));
                QVERIFY2(ResultTexts(*record) == ResultTexts(*again),
                         qPrintable(where + ": analysis record of other inputs " +
                                    ResultTexts(*record).join('/')));
                for (const QString& role : kAnalysisInputs.value(shown))
                    QVERIFY2(!Find<QLineEdit>(f, qPrintable(role))->property("refused").toBool(),
                             qPrintable(where + ": results beside a refused " + role));
                ++counts_["analysis results shown"];
            } else {
                QVERIFY2(results.contains(QString()),
                         qPrintable(where + ": analysis results without a record"));
            }
        }
        if (LoadingWindow* f = app_->Loading(); f && f->isVisible()) ++counts_["loading shown"];
        if (app_->Dashcam()) ++counts_["dashcam open"];
        if (MainWindow* f = app_->Main();
            f && !Find<QLineEdit>(f, "brakingTimeResult")->text().isEmpty())
            ++counts_["main results shown"];
        if (DashcamWindow* f = app_->Dashcam(); f && !Find<QLineEdit>(f, "speed")->text().isEmpty())
            ++counts_["dashcam results shown"];
        const QStringList failures = Failures();
        if (failures != failuresBefore && failures.size() >= failuresBefore.size()) {
            ++counts_["failure shown"];
            // The fields still there are those that were there before; none of them changed.
            QVERIFY2(TextsOf(inputFields) == inputsBefore,
                     qPrintable(where + ": a failure changed an input"));
        }
    }

private slots:
    void initTestCase() {
        for (const char* scheme : {"file", "mailto", "http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &desktop_, "open");
    }

    void cleanupTestCase() {
        delete analysis_;
        app_.reset();
        toolkit::DiscardAll();
        for (const char* scheme : {"file", "mailto", "http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void randomActions() {
        const int actions = EnvNumber("KVARNET_RANDOM_ACTIONS", 1500);
        const int seed = EnvNumber("KVARNET_RANDOM_SEED", 20261210);
        random_.seed(static_cast<std::mt19937::result_type>(seed));
        qInfo("seed %d, %d actions", seed, actions);
        QElapsedTimer clock;
        clock.start();
        app_ = std::make_unique<AppWindows>();
        app_->Start();
        const AppWindows& app = *app_;
        OpenAnalysis(analysis_, {});
        for (step_ = 1; step_ <= actions; ++step_) {
            // The fields that exist now; an action may open or close a window.
            const QList<QLineEdit*> fields = Inputs(app, analysis_);
            QList<QPointer<QLineEdit>> guarded(fields.begin(), fields.end());
            const QStringList before = TextsOf(fields);
            const QStringList failuresBefore = Failures();
            Act();
            if (qEnvironmentVariableIsSet("KVARNET_RANDOM_TRACE"))
                qInfo("%d %s", step_, qPrintable(action_));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QList<QLineEdit*> stillThere;
            QStringList stillBefore;
            for (int i = 0; i < guarded.size(); ++i)
                if (guarded[i]) stillThere << guarded[i], stillBefore << before[i];
            Check(stillBefore, stillThere, failuresBefore);
            if (QTest::currentTestFailed()) return;
        }
        QString figures;
        for (const auto& [kind, count] : counts_)
            figures += QStringLiteral(" %1 %2;").arg(kind).arg(count);
        qInfo("%d actions in %lld ms:%s documents and links opened %d", actions, clock.elapsed(),
              qPrintable(figures), desktop_.opened);
    }
};

KVARNET_TEST_MAIN(RandomUserTest)
#include "tst_random_user.moc"
