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

#include "core/loading.h"
#include "find_control.h"
#include "test_main.h"
#include "windows/alerts/alert_window.h"
#include "windows/loading/form2.h"
#include "windows/loading/form2_layout.h"
#include "windows/main/form1.h"
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

class Form2Test : public QObject {
    Q_OBJECT
    Form1* main = nullptr;
    Form2* form = nullptr;

    // Opens the loading window the way the user does, through the main window's link.
    void Open() {
        QTest::mouseClick(Find<toolkit::Label>(main, "Label21"), Qt::LeftButton);
        form = toolkit::Instance<Form2>();
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
        Type(Find<QLineEdit>(form, "Text1"), speed);
        Pick(Find<QComboBox>(form, "Combo1"), adhesion);
        QTest::mouseClick(Find<QPushButton>(form, "Command1"), Qt::LeftButton);
    }

    QStringList Results() const {
        return {Find<QLineEdit>(main, "Text9")->text(), Find<QLineEdit>(main, "Text6")->text(),
                Find<QLineEdit>(main, "Text8")->text(), Find<QLineEdit>(main, "Text4")->text()};
    }

private slots:
    void init() {
        main = toolkit::Show<Form1>();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        form = toolkit::Instance<Form2>();
    }
    void cleanup() {
        toolkit::DiscardAll();
        QVERIFY(!toolkit::Instance<Form2>());
    }

    // The main window's start-up loads the loading window hidden, embedded in it.
    void startState() {
        QVERIFY(form);
        QVERIFY(form->isHidden());
        QCOMPARE(form->parentWidget(), main);
        QVERIFY(!form->isWindow());
        QCOMPARE(form->geometry(), QRect(0, 0, 592, 219));
        QVERIFY(Find<toolkit::OptionButton>(form, "Option1")->isChecked());
        QVERIFY(!Find<toolkit::OptionButton>(form, "Option2")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "Option3")->isChecked());
        QCOMPARE(Items(Find<QListWidget>(form, "List1")),
                 Texts(core::CategoriesOf(core::VehicleGroup::CarsAndBuses)));
        QCOMPARE(Find<QListWidget>(form, "List1")->currentItem()->text(),
                 QStringLiteral("легковые"));
        QCOMPARE(Find<toolkit::Label>(form, "Label8")->text(), QStringLiteral("1"));
        QVERIFY(Find<toolkit::OptionButton>(form, "Option6")->isChecked());
        QVERIFY(!Find<toolkit::OptionButton>(form, "Option5")->isChecked() &&
                !Find<toolkit::OptionButton>(form, "Option4")->isChecked());
        QCOMPARE(Items(Find<QComboBox>(form, "Combo1")),
                 QStringList({"0,8", "0,7", "0,6", "0,5", "0,4", "0,2", "0,1"}));
        QCOMPARE(Find<QComboBox>(form, "Combo1")->currentText(), QString());
        QCOMPARE(Find<QLineEdit>(form, "Text1")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label9")->text(), QString());
        QVERIFY(!Find<toolkit::Label>(form, "Label9")->isHidden());
        for (QWidget* hidden : std::initializer_list<QWidget*>{
                 Find<toolkit::Label>(form, "Label8"), Find<toolkit::Label>(form, "Label10"),
                 Find<toolkit::Label>(form, "Label11"), Find<QPushButton>(form, "Command2"),
                 Find<QLineEdit>(form, "Text2")})
            QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
        QVERIFY(!Find<toolkit::Timer>(form, "Timer1")->isEnabled());
        QCOMPARE(Find<toolkit::Timer>(form, "Timer1")->interval(), 500);

        Open();
        QVERIFY(form->isVisible());
        QCOMPARE(QApplication::focusWidget(), Find<toolkit::OptionButton>(form, "Option1"));
        QCOMPARE(Find<QLineEdit>(form, "Text2")->text(), QStringLiteral("0,3"));
        QCOMPARE(Find<toolkit::Label>(main, "Label20")->text(), QStringLiteral("0"));
    }

