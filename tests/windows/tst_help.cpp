#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QXmlStreamReader>
#include <memory>

#include "core/avoidance.h"
#include "core/dashcam.h"
#include "core/impact.h"
#include "core/loading.h"
#include "core/record.h"
#include "core/stopping.h"
#include "core/video.h"
#include "find_control.h"
#include "test_main.h"
#include "windows/alerts/alert_window.h"
#include "windows/app_windows.h"
#include "windows/dashcam/dashcam_window.h"
#include "windows/main/main_window.h"
#include "windows/toolkit/controls.h"
#include "windows/toolkit/forms.h"

// The help's worked examples and coefficient table, recomputed through the program: a number
// in the help that the program would not show fails here.
namespace {

// An element of the help with its attributes, its text and its child elements.
struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text; // all text inside, the children's in its place
    std::vector<Element> children;

    QString attribute(const char* key) const { return attributes.value(key).toString(); }
    // The text with its blanks joined into one, as a reader sees it.
    QString allText() const { return text.simplified(); }
    // Every element below this one, in document order, that `matches` accepts.
    template <typename Match> std::vector<const Element*> find(Match matches) const {
        std::vector<const Element*> found;
        for (const Element& c : children) {
            if (matches(c)) found.push_back(&c);
            for (const Element* e : c.find(matches))
                found.push_back(e);
        }
        return found;
    }
};

void ReadChildren(QXmlStreamReader& xml, Element& parent) {
    while (xml.readNext() != QXmlStreamReader::EndElement && !xml.atEnd()) {
        if (xml.isCharacters()) parent.text += xml.text();
        if (!xml.isStartElement()) continue;
        Element child{xml.name().toString(), xml.attributes(), {}, {}};
        ReadChildren(xml, child);
        parent.text += child.text;
        parent.children.push_back(std::move(child));
    }
}

// One row of an example table: what the program takes and what it shows, by name.
struct Example {
    QString mode; // the main window's mode, "skid" or "speed"; empty elsewhere
    QMap<QString, QString> inputs, results;
};

bool Is(const Element& e, const char* tag) {
    return e.name == QLatin1String(tag);
}

bool HasClass(const Element& e, const char* name) {
    return e.attribute("class").split(u' ').contains(QLatin1String(name));
}

// The groups by the names the help gives them, the record's, spelt right.
const QMap<QString, core::VehicleGroup> kGroups = [] {
    QMap<QString, core::VehicleGroup> groups;
    for (auto group : {core::VehicleGroup::CarsAndBuses, core::VehicleGroup::Trucks,
                       core::VehicleGroup::RoadTrains}) {
        const std::string_view name = core::GroupName(group);
        groups.insert(QString::fromUtf8(name.data(), qsizetype(name.size())), group);
    }
    return groups;
}();
const QMap<QString, core::LoadState> kLoads{
    {QStringLiteral("Без нагрузки"), core::LoadState::Unloaded},
    {QStringLiteral("С нагрузкой 50%"), core::LoadState::HalfLoad},
    {QStringLiteral("С полной нагрузкой"), core::LoadState::FullLoad}};

// The table row of a category of the group, by the name the record and the help give it.
std::optional<int> RowNamed(core::VehicleGroup group, const QString& name) {
    for (int row = 1; row <= core::kEfficiencyRows; ++row)
        if (core::CategoryOfRow(row).group == group &&
            core::CategoryName(row) == name.toStdString())
            return row;
    return std::nullopt;
}

std::string Std(const QString& text) {
    return text.toStdString();
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList Sorted(QStringList list) {
    list.sort();
    return list;
}

} // namespace

Q_DECLARE_METATYPE(Example)

class HelpTest : public QObject {
    Q_OBJECT
    Element help_;
    std::unique_ptr<AppWindows> app;

    std::vector<const Element*> Tables(const char* calculation) const {
        return help_.find([&](const Element& e) {
            return Is(e, "table") && HasClass(e, "example") &&
                   e.attribute("data-calculation") == QLatin1String(calculation);
        });
    }

