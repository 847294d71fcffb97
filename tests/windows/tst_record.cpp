#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QXmlStreamReader>
#include <cerrno>
#include <functional>
#include <memory>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif
#include <vector>

#include "context_menu.h"
#include "core/dashcam.h"
#include "core/loading.h"
#include "core/record.h"
#include "core/stopping.h"
#include "find_control.h"
#include "test_main.h"
#include "undo.h"
#include "windows/app_windows.h"
#include "windows/dashcam/dashcam_window.h"
#include "windows/loading/loading_window.h"
#include "windows/main/main_window.h"
#include "windows/record/record_document.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/fonts.h"
#include "windows/toolkit/forms.h"
#include "windows/toolkit/messages.h"

using namespace std::chrono_literals;

namespace {

const QString kCopy = QStringLiteral("Копировать расчёт");
const QString kSave = QStringLiteral("Сохранить расчёт…");
const QString kPdf = QStringLiteral("PDF (*.pdf)");
const QString kHtml = QStringLiteral("HTML (*.html)");
const QString kUntouched = QStringLiteral("буфер до команды");

// The save dialog as the tests answer it: what it was asked, and the path it gives back.
struct Dialog {
    int asked = 0;
    QString suggested;
    QStringList filters;
    QString answer;       // "" cancels
    QString answerFilter; // the filter the user leaves chosen
};
Dialog dialog;

QString AnswerWithoutDialog(QWidget*, const QString&, const QString& suggested,
                            const QStringList& filters, QString* filter) {
    ++dialog.asked;
    dialog.suggested = suggested;
    dialog.filters = filters;
    *filter = dialog.answerFilter;
    return dialog.answer;
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList ResultTexts(const core::CalculationRecord& record) {
    QStringList texts;
    for (const core::RecordValue& v : record.results)
        texts << Q(v.text);
    return texts;
}

QString MessageText(QWidget* owner) {
    auto* box = owner->findChild<QMessageBox*>(QStringLiteral("Message"));
    return box && box->isVisible() ? box->text() : QString();
}

// The height in points of the first word `word` on the page, as pdftotext measures it; 0 when
// it is not there.
double WordHeight(const QString& bboxHtml, const QString& word) {
    static const QRegularExpression box(
        QStringLiteral("<word xMin=\"[^\"]+\" yMin=\"([^\"]+)\" xMax=\"[^\"]+\" "
                       "yMax=\"([^\"]+)\">([^<]*)</word>"));
    for (const QRegularExpressionMatch& m : box.globalMatch(bboxHtml))
        if (m.captured(3) == word) return m.captured(2).toDouble() - m.captured(1).toDouble();
    return 0;
}

QString ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    QVERIFY(file.flush());
    file.close();
    QCOMPARE(file.error(), QFile::NoError);
}

// Writes into `path` until the disk is full.
void FillUp(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(1024, 'x');
    while (file.write(block) > 0) {
    }
}

// Everything in a folder, hidden files included.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// A saved PDF as pdftotext lays it out (-layout keeps a table's row on one line): its pages,
// each as its lines that are not blank, with no-break spaces as plain ones.
QList<QStringList> PdfPages(const QString& pdftotext, const QString& path) {
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), QStringLiteral("-enc"),
                              QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!process.waitForFinished(20000) || process.exitCode() != 0) return {};
    QList<QStringList> pages;
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& page : text.split(u'\f')) {
        QStringList lines;
        for (const QString& line : page.split(u'\n'))
            if (!line.trimmed().isEmpty()) lines << QString(line).replace(QChar(0xA0), u' ');
        if (!lines.isEmpty()) pages << lines;
    }
    return pages;
}

// The pages for a failure's message.
QString Shown(const QList<QStringList>& pages) {
    QString out;
    for (qsizetype p = 0; p < pages.size(); ++p)
        out += QStringLiteral("--- page %1\n").arg(p + 1) + pages[p].join(u'\n') + u'\n';
    return out;
}

// Where a line is in a document's pages.
struct Place {
    qsizetype page = -1, line = -1;
    bool operator<(const Place& other) const {
        return page != other.page ? page < other.page : line < other.line;
    }
};

// Every line of the pages that `pattern` matches.
QList<Place> Find(const QList<QStringList>& pages, const QRegularExpression& pattern) {
    QList<Place> found;
    for (qsizetype p = 0; p < pages.size(); ++p)
        for (qsizetype l = 0; l < pages[p].size(); ++l)
            if (pattern.match(pages[p][l]).hasMatch()) found << Place{p, l};
    return found;
}

QRegularExpression Line(const QString& pattern) {
    return QRegularExpression(QStringLiteral("^\\s*") + pattern + QStringLiteral("\\s*$"));
}

// A table's row as pdftotext lays it out: the name, then the value's first word (a long value
// wraps in its cell).
QRegularExpression Row(const core::RecordValue& value) {
    return QRegularExpression(
        QStringLiteral("^\\s*%1\\s+%2(\\s|$)")
            .arg(QRegularExpression::escape(Q(value.name)),
                 QRegularExpression::escape(Q(value.text).section(u' ', 0, 0))));
}