    // Every row of the table becomes one control with its name, place, size and a Russian
    // name for screen readers.
    void layoutFromTable() {
        const auto table = Form2Layout();
        for (const toolkit::Control& c : table) {
            const QString name = QString::fromUtf8(c.name);
            QObject* object = form->findChild<QObject*>(name);
            QVERIFY2(object, qPrintable(name));
            QCOMPARE(object->parent()->objectName(), QString::fromUtf8(c.container));
            auto* widget = qobject_cast<QWidget*>(object);
            if (!widget) continue; // the timer
            if (c.kind != toolkit::Kind::Line && c.kind != toolkit::Kind::Image) {
                const QRect expected(toolkit::TwipsToPixels(c.left), toolkit::TwipsToPixels(c.top),
                                     toolkit::TwipsToPixels(c.width),
                                     toolkit::TwipsToPixels(c.height));
                QCOMPARE(widget->geometry(), expected);
            }
            const QString access = (c.flags & toolkit::kReadout) ? widget->accessibleDescription()
                                                                 : widget->accessibleName();
            QVERIFY2(std::any_of(access.begin(), access.end(),
                                 [](QChar ch) { return ch.script() == QChar::Script_Cyrillic; }),
                     qPrintable(name + ": " + access));
        }
        // The frame's copy of the marsh lies 16 pixels left of the window's own.
        QCOMPARE(Find<toolkit::Image>(form, "Image1")->mapTo(form, QPoint(0, 0)), QPoint(-16, 0));
        QCOMPARE(Find<toolkit::Image>(form, "Image1")->size(), QSize(600, 364));
    }

    // The speed's caption shows whole, with no tooltip standing in for a cut, and covers no
    // control that takes input.
    void speedCaptionShowsWhole() {
        QVERIFY(!Find<toolkit::Label>(form, "Label12")->captionCut());
        const QRect caption = Find<toolkit::Label>(form, "Label12")->geometry();
        const QWidget* controls[] = {
            Find<QLineEdit>(form, "Text1"),      Find<QLineEdit>(form, "Text2"),
            Find<QPushButton>(form, "Command1"), Find<QComboBox>(form, "Combo1"),
            Find<QListWidget>(form, "List1"),    Find<QPushButton>(form, "Command3")};
        for (const QWidget* control : controls)
            QVERIFY2(!caption.intersects(control->geometry()), qPrintable(control->objectName()));
    }

    // Tab goes round the window's own controls top to bottom and left to right, every option
    // button included, the loads from the top, and never reaches the main window's controls
    // under it.
    void tabOrder() {
        Open();
        const QStringList expected = {"Option2",  "Option3",  "List1",   "Option6",
                                      "Option5",  "Option4",  "Combo1",  "Text1",
                                      "Command1", "Command3", "Option1", "Option2"};
        QStringList chain;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            chain << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(chain, expected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), Find<toolkit::OptionButton>(form, "Option1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), Find<QPushButton>(form, "Command3"));
    }

    void groupsGiveRows_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("row");
        QTest::addRow("cars and buses, first") << "Option1" << 0 << "1";
        QTest::addRow("cars and buses, buses over 5 t") << "Option1" << 2 << "3";
        QTest::addRow("single lorries, first") << "Option2" << 0 << "4";
        QTest::addRow("single lorries, over 12 t") << "Option2" << 2 << "6";
        QTest::addRow("road trains, first") << "Option3" << 0 << "7";
        QTest::addRow("road trains, 3.5 to 12 t") << "Option3" << 1 << "8";
    }
    void groupsGiveRows() {
        QFETCH(QString, option);
        QFETCH(int, item);
        QFETCH(QString, row);
        Open();
        if (option == "Option1")
            QTest::mouseClick(Find<toolkit::OptionButton>(form, "Option2"), Qt::LeftButton);
        QTest::mouseClick(form->findChild<toolkit::OptionButton*>(option), Qt::LeftButton);
        QCOMPARE(Find<QListWidget>(form, "List1")->currentRow(), 0);
        if (item > 0) {
            QListWidgetItem* category = Find<QListWidget>(form, "List1")->item(item);
            QTest::mouseClick(Find<QListWidget>(form, "List1")->viewport(), Qt::LeftButton, {},
                              Find<QListWidget>(form, "List1")->visualItemRect(category).center());
        }
        QCOMPARE(Find<toolkit::Label>(form, "Label8")->text(), row);
    }

