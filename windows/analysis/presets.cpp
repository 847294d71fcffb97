#include "windows/analysis/presets.h"

namespace analysis {

const QString kPedestrianSource = QStringLiteral(
    "таблица скоростей пешеходов по данным статистических исследований НИЛСЭ (воспроизведена в "
    "статье «Как рассчитать скорость движения пешехода», marussia-motors.ru; скорости шага детей "
    "7–15 лет совпадают с studopedia.info/6-58729.html)");

const QString kAdhesionSource = QStringLiteral(
    "таблица «Коэффициенты сцепления шин» поставщика шин (bohnenkamp.by) — один вторичный "
    "источник, только подсказка; замедление задаёт эксперт");

namespace {

const QString kBrakeNorms = QStringLiteral(
    "ПДД РФ, Основные положения, Перечень неисправностей и условий, при которых запрещается "
    "эксплуатация транспортных средств, п. 1.1: установившееся замедление рабочей тормозной "
    "системы не менее этого значения при проверке с 40 км/ч на сухой ровной дороге (для "
    "транспортных средств, выпущенных с 01.01.1981). Названный в окнах ГОСТ 25478-91 не "
    "действует: его заменил ГОСТ Р 51709-2001, а тот — ГОСТ 33997-2016 (с 01.02.2018)");

// One row of the pedestrian table: the five paces as "low–high (mean)", "" where not given.
struct Row {
    const char* age;
    const char* sex;
    const char* paces[5];
};

const Row kRows[] = {
    {"7–8",
     "мужской",
     {"2,7 3,9 3,1", "4,0 5,2 4,4", "5,4 6,5 5,9", "7,2 10,4 8,5", "11,2 13,0 12,2"}},
    {"7–8",
     "женский",
     {"2,6 3,5 2,9", "3,7 5,0 4,2", "5,0 6,2 5,3", "7,0 10,8 8,0", "10,8 12,4 11,8"}},
    {"8–10",
     "мужской",
     {"3,1 3,7 3,4", "4,3 5,4 4,6", "5,6 6,7 6,0", "7,4 10,8 8,4", "11,4 13,4 12,5"}},
    // The copy seen gives the girls' running cells in doubt: left out until confirmed.
    {"8–10", "женский", {"2,8 3,6 3,0", "4,0 5,2 4,3", "5,2 6,4 5,5", "", ""}},
    {"10–12",
     "мужской",
     {"3,2 4,2 3,7", "4,4 5,5 4,9", "5,7 6,9 6,2", "7,6 11,1 9,3", "12,7 15,4 13,8"}},
    {"10–12",
     "женский",
     {"3,1 3,7 3,3", "4,2 5,4 4,8", "5,4 6,6 5,8", "7,4 10,7 8,9", "12,3 15,2 13,4"}},
    {"12–15",
     "мужской",
     {"3,5 4,6 3,8", "5,0 5,8 5,2", "5,9 7,1 6,5", "7,8 11,7 10,0", "13,2 16,0 14,6"}},
    {"12–15",
     "женский",
     {"3,2 4,5 3,6", "4,5 5,5 5,0", "5,6 6,8 6,1", "7,7 11,2 9,5", "12,7 15,5 14,1"}},
    {"15–20",
     "мужской",
     {"3,0 4,5 3,9", "4,8 5,8 5,4", "6,0 7,8 6,8", "8,6 13,0 10,3", "14,4 18,0 16,3"}},
    {"15–20",
     "женский",
     {"2,9 4,1 3,7", "4,6 5,6 5,2", "5,7 6,9 6,3", "8,1 12,6 10,0", "13,0 16,6 14,9"}},
    {"20–30",
     "мужской",
     {"3,5 4,6 4,2", "4,8 6,2 5,7", "6,3 7,8 6,9", "8,8 13,0 11,0", "14,4 18,0 16,7"}},
    {"20–30",
     "женский",
     {"3,4 4,6 4,1", "4,7 5,9 5,3", "6,0 7,4 6,6", "8,5 12,8 10,6", "13,8 17,0 15,3"}},
    {"30–40",
     "мужской",
     {"3,2 4,6 3,9", "4,8 6,2 5,7", "6,3 7,8 6,8", "8,2 12,0 10,6", "13,1 18,0 15,5"}},
    {"30–40",
     "женский",
     {"3,0 4,4 3,8", "4,6 5,8 5,2", "5,9 7,2 6,5", "8,1 11,6 9,8", "12,0 17,0 14,1"}},
    // Over 40 only the walking paces were seen.
    {"40–50", "мужской", {"2,9 4,3 3,8", "4,6 5,8 5,3", "", "", ""}},
    {"40–50", "женский", {"2,8 4,1 3,6", "4,4 5,4 4,9", "", "", ""}},
};

const char* const kPaces[] = {"медленный шаг", "спокойный шаг", "быстрый шаг", "спокойный бег",
                              "быстрый бег"};

} // namespace

QString PedestrianPreset::Caption() const {
    return QStringLiteral("%1 лет, %2, %3: %4–%5 (%6) км/ч").arg(age, sex, pace, low, high, mean);
}

const std::vector<PedestrianPreset>& PedestrianPresets() {
    static const std::vector<PedestrianPreset> presets = [] {
        std::vector<PedestrianPreset> list;
        for (const Row& row : kRows)
            for (int pace = 0; pace < 5; ++pace) {
                const QStringList cell = QString::fromUtf8(row.paces[pace]).split(u' ');
                if (cell.size() != 3) continue;
                list.push_back({QString::fromUtf8(row.age), QString::fromUtf8(row.sex),
                                QString::fromUtf8(kPaces[pace]), cell[0], cell[1], cell[2]});
            }
        return list;
    }();
    return presets;
}

const std::vector<DecelerationPreset>& DecelerationPresets() {
    static const std::vector<DecelerationPreset> presets = [] {
        const char* const norms[][2] = {
            {"Легковые и их модификации для перевозки грузов", "6,8"},
            {"Автобусы полной массой до 5 т", "6,8"},
            {"Автобусы полной массой свыше 5 т", "5,7"},
            {"Грузовые полной массой до 3,5 т", "5,7"},
            {"Грузовые полной массой 3,5–12 т", "5,7"},
            {"Грузовые полной массой свыше 12 т", "6,2"},
            {"Мотоциклы и мопеды", "5,5"},
            {"Мотоциклы с боковым прицепом", "5,0"},
            {"Автопоезд с тягачом — легковым автомобилем", "5,9"},
            {"Автопоезд с тягачом — автобусом до 5 т", "5,7"},
            {"Автопоезд с тягачом — автобусом свыше 5 т", "5,5"},
            {"Автопоезд с тягачом — грузовым до 3,5 т", "4,6"},
            {"Автопоезд с тягачом — грузовым 3,5–12 т", "5,5"},
            {"Автопоезд с тягачом — грузовым свыше 12 т", "5,5"},
        };
        std::vector<DecelerationPreset> list;
        for (const auto& [caption, value] : norms)
            list.push_back({QString::fromUtf8(caption), QString::fromUtf8(value), kBrakeNorms});
        // The main window's two values, with what the help says of them.
        list.push_back({QStringLiteral("Сухое покрытие (как в главном окне)"),
                        QStringLiteral("6,8"),
                        QStringLiteral("значение главного окна для сухого покрытия — норматив "
                                       "легкового автомобиля: ") +
                            kBrakeNorms});
        list.push_back({QStringLiteral("Мокрое покрытие (как в главном окне)"), QStringLiteral("5"),
                        QStringLiteral("значение главного окна для мокрого покрытия; нормативного "
                                       "источника у него нет: на мокрой дороге замедление "
                                       "ограничено сцеплением, его берут из таблиц по покрытию")});
        return list;
    }();
    return presets;
}

const std::vector<AdhesionHint>& AdhesionHints() {
    static const std::vector<AdhesionHint> hints = {
        {QStringLiteral("Цементобетон"), QStringLiteral("0,80–0,90"), QStringLiteral("0,50–0,60")},
        {QStringLiteral("Асфальтобетон"), QStringLiteral("0,70–0,80"), QStringLiteral("0,45–0,55")},
        {QStringLiteral("Щебёночное"), QStringLiteral("0,60–0,70"), QStringLiteral("0,40–0,50")},
        {QStringLiteral("Грунтовое"), QStringLiteral("0,50–0,60"), QStringLiteral("0,15–0,25")},
        {QStringLiteral("Укатанный снег"), QStringLiteral("0,25–0,35"), QString()},
        {QStringLiteral("Гололёд"), QStringLiteral("0,05–0,15"), QString()},
    };
    return hints;
}

} // namespace analysis