// As many rows as any page of the record holds, and more.
constexpr std::size_t kRowsOnAPage = 20;

// What is wrong with the pages of a record's PDF as a reader turns them, or "" when nothing
// is: each page ends with its foot; no page ends with a heading or a table's header row; every
// row and step is there once and in order; a table that fits on a page stands on one, under
// its header row and its heading; a longer one shows its header row over its rows on every
// page; each step stands whole on one page, its name over its values.
QString PageFaults(const core::CalculationRecord& record, QList<QStringList> pages) {
    const QRegularExpression heading =
        Line(QStringLiteral("(Исходные данные|Расчёт|Результаты|Примечания)"));
    const QRegularExpression tableHead =
        Line(QStringLiteral("Величина\\s+Значение\\s+Ед\\. изм\\."));
    for (qsizetype p = 0; p < pages.size(); ++p) {
        const QString foot = QStringLiteral("Страница %1 из %2").arg(p + 1).arg(pages.size());
        if (!pages[p].last().trimmed().endsWith(foot))
            return QStringLiteral("page %1 ends with «%2», not its foot")
                .arg(p + 1)
                .arg(pages[p].last());
        pages[p].removeLast();
        if (pages[p].isEmpty()) return QStringLiteral("page %1 is empty").arg(p + 1);
        const QString last = pages[p].last();
        if (heading.match(last).hasMatch() || tableHead.match(last).hasMatch())
            return QStringLiteral("page %1 ends with «%2»").arg(p + 1).arg(last.trimmed());
    }
    const auto at = [&](const Place& place) { return pages[place.page][place.line]; };
    const auto table = [&](const std::vector<core::RecordValue>& values,
                           const QString& title) -> QString {
        QList<Place> rows;
        for (const core::RecordValue& value : values) {
            const QList<Place> found = Find(pages, Row(value));
            if (found.size() != 1)
                return QStringLiteral("row «%1» found %2 times")
                    .arg(Q(value.name))
                    .arg(found.size());
            if (!rows.isEmpty() && !(rows.last() < found[0]))
                return QStringLiteral("row «%1» out of order").arg(Q(value.name));
            rows << found[0];
        }
        const QList<Place> titles = Find(pages, Line(title));
        if (titles.size() != 1 || titles[0].page != rows[0].page)
            return QStringLiteral("«%1» is not on the page of its table").arg(title);
        if (values.size() <= kRowsOnAPage && rows.first().page != rows.last().page)
            return QStringLiteral("«%1» parted from page %2 to %3")
                .arg(title)
                .arg(rows.first().page + 1)
                .arg(rows.last().page + 1);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (i > 0 && rows[i].page == rows[i - 1].page) continue;
            const Place above{rows[i].page, rows[i].line - 1};
            if (above.line < 0 || !tableHead.match(at(above)).hasMatch())
                return QStringLiteral("«%1» has no header row over «%2» on page %3")
                    .arg(title, at(rows[i]).trimmed())
                    .arg(rows[i].page + 1);
        }
        return QString();
    };
    if (QString fault = table(record.inputs, QStringLiteral("Исходные данные")); !fault.isEmpty())
        return fault;
    if (QString fault = table(record.results, QStringLiteral("Результаты")); !fault.isEmpty())
        return fault;
    for (std::size_t n = 0; n < record.steps.size(); ++n) {
        const core::RecordStep& step = record.steps[n];
        const QList<Place> names =
            Find(pages, Line(QStringLiteral("%1\\.\\s+%2:")
                                 .arg(n + 1)
                                 .arg(QRegularExpression::escape(Q(step.name)))));
        if (names.size() != 1)
            return QStringLiteral("step %1 found %2 times").arg(n + 1).arg(names.size());
        // The step's last line ends with its value; the next step's name comes after.
        const QStringList& page = pages[names[0].page];
        const QString value = Q(step.value) + (step.unit.empty() ? QString() : u' ' + Q(step.unit));
        static const QRegularExpression nextStep(QStringLiteral("^\\s*\\d+\\.\\s"));
        bool whole = false;
        for (qsizetype l = names[0].line + 1;
             l < page.size() && !whole && !nextStep.match(page[l]).hasMatch(); ++l)
            whole = page[l].trimmed().endsWith(value);
        if (!whole)
            return QStringLiteral("step %1 is parted after page %2")
                .arg(n + 1)
                .arg(names[0].page + 1);
    }
    return QString();
}