    // Whatever the user clicks, each group keeps exactly one choice, the one clicked last.
    void bothGroupsKeepOneChoice() {
        Open();
        const std::vector<toolkit::OptionButton*> vehicle = {
            Find<toolkit::OptionButton>(form, "Option1"),
            Find<toolkit::OptionButton>(form, "Option2"),
            Find<toolkit::OptionButton>(form, "Option3")};
        const std::vector<toolkit::OptionButton*> load = {
            Find<toolkit::OptionButton>(form, "Option6"),
            Find<toolkit::OptionButton>(form, "Option5"),
            Find<toolkit::OptionButton>(form, "Option4")};
        toolkit::OptionButton* lastVehicle = Find<toolkit::OptionButton>(form, "Option1");
        toolkit::OptionButton* lastLoad = Find<toolkit::OptionButton>(form, "Option6");
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

    // A new load state empties the adhesion: Старт then opens the alert and puts the keyboard
    // into the adhesion.
    void loadChangeEmptiesTheAdhesion() {
        Open();
        Pick(Find<QComboBox>(form, "Combo1"), QStringLiteral("0,7"));
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QStringLiteral("2"));
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "Option5"), Qt::LeftButton);
        QCOMPARE(Find<QComboBox>(form, "Combo1")->currentText(), QString());
        Type(Find<QLineEdit>(form, "Text1"), QStringLiteral("60"));
        QTest::mouseClick(Find<QPushButton>(form, "Command1"), Qt::LeftButton);
        QTRY_VERIFY(AlertShown(Alert::MissingValue));
        QVERIFY(!Find<toolkit::Timer>(form, "Timer1")->isEnabled());
        QCOMPARE(Find<toolkit::Label>(form, "Label9")->text(), QString());
        QCOMPARE(form->focusWidget(), Find<QComboBox>(form, "Combo1"));
    }

    // A typed adhesion is read as a pick: one of the list, however written, takes its own
    // column in the load chosen; any other is refused, whatever was picked before.
    void typedAdhesionReadsLikeAPick_data() {
        QTest::addColumn<QString>("load");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("column"); // 0: refused
        QTest::addRow("full load, 0,4") << "Option4" << "0,4" << 15;
        QTest::addRow("half load, 0.7") << "Option5" << "0.7" << 7;
        QTest::addRow("unloaded, 0,80") << "Option6" << "0,80" << 1;
        QTest::addRow("full load, 0,35 after 0,7") << "Option4" << "0,35" << 0;
        QTest::addRow("unloaded, 0,3") << "Option6" << "0,3" << 0;
    }
    void typedAdhesionReadsLikeAPick() {
        QFETCH(QString, load);
        QFETCH(QString, typed);
        QFETCH(int, column);
        Open();
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "Option2"), Qt::LeftButton);
        Find<QListWidget>(form, "List1")->setCurrentRow(1); // row 5
        QTest::mouseClick(Find<toolkit::OptionButton>(form, load.toLatin1()), Qt::LeftButton);
        Pick(Find<QComboBox>(form, "Combo1"), QStringLiteral("0,7"));
        Find<QComboBox>(form, "Combo1")->lineEdit()->selectAll();
        QTest::keyClicks(Find<QComboBox>(form, "Combo1"), typed);
        Type(Find<QLineEdit>(form, "Text1"), QStringLiteral("70"));
        QTest::mouseClick(Find<QPushButton>(form, "Command1"), Qt::LeftButton);
        if (column == 0) {
            QVERIFY2(MessageText(form).contains(QStringLiteral("выбирается из списка: 0,8; 0,7")),
                     qPrintable(MessageText(form)));
            QVERIFY(!Find<toolkit::Timer>(form, "Timer1")->isEnabled());
            QCOMPARE(form->focusWidget(), Find<QComboBox>(form, "Combo1"));
            return;
        }
        QVERIFY(MessageText(form).isEmpty());
        QCOMPARE(Find<toolkit::Label>(form, "Label10")->text(), QString::number(column));
        QCOMPARE(Find<toolkit::Label>(form, "Label9")->text(),
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
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "Option3"), Qt::LeftButton);
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "Option1"), Qt::LeftButton);
        Start(QStringLiteral("60"), QStringLiteral("0,8"));
        QCOMPARE(Find<toolkit::Label>(form, "Label9")->text(), QStringLiteral("1,28"));
        QVERIFY(!Find<toolkit::Label>(form, "Label9")->isHidden() &&
                !Find<toolkit::Label>(form, "Label11")->isHidden());
        // Nothing reaches the main window before the outcome.
        QVERIFY(Find<QCheckBox>(main, "Check1")->isChecked());
        QCOMPARE(Find<QLineEdit>(main, "Text7")->text(), QString());
        QCOMPARE(Results(), QStringList({"", "", "", ""}));
        QVERIFY(Find<toolkit::Timer>(form, "Timer1")->isEnabled());
        QVERIFY(form->isVisible());

        Elapse(500ms);
        QVERIFY(form->isHidden());
        QVERIFY(!Find<QCheckBox>(main, "Check1")->isChecked());
        QCOMPARE(Find<QLineEdit>(main, "Text7")->text(), QStringLiteral("60"));
        QCOMPARE(Results(), QStringList({"16,7", "22,7", "2,3", "18"}));
        QVERIFY(!Find<toolkit::Timer>(form, "Timer1")->isEnabled());
        QVERIFY(main->AnimationRunning());
        Elapse(3s);
        QVERIFY(!main->AnimationRunning());
        QCOMPARE(Find<toolkit::Label>(main, "Label10")->text(), QStringLiteral("60"));
        QCOMPARE(Find<toolkit::Label>(main, "Label11")->text(), QStringLiteral("22,7"));
        QCOMPARE(Find<toolkit::Label>(main, "Label20")->text(), QStringLiteral("0"));
        QCOMPARE(Results(), QStringList({"16,7", "22,7", "2,3", "18"}));
        // The readout is read out by what it shows.
        QCOMPARE(QAccessible::queryAccessibleInterface(Find<toolkit::Label>(main, "Label10"))
                     ->text(QAccessible::Name),
                 QStringLiteral("60"));
        QCOMPARE(QAccessible::queryAccessibleInterface(Find<toolkit::Label>(form, "Label9"))
                     ->text(QAccessible::Name),
                 QStringLiteral("1,28"));
    }

    // When the window hides after Старт, the keyboard goes to the main window's Старт: a key
    // pressed while the car moves never reaches a hidden control (the hidden Закрыть, the
    // hidden speed field).
    void handOverKeepsTheKeyboard() {
        Open();
        Type(Find<QLineEdit>(form, "Text1"), QStringLiteral("80"));
        Pick(Find<QComboBox>(form, "Combo1"), QStringLiteral("0,8"));
        main->activateWindow(); // back from the list's popup
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTest::mouseClick(Find<QPushButton>(form, "Command1"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), Find<QPushButton>(form, "Command1"));
        Elapse(500ms);
        QVERIFY(form->isHidden());
        QCOMPARE(QApplication::focusWidget(), Find<QPushButton>(main, "Command1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
        QCOMPARE(Find<QLineEdit>(form, "Text1")->text(), QStringLiteral("80"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* next = QApplication::focusWidget();
        QVERIFY(next && next->isVisible() && !form->isAncestorOf(next));
        QCOMPARE(toolkit::Instance<Form2>(), form); // its Закрыть was not pressed
        QCOMPARE(Find<QLineEdit>(main, "Text6")->text(), QStringLiteral("40,3"));
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
        QCOMPARE(QApplication::focusWidget(), Find<QPushButton>(main, "Command1"));
    }

    // Minimising the main window hides this window only until the main window comes back: the
    // keyboard stays in the speed field, and what is typed then goes there.
    void minimisingKeepsTheKeyboard() {
        Open();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTest::mouseClick(Find<QLineEdit>(form, "Text1"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), Find<QLineEdit>(form, "Text1"));
        main->showMinimized();
        QVERIFY(main->isMinimized());
        main->showNormal();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QCOMPARE(QApplication::focusWidget(), Find<QLineEdit>(form, "Text1"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("80"));
        QCOMPARE(Find<QLineEdit>(form, "Text1")->text(), QStringLiteral("80"));
    }

    // Reopening after a calculation shows the same window as it was; the close button
    // discards it, and the next opening starts afresh.
    void reopenKeepsStateCloseResets() {
        Open();
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "Option2"), Qt::LeftButton);
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "Option5"), Qt::LeftButton);
        Start(QStringLiteral("50"), QStringLiteral("0,6"));
        Elapse(500ms);
        QVERIFY(form->isHidden());
        const QString coefficient = Find<toolkit::Label>(form, "Label9")->text();
        QCOMPARE(coefficient, QStringLiteral("1,25"));
        Form2* first = form;

        Find<QLineEdit>(main, "Text3")->setText(QStringLiteral("0,35"));
        Open();
        QCOMPARE(form, first);
        QVERIFY(form->isVisible());
        QVERIFY(Find<toolkit::OptionButton>(form, "Option2")->isChecked() &&
                Find<toolkit::OptionButton>(form, "Option5")->isChecked());
        QCOMPARE(Find<QListWidget>(form, "List1")->currentItem()->text(),
                 QStringLiteral("грузовые до 3,5 т"));
        QCOMPARE(Find<QComboBox>(form, "Combo1")->currentText(), QStringLiteral("0,6"));
        QCOMPARE(Find<QLineEdit>(form, "Text1")->text(), QStringLiteral("50"));
        QCOMPARE(Find<toolkit::Label>(form, "Label9")->text(), coefficient);
        QVERIFY(!Find<toolkit::Label>(form, "Label11")->isHidden());
        QCOMPARE(Find<QLineEdit>(form, "Text2")->text(), QStringLiteral("0,35"));
        QCOMPARE(Find<toolkit::Label>(main, "Label20")->text(), QStringLiteral("0"));
        QVERIFY(!main->AnimationRunning()); // the edit of the rise time stopped the run

        QTest::mouseClick(Find<QPushButton>(form, "Command3"), Qt::LeftButton);
        QVERIFY(form->isHidden());
        QCOMPARE(Find<toolkit::Label>(main, "Label20")->text(), QStringLiteral("0"));
        QTRY_VERIFY(!toolkit::Instance<Form2>());

        Open();
        QVERIFY(form && form != first);
        QVERIFY(form->isVisible());
        QVERIFY(Find<toolkit::OptionButton>(form, "Option1")->isChecked() &&
                Find<toolkit::OptionButton>(form, "Option6")->isChecked());
        QCOMPARE(Find<toolkit::Label>(form, "Label8")->text(), QStringLiteral("1"));
        QCOMPARE(Find<QLineEdit>(form, "Text1")->text(), QString());
        QCOMPARE(Find<QComboBox>(form, "Combo1")->currentText(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label9")->text(), QString());
        QVERIFY(Find<toolkit::Label>(form, "Label11")->isHidden());
        QCOMPARE(form->parentWidget(), main);
    }

    // Opening the window, and closing it without a calculation, leaves the main window's mode,
    // inputs and results as they were; the window gets the rise time.
    void openAndCloseChangeNothing_data() {
        QTest::addColumn<bool>("skidMode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("riseTime");
        QTest::addColumn<QString>("handedOver");
        QTest::addRow("skid mode") << true << "10" << "0,3" << "0,3";
        QTest::addRow("speed mode") << false << "60" << "0,35" << "0,35";
        QTest::addRow("empty rise time") << false << "60" << "" << "0,3";
    }
    void openAndCloseChangeNothing() {
        QFETCH(bool, skidMode);
        QFETCH(QString, typed);
        QFETCH(QString, riseTime);
        QFETCH(QString, handedOver);
        Find<QCheckBox>(main, "Check1")->setChecked(skidMode);
        Find<QLineEdit>(main, "Text7")->setText(typed);
        Find<QLineEdit>(main, "Text3")->setText(riseTime);
        Find<QLineEdit>(main, "Text4")->setText(QStringLiteral("1"));
        Find<QLineEdit>(main, "Text9")->setText(QStringLiteral("2"));
        const QStringList results = Results();
        Open();
        Open(); // a second click changes nothing more
        QVERIFY(form->isVisible());
        QCOMPARE(Find<QLineEdit>(form, "Text2")->text(), handedOver);
        QCOMPARE(main->findChildren<Form2*>().size(), 1);
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        Find<QListWidget>(form, "List1")->setFocus(); // the test clicked the covered link
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(form->isHidden());
        QVERIFY(main->isVisible()); // Escape closed the window, not the program
        QCOMPARE(Find<QCheckBox>(main, "Check1")->isChecked(), skidMode);
        QCOMPARE(Find<toolkit::Label>(main, "Label19")->text(), skidMode ? "1" : "2");
        QCOMPARE(Find<QLineEdit>(main, "Text7")->text(), typed);
        QCOMPARE(Results(), results);
        QCOMPARE(Find<toolkit::Label>(main, "Label20")->text(), QStringLiteral("0"));
    }

    // While the main window shows the loading calculation's braking distance, the field's
    // caption and name say so; the main window's own calculation names it back.
    void brakingDistanceIsNamedAsSuch() {
        const QString stopping = Find<toolkit::Label>(main, "Label7")->text();
        QVERIFY(stopping.contains(QStringLiteral("остановочный путь")));
        Open();
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "Option2"), Qt::LeftButton);
        Find<QListWidget>(form, "List1")->setCurrentRow(1);
        QTest::mouseClick(Find<toolkit::OptionButton>(form, "Option4"), Qt::LeftButton);
        Start(QStringLiteral("70"), QStringLiteral("0,7"));
        Elapse(500ms);
        QCOMPARE(Find<QLineEdit>(main, "Text6")->text(), QStringLiteral("47,1"));
        QCOMPARE(Find<toolkit::Label>(main, "Label7")->text(), QStringLiteral("Тормозной путь, м"));
        QCOMPARE(Find<QLineEdit>(main, "Text6")->accessibleName(),
                 QStringLiteral("Тормозной путь, м"));
        Elapse(3s);
        QCOMPARE(Find<toolkit::Label>(main, "Label7")->text(), QStringLiteral("Тормозной путь, м"));
        QTest::mouseClick(Find<QPushButton>(main, "Command1"), Qt::LeftButton);
        Elapse(3s);
        QCOMPARE(Find<toolkit::Label>(main, "Label7")->text(), stopping);
        QCOMPARE(Find<QLineEdit>(main, "Text6")->accessibleName(), stopping);
        QVERIFY(!Find<QLineEdit>(main, "Text6")->text().isEmpty());
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
        Find<QCheckBox>(main, "Check1")->setChecked(false);
        Find<QLineEdit>(main, "Text7")->setText(QStringLiteral("77"));
        Find<QLineEdit>(main, "Text5")->setText(deceleration);
        for (QLineEdit* result : {Find<QLineEdit>(main, "Text9"), Find<QLineEdit>(main, "Text6"),
                                  Find<QLineEdit>(main, "Text8"), Find<QLineEdit>(main, "Text4")})
            result->setText(QStringLiteral("1"));
        Find<toolkit::Label>(main, "Label10")->setText(QStringLiteral("70 км/час"));
        Open();
        Type(Find<QLineEdit>(form, "Text1"), speed);
        if (pick) {
            Pick(Find<QComboBox>(form, "Combo1"), QStringLiteral("0,8"));
            if (adhesion != QStringLiteral("0,8")) {
                Find<QComboBox>(form, "Combo1")->lineEdit()->selectAll();
                QTest::keyClicks(Find<QComboBox>(form, "Combo1"), adhesion);
            }
        } else {
            QTest::keyClicks(Find<QComboBox>(form, "Combo1"), adhesion);
        }
        QTest::mouseClick(Find<QPushButton>(form, "Command1"), Qt::LeftButton);
        QVERIFY2(MessageText(form).contains(named), qPrintable(MessageText(form)));
        QVERIFY(MessageText(form).startsWith(QStringLiteral("Расчёт невозможен")));
        QCOMPARE(Find<QLineEdit>(main, "Text7")->text(), QStringLiteral("77"));
        QVERIFY(!Find<QCheckBox>(main, "Check1")->isChecked());
        QCOMPARE(Results(), QStringList({"", "", "", ""}));
        QCOMPARE(Find<toolkit::Label>(main, "Label10")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(main, "Label11")->text(), QString());
        QCOMPARE(Find<toolkit::Label>(form, "Label9")->text(), QString());
        QVERIFY(!Find<toolkit::Timer>(form, "Timer1")->isEnabled());
        QVERIFY(form->isVisible());
        QVERIFY(!main->AnimationRunning());
    }

    // The deceleration changed to zero during the half second: the message, no animation,
    // the window stays for a correction and the timer does not come back.
    void failureWhenTheTimerFires() {
        Open();
        Start(QStringLiteral("60"), QStringLiteral("0,8"));
        Find<QLineEdit>(main, "Text5")->setText(QStringLiteral("0"));
        Elapse(500ms);
        QVERIFY(!MessageText(form).isEmpty());
        QVERIFY(MessageText(form).contains(QStringLiteral("Установившееся замедление")));
        QVERIFY(!Find<toolkit::Timer>(form, "Timer1")->isEnabled());
        QVERIFY(form->isVisible());
        QVERIFY(!main->AnimationRunning());
        QCOMPARE(Results(), QStringList({"", "", "", ""}));
    }

    // A close during the half second drops the pending step.
    void closeDuringTheDelay() {
        Open();
        Start(QStringLiteral("60"), QStringLiteral("0,8"));
        QTest::mouseClick(Find<QPushButton>(form, "Command3"), Qt::LeftButton);
        QVERIFY(!Find<toolkit::Timer>(form, "Timer1")->isEnabled());
        Elapse(800ms);
        QVERIFY(!main->AnimationRunning());
        QCOMPARE(Results(), QStringList({"", "", "", ""}));
        QCOMPARE(Find<toolkit::Label>(main, "Label20")->text(), QStringLiteral("0"));
        QVERIFY(!toolkit::Instance<Form2>());
    }

    // Opening the window during the main window's own run stops that run silently.
    void linkStopsARunningAnimation() {
        Find<QLineEdit>(main, "Text7")->setText(QStringLiteral("10"));
        QTest::mouseClick(Find<QPushButton>(main, "Command1"), Qt::LeftButton);
        for (int step = 0; step < 30 && Find<toolkit::Label>(main, "Label1")->text() != "3"; ++step)
            Elapse(100ms);
        QCOMPARE(Find<toolkit::Label>(main, "Label1")->text(), QStringLiteral("3"));
        Open();
        QVERIFY(!main->AnimationRunning());
        QCOMPARE(Find<toolkit::Label>(main, "Label1")->text(), QStringLiteral("1"));
        QVERIFY(MessageText(main).isEmpty());
        QCOMPARE(Find<toolkit::Label>(main, "Label20")->text(), QStringLiteral("0"));
        QCOMPARE(Find<toolkit::Label>(main, "Label10")->text(), QString()); // no counter left
    }
};

KVARNET_TEST_MAIN(Form2Test)
#include "tst_form2.moc"