    // One data row per example of the calculation; each checks its own input and result names.
    void AddExamples(const char* calculation) {
        QTest::addColumn<Example>("example");
        int count = 0;
        for (const Element* table : Tables(calculation)) {
            for (const Element* row : table->find([](const Element& e) { return Is(e, "tr"); })) {
                Example example{table->attribute("data-mode"), {}, {}};
                QStringList typed; // in the order of the columns, for the row's name
                for (const Element& cell : row->children) {
                    if (cell.attributes.hasAttribute("data-input")) {
                        example.inputs[cell.attribute("data-input")] = cell.allText();
                        typed << cell.allText();
                    }
                    if (cell.attributes.hasAttribute("data-result"))
                        example.results[cell.attribute("data-result")] = cell.allText();
                }
                if (example.inputs.isEmpty() && example.results.isEmpty()) continue; // header
                ++count;
                const QString name = QStringLiteral("%1 %2 %3: %4")
                                         .arg(QLatin1String(calculation), example.mode)
                                         .arg(count)
                                         .arg(typed.join(QStringLiteral(" ")));
                QTest::newRow(qPrintable(name.simplified())) << example;
            }
        }
        QVERIFY2(count >= 3, calculation);
    }

private slots:
    void initTestCase() {
        const QString path = QFINDTESTDATA("../../docs/zelt.html");
        QVERIFY2(!path.isEmpty(), "docs/zelt.html not found");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        ReadChildren(xml, help_);
        QVERIFY2(
            !xml.hasError(),
            qPrintable(QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString())));
        QCOMPARE(help_.children.size(), std::size_t(1));
        QCOMPARE(help_.children[0].name, QStringLiteral("html"));
    }

    void cleanup() {
        app.reset();
        toolkit::DiscardAll();
    }

    // A plain Russian page that opens anywhere: no scripts, nothing fetched from elsewhere; its
    // pictures are inside it, each with words for a reader who cannot see it.
    void selfContained() {
        const Element& html = help_.children[0];
        QCOMPARE(html.attribute("lang"), QStringLiteral("ru"));
        const auto meta = html.find([](const Element& e) { return Is(e, "meta"); });
        QVERIFY(!meta.empty());
        QCOMPARE(meta[0]->attribute("charset"), QStringLiteral("utf-8"));
        for (const char* tag : {"script", "iframe", "object", "embed", "link"})
            QVERIFY2(html.find([&](const Element& e) { return Is(e, tag); }).empty(), tag);
        const QString embedded = QStringLiteral("data:image/png;base64,");
        for (const Element* img : html.find([](const Element& e) { return Is(e, "img"); })) {
            QVERIFY2(img->attribute("src").startsWith(embedded),
                     qPrintable(img->attribute("src").left(80)));
            QVERIFY(!img->attribute("alt").isEmpty());
        }
        for (const Element* e : html.find([](const Element&) { return true; })) {
            for (const char* key : {"src", "href"}) {
                const QString target = e->attribute(key);
                QVERIFY2(target.isEmpty() || target.startsWith(u'#') ||
                             (Is(*e, "img") && target.startsWith(embedded)),
                         qPrintable(target.left(80)));
            }
        }
        const QString text = html.allText();
        QVERIFY(text.contains(QStringLiteral("Остановочный путь")));
        QVERIFY(text.contains(QStringLiteral("T = V / 3,6 / j − t3/2")));
    }

    void stoppingExamples_data() { AddExamples("stopping"); }
    void stoppingExamples() {
        QFETCH(Example, example);
        const bool skidKnown = example.mode == QLatin1String("skid");
        QVERIFY2(skidKnown || example.mode == QLatin1String("speed"), qPrintable(example.mode));
        const QString typed = skidKnown ? QStringLiteral("skid") : QStringLiteral("speed");
        const QString first = skidKnown ? QStringLiteral("speed") : QStringLiteral("skid");
        QCOMPARE(Sorted(example.inputs.keys()),
                 Sorted({"reaction", "delay", "rise", "deceleration", typed}));
        QCOMPARE(Sorted(example.results.keys()), Sorted({first, "speedMs", "distance", "time"}));
        const auto& in = example.inputs;
        const core::StoppingResults r = core::ComputeStopping(
            {skidKnown ? core::StoppingMode::SkidKnown : core::StoppingMode::SpeedKnown,
             Std(in["reaction"]), Std(in["delay"]), Std(in["rise"]), Std(in[typed]),
             Std(in["deceleration"])});
        QCOMPARE(example.results[first], Q(r.speedOrSkid));
        QCOMPARE(example.results["speedMs"], Q(r.speedMs));
        QCOMPARE(example.results["distance"], Q(r.stoppingDistance));
        QCOMPARE(example.results["time"], Q(r.brakingTime));
    }

    void loadingExamples_data() { AddExamples("loading"); }
    void loadingExamples() {
        QFETCH(Example, example);
        QCOMPARE(Sorted(example.inputs.keys()), Sorted({"group", "category", "load", "adhesion",
                                                        "speed", "deceleration", "rise"}));
        QCOMPARE(Sorted(example.results.keys()),
                 Sorted({"coefficient", "speedMs", "distance", "time", "skid"}));
        const auto& in = example.inputs;
        QVERIFY2(kGroups.contains(in["group"]), qPrintable(in["group"]));
        QVERIFY2(kLoads.contains(in["load"]), qPrintable(in["load"]));
        const auto row = RowNamed(kGroups[in["group"]], in["category"]);
        const auto column = core::ColumnForAdhesion(kLoads[in["load"]], Std(in["adhesion"]));
        QVERIFY2(row, qPrintable(in["category"]));
        QVERIFY2(column, qPrintable(in["adhesion"]));
        const auto coefficient = core::LookUpEfficiency(*row, *column);
        QVERIFY(coefficient);
        QCOMPARE(example.results["coefficient"], Q(*coefficient));
        const core::LoadBrakingResults r =
            core::ComputeLoadBraking({*coefficient, Std(in["speed"]), Std(in["adhesion"]),
                                      Std(in["deceleration"]), Std(in["rise"])});
        QCOMPARE(example.results["speedMs"], Q(r.speedMs));
        QCOMPARE(example.results["distance"], Q(r.brakingDistance));
        QCOMPARE(example.results["time"], Q(r.brakingTime));
        QCOMPARE(example.results["skid"], Q(r.skid));
    }

    // The time and speed from the core, and the hours, minutes and seconds as the dashcam
    // window splits them, typed and started there as the user does.
    void dashcamExamples_data() { AddExamples("dashcam"); }
    void dashcamExamples() {
        QFETCH(Example, example);
        QCOMPARE(Sorted(example.inputs.keys()),
                 Sorted({"startHours", "startMinutes", "startSeconds", "endHours", "endMinutes",
                         "endSeconds", "distance"}));
        QCOMPARE(Sorted(example.results.keys()),
                 Sorted({"elapsed", "hours", "minutes", "seconds", "speed"}));
        const auto& in = example.inputs;
        const core::DashcamResults r = core::ComputeDashcam(
            {Std(in["startHours"]), Std(in["startMinutes"]), Std(in["startSeconds"]),
             Std(in["endHours"]), Std(in["endMinutes"]), Std(in["endSeconds"]),
             Std(in["distance"])});
        QCOMPARE(example.results["elapsed"], Q(r.elapsedText));
        QCOMPARE(example.results["speed"], Q(r.speedText));

        app = std::make_unique<AppWindows>();
        QTest::mouseClick(Find<toolkit::Label>(app->Main(), "dashcamLink"), Qt::LeftButton);
        DashcamWindow* form = app->Dashcam();
        const std::pair<QComboBox*, const char*> readings[] = {
            {Find<QComboBox>(form, "startHours"), "startHours"},
            {Find<QComboBox>(form, "startMinutes"), "startMinutes"},
            {Find<QComboBox>(form, "startSeconds"), "startSeconds"},
            {Find<QComboBox>(form, "endHours"), "endHours"},
            {Find<QComboBox>(form, "endMinutes"), "endMinutes"},
            {Find<QComboBox>(form, "endSeconds"), "endSeconds"}};
        for (const auto& [combo, name] : readings) {
            combo->clearEditText();
            QTest::keyClicks(combo, in[name]);
        }
        Find<QLineEdit>(form, "distance")->clear();
        QTest::keyClicks(Find<QLineEdit>(form, "distance"), in["distance"]);
        QTest::mouseClick(Find<QPushButton>(form, "startButton"), Qt::LeftButton);
        QVERIFY(!OpenAlert(Alert::IncompleteReadings) && !OpenAlert(Alert::OutOfRange));
        QCOMPARE(Find<QLineEdit>(form, "elapsedHours")->text(), example.results["hours"]);
        QCOMPARE(Find<QLineEdit>(form, "elapsedMinutes")->text(), example.results["minutes"]);
        QCOMPARE(Find<QLineEdit>(form, "elapsedSeconds")->text(), example.results["seconds"]);
        QCOMPARE(Find<QLineEdit>(form, "speed")->text(), example.results["speed"]);
    }

    // The deceleration each road switch of the main window puts in, as the user finds the switch
    // by its name, is the one the help explains and the record's note names; both say that the
    // standard the window's captions name is no longer in force, and the help what replaced it.
    void decelerationPresetsHaveTheirSources() {
        const auto tables =
            help_.find([](const Element& e) { return Is(e, "table") && HasClass(e, "presets"); });
        QCOMPARE(tables.size(), std::size_t(1));
        const auto rows = tables[0]->find(
            [](const Element& e) { return e.attributes.hasAttribute("data-road"); });
        QCOMPARE(rows.size(), std::size_t(2));
        const QMap<QString, QString> switchName{{QStringLiteral("dry"), QStringLiteral("сухого")},
                                                {QStringLiteral("wet"), QStringLiteral("мокрого")}};
        const QString note = Q(std::string(core::kDecelerationSource));
        app = std::make_unique<AppWindows>();
        app->Start();
        MainWindow* main = app->Main();
        for (const Element* row : rows) {
            const QString road = switchName.value(row->attribute("data-road"));
            QVERIFY2(!road.isEmpty(), qPrintable(row->attribute("data-road")));
            toolkit::OptionButton* button = nullptr;
            for (auto* option : main->findChildren<toolkit::OptionButton*>())
                if (option->accessibleName().contains(road + QStringLiteral(" покрытия")))
                    button = option;
            QVERIFY2(button, qPrintable(road));
            QTest::mouseClick(button, Qt::LeftButton);
            const QString offered = Find<QLineEdit>(main, "deceleration")->text();
            const auto cells = row->find([](const Element& e) { return Is(e, "td"); });
            QCOMPARE(cells.size(), std::size_t(3));
            QCOMPARE(cells[1]->allText(), offered);
            QVERIFY2(note.contains(offered + QStringLiteral(" м/с² для ") + road),
                     qPrintable(offered + " / " + note));
        }
        QVERIFY(note.contains(QStringLiteral("ГОСТ 25478-91 не действует")));
        QVERIFY(help_.allText().contains(QStringLiteral(
            "не действует: его заменил ГОСТ Р 51709-2001, а тот — ГОСТ 33997-2016, действующий с "
            "01.02.2018")));
    }

    // Wherever the help names ГОСТ 25478-91, it says there that the standard is no longer in
    // force, or points to where it does.
    void retiredStandardIsNotCitedAsInForce() {
        const auto blocks = help_.find([](const Element& e) {
            return (Is(e, "p") || Is(e, "li") || Is(e, "td") || Is(e, "caption")) &&
                   e.allText().contains(QStringLiteral("25478-91"));
        });
        QVERIFY(!blocks.empty());
        for (const Element* block : blocks) {
            const bool pointed =
                !block
                     ->find([](const Element& e) {
                         return Is(e, "a") && e.attribute("href") == QLatin1String("#deceleration");
                     })
                     .empty();
            QVERIFY2(block->allText().contains(QStringLiteral("не действует")) || pointed,
                     qPrintable(block->allText()));
        }
    }

    // The calculations of kvarnet-calc alone, through the core it runs on; a verdict as the
    // word a batch table gives it. A row without a permitted speed has no results for it.
    void pedestrianExamples_data() { AddExamples("pedestrian"); }
    void pedestrianExamples() {
        QFETCH(Example, example);
        QCOMPARE(Sorted(example.inputs.keys()),
                 Sorted({"speed", "reaction", "delay", "rise", "deceleration", "path",
                         "pedestrianSpeed", "limit"}));
        const auto& in = example.inputs;
        const core::PedestrianResults r =
            core::ComputePedestrian({Std(in["speed"]), Std(in["reaction"]), Std(in["delay"]),
                                     Std(in["rise"]), Std(in["deceleration"]), Std(in["path"]),
                                     Std(in["pedestrianSpeed"]), Std(in["limit"])});
        QStringList results = {"time", "atDanger", "distance", "critical", "avoidable"};
        if (!in["limit"].isEmpty())
            results << "limitDistance"
                    << "atLimit";
        QCOMPARE(Sorted(example.results.keys()), Sorted(results));
        QCOMPARE(example.results["time"], Q(r.pedestrianTime));
        QCOMPARE(example.results["atDanger"], Q(r.distanceAtDanger));
        QCOMPARE(example.results["distance"], Q(r.stoppingDistance));
        QCOMPARE(example.results["critical"], Q(r.criticalSpeed));
        QCOMPARE(example.results["avoidable"],
                 Q(std::string(core::VerdictWord(r.avoidable.verdict))));
        if (r.avoidableAtLimit) {
            QCOMPARE(example.results["limitDistance"], Q(r.stoppingDistanceAtLimit));
            QCOMPARE(example.results["atLimit"],
                     Q(std::string(core::VerdictWord(r.avoidableAtLimit->verdict))));
        }
    }

    void obstacleExamples_data() { AddExamples("obstacle"); }
    void obstacleExamples() {
        QFETCH(Example, example);
        QCOMPARE(Sorted(example.inputs.keys()),
                 Sorted({"speed", "reaction", "delay", "rise", "deceleration", "visibility"}));
        QCOMPARE(Sorted(example.results.keys()), Sorted({"distance", "avoidable", "safeSpeed"}));
        const auto& in = example.inputs;
        const core::ObstacleResults r = core::ComputeObstacle(
            {Std(in["speed"]), Std(in["reaction"]), Std(in["delay"]), Std(in["rise"]),
             Std(in["deceleration"]), Std(in["visibility"])});
        QCOMPARE(example.results["distance"], Q(r.stoppingDistance));
        QCOMPARE(example.results["avoidable"],
                 Q(std::string(core::VerdictWord(r.avoidable.verdict))));
        QCOMPARE(example.results["safeSpeed"], Q(r.safeSpeed));
    }

    void impactExamples_data() { AddExamples("impact"); }
    void impactExamples() {
        QFETCH(Example, example);
        QCOMPARE(Sorted(example.inputs.keys()), Sorted({"speed", "rise", "deceleration", "skid"}));
        QCOMPARE(example.results.keys(), QStringList{"impact"});
        const auto& in = example.inputs;
        QCOMPARE(example.results["impact"],
                 Q(core::ComputeImpact({Std(in["speed"]), Std(in["rise"]), Std(in["deceleration"]),
                                        Std(in["skid"])})
                       .impactSpeed));
    }

    void skidIntoImpactExamples_data() { AddExamples("skid-impact"); }
    void skidIntoImpactExamples() {
        QFETCH(Example, example);
        QCOMPARE(Sorted(example.inputs.keys()),
                 Sorted({"reaction", "delay", "rise", "deceleration", "skid", "impact"}));
        QCOMPARE(Sorted(example.results.keys()), Sorted({"speed", "speedMs", "distance", "time"}));
        const auto& in = example.inputs;
        const core::StoppingResults r = core::ComputeStoppingOverRanges(
            {core::StoppingMode::SkidKnown, Std(in["reaction"]), Std(in["delay"]), Std(in["rise"]),
             Std(in["skid"]), Std(in["deceleration"]), Std(in["impact"])});
        QCOMPARE(example.results["speed"], Q(r.speedOrSkid));
        QCOMPARE(example.results["speedMs"], Q(r.speedMs));
        QCOMPARE(example.results["distance"], Q(r.stoppingDistance));
        QCOMPARE(example.results["time"], Q(r.brakingTime));
    }

    void videoExamples_data() { AddExamples("video"); }
    void videoExamples() {
        QFETCH(Example, example);
        QCOMPARE(Sorted(example.inputs.keys()), Sorted({"frames", "fps", "distance"}));
        QCOMPARE(Sorted(example.results.keys()), Sorted({"elapsed", "speed", "range"}));
        const auto& in = example.inputs;
        const core::VideoResults r =
            core::ComputeVideo({Std(in["frames"]), Std(in["fps"]), Std(in["distance"])});
        QCOMPARE(example.results["elapsed"], Q(r.elapsed));
        QCOMPARE(example.results["speed"], Q(r.speed));
        QCOMPARE(example.results["range"], Q(r.speedRange));
    }

    // Cell by cell as the program looks it up, and each row and column heading means the
    // category, load and adhesion that lead the program to that row and column.
    void efficiencyTable() {
        const auto tables = help_.find(
            [](const Element& e) { return Is(e, "table") && HasClass(e, "efficiency"); });
        QCOMPARE(tables.size(), std::size_t(1));
        const Element& table = *tables[0];

        const auto loadHeads =
            table.find([](const Element& e) { return Is(e, "th") && HasClass(e, "load"); });
        const auto adhesionHeads =
            table.find([](const Element& e) { return Is(e, "th") && HasClass(e, "adhesion"); });
        QCOMPARE(loadHeads.size(), std::size_t(3));
        QCOMPARE(adhesionHeads.size(), std::size_t(core::kEfficiencyColumns));
        // Each load heading spans its columns; under it, each adhesion heading leads there.
        int column = 1;
        for (const Element* loadHead : loadHeads) {
            QVERIFY2(kLoads.contains(loadHead->allText()), qPrintable(loadHead->allText()));
            const core::LoadState load = kLoads[loadHead->allText()];
            const int span = loadHead->attribute("colspan").toInt();
            QVERIFY(span > 0);
            for (int c = column; c < column + span; ++c) {
                QVERIFY(c <= core::kEfficiencyColumns);
                for (const QString& adhesion :
                     adhesionHeads[c - 1]->allText().split(QStringLiteral("; ")))
                    QCOMPARE(core::ColumnForAdhesion(load, Std(adhesion)), std::optional<int>(c));
            }
            column += span;
        }
        QCOMPARE(column, core::kEfficiencyColumns + 1);

        const auto rows =
            table.find([](const Element& e) { return e.attributes.hasAttribute("data-row"); });
        QCOMPARE(rows.size(), std::size_t(core::kEfficiencyRows));
        // A group heading spans its rows: it stands in the first of them only.
        QString group;
        for (int r = 1; r <= core::kEfficiencyRows; ++r) {
            const Element& row = *rows[r - 1];
            QCOMPARE(row.attribute("data-row"), QString::number(r));
            const auto groupHead =
                row.find([](const Element& e) { return Is(e, "th") && HasClass(e, "group"); });
            if (!groupHead.empty()) group = groupHead[0]->allText();
            QVERIFY2(kGroups.contains(group), qPrintable(group));
            const auto category =
                row.find([](const Element& e) { return Is(e, "th") && HasClass(e, "category"); });
            QCOMPARE(category.size(), std::size_t(1));
            QCOMPARE(RowNamed(kGroups[group], category[0]->allText()), std::optional<int>(r));
            const auto cells = row.find([](const Element& e) { return Is(e, "td"); });
            QCOMPARE(cells.size(), std::size_t(core::kEfficiencyColumns));
            for (int c = 1; c <= core::kEfficiencyColumns; ++c) {
                const auto expected = core::LookUpEfficiency(r, c);
                QVERIFY(expected);
                QVERIFY2(cells[c - 1]->allText() == Q(*expected),
                         qPrintable(QStringLiteral("row %1, column %2: %3, expected %4")
                                        .arg(r)
                                        .arg(c)
                                        .arg(cells[c - 1]->allText(), Q(*expected))));
            }
        }
    }
};

KVARNET_TEST_MAIN(HelpTest)
#include "tst_help.moc"