// A record of each kind the windows keep, by name; "long inputs" has more inputs than a page
// holds.
core::CalculationRecord Calculated(const QString& calculation) {
    core::CalculationRecord record;
    if (calculation == "skid")
        core::ComputeStopping({core::StoppingMode::SkidKnown, "0,8", "0,2", "0,3", "10", "6,8"},
                              &record);
    if (calculation == "stops early") // with notes
        core::ComputeStopping({core::StoppingMode::SpeedKnown, "0,8", "0,2", "1", "10", "6,8"},
                              &record);
    if (calculation == "loading") {
        const std::string coefficient = *core::LookUpEfficiency(1, 1);
        core::ComputeLoadBraking({coefficient, "60", "0,8", "6,8", "0,3"}, &record);
        core::StartFromTable(record, 1, 1, coefficient);
    }
    if (calculation == "dashcam" || calculation == "long inputs") {
        core::DashcamInputs readings;
        readings.startHours = readings.endHours = "10";
        readings.startMinutes = readings.endMinutes = "33";
        readings.startSeconds = "20";
        readings.endSeconds = "24";
        readings.distance = "81";
        core::ComputeDashcam(readings, &record);
    }
    if (calculation == "long inputs")
        for (int i = 1; i <= 35; ++i)
            record.inputs.push_back({"Отметка " + std::to_string(i), std::to_string(i * 10), "м",
                                     "mark_" + std::to_string(i), std::to_string(i * 10)});
    return record;
}

} // namespace

class RecordTest : public QObject {
    Q_OBJECT
    std::unique_ptr<AppWindows> app;
    MainWindow* main = nullptr;
    QTemporaryDir dir;

