#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "core/loading.h"
#include "find_control.h"
#include "layout_check.h"
#include "test_main.h"
#include "windows/alerts/alert_window.h"
#include "windows/app_windows.h"
#include "windows/loading/loading_layout.h"
#include "windows/loading/loading_window.h"
#include "windows/main/main_window.h"
#include "windows/shared/text.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/layout.h"

using namespace std::chrono_literals;
using shared::Q;

namespace {

QStringList Items(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList Items(QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

QStringList Texts(std::span<const std::string_view> texts) {
    QStringList list;
    for (std::string_view t : texts)
        list << QString::fromUtf8(t.data(), t.size());
    return list;
}

QString MessageText(QWidget* owner) {
    auto* box = owner->findChild<QMessageBox*>(QStringLiteral("Message"));
    return box && box->isVisible() ? box->text() : QString();
}

} // namespace

class LoadingWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<AppWindows> app;
    MainWindow* main = nullptr;
    LoadingWindow* form = nullptr;

    // Opens the loading window the way the user does, through the main window's link.
    void Open() {
        QTest::mouseClick(Find<toolkit::Label>(main, "loadingLink"), Qt::LeftButton);
        form = app->Loading();
    }

    // Picks an item from the combo box's drop-down list with the mouse.
    static void Pick(QComboBox* combo, const QString& text) {
        const int row = combo->findText(text);
        QVERIFY2(row >= 0, qPrintable(text));
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        const QRect item = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_VERIFY(!view->isVisible());
        QCOMPARE(combo->currentText(), text);
    }

    static void Type(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClicks(field, text);
        if (text.isEmpty()) QTest::keyClick(field, Qt::Key_Delete);
    }

    // Speed and adhesion in, start pressed: the half-second delay is running.
    void Start(const QString& speed, const QString& adhesion) {
        Type(Find<QLineEdit>(form, "speed"), speed);
        Pick(Find<QComboBox>(form, "adhesion"), adhesion);
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
    }

    // Старт, and the half second to the outcome.
    void Calculate(const QString& speed, const QString& adhesion) {
        Start(speed, adhesion);
        Elapse(500ms);
        QVERIFY(form->isHidden());
    }

    // The table cell the main window's record starts from: "таблица[row; column]".
    QString TableCell() const {
        return main->Record() ? Q(main->Record()->steps.front().substituted) : QString();
    }

    // An input of the main window's record by its key, as the calculation read it.
    QString RecordInput(const char* key) const {
        if (main->Record())
            for (const core::RecordValue& input : main->Record()->inputs)
                if (input.key == key) return Q(input.text);
        return QString();
    }

    QStringList Results() const {
        return {Find<QLineEdit>(main, "speedMsResult")->text(),
                Find<QLineEdit>(main, "stoppingDistanceResult")->text(),
                Find<QLineEdit>(main, "brakingTimeResult")->text(),
                Find<QLineEdit>(main, "speedOrSkidResult")->text()};
    }

private slots:
    void init() {
        app = std::make_unique<AppWindows>();
        app->Start();
        main = app->Main();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        form = app->Loading();
    }
    void cleanup() {
        const QPointer<LoadingWindow> loading(app->Loading());
        app.reset();
        toolkit::DiscardAll();
        QVERIFY(!loading);
    }

    // The main window's start-up loads the loading window hidden, embedded in it.
    void startState() {
        QVERIFY(form);
        QVERIFY(form->isHidden());
        QCOMPARE(form->parentWidget(), main);
        QVERIFY(!form->isWindow());
        QCOMPARE(form->geometry(), QRect(0, 0, 592, 219));
        QVERIFY(Find<toolkit::OptionButton>(form, "carsAndBuses")->isChecked());
        QVERIFY(!Find<toolkit::OptionButton>(form, "trucks")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "roadTrains")->isChecked());
        QCOMPARE(Items(Find<QListWidget>(form, "category")),
                 Texts(core::CategoriesOf(core::VehicleGroup::CarsAndBuses)));
        QCOMPARE(Find<QListWidget>(form, "category")->currentItem()->text(),
                 QStringLiteral("легковые"));
        QVERIFY(Find<toolkit::OptionButton>(form, "unloaded")->isChecked());
        QVERIFY(!Find<toolkit::OptionButton>(form, "halfLoad")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "fullLoad")->isChecked());
        QCOMPARE(Items(Find<QComboBox>(form, "adhesion")),
                 QStringList({"0,8", "0,7", "0,6", "0,5", "0,4", "0,2", "0,1"}));
        QCOMPARE(Find<QComboBox>(form, "adhesion")->currentText(), QString());
        QCOMPARE(Find<QLineEdit>(form, "speed")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "coefficient")->text(), QString());
        QVERIFY(!Find<toolkit::Label>(form, "coefficient")->isHidden());
        // No hidden control holds state: the coefficient's caption, which shows with the
        // coefficient, is the one control hidden.
        for (const toolkit::Control& c : LoadingLayout()) {
            auto* widget = form->findChild<QWidget*>(QString::fromUtf8(c.name));
            if (widget)
                QVERIFY2(widget->isHidden() == (widget->objectName() == "coefficientCaption"),
                         c.name);
        }
        QVERIFY(!Find<toolkit::Timer>(form, "handOverTimer")->isEnabled());
        QCOMPARE(Find<toolkit::Timer>(form, "handOverTimer")->interval(), 500);

        Open();
        QVERIFY(form->isVisible());
        QCOMPARE(QApplication::focusWidget(), Find<toolkit::OptionButton>(form, "carsAndBuses"));
        // The first category of the first group is picked: its row is the one looked up.
        Calculate(QStringLiteral("60"), QStringLiteral("0,8"));
        QCOMPARE(TableCell(), QStringLiteral("таблица[1; 1]"));
    }

    // Every row of the table is a control in its place, stacked and tabbed as the table says,
    // with a Russian name for screen readers: Tab goes round the window's own controls top to
    // bottom and left to right, every option button included, the loads from the top, and never
    // reaches the main window's controls under it.
    void layoutFromTable() {
        Open();
        QVERIFY(QTest::qWaitForWindowActive(main));
        CheckLayout(form, LoadingLayout());
        // The frame's copy of the marsh lies 16 pixels left of the window's own.
        QCOMPARE(Find<toolkit::Image>(form, "groupBackground")->mapTo(form, QPoint(0, 0)),
                 QPoint(-16, 0));
        QCOMPARE(Find<toolkit::Image>(form, "groupBackground")->size(), QSize(600, 364));
    }

    // The speed's caption shows whole, with no tooltip standing in for a cut, and covers no
    // control that takes input.
    void speedCaptionShowsWhole() {
        QVERIFY(!Find<toolkit::Label>(form, "speedCaption")->captionCut());
        const QRect caption = Find<toolkit::Label>(form, "speedCaption")->geometry();
        const QWidget* controls[] = {
            Find<QLineEdit>(form, "speed"), Find<QPushButton>(form, "startButton"),
            Find<QComboBox>(form, "adhesion"), Find<QListWidget>(form, "category"),
            Find<QPushButton>(form, "closeButton")};
        for (const QWidget* control : controls)
            QVERIFY2(!caption.intersects(control->geometry()), qPrintable(control->objectName()));
    }

    void groupsGiveRows_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("row");
        QTest::addRow("cars and buses, first") << "carsAndBuses" << 0 << "1";
        QTest::addRow("cars and buses, buses over 5 t") << "carsAndBuses" << 2 << "3";
        QTest::addRow("single lorries, first") << "trucks" << 0 << "4";
        QTest::addRow("single lorries, over 12 t") << "trucks" << 2 << "6";
        QTest::addRow("road trains, first") << "roadTrains" << 0 << "7";
        QTest::addRow("road trains, 3.5 to 12 t") << "roadTrains" << 1 << "8";
    }
    void groupsGiveRows() {
        QFETCH(QString, option);
        QFETCH(int, item);
        QFETCH(QString, row);
        Open();
        if (option == "carsAndBuses")
            QTest::mouseClick(Find<toolkit::OptionButton>(form, "trucks"), Qt::LeftButton);
        QTest::mouseClick(form->findChild<toolkit::OptionButton*>(option), Qt::LeftButton);
        QCOMPARE(Find<QListWidget>(form, "category")->currentRow(), 0);
        if (item > 0) {
            QListWidgetItem* category = Find<QListWidget>(form, "category")->item(item);
            QTest::mouseClick(
                Find<QListWidget>(form, "category")->viewport(), Qt::LeftButton, {},
                Find<QListWidget>(form, "category")->visualItemRect(category).center());
        }
        Calculate(QStringLiteral("60"), QStringLiteral("0,8"));
        QCOMPARE(TableCell(), QStringLiteral("таблица[%1; 1]").arg(row));
    }

    // Whatever the user clicks, each group keeps exactly one choice, the one clicked last.
    void bothGroupsKeepOneChoice() {
        Open();
        const std::vector<toolkit::OptionButton*> vehicle = {
            Find<toolkit::OptionButton>(form, "carsAndBuses"),
            Find<toolkit::OptionButton>(form, "trucks"),
            Find<toolkit::OptionButton>(form, "roadTrains")};
        const std::vector<toolkit::OptionButton*> load = {
            Find<toolkit::OptionButton>(form, "unloaded"),
            Find<toolkit::OptionButton>(form, "halfLoad"),
            Find<toolkit::OptionButton>(form, "fullLoad")};
        toolkit::OptionButton* lastVehicle = Find<toolkit::OptionButton>(form, "carsAndBuses");
        toolkit::OptionButton* lastLoad = Find<toolkit::OptionButton>(form, "unloaded");
        // Every ordered pair of the six buttons, the selected one clicked again included.
        for (int a = 0; a < 6; ++a) {
            for (int b = 0; b < 6; ++b) {
                for (int k : {a, b}) {
                    toolkit::OptionButton* button = k < 3 ? vehicle[k] : load[k - 3];
                    QTest::mouseClick(button, Qt::LeftButton);
                    (k < 3 ? lastVehicle : lastLoad) = button;
                    for (const auto* group : {&vehicle, &load}) {
                        const int selected = std::count_if(group->begin(), group->end(),
                                                           [](auto* o) { return o->isChecked(); });
                        QCOMPARE(selected, 1);
                    }
                    QVERIFY(lastVehicle->isChecked() && lastLoad->isChecked());
                }
            }
        }
    }

    // The record starts from the cell the coefficient came from at Старт, whatever category is
    // picked during the half second after it.
    void recordNamesTheCellOfStart() {
        Open();
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "trucks"), Qt::LeftButton); // row 4
        Start(QStringLiteral("60"), QStringLiteral("0,8"));
        QCOMPARE(Find<toolkit::Label>(form, "coefficient")->text(), QStringLiteral("1,45"));
        Find<QListWidget>(form, "category")->setCurrentRow(1); // row 5, 1,37
        Elapse(500ms);
        QCOMPARE(TableCell(), QStringLiteral("таблица[4; 1]"));
        QCOMPARE(RecordInput("category"), Q(core::CategoryName(4)));
        Elapse(3s);
    }

    // A new load state empties the adhesion: Старт then opens the alert and puts the keyboard
    // into the adhesion.
    void loadChangeEmptiesTheAdhesion() {
        Open();
        Pick(Find<QComboBox>(form, "adhesion"), QStringLiteral("0,7"));
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "halfLoad"), Qt::LeftButton);
        QCOMPARE(Find<QComboBox>(form, "adhesion")->currentText(), QString());
        Type(Find<QLineEdit>(form, "speed"), QStringLiteral("60"));
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QTRY_VERIFY(AlertShown(Alert::MissingValue));
        QVERIFY(!Find<toolkit::Timer>(form, "handOverTimer")->isEnabled());
        QCOMPARE(Find<toolkit::Label>(form, "coefficient")->text(), QString());
        QCOMPARE(form->focusWidget(), Find<QComboBox>(form, "adhesion"));
    }

    // A typed adhesion is read as a pick: one of the list, however written, takes its own
    // column in the load chosen; any other is refused, whatever was picked before.
    void typedAdhesionReadsLikeAPick_data() {
        QTest::addColumn<QString>("load");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("column"); // 0: refused
        QTest::addRow("full load, 0,4") << "fullLoad"
                                        << "0,4" << 15;
        QTest::addRow("half load, 0.7") << "halfLoad"
                                        << "0.7" << 7;
        QTest::addRow("unloaded, 0,80") << "unloaded"
                                        << "0,80" << 1;
        QTest::addRow("full load, 0,35 after 0,7") << "fullLoad"
                                                   << "0,35" << 0;
        QTest::addRow("unloaded, 0,3") << "unloaded"
                                       << "0,3" << 0;
    }
    void typedAdhesionReadsLikeAPick() {
        QFETCH(QString, load);
        QFETCH(QString, typed);
        QFETCH(int, column);
        Open();
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "trucks"), Qt::LeftButton);
        Find<QListWidget>(form, "category")->setCurrentRow(1); // row 5
        QTest::mouseClick(Find<toolkit::OptionButton>(form, load.toLatin1()), Qt::LeftButton);
        Pick(Find<QComboBox>(form, "adhesion"), QStringLiteral("0,7"));
        Find<QComboBox>(form, "adhesion")->lineEdit()->selectAll();
        QTest::keyClicks(Find<QComboBox>(form, "adhesion"), typed);
        Type(Find<QLineEdit>(form, "speed"), QStringLiteral("70"));
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        if (column == 0) {
            QVERIFY2(MessageText(form).contains(QStringLiteral("выбирается из списка: 0,8; 0,7")),
                     qPrintable(MessageText(form)));
            QVERIFY(!Find<toolkit::Timer>(form, "handOverTimer")->isEnabled());
            QCOMPARE(form->focusWidget(), Find<QComboBox>(form, "adhesion"));
            return;
        }
        QVERIFY(MessageText(form).isEmpty());
        QCOMPARE(Find<toolkit::Label>(form, "coefficient")->text(),
                 Q(*core::LookUpEfficiency(5, column)));
        Elapse(500ms);
        QVERIFY(main->Record());
        QCOMPARE(Q(main->Record()->steps.front().substituted),
                 QStringLiteral("таблица[5; %1]").arg(column));
        Elapse(3s);
    }

    // 60 km/h, passenger car, unloaded, adhesion 0,8, the main window's 6,8 and 0,3.
    void workedExample() {
        Open();
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "roadTrains"), Qt::LeftButton);
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "carsAndBuses"), Qt::LeftButton);
        Start(QStringLiteral("60"), QStringLiteral("0,8"));
        QCOMPARE(Find<toolkit::Label>(form, "coefficient")->text(), QStringLiteral("1,28"));
        QVERIFY(!Find<toolkit::Label>(form, "coefficient")->isHidden() &&
                !Find<toolkit::Label>(form, "coefficientCaption")->isHidden());
        // Nothing reaches the main window before the outcome.
        QVERIFY(Find<QCheckBox>(main, "skidKnown")->isChecked());
        QCOMPARE(Find<QLineEdit>(main, "skidOrSpeed")->text(), QString());
        QCOMPARE(Results(), QStringList({"", "", "", ""}));
        QVERIFY(Find<toolkit::Timer>(form, "handOverTimer")->isEnabled());
        QVERIFY(form->isVisible());

        Elapse(500ms);
        QVERIFY(form->isHidden());
        QVERIFY(!Find<QCheckBox>(main, "skidKnown")->isChecked());
        QCOMPARE(Find<QLineEdit>(main, "skidOrSpeed")->text(), QStringLiteral("60"));
        QCOMPARE(Results(), QStringList({"16,7", "22,7", "2,3", "18"}));
        QVERIFY(!Find<toolkit::Timer>(form, "handOverTimer")->isEnabled());
        QVERIFY(main->AnimationRunning());
        Elapse(3s);
        QVERIFY(!main->AnimationRunning());
        QCOMPARE(Find<toolkit::Label>(main, "stripSpeedReadout")->text(), QStringLiteral("60"));
        QCOMPARE(Find<toolkit::Label>(main, "stripDistanceReadout")->text(),
                 QStringLiteral("22,7"));
        QCOMPARE(Results(), QStringList({"16,7", "22,7", "2,3", "18"}));
        // The readout is read out by what it shows.
        QCOMPARE(
            QAccessible::queryAccessibleInterface(Find<toolkit::Label>(main, "stripSpeedReadout"))
                ->text(QAccessible::Name),
            QStringLiteral("60"));
        QCOMPARE(QAccessible::queryAccessibleInterface(Find<toolkit::Label>(form, "coefficient"))
                     ->text(QAccessible::Name),
                 QStringLiteral("1,28"));
    }

    // When the window hides after Старт, the keyboard goes to the main window's Старт: a key
    // pressed while the car moves never reaches a hidden control (the hidden Закрыть, the
    // hidden speed field).
    void handOverKeepsTheKeyboard() {
        Open();
        Type(Find<QLineEdit>(form, "speed"), QStringLiteral("80"));
        Pick(Find<QComboBox>(form, "adhesion"), QStringLiteral("0,8"));
        main->activateWindow(); // back from the list's popup
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), Find<QPushButton>(form, "startButton"));
        Elapse(500ms);
        QVERIFY(form->isHidden());
        QCOMPARE(QApplication::focusWidget(), Find<QPushButton>(main, "startButton"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
        QCOMPARE(Find<QLineEdit>(form, "speed")->text(), QStringLiteral("80"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* next = QApplication::focusWidget();
        QVERIFY(next && next->isVisible() && !form->isAncestorOf(next));
        QCOMPARE(app->Loading(), form); // its Закрыть was not pressed
        QCOMPARE(Find<QLineEdit>(main, "stoppingDistanceResult")->text(), QStringLiteral("40,3"));
    }

    // The window hides while another window has the keyboard: the main window keeps its
    // Старт for when the user comes back, not the hidden Старт of this window.
    void handOverWhileAnotherWindowIsActive() {
        Open();
        Start(QStringLiteral("80"), QStringLiteral("0,8"));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        Elapse(500ms);
        QVERIFY(form->isHidden());
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QCOMPARE(QApplication::focusWidget(), Find<QPushButton>(main, "startButton"));
    }

    // Minimising the main window hides this window only until the main window comes back: the
    // keyboard stays in the speed field, and what is typed then goes there.
    void minimisingKeepsTheKeyboard() {
        Open();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTest::mouseClick(Find<QLineEdit>(form, "speed"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), Find<QLineEdit>(form, "speed"));
        main->showMinimized();
        QVERIFY(main->isMinimized());
        main->showNormal();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QCOMPARE(QApplication::focusWidget(), Find<QLineEdit>(form, "speed"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("80"));
        QCOMPARE(Find<QLineEdit>(form, "speed")->text(), QStringLiteral("80"));
    }

    // Reopening after a calculation shows the same window as it was; the close button
    // discards it, and the next opening starts afresh.
    void reopenKeepsStateCloseResets() {
        Open();
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "trucks"), Qt::LeftButton);
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "halfLoad"), Qt::LeftButton);
        Start(QStringLiteral("50"), QStringLiteral("0,6"));
        Elapse(500ms);
        QVERIFY(form->isHidden());
        const QString coefficient = Find<toolkit::Label>(form, "coefficient")->text();
        QCOMPARE(coefficient, QStringLiteral("1,25"));
        LoadingWindow* first = form;

        Find<QLineEdit>(main, "riseTime")->setText(QStringLiteral("0,35"));
        Open();
        QCOMPARE(form, first);
        QVERIFY(form->isVisible());
        QVERIFY(Find<toolkit::OptionButton>(form, "trucks")->isChecked() &&
                Find<toolkit::OptionButton>(form, "halfLoad")->isChecked());
        QCOMPARE(Find<QListWidget>(form, "category")->currentItem()->text(),
                 QStringLiteral("грузовые до 3,5 т"));
        QCOMPARE(Find<QComboBox>(form, "adhesion")->currentText(), QStringLiteral("0,6"));
        QCOMPARE(Find<QLineEdit>(form, "speed")->text(), QStringLiteral("50"));
        QCOMPARE(Find<toolkit::Label>(form, "coefficient")->text(), coefficient);
        QVERIFY(!Find<toolkit::Label>(form, "coefficientCaption")->isHidden());
        QVERIFY(!main->AnimationRunning()); // the edit of the rise time stopped the run
        // The calculation takes the rise time given at this opening.
        Calculate(QStringLiteral("50"), QStringLiteral("0,6"));
        QCOMPARE(RecordInput("rise_s"), QStringLiteral("0,35"));
        Elapse(3s);
        Open();
        QCOMPARE(form, first);

        QTest::mouseClick(Find<QPushButton>(form, "closeButton"), Qt::LeftButton);
        QVERIFY(form->isHidden());
        QTRY_VERIFY(!app->Loading());

        Open();
        QVERIFY(form && form != first);
        QVERIFY(form->isVisible());
        QVERIFY(Find<toolkit::OptionButton>(form, "carsAndBuses")->isChecked() &&
                Find<toolkit::OptionButton>(form, "unloaded")->isChecked());
        QCOMPARE(Find<QLineEdit>(form, "speed")->text(), QString());
        QCOMPARE(Find<QComboBox>(form, "adhesion")->currentText(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "coefficient")->text(), QString());
        QVERIFY(Find<toolkit::Label>(form, "coefficientCaption")->isHidden());
        QCOMPARE(form->parentWidget(), main);
    }

    // The window gets the main window's rise time when it opens, 0,3 s for an empty one.
    void riseTimeGivenOnOpening_data() {
        QTest::addColumn<QString>("riseTime");
        QTest::addColumn<QString>("given");
        QTest::addRow("0,3") << "0,3"
                             << "0,3";
        QTest::addRow("0,35") << "0,35"
                              << "0,35";
        QTest::addRow("empty") << ""
                               << "0,3";
    }
    void riseTimeGivenOnOpening() {
        QFETCH(QString, riseTime);
        QFETCH(QString, given);
        Find<QLineEdit>(main, "riseTime")->setText(riseTime);
        Open();
        Calculate(QStringLiteral("60"), QStringLiteral("0,8"));
        QCOMPARE(RecordInput("rise_s"), given);
        Elapse(3s);
    }

    // Opening the window, and closing it without a calculation, leaves the main window's mode,
    // inputs and results as they were.
    void openAndCloseChangeNothing_data() {
        QTest::addColumn<bool>("skidMode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("riseTime");
        QTest::addRow("skid mode") << true << "10"
                                   << "0,3";
        QTest::addRow("speed mode") << false << "60"
                                    << "0,35";
        QTest::addRow("empty rise time") << false << "60"
                                         << "";
    }
    void openAndCloseChangeNothing() {
        QFETCH(bool, skidMode);
        QFETCH(QString, typed);
        QFETCH(QString, riseTime);
        Find<QCheckBox>(main, "skidKnown")->setChecked(skidMode);
        Find<QLineEdit>(main, "skidOrSpeed")->setText(typed);
        Find<QLineEdit>(main, "riseTime")->setText(riseTime);
        Find<QLineEdit>(main, "speedOrSkidResult")->setText(QStringLiteral("1"));
        Find<QLineEdit>(main, "speedMsResult")->setText(QStringLiteral("2"));
        const QStringList results = Results();
        Open();
        Open(); // a second click changes nothing more
        QVERIFY(form->isVisible());
        QCOMPARE(main->findChildren<LoadingWindow*>().size(), 1);
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        Find<QListWidget>(form, "category")->setFocus(); // the test clicked the covered link
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(form->isHidden());
        QVERIFY(main->isVisible()); // Escape closed the window, not the program
        QCOMPARE(Find<QCheckBox>(main, "skidKnown")->isChecked(), skidMode);
        QCOMPARE(Find<QLineEdit>(main, "skidOrSpeed")->text(), typed);
        QCOMPARE(Results(), results);
    }

    // While the main window shows the loading calculation's braking distance, the field's
    // caption and name say so; the main window's own calculation names it back.
    void brakingDistanceIsNamedAsSuch() {
        const QString stopping = Find<toolkit::Label>(main, "stoppingDistanceCaption")->text();
        QVERIFY(stopping.contains(QStringLiteral("остановочный путь")));
        Open();
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "trucks"), Qt::LeftButton);
        Find<QListWidget>(form, "category")->setCurrentRow(1);
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "fullLoad"), Qt::LeftButton);
        Start(QStringLiteral("70"), QStringLiteral("0,7"));
        Elapse(500ms);
        QCOMPARE(Find<QLineEdit>(main, "stoppingDistanceResult")->text(), QStringLiteral("47,1"));
        QCOMPARE(Find<toolkit::Label>(main, "stoppingDistanceCaption")->text(),
                 QStringLiteral("Тормозной путь, м"));
        QCOMPARE(Find<QLineEdit>(main, "stoppingDistanceResult")->accessibleName(),
                 QStringLiteral("Тормозной путь, м"));
        Elapse(3s);
        QCOMPARE(Find<toolkit::Label>(main, "stoppingDistanceCaption")->text(),
                 QStringLiteral("Тормозной путь, м"));
        QTest::mouseClick(Find<QPushButton>(main, "startButton"), Qt::LeftButton);
        Elapse(3s);
        QCOMPARE(Find<toolkit::Label>(main, "stoppingDistanceCaption")->text(), stopping);
        QCOMPARE(Find<QLineEdit>(main, "stoppingDistanceResult")->accessibleName(), stopping);
        QVERIFY(!Find<QLineEdit>(main, "stoppingDistanceResult")->text().isEmpty());
    }

    // A refusal names the problem and starts no timer; the main window keeps its mode and
    // inputs, and its results go: none stands beside inputs that were refused.
    void refusalEmptiesTheMainResults_data() {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("adhesion"); // picked, then retyped when it differs
        QTest::addColumn<QString>("deceleration");
        QTest::addColumn<bool>("pick");
        QTest::addColumn<QString>("named");
        QTest::addRow("letters in the speed") << "sixty"
                                              << "0,8"
                                              << "6,8" << true << "Скорость в начале торможения";
        QTest::addRow("zero adhesion") << "60"
                                       << "0"
                                       << "6,8" << true << "выбирается из списка";
        QTest::addRow("zero deceleration") << "60"
                                           << "0,8"
                                           << "0" << true << "Установившееся замедление";
        QTest::addRow("deceleration not a number")
            << "60"
            << "0,8"
            << "6.8.1" << true << "Установившееся замедление";
        QTest::addRow("adhesion typed outside the list")
            << "60"
            << "0,75"
            << "6,8" << false << "выбирается из списка";
    }
    void refusalEmptiesTheMainResults() {
        QFETCH(QString, speed);
        QFETCH(QString, adhesion);
        QFETCH(QString, deceleration);
        QFETCH(bool, pick);
        QFETCH(QString, named);
        Find<QCheckBox>(main, "skidKnown")->setChecked(false);
        Find<QLineEdit>(main, "skidOrSpeed")->setText(QStringLiteral("77"));
        Find<QLineEdit>(main, "deceleration")->setText(deceleration);
        for (QLineEdit* result : {Find<QLineEdit>(main, "speedMsResult"),
                                  Find<QLineEdit>(main, "stoppingDistanceResult"),
                                  Find<QLineEdit>(main, "brakingTimeResult"),
                                  Find<QLineEdit>(main, "speedOrSkidResult")})
            result->setText(QStringLiteral("1"));
        Find<toolkit::Label>(main, "stripSpeedReadout")->setText(QStringLiteral("70 км/час"));
        Open();
        Type(Find<QLineEdit>(form, "speed"), speed);
        if (pick) {
            Pick(Find<QComboBox>(form, "adhesion"), QStringLiteral("0,8"));
            if (adhesion != QStringLiteral("0,8")) {
                Find<QComboBox>(form, "adhesion")->lineEdit()->selectAll();
                QTest::keyClicks(Find<QComboBox>(form, "adhesion"), adhesion);
            }
        } else {
            QTest::keyClicks(Find<QComboBox>(form, "adhesion"), adhesion);
        }
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QVERIFY2(MessageText(form).contains(named), qPrintable(MessageText(form)));
        QVERIFY(MessageText(form).startsWith(QStringLiteral("Расчёт невозможен")));
        QCOMPARE(Find<QLineEdit>(main, "skidOrSpeed")->text(), QStringLiteral("77"));
        QVERIFY(!Find<QCheckBox>(main, "skidKnown")->isChecked());
        QCOMPARE(Results(), QStringList({"", "", "", ""}));
        QCOMPARE(Find<toolkit::Label>(main, "stripSpeedReadout")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(main, "stripDistanceReadout")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "coefficient")->text(), QString());
        QVERIFY(!Find<toolkit::Timer>(form, "handOverTimer")->isEnabled());
        QVERIFY(form->isVisible());
        QVERIFY(!main->AnimationRunning());
    }

    // The deceleration changed to zero during the half second: the message, no animation,
    // the window stays for a correction and the timer does not come back.
    void failureWhenTheTimerFires() {
        Open();
        Start(QStringLiteral("60"), QStringLiteral("0,8"));
        Find<QLineEdit>(main, "deceleration")->setText(QStringLiteral("0"));
        Elapse(500ms);
        QVERIFY(!MessageText(form).isEmpty());
        QVERIFY(MessageText(form).contains(QStringLiteral("Установившееся замедление")));
        QVERIFY(!Find<toolkit::Timer>(form, "handOverTimer")->isEnabled());
        QVERIFY(form->isVisible());
        QVERIFY(!main->AnimationRunning());
        QCOMPARE(Results(), QStringList({"", "", "", ""}));
    }

    // A close during the half second drops the pending step.
    void closeDuringTheDelay() {
        Open();
        Start(QStringLiteral("60"), QStringLiteral("0,8"));
        QTest::mouseClick(Find<QPushButton>(form, "closeButton"), Qt::LeftButton);
        QVERIFY(!Find<toolkit::Timer>(form, "handOverTimer")->isEnabled());
        Elapse(800ms);
        QVERIFY(!main->AnimationRunning());
        QCOMPARE(Results(), QStringList({"", "", "", ""}));
        QTRY_VERIFY(!app->Loading());
    }

    // Opening the window during the main window's own run stops that run silently.
    void linkStopsARunningAnimation() {
        Find<QLineEdit>(main, "skidOrSpeed")->setText(QStringLiteral("10"));
        QTest::mouseClick(Find<QPushButton>(main, "startButton"), Qt::LeftButton);
        Elapse(300ms);
        QCOMPARE(Find<toolkit::Label>(main, "stripSpeedReadout")->text(), QStringLiteral("3"));
        Open();
        QVERIFY(!main->AnimationRunning());
        QVERIFY(MessageText(main).isEmpty());
        QCOMPARE(Find<toolkit::Label>(main, "stripSpeedReadout")->text(),
                 QString()); // no counter left
        // Closed again, the next Старт begins at the first step.
        QTest::mouseClick(Find<QPushButton>(form, "closeButton"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>(main, "startButton"), Qt::LeftButton);
        Elapse(100ms);
        QCOMPARE(Find<toolkit::Label>(main, "stripSpeedReadout")->text(), QStringLiteral("1"));
    }
};

KVARNET_TEST_MAIN(LoadingWindowTest)
#include "tst_loading.moc"