    static void Type(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClicks(field, text);
        if (text.isEmpty()) QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->text(), text);
    }
    static void Type(QComboBox* combo, const QString& text) {
        combo->clearEditText();
        QTest::keyClicks(combo, text);
        QCOMPARE(combo->currentText(), text);
    }

    static void Keys(QWidget* window, Qt::Key key) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, key, Qt::ControlModifier | Qt::ShiftModifier);
    }

    void SkidTen() {
        Type(Find<QLineEdit>(main, "skidOrSpeed"), QStringLiteral("10"));
        Calculate();
        QCOMPARE(Find<QLineEdit>(main, "speedOrSkidResult")->text(), QStringLiteral("45,7"));
    }

    static QString ClipboardText() { return QApplication::clipboard()->text(); }

    // Whether the window offers nothing now: the menu's two commands disabled, and neither
    // key sequence copies or asks where to save.
    static void OffersNothing(QWidget* window, QWidget* target) {
        QMenu* menu = RightClick(target);
        QVERIFY(menu);
        QVERIFY(Action(menu, kCopy) && !Action(menu, kCopy)->isEnabled());
        QVERIFY(Action(menu, kSave) && !Action(menu, kSave)->isEnabled());
        menu->close();
        QApplication::clipboard()->setText(kUntouched);
        const int asked = dialog.asked;
        Keys(window, Qt::Key_C);
        Keys(window, Qt::Key_S);
        QCOMPARE(ClipboardText(), kUntouched);
        QCOMPARE(dialog.asked, asked);
    }

    // Старт and the whole run, at the end of which the main window calculates.
    void Calculate() {
        Find<QPushButton>(main, "startButton")->click();
        Elapse(std::chrono::seconds(3));
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        // The application is set up as the program's: the page must not take the windows' font.
        toolkit::SetSaveDialog(&AnswerWithoutDialog);
    }
    void init() {
        app = std::make_unique<AppWindows>();
        app->Start();
        main = app->Main();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        dialog = Dialog{};
    }
    void cleanup() {
        app.reset();
        toolkit::DiscardAll();
    }

    // The worked examples, copied through the keys: the text has the inputs, every formula
    // with its values, the results and the notes (where the deceleration comes from); the HTML
    // beside it has the same in tables.
    void copyAfterCalculation_data() {
        QTest::addColumn<bool>("skidKnown");
        QTest::addColumn<QString>("x");
        QTest::addColumn<QStringList>("expected"); // in the text and in the HTML
        QTest::newRow("skid 10") << true << "10"
                                 << QStringList{"45,7",
                                                "12,7",
                                                "26,4",
                                                "1,7",
                                                "V = (j × t3 / 2 + √(2 × S × j)) × 3600 / 1000",
                                                "T = V / 3,6 / j − t3 / 2",
                                                "ГОСТ 25478-91 не действует"};
        QTest::newRow("speed 60") << false << "60"
                                  << QStringList{"18",
                                                 "16,7",
                                                 "39,5",
                                                 "2,3",
                                                 "S = (v − j × t3 / 2)² / (2 × j)",
                                                 "v = V × 1000 / 3600",
                                                 "ГОСТ 25478-91 не действует"};
    }
    void copyAfterCalculation() {
        QFETCH(bool, skidKnown);
        QFETCH(QString, x);
        QFETCH(QStringList, expected);
        if (!skidKnown) Find<QCheckBox>(main, "skidKnown")->click();
        Type(Find<QLineEdit>(main, "skidOrSpeed"), x);
        Calculate();
        Keys(main, Qt::Key_C);
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QVERIFY(copied && copied->hasText() && copied->hasHtml());
        QCOMPARE(copied->text(), Q(core::RecordText(*main->Record())));
        for (const QString& part : expected) {
            QVERIFY2(copied->text().contains(part), qPrintable(part));
            QVERIFY2(copied->html().contains(part.toHtmlEscaped()), qPrintable(part));
        }
        QVERIFY(copied->html().contains(QStringLiteral("«Кварнет», версия 1.0.0")));
        QVERIFY(
            copied->html().contains(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))));
    }

    // The HTML record, copied or saved, shows every step as the text does: its formula, the
    // values put into it and the value kept, as a reader of the page sees them.
    void htmlShowsEachStepsValues_data() {
        QTest::addColumn<bool>("saved");
        QTest::newRow("clipboard") << false;
        QTest::newRow("saved file") << true;
    }
    void htmlShowsEachStepsValues() {
        QFETCH(bool, saved);
        SkidTen();
        QString html;
        if (saved) {
            dialog.answer = dir.filePath(QStringLiteral("шаги.html"));
            dialog.answerFilter = kHtml;
            Keys(main, Qt::Key_S);
            html = ReadAll(dialog.answer);
        } else {
            Keys(main, Qt::Key_C);
            html = QApplication::clipboard()->mimeData()->html();
        }
        QTextDocument page;
        page.setHtml(html);
        const QString shown = page.toPlainText().replace(QChar(0xA0), u' ');
        const core::CalculationRecord* record = main->Record();
        QVERIFY(record && record->steps.size() >= 5);
        for (const core::RecordStep& step : record->steps) {
            const QString line = Q(step.formula) + " = " + Q(step.substituted) + " = " +
                                 Q(step.value) + (step.unit.empty() ? "" : " " + Q(step.unit));
            QVERIFY2(shown.contains(line), qPrintable(line + QStringLiteral(" not in:\n") + shown));
        }
    }

    // The menu over a label and over the background gives the same copy as the keys.
    void copyThroughTheMenu_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("caption label") << "speedOrSkidCaption";
        QTest::newRow("result readout") << "stripSpeedReadout";
        QTest::newRow("window background") << "mainWindow";
        QTest::newRow("start button") << "startButton";
    }
    void copyThroughTheMenu() {
        QFETCH(QString, target);
        SkidTen();
        QWidget* widget = target == main->objectName() ? main : main->findChild<QWidget*>(target);
        QVERIFY(widget);
        QApplication::clipboard()->setText(kUntouched);
        Choose(widget, kCopy);
        QVERIFY(ClipboardText().contains(QStringLiteral("Остановочный путь: 26,4 м")));
    }

    // A text field keeps its own menu: copying a text, not the calculation.
    void textFieldsKeepTheirMenu() {
        SkidTen();
        QMenu* menu = RightClick(Find<QLineEdit>(main, "skidOrSpeed"));
        if (menu) {
            QVERIFY(!Action(menu, kCopy));
            menu->close();
        }
    }

    // The record's results are the window's result fields, in their order.
    void recordResultsAreTheFields_data() {
        QTest::addColumn<bool>("skidKnown");
        QTest::addColumn<QString>("x");
        QTest::newRow("skid 10") << true << "10";
        QTest::newRow("skid 20") << true << "20";
        QTest::newRow("speed 60") << false << "60";
        QTest::newRow("speed 0") << false << "0";
    }
    void recordResultsAreTheFields() {
        QFETCH(bool, skidKnown);
        QFETCH(QString, x);
        if (!skidKnown) Find<QCheckBox>(main, "skidKnown")->click();
        Type(Find<QLineEdit>(main, "skidOrSpeed"), x);
        Calculate();
        QVERIFY(main->Record());
        QCOMPARE(ResultTexts(*main->Record()),
                 QStringList({Find<QLineEdit>(main, "speedOrSkidResult")->text(),
                              Find<QLineEdit>(main, "speedMsResult")->text(),
                              Find<QLineEdit>(main, "stoppingDistanceResult")->text(),
                              Find<QLineEdit>(main, "brakingTimeResult")->text()}));
    }

    // Whenever the result fields are empty, nothing is offered.
    void nothingWhileResultsAreEmpty_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("window opened") << "opened";
        QTest::newRow("mode switched") << "mode";
        QTest::newRow("start pressed") << "start";
        QTest::newRow("loading calculation refused") << "loading";
        QTest::newRow("input edited") << "edited";
        QTest::newRow("failed first calculation") << "failed";
    }
    void nothingWhileResultsAreEmpty() {
        QFETCH(QString, how);
        if (how != "opened" && how != "failed") SkidTen();
        if (how == "mode") Find<QCheckBox>(main, "skidKnown")->click();
        if (how == "start") {
            Type(Find<QLineEdit>(main, "skidOrSpeed"), QStringLiteral("12"));
            QTest::mouseClick(Find<QPushButton>(main, "startButton"), Qt::LeftButton);
            QVERIFY(main->AnimationRunning());
        }
        if (how == "loading") {
            QTest::mouseClick(Find<toolkit::Label>(main, "loadingLink"), Qt::LeftButton);
            QVERIFY(main->Record()); // opening it changes nothing; a refusal there does
            LoadingWindow* loading = app->Loading();
            Type(Find<QLineEdit>(loading, "speed"), QStringLiteral("-5"));
            Type(Find<QComboBox>(loading, "adhesion"), QStringLiteral("0,7"));
            QTest::mouseClick(Find<QPushButton>(loading, "startButton"), Qt::LeftButton);
            QVERIFY(!MessageText(loading).isEmpty());
        }
        if (how == "edited") Type(Find<QLineEdit>(main, "reactionTime"), QStringLiteral("1"));
        if (how == "failed") {
            Type(Find<QLineEdit>(main, "deceleration"), QStringLiteral("0"));
            Type(Find<QLineEdit>(main, "skidOrSpeed"), QStringLiteral("10"));
            Calculate();
            QVERIFY(!MessageText(main).isEmpty());
        }
        QVERIFY(!main->Record());
        // The loading window, embedded over the main one, passes a right click on to it.
        QWidget* target =
            how == "loading"
                ? static_cast<QWidget*>(Find<toolkit::Label>(app->Loading(), "carsAndBusesCaption"))
                : Find<toolkit::Label>(main, "speedOrSkidCaption");
        OffersNothing(main, target);
    }

    // The loading window's calculation, shown in the main window, is the one copied.
    void copyAfterLoadingCalculation() {
        QTest::mouseClick(Find<toolkit::Label>(main, "loadingLink"), Qt::LeftButton);
        LoadingWindow* loading = app->Loading();
        QVERIFY(loading && loading->isVisible());
        QTest::mouseClick(Find<toolkit::OptionButton>(loading, "carsAndBuses"), Qt::LeftButton);
        Type(Find<QLineEdit>(loading, "speed"), QStringLiteral("60"));
        // The adhesion picked with the arrow keys, as a user may.
        Find<QComboBox>(loading, "adhesion")->setFocus();
        for (int i = 0; i < Find<QComboBox>(loading, "adhesion")->count() &&
                        Find<QComboBox>(loading, "adhesion")->currentText() != "0,8";
             ++i)
            QTest::keyClick(Find<QComboBox>(loading, "adhesion"), Qt::Key_Down);
        QCOMPARE(Find<QComboBox>(loading, "adhesion")->currentText(), QStringLiteral("0,8"));
        // Still nothing while the loading window waits for its half-second step.
        QTest::mouseClick(Find<QPushButton>(loading, "startButton"), Qt::LeftButton);
        QVERIFY(!main->Record());
        Elapse(500ms);
        QVERIFY(loading->isHidden());

        QVERIFY(main->Record());
        QCOMPARE(ResultTexts(*main->Record()),
                 QStringList({Find<QLineEdit>(main, "speedMsResult")->text(),
                              Find<QLineEdit>(main, "stoppingDistanceResult")->text(),
                              Find<QLineEdit>(main, "brakingTimeResult")->text(),
                              Find<QLineEdit>(main, "speedOrSkidResult")->text()}));
        Keys(main, Qt::Key_C);
        const QString text = ClipboardText();
        QVERIFY2(text.contains(QStringLiteral("Коэффициент эффективности торможения")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("1,28")));
        QVERIFY(text.contains(QStringLiteral("Тормозной путь: 22,7 м")));
        // The record starts from the user's choices and the table cell they lead to.
        QVERIFY(text.contains(QStringLiteral("Категория: легковые")));
        QVERIFY(text.contains(QStringLiteral("Загрузка: Без нагрузки")));
        QVERIFY(text.contains(QStringLiteral("таблица[1; 1] = 1,28")));
        QVERIFY(!text.contains(QStringLiteral("Длина тормозного следа (юза), S")));
        Elapse(3s);
        QVERIFY(!main->AnimationRunning());
        QCOMPARE(ClipboardText(), text);
    }

    // The dashcam window keeps its own record: its menu copies the dashcam calculation.
    void copyAfterDashcamCalculation() {
        QTest::mouseClick(Find<toolkit::Label>(main, "dashcamLink"), Qt::LeftButton);
        DashcamWindow* dashcam = app->Dashcam();
        QVERIFY(QTest::qWaitForWindowExposed(dashcam));
        OffersNothing(dashcam, Find<toolkit::Label>(dashcam, "startCaption"));
        const QString readings[] = {"10", "20", "30", "10", "20", "40"};
        QComboBox* combos[] = {
            Find<QComboBox>(dashcam, "startHours"),   Find<QComboBox>(dashcam, "startMinutes"),
            Find<QComboBox>(dashcam, "startSeconds"), Find<QComboBox>(dashcam, "endHours"),
            Find<QComboBox>(dashcam, "endMinutes"),   Find<QComboBox>(dashcam, "endSeconds")};
        for (int i = 0; i < 6; ++i)
            Type(combos[i], readings[i]);
        Type(Find<QLineEdit>(dashcam, "distance"), QStringLiteral("35"));
        QTest::mouseClick(Find<QPushButton>(dashcam, "startButton"), Qt::LeftButton);
        QCOMPARE(Find<QLineEdit>(dashcam, "speed")->text(), QStringLiteral("12,6"));

        QVERIFY(dashcam->Record());
        QCOMPARE(ResultTexts(*dashcam->Record()),
                 QStringList({Find<QLineEdit>(dashcam, "elapsedHours")->text(),
                              Find<QLineEdit>(dashcam, "elapsedMinutes")->text(),
                              Find<QLineEdit>(dashcam, "elapsedSeconds")->text(),
                              Find<QLineEdit>(dashcam, "speed")->text()}));
        QVERIFY(!main->Record()); // the main window computed nothing
        Choose(Find<toolkit::Label>(dashcam, "speedCaption"), kCopy);
        QVERIFY(ClipboardText().contains(QStringLiteral("V = 3,6 × D / E")));
        QVERIFY(ClipboardText().contains(QStringLiteral("Скорость: 12,6 км/ч")));
        QVERIFY(Find<QLineEdit>(dashcam, "speed")->isReadOnly()); // never typed over
    }

    // The save dialog proposes a dated PDF and offers both formats; a cancel writes nothing.
    void saveAsksWhere() {
        SkidTen();
        dialog.answer = QString();
        Keys(main, Qt::Key_S);
        QCOMPARE(dialog.asked, 1);
        QCOMPARE(dialog.filters, QStringList({kPdf, kHtml}));
        QCOMPARE(QFileInfo(dialog.suggested).fileName(),
                 QStringLiteral("расчёт-%1.pdf").arg(QDate::currentDate().toString(Qt::ISODate)));
        QVERIFY(MessageText(main).isEmpty());
    }

    // A saved PDF opens and its text has the title, the formulas and the results.
    void savedPdfReads() {
        SkidTen();
        dialog.answer = dir.filePath(QStringLiteral("расчёт.pdf"));
        dialog.answerFilter = kPdf;
        Choose(Find<toolkit::Label>(main, "skidOrSpeedCaption"), kSave);
        QFile file(dialog.answer);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QVERIFY(MessageText(main).isEmpty());

        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
        const auto run = [&](const QStringList& options) {
            QProcess process;
            process.start(pdftotext, options + QStringList{dialog.answer, QStringLiteral("-")});
            process.waitForFinished(20000);
            return process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput())
                                           : QString();
        };
        const QString text = run({QStringLiteral("-enc"), QStringLiteral("UTF-8")}).simplified();
        for (const QString& part :
             {QStringLiteral("Скорость и остановочный путь по длине тормозного следа"),
              QStringLiteral("Исходные данные"), QStringLiteral("45,7"), QStringLiteral("26,4"),
              QStringLiteral("√(2 × S × j)"), QStringLiteral("Кварнет"),
              QStringLiteral("Страница 1 из 1")})
            QVERIFY2(text.contains(part), qPrintable(part + QStringLiteral(" not in:\n") + text));
        // The title stands out from the body text, and the section headings are not smaller.
        const QString boxes =
            run({QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-bbox")});
        const double title = WordHeight(boxes, QStringLiteral("остановочный"));
        const double heading = WordHeight(boxes, QStringLiteral("Исходные"));
        const double body = WordHeight(boxes, QStringLiteral("реакции"));
        QVERIFY(body > 3); // at least small print on A4
        QVERIFY2(title > body * 1.1, qPrintable(QStringLiteral("%1 %2").arg(title).arg(body)));
        QVERIFY2(heading > body * 0.95, qPrintable(QStringLiteral("%1 %2").arg(heading).arg(body)));
    }

    // A saved PDF reads as one document wherever its pages end: the note in the case details
    // grows a line at a time, so that a page's end falls through every table, step and heading
    // in turn. Past the long table only what the other records have follows, and two lines at
    // a time still end a page within its header row and first row.
    void pdfPagesReadAsOneDocument_data() {
        QTest::addColumn<QString>("calculation");
        QTest::addColumn<int>("lines"); // added to the note each time
        for (const char* calculation : {"skid", "stops early", "loading", "dashcam"})
            QTest::newRow(calculation) << calculation << 1;
        QTest::newRow("long inputs") << "long inputs" << 2;
    }
    void pdfPagesReadAsOneDocument() {
        QFETCH(QString, calculation);
        QFETCH(int, lines);
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
        core::CalculationRecord record = Calculated(calculation);
        record.origin = {{"5-1234/2025 (материал проверки КУСП № 98765 от 01.02.2025)",
                          "Иванов Иван Иванович, эксперт-автотехник",
                          "Федеральное бюджетное учреждение Северо-Западный региональный центр "
                          "судебной экспертизы Министерства юстиции Российской Федерации",
                          ""},
                         core::LocalTime{2025, 3, 7, 14, 5, 9, 180},
                         "«Кварнет»",
                         "1.0.0"};
        const QString path = dir.filePath(QStringLiteral("страницы.pdf"));
        int mostPages = 0;
        // Six words a line, and a page of lines: the header grows by a page.
        for (int words = 0; words <= 57 * 6; words += lines * 6) {
            std::string& note = record.origin.caseDetails.note;
            note.clear();
            for (int i = 0; i < words; ++i)
                note += "пояснение" + std::to_string(i % 10) + " ";
            QVERIFY(record::WriteRecord(record, path).Saved());
            const QList<QStringList> pages = PdfPages(pdftotext, path);
            QVERIFY(!pages.isEmpty());
            mostPages = std::max(mostPages, int(pages.size()));
            const QString fault = PageFaults(record, pages);
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("a note of %1 words: %2\n%3")
                                                     .arg(words)
                                                     .arg(fault, Shown(pages))));
        }
        QVERIFY(mostPages >= 2);
    }

    // A saved HTML file is a well-formed document with the results; a name typed without
    // an ending gets the one of the chosen format.
    void savedHtmlReads_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("written");
        QTest::newRow("with ending") << "расчёт.html"
                                     << "расчёт.html";
        QTest::newRow("ending from the filter") << "заключение"
                                                << "заключение.html";
    }
    void savedHtmlReads() {
        QFETCH(QString, name);
        QFETCH(QString, written);
        SkidTen();
        dialog.answer = dir.filePath(name);
        dialog.answerFilter = kHtml;
        Keys(main, Qt::Key_S);
        const QString html = ReadAll(dir.filePath(written));
        QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
        for (const QString& part : {QStringLiteral("<td class=\"number\">45,7</td>"),
                                    QStringLiteral("<td class=\"number\">26,4</td>"),
                                    QStringLiteral("<td class=\"number\">1,7</td>")})
            QVERIFY2(html.contains(part), qPrintable(part));
        QXmlStreamReader xml(html);
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    }

    // A save that fails is told with its reason, and neither an old record of the same name
    // nor anything else in the folder changes. The full disk is a small tmpfs mounted for the
    // test, and the read-only disk the test's folder mounted again read-only; as root, who
    // writes where the permissions say no, the read-only folder and file are also made
    // immutable.
    void failedSaveIsToldAndKeepsTheOldFile_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("name"); // the answer to the dialog, in the test's folder
        QTest::addColumn<QString>("old");  // a file in that folder before the save, or ""
        QTest::addColumn<QString>("reason"); // after «Не удалось сохранить расчёт в файл «…»: »
        const QString noSpace = QStringLiteral("нет места на диске");
        const QString noPermission = QStringLiteral("нет прав на запись");
        const QString readOnly = QStringLiteral("диск или папка доступны только для чтения");
        const QString noFolder = QStringLiteral("папка не существует");
        const QString notAFile = QStringLiteral("это папка или устройство, а не файл");
        QTest::newRow("html over an old file, disk full") << "full disk"
                                                          << "расчёт.html"
                                                          << "расчёт.html" << noSpace;
        QTest::newRow("pdf over an old file, disk full") << "full disk"
                                                         << "расчёт.pdf"
                                                         << "расчёт.pdf" << noSpace;
        QTest::newRow("html as a new file, disk full") << "full disk"
                                                       << "новый.html"
                                                       << "" << noSpace;
        QTest::newRow("read-only folder") << "read-only folder"
                                          << "расчёт.html"
                                          << "расчёт.html" << noPermission;
        QTest::newRow("old file that may not be written") << "read-only file"
                                                          << "расчёт.pdf"
                                                          << "расчёт.pdf" << noPermission;
        QTest::newRow("html over an old file, read-only disk") << "read-only disk"
                                                               << "расчёт.html"
                                                               << "расчёт.html" << readOnly;
        QTest::newRow("pdf as a new file, read-only disk") << "read-only disk"
                                                           << "новый.pdf"
                                                           << "" << readOnly;
        QTest::newRow("html in a missing folder") << ""
                                                  << "нет-такой-папки/расчёт.html"
                                                  << "" << noFolder;
        QTest::newRow("pdf in a missing folder") << ""
                                                 << "нет-такой-папки/расчёт.pdf"
                                                 << "" << noFolder;
        QTest::newRow("under a file") << ""
                                      << "файл/расчёт.pdf"
                                      << "файл" << noFolder;
        QTest::newRow("a folder as the file") << "folder as the file"
                                              << "папка.html"
                                              << "" << notAFile;
        QTest::newRow("the full device as the file") << "full device"
                                                     << "устройство.pdf"
                                                     << "" << notAFile;
        QTest::newRow("the full device, named without an ending") << "full device"
                                                                  << "устройство"
                                                                  << "" << notAFile;
        // Any other failure in the system's own words.
        QTest::newRow("a name too long") << "" << QString(200, QChar(u'я')) + ".html"
                                         << "" << qt_error_string(ENAMETOOLONG);
    }
    void failedSaveIsToldAndKeepsTheOldFile() {
        QFETCH(QString, setup);
        QFETCH(QString, name);
        QFETCH(QString, old);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        Undo undo; // after the folder: undone before the folder is removed
        const QByteArray oldRecord = "<html>the record saved before</html>";
        if (setup == "full disk") {
            if (!Run("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder.path()}))
                QSKIP("cannot mount a small tmpfs here (as root it can): no full disk to test on");
            undo.Add([&folder] { Run("umount", {folder.path()}); });
        }
        if (!old.isEmpty()) WriteAll(folder.filePath(old), oldRecord);
        if (setup == "full disk") FillUp(folder.filePath(QStringLiteral("заполнитель")));
        if (setup == "read-only folder") {
            const QFile::Permissions permissions = QFile::permissions(folder.path());
            QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
            undo.Add([&folder, permissions] { QFile::setPermissions(folder.path(), permissions); });
            if (QFileInfo(folder.path()).isWritable()) {
                if (!Run("chattr", {"+i", folder.path()}))
                    QSKIP("root writes into a folder of mode 0500, and cannot make one "
                          "immutable here");
                undo.Add([&folder] { Run("chattr", {"-i", folder.path()}); });
            }
        }
        if (setup == "read-only disk") {
            if (!Run("mount", {"--bind", folder.path(), folder.path()}))
                QSKIP("cannot mount a folder again here (as root it can): no read-only disk to "
                      "test on");
            undo.Add([&folder] { Run("umount", {folder.path()}); });
            QVERIFY(Run("mount", {"-o", "remount,bind,ro", folder.path()}));
        }
        if (setup == "read-only file") {
            const QString file = folder.filePath(old);
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
            if (QFileInfo(file).isWritable()) {
                if (!Run("chattr", {"+i", file}))
                    QSKIP("root writes over a file of mode 0400, and cannot make one immutable "
                          "here");
                undo.Add([file] { Run("chattr", {"-i", file}); });
            }
        }
        if (setup == "folder as the file") QVERIFY(QDir(folder.path()).mkdir(name));
        if (setup == "full device") {
#ifdef _WIN32
            QSKIP("Windows has no device file to save over");
#else
            // A node of its own, where root may make one, so that a save that wrongly replaced
            // the device would not replace the system's /dev/full; a user who cannot make one
            // cannot replace that either, and is given a link to it.
            if (::mknod(QFile::encodeName(folder.filePath(name)).constData(), S_IFCHR | 0666,
                        makedev(1, 7)) != 0)
                QVERIFY(QFile::link(QStringLiteral("/dev/full"), folder.filePath(name)));
#endif
        }
        const QStringList entries = Entries(folder.path());

        SkidTen();
        const QString path = folder.filePath(name);
        dialog.answer = path;
        dialog.answerFilter = name.endsWith(QLatin1String(".pdf")) ? kPdf : kHtml;
        Keys(main, Qt::Key_S);
#ifdef Q_OS_WIN
        // Qt's file engine on Windows leaves errno alone, so the save gives its general reason
        // ("система не дала записать файл") instead of the system's words.
        QEXPECT_FAIL("a name too long", "on Windows the save learns no reason from errno", Abort);
#endif
        // The system's words may open with a capital, which the message turns small.
        QCOMPARE(MessageText(main).toLower(),
                 QStringLiteral("Не удалось сохранить расчёт в файл «%1»: %2.")
                     .arg(QDir::toNativeSeparators(path), reason)
                     .toLower());
        QCOMPARE(Entries(folder.path()), entries); // no temporary file left, nothing made
        if (!old.isEmpty()) QCOMPARE(ReadAll(folder.filePath(old)).toUtf8(), oldRecord);
        if (setup == "folder as the file") QVERIFY(Entries(folder.filePath(name)).isEmpty());
        if (setup == "full device") QVERIFY(!QFileInfo(folder.filePath(name)).isFile());
    }

    // The save dialog starts in the user's documents folder, or at home when there is none;
    // never in the program's working folder.
    void saveStartsInTheDocuments_data() {
        QTest::addColumn<bool>("documentsExist");
        QTest::addColumn<QString>("expected"); // in the home folder
        QTest::newRow("documents folder") << true << "Documents";
        QTest::newRow("no documents folder") << false << "";
    }
    void saveStartsInTheDocuments() {
        QFETCH(bool, documentsExist);
        QFETCH(QString, expected);
#ifdef Q_OS_WIN
        QSKIP("Windows names the documents folder from the user's profile, which HOME does not "
              "move");
#endif
        QTemporaryDir home;
        QTemporaryDir working;
        QVERIFY(home.isValid() && working.isValid());
        Undo undo;
        for (const char* variable : {"HOME", "XDG_CONFIG_HOME"}) {
            const bool wasSet = qEnvironmentVariableIsSet(variable);
            const QByteArray was = qgetenv(variable);
            undo.Add([variable, wasSet, was] {
                if (wasSet)
                    qputenv(variable, was);
                else
                    qunsetenv(variable);
            });
        }
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config"))); // no user dirs
        const QString wasCurrent = QDir::currentPath();
        undo.Add([wasCurrent] { QDir::setCurrent(wasCurrent); });
        QVERIFY(QDir::setCurrent(working.path()));
        if (documentsExist) QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Documents")));

        SkidTen();
        dialog.answer = QString();
        Keys(main, Qt::Key_S);
        QCOMPARE(dialog.asked, 1);
        QCOMPARE(QFileInfo(dialog.suggested).absolutePath(),
                 QDir::cleanPath(home.filePath(expected)));
    }
};

KVARNET_TEST_MAIN(RecordTest)
#include "tst_record.moc"
